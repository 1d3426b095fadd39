#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QString>

#include "core/cut/CutMenu.h"
#include "core/cut/CutRecord.h"
#include "core/cut/CutRun.h"
#include "core/cut/DirectCut.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeLists.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class QWidget;

namespace veskar {

class CutScreen;
class CutTarget;
class SaveFileDialog;
class TDIR2OPENDLG;
class TextViewer;
struct Host;
struct SharedFlags;

/// The window's cut commands: the cut button Btn_CUT and the cut items of the cut screen's
/// PopupMenu1, the save folder and base name (Edit_SDIR, Edit_SFn, Label_SFn_Last), the file
/// menu MFile0 with the naming options and the cut record, and MO_CS_UP in the option menu. It
/// owns the cut run and the cut record. Each handler reads the controls, calls the engine and
/// shows what it returns.
///
/// Stopping: the progress box's "中止" (or closing it) and every stop button that raises
/// `StopRequested` end the run at its next block or step; a segment being written then is
/// dropped whole.
class CutCommands : public QObject {
    Q_OBJECT
public:
    /// The folder-setting box: the title and the folder to open at in, the chosen folder out
    /// (nothing when the user cancelled).
    using FolderChooser =
        std::function<std::optional<QString>(const QString& title, const QString& startFolder)>;
    /// A one-line text prompt: title and current text in, the entered text out (nothing when
    /// cancelled).
    using TextPrompt =
        std::function<std::optional<QString>(const QString& title, const QString& text)>;

    /// Places its controls on screen (Btn_CUT under the registered list, the save row at the
    /// top) and its items in screen's PopupMenu1. host, flags and the record viewer are the
    /// window's; window is where its dialogs centre.
    CutCommands(CutScreen& screen, TimeLists& lists, SharedFlags& flags, Host& host,
                TextViewer& viewer, QWidget* window);
    ~CutCommands() override;

    /// Puts the file menu first on the menu bar and MO_CS_UP into the option menu.
    void AttachMenus(QMenuBar* menuBar, QMenu* optionMenu);

    /// Services that tests and later parts of the window replace; null (or an empty function)
    /// goes back to the one given at construction or the desktop's own.
    void SetTextViewer(TextViewer* viewer);
    void SetSaveFileDialog(SaveFileDialog* dialog);
    /// The save dialog of self-named pieces given at construction (`DIR2OPENDLG1`).
    TDIR2OPENDLG& SaveDialog();
    void SetFolderChooser(FolderChooser chooser);
    void SetTextPrompt(TextPrompt prompt);
    /// Releases the wave device before each segment; playback shares it.
    void SetReleaseDevice(std::function<void()> release);

    /// `SaveDir`, held with its trailing separator; `FolderNotSet` until one is chosen.
    const QString& SaveDir() const { return m_saveDir; }
    void SetSaveDir(const QString& folder);
    /// `OutputBaseName`; follows the cut file until the user edits it.
    const QString& OutputBaseName() const { return m_baseName; }
    void SetOutputBaseName(const QString& base);
    /// Brings MF_AUTO_83's enabling and Label_SFn_Last's pattern into line with the naming
    /// ticks in force (MF_AUTO_NAME's click; also after the settings have set the ticks).
    void ApplyNamingTicks();
    /// The record as the window closes: written and shown when it holds a line, even with
    /// MF_No_Memo ticked.
    void ShowRecordAtClose();

    CutRecord& Record() { return m_record; }
    CutRun& Run() { return *m_run; }
    /// The ticks and values a run started now would take.
    CutOptions Options() const;

    // Controls, named as in the form.
    QPushButton* Btn_CUT = nullptr;
    QWidget* Panel_SAVE = nullptr; ///< the row of Edit_SDIR, Edit_SFn and Label_SFn_Last
    QLineEdit* Edit_SDIR = nullptr;
    QLineEdit* Edit_SFn = nullptr;
    QLabel* Label_SFn_Last = nullptr;

    QAction* WAV_CUT = nullptr;
    QAction* WAV_CUT_ALL = nullptr;
    QMenu* WAV_CUT_ST0 = nullptr;
    QAction* WAV_CUT_ST = nullptr;
    /// [1..6]: WAV_CUT_ST_Blue .. WAV_CUT_ST_Pink.
    std::array<QAction*, kStartColorCount> colorCutItems{};
    QAction* WAV_CUT_CANSEL = nullptr;
    /// The direct one-time cut and its restores.
    QAction* P_1TIME_CUT = nullptr;
    QAction* P_1TIME_RESET = nullptr;
    QAction* PCM_FUKUGEN = nullptr;
    /// `DirectCutRecord` and `DirectCutPending`: cleared whenever a cut file is chosen.
    DirectCutRecord directCut;
    /// `ComboBox1Click`: makes a file the cut file again after it was edited in place.
    void SetChooseCutFile(std::function<void(const QString&)> choose) {
        m_chooseCutFile = std::move(choose);
    }

    QMenu* MFile0 = nullptr;
    QAction* MF_SAVE_DIR = nullptr;
    QAction* MF_AUTO_NAME = nullptr;
    QAction* MF_AUTO_83 = nullptr;
    QAction* MF_SAVE_NAME = nullptr;
    QAction* MF_KIROKU = nullptr;
    QAction* MF_KIROKUCLR = nullptr;
    QAction* MF_CUT_TXT = nullptr;
    QAction* MF_No_Memo = nullptr;
    QAction* MO_CS_UP = nullptr;

public slots:
    /// Opens PopupMenu1 for the registered list at the button.
    void Btn_CUTClick();
    /// A cut command of PopupMenu1 over its target list.
    void WAV_CUTClick(CutCommand command);
    /// Enables the record items as the file menu opens.
    void MFile0Click();
    void MF_SAVE_DIRClick();
    void Edit_SFnDblClick();
    void MF_AUTO_NAMEClick();
    void MF_KIROKUClick();
    void MF_KIROKUCLRClick();
    void MF_CUT_TXTClick();
    /// A stop button: raises `StopRequested` and aborts a segment being written.
    void Stop();
    void P_1TIME_CUTClick();
    void P_1TIME_RESETClick();
    void PCM_FUKUGENClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Services;

    void MakeSaveRow();
    void MakeCutButton();
    void MakeCutItems();
    void MakeFileMenu();
    void MakeDirectCutItems();
    /// What the direct cut shares with the cut run: the device release, the progress box and
    /// the record viewer.
    void ReleaseDevice();
    Host RunHost();
    TextViewer& RecordViewer();
    /// Chooses the cut file again, keeping the pending state of a direct cut as it was.
    void ChooseCutFileAgain(bool keepPending);
    std::unique_ptr<CutTarget> TargetOf(TimeListId id);
    void CheckStop();
    void RunFinished();
    void SyncTargetView();

    CutScreen& m_screen;
    TimeLists& m_lists;
    SharedFlags& m_flags;
    Host& m_host;
    QWidget* m_window;
    std::unique_ptr<Services> m_services;
    CutRecord m_record;
    std::unique_ptr<CutRun> m_run;
    std::unique_ptr<CutTarget> m_target;
    TimeListId m_targetId = TimeListId::None;
    QTimer* m_stopPoll = nullptr;
    bool m_syncPending = false;

    QString m_saveDir;
    QString m_baseName;
    std::function<void(const QString&)> m_chooseCutFile;
};

} // namespace veskar
