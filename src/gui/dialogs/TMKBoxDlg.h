#pragma once

#include <array>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "gui/dialogs/TMKBox.h"

namespace veskar {

/// The message box of the whole program: plain messages, timed messages and questions that
/// answer the caller's default when their countdown runs out, and error boxes with an Abort
/// button and their own countdown. Up to ten boxes may be open at once (a timer may raise one
/// while another waits); each call uses a free slot and returns the modal result, or 0 without
/// showing anything when all ten slots are in use.
class TMKBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(bool Timer READ Timer WRITE SetTimer)
    Q_PROPERTY(int TimerCount READ TimerCount WRITE SetTimerCount)
    Q_PROPERTY(bool ERTimer READ ERTimer WRITE SetERTimer)
    Q_PROPERTY(int ERTimerCount READ ERTimerCount WRITE SetERTimerCount)
    Q_PROPERTY(bool B0 READ B0)
    Q_PROPERTY(bool B1 READ B1)
    Q_PROPERTY(bool B2 READ B2)
    Q_PROPERTY(bool B3 READ B3)
    Q_PROPERTY(bool B4 READ B4)
    Q_PROPERTY(bool B5 READ B5)
    Q_PROPERTY(bool B6 READ B6)
    Q_PROPERTY(bool B7 READ B7)
    Q_PROPERTY(bool B8 READ B8)
    Q_PROPERTY(bool B9 READ B9)
public:
    static constexpr int kSlots = 10;

    explicit TMKBoxDlg(QObject* parent = nullptr);
    ~TMKBoxDlg() override;

    /// OK button, no countdown.
    int ShowMessage(const QString& text);
    /// OK button; counts down TimerCount seconds when Timer is on, then answers defaultResult.
    int ShowTimedMessage(const QString& text, int defaultResult);
    /// Yes / No; counts down TimerCount seconds when Timer is on, then answers defaultResult.
    int AskTimedQuestion(const QString& text, int defaultResult);
    /// OK / Abort; counts down ERTimerCount seconds when ERTimer is on.
    int ShowError(const QString& text, int defaultResult);
    /// Yes / No / Abort; counts down ERTimerCount seconds when ERTimer is on.
    int AskErrorQuestion(const QString& text, int defaultResult);
    /// OK / Abort; counts down the given seconds when ERTimer is on.
    int ShowErrorFor(const QString& text, int seconds, int defaultResult);

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    /// The window the boxes are centred over; null means the active window.
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    bool Timer() const { return m_timer; }
    void SetTimer(bool on) { m_timer = on; }
    int TimerCount() const { return m_timerCount; }
    void SetTimerCount(int seconds) { m_timerCount = seconds; }
    bool ERTimer() const { return m_erTimer; }
    void SetERTimer(bool on) { m_erTimer = on; }
    int ERTimerCount() const { return m_erTimerCount; }
    void SetERTimerCount(int seconds) { m_erTimerCount = seconds; }

    /// Slot-in-use flags, one per open box.
    bool SlotInUse(int slot) const;
    bool B0() const { return SlotInUse(0); }
    bool B1() const { return SlotInUse(1); }
    bool B2() const { return SlotInUse(2); }
    bool B3() const { return SlotInUse(3); }
    bool B4() const { return SlotInUse(4); }
    bool B5() const { return SlotInUse(5); }
    bool B6() const { return SlotInUse(6); }
    bool B7() const { return SlotInUse(7); }
    bool B8() const { return SlotInUse(8); }
    bool B9() const { return SlotInUse(9); }

    /// The form of an open box, null for a free slot.
    TMKBox* Form(int slot) const;
    /// The kind of the box in a slot and whether it counts down.
    TMKBox::Kind SlotKind(int slot) const;
    bool SlotCountdown(int slot) const;
    /// The countdown start of the box in a slot, as the decimal text the form reads.
    QString SlotStartText(int slot) const;

signals:
    /// A box has been filled and is about to be shown modally.
    void BoxOpening(int slot);

private:
    struct Slot {
        bool inUse = false;
        bool countdown = false;
        TMKBox::Kind kind = TMKBox::Kind::Plain;
        QPointer<TMKBox> form;
        QString startText;
    };

    int ShowBox(const QString& text, TMKBox::Kind kind, bool question, bool countdown,
                int startSeconds, int defaultResult);

    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    bool m_timer = true;
    int m_timerCount = 10;
    bool m_erTimer = true;
    int m_erTimerCount = 10;
    std::array<Slot, kSlots> m_slots;
};

} // namespace veskar
