#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace veskar {

class Messenger;

/// The form of the folder-setting box ("フォルダーの設定変更").
class TDIR2SETForm : public QDialog {
    Q_OBJECT
public:
    /// dirName heads the labels; registered is the folder in force ("" or `FolderNotSet` when
    /// none is yet); messenger shows the form's messages.
    TDIR2SETForm(const QString& dirName, const QString& registered, Messenger& messenger,
                 QWidget* parent = nullptr);

    /// The folder registered while the form was open, or the one it opened with.
    const QString& Registered() const { return m_registered; }
    /// The edit and its colours: the standard window colours (true) or the form's own.
    void SetStandardColor(bool standard);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr; ///< "初期値"
    QPushButton* Button2 = nullptr; ///< "参照"
    QPushButton* Btn_SET = nullptr;
    QPushButton* Btn_CANCEL = nullptr;

public slots:
    void Button1Click();
    void Button2Click();
    void Btn_SETClick();
    void Btn_CANCELClick();

protected:
    void done(int result) override;

private:
    QString m_dirName;
    QString m_registered;
    Messenger& m_messenger;
};

} // namespace veskar
