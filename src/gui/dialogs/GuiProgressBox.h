#pragma once

#include "core/host/ProgressBox.h"

namespace veskar {

class TPBarBoxDlg;

/// The engine's progress boxes shown by the window's TPBarBoxDlg.
class GuiProgressBox : public ProgressBox {
public:
    explicit GuiProgressBox(TPBarBoxDlg& boxes) : m_boxes(boxes) {}

    int Open(const QString& message, const QString& title) override;
    int SetPercent(int handle, int percent) override;
    void SetMessage(int handle, const QString& text) override;
    int GetState(int handle) const override;
    void Close(int& handle) override;

private:
    TPBarBoxDlg& m_boxes;
};

} // namespace veskar
