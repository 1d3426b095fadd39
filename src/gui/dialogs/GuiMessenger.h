#pragma once

#include "core/host/Messenger.h"

namespace veskar {

class TMKBoxDlg;

/// The engine's messages shown in the window's message box, countdowns and all.
class GuiMessenger : public Messenger {
public:
    explicit GuiMessenger(TMKBoxDlg& box) : m_box(box) {}

    int ShowMessage(const QString& text) override;
    int ShowTimedMessage(const QString& text, int defaultResult) override;
    int AskTimedQuestion(const QString& text, int defaultResult) override;
    int ShowError(const QString& text, int defaultResult) override;
    int AskErrorQuestion(const QString& text, int defaultResult) override;
    int ShowErrorFor(const QString& text, int seconds, int defaultResult) override;

private:
    TMKBoxDlg& m_box;
};

} // namespace veskar
