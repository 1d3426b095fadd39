#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace veskar {

/// The form of the input box: a prompt, a one-line edit and a history of earlier answers that
/// opens on demand.
class TSNBox : public QDialog {
    Q_OBJECT
public:
    explicit TSNBox(QWidget* parent = nullptr);

    void SetHistory(const QStringList& history);
    /// The history entries in their current order, most recent first.
    QStringList History() const;
    /// The edit and the history box on the standard window colour (true) or on the form's own.
    void SetStandardColor(bool standard);

    QLabel* Msg = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QWidget* Panel1 = nullptr;
    QComboBox* ComboBox1 = nullptr;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    /// A history entry was chosen: it moves to the top and into the edit, the panel closes.
    void ComboBox1Select(int index);

protected:
    void reject() override;
};

} // namespace veskar
