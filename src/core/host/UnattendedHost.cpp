#include "core/host/UnattendedHost.h"

namespace veskar {

int UnattendedMessenger::Print(const QString& text, int result) {
    m_out << text << Qt::endl;
    return result;
}

int UnattendedMessenger::ShowMessage(const QString& text) { return Print(text, Ok); }

int UnattendedMessenger::ShowTimedMessage(const QString& text, int defaultResult) {
    return Print(text, defaultResult);
}

int UnattendedMessenger::AskTimedQuestion(const QString& text, int defaultResult) {
    return Print(text, defaultResult);
}

int UnattendedMessenger::ShowError(const QString& text, int defaultResult) {
    return Print(text, defaultResult);
}

int UnattendedMessenger::AskErrorQuestion(const QString& text, int defaultResult) {
    return Print(text, defaultResult);
}

int UnattendedMessenger::ShowErrorFor(const QString& text, int, int defaultResult) {
    return Print(text, defaultResult);
}

} // namespace veskar
