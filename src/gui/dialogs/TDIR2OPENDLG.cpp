#include "gui/dialogs/TDIR2OPENDLG.h"

#include <QGuiApplication>

#include "core/browser/SelectionDialog.h"
#include "core/host/Messenger.h"
#include "core/settings/Paths.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/TDIR2VIEWForm.h"

namespace veskar {

TDIR2OPENDLG::TDIR2OPENDLG(Messenger& messenger, QObject* parent)
    : QObject(parent), m_messenger(messenger) {
}

TDIR2OPENDLG::~TDIR2OPENDLG() {
    delete m_form.data();
}

TDIR2VIEWForm* TDIR2OPENDLG::Form() const {
    return m_form;
}

int TDIR2OPENDLG::ExecuteFile(const QString& suffix) {
    return Execute(true, suffix);
}

int TDIR2OPENDLG::ExecuteFolder(const QString& suffix) {
    return Execute(false, suffix);
}

int TDIR2OPENDLG::Execute(bool fileMode, const QString& suffix) {
    auto* form = new TDIR2VIEWForm(fileMode, m_messenger);
    m_form = form;
    form->setWindowTitle(
        DialogCaption(m_title, QGuiApplication::applicationDisplayName(), fileMode, suffix));
    form->SetDefaultExt(m_defaultExt);
    form->SetOverwriteQuestion(m_overwriteQuestion);
    form->SetStandardColor(m_standardColor);
    CenterOver(form, m_sourceHandle);
    form->Start(DialogStartFolder(fileMode, m_filename, m_directory, m_initialDir, ProgramDir()),
                m_filter, m_filename);
    emit BoxOpening();

    const QPointer<TDIR2OPENDLG> self(this);
    const int result = form->exec();
    if (!self || !m_form) {
        return result;
    }
    m_directory = form->Folder();
    if (result == Messenger::Ok) {
        (fileMode ? m_filename : m_directory) = form->Chosen();
    }
    delete form;
    return result;
}

QString TDIR2OPENDLG::AskSavePath(const Request& request) {
    SetTitle(request.title);
    SetFilter(request.filter);
    SetDefaultExt(request.defaultExt);
    SetFilename(request.fileName);
    SetInitialDir(request.initialDir);
    // A piece never replaces a file: the engine says what becomes of a name that is taken.
    SetOverwriteQuestion(false);
    return ExecuteFile(request.prompt) == Messenger::Ok ? m_filename : QString();
}

} // namespace veskar
