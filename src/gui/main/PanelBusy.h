#pragma once

#include <vector>

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace veskar {

/// One busy guard for a whole panel. Handlers process pending events (and open message boxes),
/// so a double click or a key repeat could start a second run of a handler, or another handler
/// of the same panel, while the first still works on the same rows. While a handler runs, or
/// while a long run elsewhere in the window holds the panel, every handler of it returns at
/// once and its controls are greyed, so the user sees why they do not answer.
class PanelBusy {
public:
    /// controls: what greys. Controls whose enabled state the panel sets for its own reasons
    /// are left out.
    void SetControls(std::vector<QWidget*> controls) {
        m_controls.assign(controls.begin(), controls.end());
    }

    bool Busy() const { return m_running || m_held; }

    /// A long run elsewhere (a progress box is open) holds the panel, or lets it go.
    void SetHeld(bool held) {
        m_held = held;
        Grey();
    }

    /// A handler's run: check it with `if (!busy) return;` before doing anything.
    class Scope {
    public:
        explicit Scope(PanelBusy& guard) : m_guard(guard), m_entered(!guard.Busy()) {
            if (m_entered) {
                m_guard.m_running = true;
                m_guard.Grey();
            }
        }
        ~Scope() {
            if (m_entered) {
                m_guard.m_running = false;
                m_guard.Grey();
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        explicit operator bool() const { return m_entered; }

    private:
        PanelBusy& m_guard;
        bool m_entered;
    };

private:
    // Only the controls greyed here are enabled again, so a control greyed for another reason
    // before keeps its state.
    void Grey() {
        if (Busy() == m_greyedNow) {
            return;
        }
        m_greyedNow = Busy();
        if (m_greyedNow) {
            QWidget* const focused = QApplication::focusWidget();
            for (const QPointer<QWidget>& control : m_controls) {
                if (control && control->isEnabled()) {
                    control->setEnabled(false);
                    m_greyed.push_back(control);
                }
            }
            // A greyed control loses the keyboard focus to the next one; it gets it back at the
            // end unless something else took the focus meanwhile.
            m_focusTakenFrom = focused;
            m_focusMovedTo = QApplication::focusWidget();
            return;
        }
        for (const QPointer<QWidget>& control : m_greyed) {
            if (control) {
                control->setEnabled(true);
            }
        }
        m_greyed.clear();
        if (m_focusTakenFrom && m_focusTakenFrom != m_focusMovedTo &&
            QApplication::focusWidget() == m_focusMovedTo) {
            m_focusTakenFrom->setFocus();
        }
        m_focusTakenFrom = nullptr;
        m_focusMovedTo = nullptr;
    }

    std::vector<QPointer<QWidget>> m_controls;
    std::vector<QPointer<QWidget>> m_greyed;
    QPointer<QWidget> m_focusTakenFrom;
    QPointer<QWidget> m_focusMovedTo;
    bool m_greyedNow = false;
    bool m_running = false;
    bool m_held = false;
};

} // namespace veskar
