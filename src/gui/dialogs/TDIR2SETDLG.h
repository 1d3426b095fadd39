#pragma once

#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "gui/dialogs/GuiMessenger.h"
#include "gui/dialogs/TDIR2SETForm.h"
#include "gui/dialogs/TMKBoxDlg.h"

namespace veskar {

class Messenger;

/// The folder-setting box: sets one destination folder (the save folder of split files, the
/// chop-cut folder). A folder typed, browsed to or offered as the default ("初期値") is made
/// level by level after asking, and the box cannot be left while no folder is registered, so
/// a first-run prompt always ends with a folder.
class TDIR2SETDLG : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ Directory WRITE SetDirectory)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString DirName READ DirName WRITE SetDirName)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(bool StandardColor READ StandardColor WRITE SetStandardColor)
public:
    explicit TDIR2SETDLG(QObject* parent = nullptr);
    ~TDIR2SETDLG() override;

    /// Shows the box modally: Messenger::Ok with the registered folder in Directory (without a
    /// trailing separator), Messenger::Cancel when the user left it with a folder in place.
    int Execute();

    /// The folder in and out.
    QString Directory() const { return m_directory; }
    void SetDirectory(const QString& folder) { m_directory = folder; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    /// The setting's name, e.g. "SAVE_DIR": it heads the labels and names the default folder.
    QString DirName() const { return m_dirName; }
    void SetDirName(const QString& name) { m_dirName = name; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    bool StandardColor() const { return m_standardColor; }
    void SetStandardColor(bool standard) { m_standardColor = standard; }

    /// Where the box's messages and questions go; null: its own message box.
    void SetMessenger(Messenger* messenger) { m_messenger = messenger; }

    /// The form while Execute runs, null otherwise.
    TDIR2SETForm* Form() const { return m_form; }

signals:
    /// The form has been filled and is about to be shown modally.
    void BoxOpening();

private:
    QString m_directory;
    QString m_title;
    QString m_dirName;
    QPointer<QWidget> m_sourceHandle;
    bool m_standardColor = true;
    Messenger* m_messenger = nullptr;
    TMKBoxDlg m_box{this};
    GuiMessenger m_ownMessenger{m_box};
    QPointer<TDIR2SETForm> m_form;
};

} // namespace veskar
