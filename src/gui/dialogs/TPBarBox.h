#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace veskar {

/// The form of one progress box: a message, a bar from 0 to 100 % and the stop button that the
/// long run polls through TPBarBoxDlg.
class TPBarBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBarWidth = 320;

    explicit TPBarBox(QWidget* parent = nullptr);

    /// Bar width = frame width × percent / 100 (kept inside the frame); caption percent + "%".
    void SetPercent(int percent);
    /// Shows text + "：" and repaints at once, since the run that calls this keeps the event
    /// loop waiting.
    void SetMessage(const QString& text);

    QLabel* Msg = nullptr;
    QPushButton* Button2 = nullptr;
    QFrame* Panel_PBar0 = nullptr;
    QLabel* Panel_PBar = nullptr;

signals:
    /// The form has closed: 2 after the stop button, 0 when its window was closed otherwise.
    void Finished(int state);

public slots:
    void Button2Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* m_caption = nullptr;
    bool m_stopPressed = false;
    bool m_finished = false;
};

} // namespace veskar
