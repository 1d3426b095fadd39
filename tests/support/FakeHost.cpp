#include "support/FakeHost.h"

namespace veskar::test {

int FakeMessenger::Answer(Call call) {
    int result = call.kind == Kind::Plain ? Ok : call.defaultResult;
    if (!answers.empty()) {
        result = answers.front();
        answers.pop_front();
    }
    if (onShow) {
        onShow(call);
    }
    calls.push_back(std::move(call));
    return result;
}

int FakeMessenger::ShowMessage(const QString& text) { return Answer({Kind::Plain, text, Ok, 0}); }

int FakeMessenger::ShowTimedMessage(const QString& text, int defaultResult) {
    return Answer({Kind::Timed, text, defaultResult, 0});
}

int FakeMessenger::AskTimedQuestion(const QString& text, int defaultResult) {
    return Answer({Kind::TimedQuestion, text, defaultResult, 0});
}

int FakeMessenger::ShowError(const QString& text, int defaultResult) {
    return Answer({Kind::Error, text, defaultResult, 0});
}

int FakeMessenger::AskErrorQuestion(const QString& text, int defaultResult) {
    return Answer({Kind::ErrorQuestion, text, defaultResult, 0});
}

int FakeMessenger::ShowErrorFor(const QString& text, int seconds, int defaultResult) {
    return Answer({Kind::ErrorFor, text, defaultResult, seconds});
}

QStringList FakeMessenger::Texts() const {
    QStringList texts;
    for (const Call& call : calls) {
        texts << call.text;
    }
    return texts;
}

int FakeProgressBox::Open(const QString& message, const QString& title) {
    for (int i = 0; i < kSlots; ++i) {
        if (m_state[i] == Free) {
            m_state[i] = Running;
            opened << (title + "|" + message);
            return i;
        }
    }
    return -1;
}

int FakeProgressBox::SetPercent(int handle, int percent) {
    if (handle < 0 || handle >= kSlots) {
        return BadHandle;
    }
    if (m_state[handle] == Running) {
        ++updates;
        percents.push_back(percent);
        if (stopAfterUpdates >= 0 && updates >= stopAfterUpdates) {
            m_state[handle] = stopState;
        }
    }
    return m_state[handle];
}

void FakeProgressBox::SetMessage(int handle, const QString& text) {
    if (handle >= 0 && handle < kSlots && m_state[handle] == Running) {
        messages << text;
    }
}

int FakeProgressBox::GetState(int handle) const {
    if (handle < 0 || handle >= kSlots) {
        return BadHandle;
    }
    return m_state[handle];
}

void FakeProgressBox::Close(int& handle) {
    if (handle >= 0 && handle < kSlots && m_state[handle] != Free) {
        m_state[handle] = Free;
        ++closes;
    }
    handle = -1;
}

} // namespace veskar::test
