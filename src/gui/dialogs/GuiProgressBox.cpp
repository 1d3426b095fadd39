#include "gui/dialogs/GuiProgressBox.h"

#include "gui/dialogs/TPBarBoxDlg.h"

namespace veskar {

int GuiProgressBox::Open(const QString& message, const QString& title) {
    return m_boxes.Open(message, title);
}

int GuiProgressBox::SetPercent(int handle, int percent) {
    return m_boxes.SetPercent(handle, percent);
}

void GuiProgressBox::SetMessage(int handle, const QString& text) {
    m_boxes.SetMessage(handle, text);
}

int GuiProgressBox::GetState(int handle) const {
    return m_boxes.State(handle);
}

void GuiProgressBox::Close(int& handle) {
    m_boxes.Close(handle);
}

} // namespace veskar
