#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/host/SaveFileDialog.h"

namespace veskar {

class Messenger;
class TDIR2VIEWForm;

/// The folder and file selection dialog: every folder or file choice of the program goes
/// through it. Set the properties, run ExecuteFile or ExecuteFolder, read the results back.
/// As the engine's SaveFileDialog it is the save dialog of self-named split files.
class TDIR2OPENDLG : public QObject, public SaveFileDialog {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ Directory WRITE SetDirectory)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QWidget* SourceHandle READ SourceHandle WRITE SetSourceHandle)
    Q_PROPERTY(bool StandardColor READ StandardColor WRITE SetStandardColor)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(QString Filename READ Filename WRITE SetFilename)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
public:
    explicit TDIR2OPENDLG(Messenger& messenger, QObject* parent = nullptr);
    ~TDIR2OPENDLG() override;

    /// File mode: returns the modal result (Messenger::Ok for "設定", Messenger::Abort for
    /// "中止"); on Ok Filename holds the chosen path. The caption is Title (the application's
    /// title when empty) followed by suffix, or by "ファイルの選択" without one.
    int ExecuteFile(const QString& suffix = {});
    /// Folder mode: the file-name box is hidden and the folder box can be typed in; on Ok
    /// Directory holds the chosen folder.
    int ExecuteFolder(const QString& suffix = {});

    /// The form while an Execute runs, null otherwise.
    TDIR2VIEWForm* Form() const;

    /// SaveFileDialog: a file-mode run with the request's properties.
    QString AskSavePath(const Request& request) override;

    QString Directory() const { return m_directory; }
    void SetDirectory(const QString& folder) { m_directory = folder; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QWidget* SourceHandle() const { return m_sourceHandle; }
    void SetSourceHandle(QWidget* source) { m_sourceHandle = source; }
    bool StandardColor() const { return m_standardColor; }
    void SetStandardColor(bool standard) { m_standardColor = standard; }
    QString Filter() const { return m_filter; }
    void SetFilter(const QString& filter) { m_filter = filter; }
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString& folder) { m_initialDir = folder; }
    QString Filename() const { return m_filename; }
    void SetFilename(const QString& path) { m_filename = path; }
    QString DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const QString& ext) { m_defaultExt = ext; }
    /// File mode asks before an existing file is chosen (on unless the caller says otherwise;
    /// choosing a file to open needs no question).
    bool OverwriteQuestion() const { return m_overwriteQuestion; }
    void SetOverwriteQuestion(bool on) { m_overwriteQuestion = on; }

signals:
    /// The form has been filled and is about to be shown modally.
    void BoxOpening();

private:
    int Execute(bool fileMode, const QString& suffix);

    Messenger& m_messenger;
    QString m_directory;
    QString m_title;
    QPointer<QWidget> m_sourceHandle;
    bool m_standardColor = true;
    QString m_filter = QStringLiteral("ALL files|*.*");
    QString m_initialDir;
    QString m_filename;
    QString m_defaultExt;
    bool m_overwriteQuestion = true;
    QPointer<TDIR2VIEWForm> m_form;
};

} // namespace veskar
