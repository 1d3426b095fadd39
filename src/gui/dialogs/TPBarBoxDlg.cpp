#include "gui/dialogs/TPBarBoxDlg.h"

#include <algorithm>

#include "core/host/ProgressBox.h"
#include "gui/dialogs/DialogPlacement.h"

namespace veskar {

TPBarBoxDlg::TPBarBoxDlg(QObject* parent) : QObject(parent) {
    m_state.fill(ProgressBox::Free);
}

TPBarBoxDlg::~TPBarBoxDlg() {
    for (QPointer<TPBarBox>& form : m_forms) {
        if (form) {
            form->disconnect(this);
            delete form.data();
        }
    }
}

int TPBarBoxDlg::Open(const QString& message, const QString& title) {
    int handle = 0;
    while (handle < kSlots && m_state[handle] != ProgressBox::Free) {
        ++handle;
    }
    if (handle == kSlots) {
        return -1;
    }

    auto* form = new TPBarBox;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowTitle(CaptionOrAppTitle(title));
    form->SetMessage(message);
    form->SetPercent(0);
    connect(form, &TPBarBox::Finished, this,
            [this, handle](int state) { FormFinished(handle, state); });
    const bool first = !AnyOpen();
    m_forms[handle] = form;
    m_state[handle] = ProgressBox::Running;
    if (first) {
        emit RunningChanged(true);
    }

    form->adjustSize();
    CenterOver(form, m_sourceHandle);
    form->show();
    form->raise();
    return handle;
}

int TPBarBoxDlg::Open() {
    return Open(m_msg, m_title);
}

int TPBarBoxDlg::SetPercent(int handle, int percent) {
    if (!ValidHandle(handle)) {
        return ProgressBox::BadHandle;
    }
    if (m_state[handle] == ProgressBox::Running && m_forms[handle]) {
        m_forms[handle]->SetPercent(percent);
    }
    return m_state[handle];
}

void TPBarBoxDlg::SetMessage(int handle, const QString& text) {
    if (ValidHandle(handle) && m_state[handle] == ProgressBox::Running && m_forms[handle]) {
        m_forms[handle]->SetMessage(text);
    }
}

bool TPBarBoxDlg::AnyOpen() const {
    return std::any_of(m_state.begin(), m_state.end(),
                       [](int state) { return state != ProgressBox::Free; });
}

int TPBarBoxDlg::State(int handle) const {
    return ValidHandle(handle) ? m_state[handle] : ProgressBox::BadHandle;
}

void TPBarBoxDlg::Close(int& handle) {
    if (ValidHandle(handle) && m_state[handle] != ProgressBox::Free) {
        if (TPBarBox* form = m_forms[handle]) {
            form->disconnect(this);
            delete form;
        }
        m_forms[handle] = nullptr;
        m_state[handle] = ProgressBox::Free;
        if (!AnyOpen()) {
            emit RunningChanged(false);
        }
    }
    handle = -1;
}

TPBarBox* TPBarBoxDlg::Form(int handle) const {
    return ValidHandle(handle) && m_state[handle] == ProgressBox::Running ? m_forms[handle].data()
                                                                          : nullptr;
}

void TPBarBoxDlg::FormFinished(int handle, int state) {
    if (m_state[handle] == ProgressBox::Running) {
        m_state[handle] = state;
    }
    // The form deletes itself once closed; the slot stays taken until its owner closes it.
    m_forms[handle] = nullptr;
}

} // namespace veskar
