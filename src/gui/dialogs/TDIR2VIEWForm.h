#pragma once

#include <QDialog>

#include "core/browser/BrowserState.h"
#include "core/browser/FolderBrowser.h"
#include "core/browser/SelectionDialog.h"
#include "core/host/SharedFlags.h"
#include "platform/QtEventPump.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace veskar {

class FolderBrowserView;
class Messenger;

/// The form of the folder and file selection dialog ("フォルダーの参照"): the browser with the
/// buttons HF (back), BF (parent), NF (new folder) and DF (delete folder), the folder box
/// Edit_Folder, the file-name box Edit_File and "設定" / "中止".
class TDIR2VIEWForm : public QDialog {
    Q_OBJECT
public:
    TDIR2VIEWForm(bool fileMode, Messenger& messenger, QWidget* parent = nullptr);

    /// Shows start in the tree, with the filter entries of the filter text.
    void Start(const QString& start, const QString& filter, const QString& fileName);
    void SetDefaultExt(const QString& ext) { m_defaultExt = ext; }
    void SetOverwriteQuestion(bool on) { m_overwriteQuestion = on; }
    /// Lists and edits on the standard window colour, or on the form's own.
    void SetStandardColor(bool standard);

    /// After "設定": the chosen file (file mode) or folder (folder mode).
    QString Chosen() const { return m_chosen; }
    /// The folder shown last.
    QString Folder() const;

    FolderBrowserView* browser = nullptr;
    QPushButton* Button_HF = nullptr;
    QPushButton* Button_BF = nullptr;
    QPushButton* Button_NF = nullptr;
    QPushButton* Button_DF = nullptr;
    QLineEdit* Edit_Folder = nullptr;
    QWidget* Panel_Edit_File = nullptr;
    QLineEdit* Edit_File = nullptr;
    QPushButton* ColorBtn1 = nullptr; ///< "設定"
    QPushButton* ColorBtn2 = nullptr; ///< "中止"

public slots:
    void Button_HFClick();
    void Button_BFClick();
    void Button_NFClick();
    void Button_DFClick();
    void ColorBtn1Click();
    void ColorBtn2Click();

private:
    void FolderShown(const QString& folder);
    void FileClicked();

    bool m_fileMode;
    Messenger& m_messenger;
    BrowserState m_state;
    QtEventPump m_pump;
    SharedFlags m_flags;
    FolderBrowser m_browser;
    FolderSteps m_steps;
    QString m_defaultExt;
    bool m_overwriteQuestion = true;
    QString m_chosen;
};

} // namespace veskar
