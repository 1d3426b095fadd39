#pragma once

#include <QDialog>

#include "app/ProgramEntry.h"
#include "gui/dialogs/TMKBoxDlg.h"

class QLineEdit;

namespace veskar {

/// The setup and uninstall window. In setup mode it asks for the program group, then writes the
/// settings setup owns with "Version" 26 and the programs-menu entries; the next start opens the
/// main window. In the uninstall modes it only asks and reports through the message box.
class TVESKAR_SETUPFM : public QDialog {
    Q_OBJECT
public:
    TVESKAR_SETUPFM(RunMode mode, QString programPath, QWidget* parent = nullptr);

    /// Runs the mode to its end and returns the program's exit status.
    int Run();

    QLineEdit* Edit_Group = nullptr;

private:
    void Install();
    int Uninstall();

    RunMode m_mode;
    QString m_programPath;
    TMKBoxDlg m_box{this};
};

} // namespace veskar
