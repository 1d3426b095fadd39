#include "gui/dialogs/THMSBoxDlg.h"

#include <QLabel>

#include "core/host/Messenger.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/THMSBox.h"

namespace veskar {

THMSBoxDlg::THMSBoxDlg(QObject* parent) : QObject(parent) {
}

THMSBoxDlg::~THMSBoxDlg() {
    delete m_form.data();
}

void THMSBoxDlg::SetStart(int hours, int minutes, int seconds) {
    m_sth = hours;
    m_stm = minutes;
    m_sts = seconds;
}

void THMSBoxDlg::SetEnd(int hours, int minutes, int seconds) {
    m_enh = hours;
    m_enm = minutes;
    m_ens = seconds;
}

int THMSBoxDlg::Execute(const QString& prompt) {
    auto* form = new THMSBox;
    m_form = form;
    form->setWindowTitle(CaptionOrAppTitle(m_title));
    form->Msg->setText(prompt);
    form->Msg->setVisible(!prompt.isEmpty());
    form->SetUp(m_maxH, {m_sth, m_stm, m_sts, m_enh, m_enm, m_ens});
    form->adjustSize();
    CenterOver(form, m_sourceHandle);
    emit BoxOpening();

    const QPointer<THMSBoxDlg> self(this);
    const int result = form->exec();
    if (!self || !m_form) {
        return result;
    }
    if (result == Messenger::Ok) {
        m_sth = form->Value(THMSBox::STH);
        m_stm = form->Value(THMSBox::STM);
        m_sts = form->Value(THMSBox::STS);
        m_enh = form->Value(THMSBox::ENH);
        m_enm = form->Value(THMSBox::ENM);
        m_ens = form->Value(THMSBox::ENS);
    }
    delete form;
    return result;
}

} // namespace veskar
