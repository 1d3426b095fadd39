#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "core/browser/MemoryList.h"
#include "core/play/PlayFileList.h"
#include "gui/main/PanelBusy.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;

namespace veskar {

class BrowserPanel;
class EventPump;
class MemoryListModel;
class Messenger;
struct SharedFlags;

/// The memory list of the file screen: ListView_M with the list box ComboBox_M and its name
/// panel, registering from the file list, removing, moving, refreshing, the copy buffer,
/// deleting files from the disk, sorting and the switch to the cut screen. As a PlayFileList
/// it is the list the file player walks when a row of it was clicked.
class MemoryListPanel : public QWidget, public PlayFileList {
    Q_OBJECT
public:
    /// dir holds the ".VEW" files and the registered-time files of the listed recordings.
    MemoryListPanel(Messenger& messenger, EventPump& pump, SharedFlags& flags, QString dir,
                    QWidget* parent = nullptr);
    ~MemoryListPanel() override;

    /// The file list that Button9 and Button10 register from.
    void SetBrowser(BrowserPanel* browser) { m_browser = browser; }
    /// What a row click does once the row's file is found (the play engine's click), and how
    /// playback is stopped before rows or files go.
    void SetPlayback(std::function<void(PlayFileList&)> play, std::function<void()> stop);

    /// Start-up: the lists in dir, then the list name (the first when empty).
    void Start(const QString& name);
    /// Writes the current list (to a rescue file when its own cannot be written); returns the
    /// messages of what could not be written.
    QStringList Save();
    const QString& ListName() const { return m_name; }

    std::vector<MemoryRow>& Rows();
    /// Shows the rows again after Rows() was changed.
    void RowsChanged();
    /// Every selected row, in list order.
    std::vector<int> SelectedRows() const;
    /// The files of the selected rows, in list order: what the other screens take from the list.
    QStringList SelectedPaths() const;
    /// Appends a row for each file given by path (a command line, a file manager's "Open with")
    /// that the list does not hold yet, and selects the first file's row; returns its index.
    int AddFiles(const QStringList& paths);
    /// A long run elsewhere (a chop, a cut run) holds the list and its names, or lets them go.
    void SetRunGoingOn(bool running) { m_busy.SetHeld(running); }

    /// `MO_M_SORT` and `MF_FileOnly`, ticked from the settings and read back at close.
    QAction* MO_M_SORT = nullptr;
    QAction* MF_FileOnly = nullptr;

    // PlayFileList
    int Count() const override;
    int Selected() const override;
    void SelectOnly(int row) override;
    QString Path(int row) const override;
    QString Weight(int row) const override;
    void SetWeight(int row, const QString& text) override;
    void Click() override;

    QComboBox* ComboBox_M = nullptr;
    QPushButton* Btn_M_EDIT = nullptr;
    QWidget* Panel_M_EDIT = nullptr;
    QLineEdit* Edit_M_EDIT = nullptr;
    QPushButton* Btn_M_HENKO = nullptr;
    QPushButton* Btn_M_NEW = nullptr;
    QPushButton* Btn_M_DEL = nullptr;
    QPushButton* Btn_M_CANCEL = nullptr;
    QTreeView* ListView_M = nullptr;
    QPushButton* Button9 = nullptr;  ///< "v選択登録"
    QPushButton* Button10 = nullptr; ///< "v全部"
    QPushButton* Button13 = nullptr; ///< "削除"
    QPushButton* Button_UP = nullptr;
    QPushButton* Button_DOWN = nullptr;
    QPushButton* Btn_Koshin = nullptr;
    QPushButton* Btn_SENTAK_M = nullptr;
    QPushButton* Btn_COPY_EDIT = nullptr;
    QWidget* Panel_COPY = nullptr;
    QPushButton* Btn_COPY = nullptr;
    QPushButton* Btn_COPY_PUT = nullptr;
    QPushButton* Btn_COPY_CLR = nullptr;
    QPushButton* Btn_COPY_CANCEL = nullptr;
    QPushButton* Button14 = nullptr; ///< "WAV分割画面"
    QMenu* PopupMenu_M = nullptr;
    QAction* P_File_T_DEL = nullptr;
    QAction* P_File_DEL = nullptr;

signals:
    /// Button14 with a list that has rows: the cut screen is to open the row index.
    void CutScreenRequested(int row);
    /// Rows went together with their registered times (files deleted, or missing ones dropped).
    void RegisteredTimesDeleted(const QStringList& paths);

public slots:
    void ComboBox_MClick(int index);
    void Btn_M_EDITClick();
    void Btn_M_HENKOClick();
    void Btn_M_NEWClick();
    void Btn_M_DELClick();
    /// Button9 (selected rows of the file list) and Button10 (all of them).
    void RegisterFiles(bool all);
    void Button13Click();
    void MoveRows(bool up);
    void Btn_KoshinClick();
    void Btn_COPYClick();
    void Btn_COPY_PUTClick();
    void Btn_COPY_CLRClick();
    void P_File_DELClick();
    void ListView_MColumnClick(int column);
    void MF_FileOnlyClick();
    void Button14Click();
    /// A row clicked: the missing-file rule, then playback of the row found.
    void ListView_MClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeNamePanel();
    void MakeButtons();
    void MakeCopyPanel();
    void MakeMenu();
    /// Reads the list named m_name (the hand-over list taken over under a fresh name).
    void Load();
    /// Switching away: the rows to their file; a failure is told.
    void SaveAndReport();
    void ShowNames();
    void ApplyColumnWidths();
    void SelectAndShow(int row);
    void StopPlayback();

    Messenger& m_messenger;
    EventPump& m_pump;
    SharedFlags& m_flags;
    QString m_dir;
    QString m_name;
    QStringList m_names;
    MemoryListModel* m_model = nullptr;
    std::vector<MemoryRow> m_copyBuffer;
    MemorySortDirections m_directions;
    BrowserPanel* m_browser = nullptr;
    std::function<void(PlayFileList&)> m_play;
    std::function<void()> m_stopPlayback;
    PanelBusy m_busy;
};

} // namespace veskar
