#include "gui/dialogs/TTmSETBoxDlg.h"

#include "core/host/Messenger.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/TTMSETBox.h"

namespace veskar {

TTmSETBoxDlg::TTmSETBoxDlg(QObject* parent) : QObject(parent) {
}

TTmSETBoxDlg::~TTmSETBoxDlg() {
    delete m_form.data();
}

int TTmSETBoxDlg::Execute() {
    auto* form = new TTMSETBox;
    m_form = form;
    form->setWindowTitle(CaptionOrAppTitle(m_title));
    form->SetUp(m_msg0, m_msg1, m_msg2, m_minCount, m_tCount, m_hms);
    form->adjustSize();
    CenterOver(form, m_sourceHandle);
    emit BoxOpening();

    const QPointer<TTmSETBoxDlg> self(this);
    const int result = form->exec();
    if (!self || !m_form) {
        return result;
    }
    if (result == Messenger::Ok) {
        m_tCount = form->Count();
    }
    delete form;
    return result;
}

} // namespace veskar
