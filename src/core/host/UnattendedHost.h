#pragma once

#include <QString>
#include <QTextStream>

#include "core/host/Host.h"

namespace veskar {

/// A window nobody watches: every message goes to a text stream (stderr in the command line),
/// every question is answered with the caller's default as if its countdown had run out, and
/// there is no progress box (its state is "no box open", which lets runs go on).
class UnattendedMessenger : public Messenger {
public:
    explicit UnattendedMessenger(QTextStream& out) : m_out(out) {}
    int ShowMessage(const QString& text) override;
    int ShowTimedMessage(const QString& text, int defaultResult) override;
    int AskTimedQuestion(const QString& text, int defaultResult) override;
    int ShowError(const QString& text, int defaultResult) override;
    int AskErrorQuestion(const QString& text, int defaultResult) override;
    int ShowErrorFor(const QString& text, int seconds, int defaultResult) override;

private:
    int Print(const QString& text, int result);
    QTextStream& m_out;
};

class NoProgressBox : public ProgressBox {
public:
    int Open(const QString&, const QString&) override { return -1; }
    int SetPercent(int, int) override { return BadHandle; }
    void SetMessage(int, const QString&) override {}
    int GetState(int) const override { return BadHandle; }
    void Close(int& handle) override { handle = -1; }
};

class NoEventPump : public EventPump {
public:
    void ProcessEvents() override {}
};

} // namespace veskar
