#include "gui/dialogs/GuiMessenger.h"

#include "gui/dialogs/TMKBoxDlg.h"

namespace veskar {

int GuiMessenger::ShowMessage(const QString& text) {
    return m_box.ShowMessage(text);
}

int GuiMessenger::ShowTimedMessage(const QString& text, int defaultResult) {
    return m_box.ShowTimedMessage(text, defaultResult);
}

int GuiMessenger::AskTimedQuestion(const QString& text, int defaultResult) {
    return m_box.AskTimedQuestion(text, defaultResult);
}

int GuiMessenger::ShowError(const QString& text, int defaultResult) {
    return m_box.ShowError(text, defaultResult);
}

int GuiMessenger::AskErrorQuestion(const QString& text, int defaultResult) {
    return m_box.AskErrorQuestion(text, defaultResult);
}

int GuiMessenger::ShowErrorFor(const QString& text, int seconds, int defaultResult) {
    return m_box.ShowErrorFor(text, seconds, defaultResult);
}

} // namespace veskar
