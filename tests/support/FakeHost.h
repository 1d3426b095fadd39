#pragma once

#include <deque>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/host/Host.h"

namespace veskar::test {

/// Records every box the engine raises and answers from a queue; when the queue is empty it
/// answers like an unattended window (the caller's default; OK for a plain message).
class FakeMessenger : public Messenger {
public:
    enum class Kind { Plain, Timed, TimedQuestion, Error, ErrorQuestion, ErrorFor };
    struct Call {
        Kind kind;
        QString text;
        int defaultResult = 0;
        int seconds = 0;
    };

    int ShowMessage(const QString& text) override;
    int ShowTimedMessage(const QString& text, int defaultResult) override;
    int AskTimedQuestion(const QString& text, int defaultResult) override;
    int ShowError(const QString& text, int defaultResult) override;
    int AskErrorQuestion(const QString& text, int defaultResult) override;
    int ShowErrorFor(const QString& text, int seconds, int defaultResult) override;

    std::vector<Call> calls;
    std::deque<int> answers;
    /// Called as each box shows, before it answers (to look at the engine's state meanwhile).
    std::function<void(const Call&)> onShow;

    QStringList Texts() const;

private:
    int Answer(Call call);
};

/// Ten slots like the real box. Can be told to report the stop button after N updates.
class FakeProgressBox : public ProgressBox {
public:
    int Open(const QString& message, const QString& title) override;
    int SetPercent(int handle, int percent) override;
    void SetMessage(int handle, const QString& text) override;
    int GetState(int handle) const override;
    void Close(int& handle) override;

    /// After this many SetPercent calls (counted over all boxes) the box reports Stopped; -1 never.
    int stopAfterUpdates = -1;
    /// State reported once stopAfterUpdates is reached (Stopped, or Closed for the window's close).
    int stopState = Stopped;

    int updates = 0;
    std::vector<int> percents;
    QStringList messages;
    QStringList opened;
    int closes = 0;

private:
    int m_state[kSlots] = {Free, Free, Free, Free, Free, Free, Free, Free, Free, Free};
};

class FakeEventPump : public EventPump {
public:
    void ProcessEvents() override {
        ++calls;
        if (onProcess) {
            onProcess();
        }
    }
    int calls = 0;
    std::function<void()> onProcess;
};

/// The three fakes together, handing out a Host for the engine.
struct FakeHost {
    FakeMessenger messenger;
    FakeProgressBox progress;
    FakeEventPump pump;
    Host host() { return Host{messenger, progress, pump}; }
};

} // namespace veskar::test
