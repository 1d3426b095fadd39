#pragma once

#include <array>

#include <QDialog>

class QAction;
class QGridLayout;
class QLabel;
class QMenu;
class QPushButton;

namespace veskar {

class SpinButton;
class TMKBoxDlg;

/// The form of the time-range box: start and end in hours, minutes and seconds, each a
/// two-digit field with spin buttons that wrap around and a pop-up menu of round values.
class THMSBox : public QDialog {
    Q_OBJECT
public:
    /// The six fields, in the order of the published values.
    enum Field { STH, STM, STS, ENH, ENM, ENS, FieldCount };

    explicit THMSBox(QWidget* parent = nullptr);

    /// Sets the number of hours and the six values (each brought into its range).
    void SetUp(int maxH, const std::array<int, FieldCount>& values);
    int Value(Field field) const { return m_values[field]; }
    /// One spin step (+1 or -1) on a field, wrapping within its range.
    void Spin(Field field, int delta);
    /// Sets a field to a value from its pop-up menu.
    void SetField(Field field, int value);

    /// The prompt above the fields; hidden when there is none.
    QLabel* Msg = nullptr;
    std::array<QLabel*, FieldCount> Labels{};
    std::array<SpinButton*, FieldCount> Spins{};
    QLabel* Label_ST = nullptr;
    QPushButton* Btn_EN_Text = nullptr;
    QPushButton* Btn_SET = nullptr;
    QPushButton* Btn_CANCEL = nullptr;
    QMenu* PopupMenu_H = nullptr;
    QMenu* PopupMenu_MS = nullptr;
    /// Asks the confirmation and shows the refusal.
    TMKBoxDlg* MKBoxDlg1 = nullptr;

public slots:
    /// Copies the start fields into the end fields.
    void Btn_EN_TextClick();
    void Btn_SETClick();

protected:
    void reject() override;

private:
    /// The grid of the six values with their spin buttons, headings and captions.
    QGridLayout* MakeFields();
    QLabel* MakeFieldLabel(Field field);
    int Range(Field field) const;
    void ShowField(Field field);
    void OpenPopup(Field field, const QPoint& globalPos);
    /// Seconds from hours, minutes and seconds as the fields show them.
    int ShownSeconds(Field hours) const;
    QString ShownTime(Field hours) const;

    int m_maxH = 24;
    std::array<int, FieldCount> m_values{};
    Field m_popupField = STH;
};

} // namespace veskar
