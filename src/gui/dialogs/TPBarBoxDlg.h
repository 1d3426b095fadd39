#pragma once

#include <array>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "gui/dialogs/TPBarBox.h"

namespace veskar {

/// The progress boxes of the long runs. Up to ten at once, addressed by a handle 0..9; each
/// slot has a state (see ProgressBox::State): free, running, closed by its window, or stopped by
/// "中止". A closed box keeps its final state until its owner closes the handle, so the run
/// learns about the stop at its next update.
class TPBarBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(QString Msg READ Msg WRITE SetMsg)
public:
    static constexpr int kSlots = 10;

    explicit TPBarBoxDlg(QObject* parent = nullptr);
    ~TPBarBoxDlg() override;

    /// Shows a box with message + "：" at 0 % and returns its handle; -1 when all ten slots are
    /// busy (nothing is shown then). An empty title shows the application title.
    int Open(const QString& message, const QString& title);
    /// Open with the published Msg and Title.
    int Open();
    /// Moves the bar of a running box; returns the slot's state either way.
    int SetPercent(int handle, int percent);
    void SetMessage(int handle, const QString& text);
    /// The slot's state; -3 for a handle outside 0..9.
    int State(int handle) const;
    /// Destroys the box if its slot is in use, frees the slot and sets handle to -1.
    void Close(int& handle);

    /// The form of a running box, null otherwise.
    TPBarBox* Form(int handle) const;

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    QString Msg() const { return m_msg; }
    void SetMsg(const QString& msg) { m_msg = msg; }

    /// Whether any box is in use: a long run goes on.
    bool AnyOpen() const;

signals:
    /// The first box of a run opened, or the last one closed.
    void RunningChanged(bool running);

private:
    void FormFinished(int handle, int state);
    static bool ValidHandle(int handle) { return handle >= 0 && handle < kSlots; }

    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    QString m_msg;
    std::array<int, kSlots> m_state;
    std::array<QPointer<TPBarBox>, kSlots> m_forms;
};

} // namespace veskar
