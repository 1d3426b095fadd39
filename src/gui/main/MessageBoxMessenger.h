#pragma once

#include "core/host/Messenger.h"

class QWidget;

namespace veskar {

/// A plain Qt message box behind the engine's Messenger, used by the main window until the
/// countdown box TMKBoxDlg takes its place. Timed boxes answer their default after ten seconds,
/// so an unattended run does not stop on a message.
class MessageBoxMessenger : public Messenger {
public:
    explicit MessageBoxMessenger(QWidget* parent) : m_parent(parent) {}

    int ShowMessage(const QString& text) override;
    int ShowTimedMessage(const QString& text, int defaultResult) override;
    int AskTimedQuestion(const QString& text, int defaultResult) override;
    int ShowError(const QString& text, int defaultResult) override;
    int AskErrorQuestion(const QString& text, int defaultResult) override;
    int ShowErrorFor(const QString& text, int seconds, int defaultResult) override;

private:
    enum class Buttons { Ok, OkAbort, YesNo, YesNoAbort };
    int Show(const QString& text, Buttons buttons, int seconds, int defaultResult);

    QWidget* m_parent;
};

} // namespace veskar
