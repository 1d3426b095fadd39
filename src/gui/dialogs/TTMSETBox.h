#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace veskar {

class SpinButton;
class TMKBoxDlg;

/// The form of the count box: three lines of text, the value with its unit, spin buttons that
/// step by 1, 10 and 60, and "設 定" / "中 止". "設 定" asks for confirmation with a timed
/// question before it closes.
class TTMSETBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxCount = 32700;

    explicit TTMSETBox(QWidget* parent = nullptr);

    void SetUp(const QString& msg0, const QString& msg1, const QString& msg2, int minCount,
               int count, const QString& unit);
    int Count() const { return m_count; }
    /// Adds delta to the value, kept within 0..kMaxCount.
    void Step(int delta);

    QLabel* Label_Msg0 = nullptr;
    QLabel* Label_Msg1 = nullptr;
    QLabel* Label_Msg2 = nullptr;
    QLabel* Label_Count = nullptr;
    QLabel* Label_HMS = nullptr;
    SpinButton* SpinButton1 = nullptr;
    SpinButton* SpinButton10 = nullptr;
    SpinButton* SpinButton60 = nullptr;
    QPushButton* Btn_SET = nullptr;
    QPushButton* Btn_CANCEL = nullptr;
    /// Asks the confirmation.
    TMKBoxDlg* MKBoxDlg1 = nullptr;

public slots:
    void Btn_SETClick();

protected:
    void reject() override;

private:
    void ShowCount();

    int m_count = 0;
    int m_minCount = 0;
};

} // namespace veskar
