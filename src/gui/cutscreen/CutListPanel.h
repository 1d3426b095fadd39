#pragma once

#include <QObject>
#include <QStringList>

#include "core/timelists/CutLists.h"
#include "gui/main/PanelBusy.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace veskar {

class CutScreen;
class Messenger;
class RegisteredList;

/// The cut lists of the cut file on the registered list's bar: the list box ComboBox_CL and the
/// edit panel Panel_CL ("新規", "削除"). Files that cannot be written are told in a timed message.
class CutListPanel : public QObject {
    Q_OBJECT
public:
    CutListPanel(CutScreen& screen, RegisteredList& registered, Messenger& messenger,
                 const QString& dir);

    /// For a new cut file, before its lists are rebuilt: its list names, then the list it had
    /// last, the list being left saved first under its own file.
    void LoadFor(const QString& cutFile);
    /// At close: the registered list to its files. Returns what could not be written.
    QStringList Save();
    /// The cut file and its recording were deleted: its times leave the screen unwritten.
    void Forget();
    const CutLists& Lists() const { return m_lists; }
    /// A long run (a cut run, an analysis) walks the registered list: the lists hold still.
    void SetRunGoingOn(bool running) { m_busy.SetHeld(running); }

    QComboBox* ComboBox_CL = nullptr;
    QPushButton* ColorBtn5 = nullptr; ///< "E"
    QWidget* Panel_CL = nullptr;
    QLineEdit* Edit_CL = nullptr;
    QPushButton* Btn_CL_SHINKI = nullptr;
    QPushButton* Btn_CL_DEL = nullptr;
    QPushButton* Btn_CL_CANCEL = nullptr;

public slots:
    void ComboBox_CLChange(int index);
    void Btn_CL_SHINKIClick();
    void Btn_CL_DELClick();

private:
    void ShowNames();
    void Report(const QStringList& errors);

    CutScreen& m_screen;
    RegisteredList& m_registered;
    Messenger& m_messenger;
    CutLists m_lists;
    PanelBusy m_busy;
};

} // namespace veskar
