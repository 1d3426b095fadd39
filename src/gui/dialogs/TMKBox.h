#pragma once

#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace veskar {

/// The form of the message box: the message, an icon, the answer buttons and, for a timed box,
/// the countdown with its pause and resume buttons and a red bar under the button that the
/// timeout will choose. Made and shown by TMKBoxDlg for one box at a time.
class TMKBox : public QDialog {
    Q_OBJECT
public:
    /// Kinds of box: plain message, ordinary timed box, error box.
    enum class Kind { Plain = 0, Timed = 1, Error = 2 };

    explicit TMKBox(QWidget* parent = nullptr);

    /// Fills the form for one box. startText is the countdown start in seconds as text; it is
    /// read on the first tick. defaultResult is the answer the timeout stands for and picks the
    /// button that carries the red bar and the keyboard focus.
    void Prepare(const QString& text, Kind kind, bool question, bool countdown,
                 const QString& startText, int defaultResult);

    /// Seconds left on the countdown (the start value until the first tick).
    int Remaining() const { return m_remaining; }
    bool CountdownRunning() const;
    /// The button under the red bar and the keyboard default: the one that answers like the
    /// timeout, or the first button when the default has none.
    QPushButton* DefaultButton() const { return m_defaultButton; }

    QPlainTextEdit* MemoMsg = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* TMCountS = nullptr;
    QLabel* Label_TM = nullptr;
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Yes = nullptr;
    QPushButton* Btn_No = nullptr;
    QPushButton* Btn_Abort = nullptr;
    QPushButton* Btn_TM_STOP = nullptr;
    QPushButton* Btn_TM_OPEN = nullptr;
    QFrame* Label_Select = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer_Paint = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* P_COPY = nullptr;

public slots:
    /// One second of the countdown; closes the form with Messenger::Timeout at zero.
    void Timer1Timer();
    void Timer_PaintTimer();
    void Btn_TM_STOPClick();
    void Btn_TM_OPENClick();
    void P_COPYClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    void reject() override;

private:
    void MakeMessage();
    void MakeCountdown();
    void MakeAnswerButtons();
    void MakeTimers();
    void LayOut();
    void FitMemoToText(const QString& text);
    void PlaceSelectBar();
    void ShowRemaining();

    QLabel* m_restCaption = nullptr;
    QLabel* m_ofCaption = nullptr;
    QPushButton* m_defaultButton = nullptr;
    bool m_countdown = false;
    bool m_countStarted = false;
    bool m_paused = false;
    bool m_tickBusy = false;
    int m_remaining = 0;
};

} // namespace veskar
