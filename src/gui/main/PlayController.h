#pragma once

#include <array>
#include <memory>

#include <QObject>

#include "core/play/CutScreenLines.h"
#include "core/play/PlayEngine.h"
#include "core/play/PlayView.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace veskar {

class CutScreen;
class FilePlayerPanel;
class PlayerPanel;
class PositionBarPanel;
class SyncedLines;

/// Playback in the window: owns the play engine, shows what it reports (PlayView) and keeps
/// its controls in line with the widgets. It builds the player controls of both screens: the
/// cut screen's PlayerPanel goes into its playback slot and the file name box Edit_Fn into its
/// cut-file slot; the window places the file screen's panel and the stop button ColorBtn1.
/// The devices are the caller's, so tests can hand in a scripted one.
class PlayController : public QObject, public PlayView {
    Q_OBJECT
public:
    PlayController(CutScreen& cutScreen, TimeLists& lists, SharedFlags& flags, Messenger& messenger,
                   EventPump& pump, WaveDevice& player, WaveDevice& query,
                   QObject* parent = nullptr);
    ~PlayController() override;

    PlayEngine& Engine() { return m_engine; }
    WaveDevice& Player() { return m_player; }
    WaveDevice& QueryDevice() { return m_query; }
    SharedFlags& Flags() { return m_flags; }
    /// The cut screen's lists as the engine walks them; the silence panel gives its lists here.
    CutScreenLines& EngineLines() { return m_engineLines; }

    /// The file lists of the file screen, once the browser has them (null: none yet; the
    /// buttons of the file screen then find no file to play).
    void SetFileLists(PlayFileList* fileList, PlayFileList* memoryList);
    /// The lists the file screen's buttons walk (an empty one while none is given).
    PlayFileList& FileList();
    PlayFileList& MemoryList();
    /// The window switched screens.
    void SetFileScreenShown(bool shown);

    /// A row of the numbered table was clicked: it plays as a line of the cut screen's lists.
    void PlayTableRow(PlayLines& table, int row);
    /// The table's position bar: it shows the position like the other two, and releasing it
    /// plays the table from there.
    void AttachTableBar(PositionBarPanel* bar, PlayLines& table);

    /// Starts Timer_PLAY: a short moment later the equal-interval list plays from its current
    /// line (the first when none is current), as after stepping to another cut file.
    void StartAutoPlay();

    PlayerPanel* cutPanel = nullptr;
    FilePlayerPanel* filePanel = nullptr;
    QLineEdit* Edit_Fn = nullptr;
    QPushButton* ColorBtn1 = nullptr; ///< "停止"
    QTimer* Timer8 = nullptr;         ///< position polling
    QTimer* Timer_PLAY = nullptr;     ///< auto-play after a file change

    // PlayView
    void ShowFileInfo(const QString& line) override;
    void ShowLength(const QString& text) override;
    void ShowPosition(const QString& text,
                      const std::array<int, kPositionBars>& barWidths) override;
    void SetPositionPolling(bool on) override;
    void UpdateLevelPanel(PlayLines& list, int line) override;

signals:
    /// A line was clicked or continuous playback moved to it: the level panel follows.
    void LinePlayed(veskar::TimeListId list, int line);
    /// The play position shown, in ms; -1 once playback stopped.
    void PositionShown(veskar::TimeMs positionMs);

public slots:
    /// A click on a line of a cut-screen list (CutScreen::LineClicked).
    void ListBox_ALLClick(veskar::TimeListId list, int row);
    /// Plays from a time under the current play mode (a click on the overview).
    void PlayFromTime(veskar::TimeMs fromMs);
    /// The file information box of the cut file (Edit_FnDblClick).
    void Edit_FnDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeTimers();
    void MakeCutScreenControls();
    void MakeFileScreenControls();
    /// Hands the cut screen what it asks of playback and connects its controls to the engine.
    void ConnectCutScreen();
    void ConnectFileScreen();
    /// Copies every control the engine reads from the widgets.
    void SyncControls();
    void CutFileChanged();
    SyncedLines* LinesOf(TimeListId id);

    CutScreen& m_cutScreen;
    TimeLists& m_lists;
    SharedFlags& m_flags;
    Messenger& m_messenger;
    WaveDevice& m_player;
    WaveDevice& m_query;
    PlayEngine m_engine;
    CutScreenLines m_engineLines;
    std::vector<std::unique_ptr<SyncedLines>> m_lines;
    PlayFileList* m_fileList = nullptr;
    PlayFileList* m_memoryList = nullptr;
    std::unique_ptr<PlayFileList> m_noFiles;
    PositionBarPanel* m_tableBar = nullptr;
};

} // namespace veskar
