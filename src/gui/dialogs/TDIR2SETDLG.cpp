#include "gui/dialogs/TDIR2SETDLG.h"

#include <QLineEdit>

#include "core/settings/Paths.h"
#include "core/text/FolderText.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/TDIR2SETForm.h"

namespace veskar {

TDIR2SETDLG::TDIR2SETDLG(QObject* parent) : QObject(parent) {
}

TDIR2SETDLG::~TDIR2SETDLG() {
    delete m_form.data();
}

int TDIR2SETDLG::Execute() {
    m_box.SetSourceHandle(m_sourceHandle);
    Messenger& messenger = m_messenger ? *m_messenger : m_ownMessenger;
    auto* form = new TDIR2SETForm(m_dirName, m_directory, messenger);
    m_form = form;
    form->setWindowTitle(CaptionOrAppTitle(m_title));
    form->Edit1->setText(IsFolderNotSet(m_directory) ? DefaultSettingFolder(m_dirName)
                                                     : WithoutTrailingSeparator(m_directory));
    form->SetStandardColor(m_standardColor);
    form->adjustSize();
    CenterOver(form, m_sourceHandle);
    emit BoxOpening();

    const QPointer<TDIR2SETDLG> self(this);
    const int result = form->exec();
    if (!self || !m_form) {
        return result;
    }
    m_directory = form->Registered();
    delete form;
    return result;
}

} // namespace veskar
