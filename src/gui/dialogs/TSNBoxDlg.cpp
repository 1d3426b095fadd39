#include "gui/dialogs/TSNBoxDlg.h"

#include <QLabel>
#include <QLineEdit>

#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/TSNBox.h"

namespace veskar {

namespace {

// An answer goes to the top of the history, and only once.
void PutOnTop(QStringList& history, const QString& text) {
    history.removeAll(text);
    history.prepend(text);
}

} // namespace

TSNBoxDlg::TSNBoxDlg(QObject* parent) : QObject(parent) {
}

TSNBoxDlg::~TSNBoxDlg() {
    delete m_form.data();
}

int TSNBoxDlg::Execute(const QString& prompt) {
    auto* form = new TSNBox;
    m_form = form;
    form->setWindowTitle(CaptionOrAppTitle(m_title));
    form->Msg->setText(prompt);
    QStringList history = m_sn;
    if (!m_snText.isEmpty()) {
        PutOnTop(history, m_snText);
    }
    form->SetHistory(history);
    form->Edit1->setText(m_snText);
    form->Edit1->selectAll();
    form->SetStandardColor(m_standardColor);
    form->adjustSize();
    CenterOver(form, m_sourceHandle);
    emit BoxOpening();

    const QPointer<TSNBoxDlg> self(this);
    const int result = form->exec();
    if (!self || !m_form) {
        return result;
    }
    m_snText = form->Edit1->text();
    history = form->History();
    if (!m_snText.isEmpty()) {
        PutOnTop(history, m_snText);
    }
    m_sn = history;
    delete form;
    return result;
}

} // namespace veskar
