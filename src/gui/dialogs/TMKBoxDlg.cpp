#include "gui/dialogs/TMKBoxDlg.h"

#include "core/host/Messenger.h"
#include "gui/dialogs/DialogPlacement.h"

namespace veskar {

namespace {

// The start value travels as text, as the form's countdown label holds it.
constexpr int kStartTextMax = 10;

} // namespace

TMKBoxDlg::TMKBoxDlg(QObject* parent) : QObject(parent) {
}

TMKBoxDlg::~TMKBoxDlg() {
    // A box still open belongs to a call further down the stack; deleting its form ends that
    // call's modal loop, and the call notices that this component is gone.
    for (Slot& slot : m_slots) {
        delete slot.form.data();
    }
}

int TMKBoxDlg::ShowMessage(const QString& text) {
    return ShowBox(text, TMKBox::Kind::Plain, false, false, 0, Messenger::Ok);
}

int TMKBoxDlg::ShowTimedMessage(const QString& text, int defaultResult) {
    return ShowBox(text, TMKBox::Kind::Timed, false, m_timer, m_timerCount, defaultResult);
}

int TMKBoxDlg::AskTimedQuestion(const QString& text, int defaultResult) {
    return ShowBox(text, TMKBox::Kind::Timed, true, m_timer, m_timerCount, defaultResult);
}

int TMKBoxDlg::ShowError(const QString& text, int defaultResult) {
    return ShowBox(text, TMKBox::Kind::Error, false, m_erTimer, m_erTimerCount, defaultResult);
}

int TMKBoxDlg::AskErrorQuestion(const QString& text, int defaultResult) {
    return ShowBox(text, TMKBox::Kind::Error, true, m_erTimer, m_erTimerCount, defaultResult);
}

int TMKBoxDlg::ShowErrorFor(const QString& text, int seconds, int defaultResult) {
    return ShowBox(text, TMKBox::Kind::Error, false, m_erTimer, seconds, defaultResult);
}

bool TMKBoxDlg::SlotInUse(int slot) const {
    return slot >= 0 && slot < kSlots && m_slots[slot].inUse;
}

TMKBox* TMKBoxDlg::Form(int slot) const {
    return SlotInUse(slot) ? m_slots[slot].form.data() : nullptr;
}

TMKBox::Kind TMKBoxDlg::SlotKind(int slot) const {
    return SlotInUse(slot) ? m_slots[slot].kind : TMKBox::Kind::Plain;
}

bool TMKBoxDlg::SlotCountdown(int slot) const {
    return SlotInUse(slot) && m_slots[slot].countdown;
}

QString TMKBoxDlg::SlotStartText(int slot) const {
    return SlotInUse(slot) ? m_slots[slot].startText : QString();
}

int TMKBoxDlg::ShowBox(const QString& text, TMKBox::Kind kind, bool question, bool countdown,
                       int startSeconds, int defaultResult) {
    int index = 0;
    while (index < kSlots && m_slots[index].inUse) {
        ++index;
    }
    if (index == kSlots) {
        return Messenger::None;
    }

    Slot& slot = m_slots[index];
    slot.inUse = true;
    slot.kind = kind;
    slot.countdown = countdown;
    slot.startText = kind == TMKBox::Kind::Plain
                         ? QStringLiteral("0")
                         : QString::number(startSeconds).left(kStartTextMax);

    auto* form = new TMKBox;
    slot.form = form;
    form->setWindowTitle(CaptionOrAppTitle(m_title));
    form->Prepare(text, kind, question, countdown, slot.startText, defaultResult);
    CenterOver(form, m_sourceHandle);
    emit BoxOpening(index);

    const QPointer<TMKBoxDlg> self(this);
    const QPointer<TMKBox> formAlive(form);
    int result = form->exec();
    if (result == Messenger::Timeout) {
        result = defaultResult;
    }
    delete formAlive.data();
    if (self) {
        m_slots[index] = Slot{};
    }
    return result;
}

} // namespace veskar
