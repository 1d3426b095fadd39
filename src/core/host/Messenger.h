#pragma once

#include <QString>

namespace veskar {

/// The one message box of the system, as the engine sees it. Every message, warning, error and
/// question goes through here; the window shows it with a countdown, the command line answers
/// every question with the caller's default as if the countdown had run out, tests answer from a
/// script.
class Messenger {
public:
    /// Modal results, the same for every dialog of the program. None is returned when no box
    /// could be shown (all slots in use); Cancel when a dialog's window was closed. Timeout is
    /// the message box's own: its countdown ran out, and the caller's default takes its place
    /// before the result is returned.
    enum Result : int { None = 0, Ok = 1, Cancel = 2, Abort = 3, Yes = 6, No = 7, Timeout = 11 };

    virtual ~Messenger() = default;

    /// OK button, no countdown.
    virtual int ShowMessage(const QString& text) = 0;
    /// OK button; counts down the ordinary seconds, then answers defaultResult.
    virtual int ShowTimedMessage(const QString& text, int defaultResult) = 0;
    /// Yes / No; counts down the ordinary seconds, then answers defaultResult.
    virtual int AskTimedQuestion(const QString& text, int defaultResult) = 0;
    /// OK / Abort; counts down the error seconds, then answers defaultResult.
    virtual int ShowError(const QString& text, int defaultResult) = 0;
    /// Yes / No / Abort; counts down the error seconds, then answers defaultResult.
    virtual int AskErrorQuestion(const QString& text, int defaultResult) = 0;
    /// OK / Abort; counts down the given seconds (when error countdowns are on).
    virtual int ShowErrorFor(const QString& text, int seconds, int defaultResult) = 0;
};

} // namespace veskar
