#pragma once

#include <array>
#include <optional>

#include <QObject>
#include <QString>

#include "core/host/EventPump.h"
#include "core/host/Messenger.h"
#include "core/host/SharedFlags.h"
#include "core/play/PlayFileList.h"
#include "core/play/PlayLines.h"
#include "core/play/PlayModes.h"
#include "core/play/PlayRange.h"
#include "core/play/PlayView.h"
#include "core/play/PositionBars.h"
#include "core/play/ShuffleBag.h"
#include "core/play/WaveDevice.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

class TimeFormat;

/// The state of the window's controls that playback depends on. The window keeps it up to date
/// (PlayEngine::controls); the engine only reads it.
struct PlayControls {
    QString cutFile;              ///< CutFile
    bool fileScreenShown = false; ///< Panel_DFF is shown (else the cut screen Panel_CUT)
    CutPlayMode playMode = CutPlayMode::Zone;               ///< RadioGroup1
    SpecialMode specialMode = SpecialMode::Off;             ///< RadioGroup3
    ProbeLengths probes;                                    ///< the ticked items of PopupMenu_TS
    FilePlayMode filePlayMode = FilePlayMode::Sequential;   ///< ComboBox_PM
    bool repeat = true;                                     ///< CheckBox_REP "REP"
    FileSpecialMode fileSpecialMode = FileSpecialMode::Off; ///< ComboBox_TPM
    int introIndex = kDefaultIntroIndex;                    ///< "TPM_I", into the seconds table
    int edgeIndex = kDefaultEdgeIndex;                      ///< "TPM_FE"
    bool startTimesEnabled = true; ///< "スタートタイムを有効にする"
    int continuousTarget = 0;      ///< 0 every tagged line, 1..6 one colour
    /// Widths in pixels of Panel_B0, Panel_PB_M and Panel_TT_B0.
    std::array<int, kPositionBars> barPanelWidths{1, 1, 1};
};

/// Where playback continues: the list whose line or file was played last.
struct PlaySource {
    PlayLines* lines = nullptr;
    PlayFileList* files = nullptr;
    bool IsFileList() const { return files != nullptr; }
};

/// The one play request of the window.
struct PlayRequest {
    QString playFile;         ///< PlayFile
    TimeMs playFrom = 0;      ///< PlayFrom
    TimeMs playTo = -1;       ///< PlayTo; -1 to the end
    TimeMs playLengthMs = 0;  ///< PlayLengthMs: length at the last open
    TimeMs shownPosition = 0; ///< ShownPosition
    PlaySource source;        ///< LastClickedList
};

/// Playback of both screens: what a click plays, how long, and what follows when a play ends.
/// It drives a WaveDevice and tells the window what to show through PlayView; it reads the
/// controls from `controls` and never touches a widget. Completions of the device arrive as
/// queued events and are routed to CutScreenPlayEnded or FileScreenPlayEnded.
class PlayEngine : public QObject {
    Q_OBJECT
public:
    /// format is the time form of the cut file (TimeLists::format): it writes the position and
    /// length labels and holds FileLengthMs, which the play mode "end" plays to.
    PlayEngine(WaveDevice& device, SharedFlags& flags, const TimeFormat& format,
               Messenger& messenger, EventPump& pump, PlayView& view, QObject* parent = nullptr);

    PlayControls controls;
    /// The format of the file played or chosen as cut file last; CD quality before any.
    WaveFormat lastFormat{44100, 16, 2};
    /// Random rows for the "ランダム" mode and the shuffle bag; tests script it.
    RandomIndex random = DefaultRandomIndex();

    const PlayRequest& Request() const { return m_request; }
    const PlayParts& Parts() const { return m_parts; }
    bool NotifyBusy() const { return m_notifyBusy; }
    PositionBars& Bars() { return m_bars; }
    ShuffleBag& Bag() { return m_bag; }

    /// The length of a newly chosen cut file in ms, -1 when the device cannot give it (the user
    /// has been told why).
    TimeMs QueryCutFileLength(const QString& path);

    /// Plays Request().playFile from playFrom to playTo under the modes in force; false when it
    /// did not start (the user has been told why, except after a stop).
    bool StartPlay();
    /// Stops and closes the device and stops the position timer.
    void StopAndClose();
    /// The stop buttons "停 止" and "停止": no continuation follows until the next click.
    void StopButton();
    /// A choice in RadioGroup1; "OFF" stops playback.
    void PlayModeChosen(CutPlayMode mode);
    /// A choice in ComboBox_PM; "OFF" stops playback.
    void FilePlayModeChosen(FilePlayMode mode);

    /// A click on line `line` of a cut-screen list (the table: its first selected row, 0 when
    /// none is selected).
    void LineClick(PlayLines& list, int line);
    /// The playing part of a click on a file list (after the browser's own handling).
    void PlayFileListClick(PlayFileList& list);
    /// "再生", "BS" and "Skip" of the file screen.
    void PlayButton(PlayFileList& fileList, PlayFileList& memoryList);
    void BackButton(PlayFileList& fileList, PlayFileList& memoryList);
    void SkipButton(PlayFileList& fileList, PlayFileList& memoryList);

    /// The user released a position bar at this pixel (limited to its panel by the window).
    void CutBarReleased(int pixel, PlayLines& intervalList);
    /// Plays from a time (a click on the overview) under the current play mode, as a release
    /// of the cut screen's bar at that time would.
    void PlayFromTime(TimeMs fromMs, PlayLines& intervalList);
    void TableBarReleased(int pixel, PlayLines& table);
    void FileBarReleased(int pixel, PlayFileList& fileList, PlayFileList& memoryList);

    /// A tick of the position timer.
    void PollPosition();

    /// The completion handlers of the two screens.
    void CutScreenPlayEnded(PlayResult result);
    void FileScreenPlayEnded(PlayResult result);

private:
    RangeModes Modes() const;
    void Pump() { m_pump.ProcessEvents(); }
    void ShowError(const QString& text);
    void ShowTimed(const QString& text);
    QString PlayError(const QString& detail) const;
    bool CutFileExists();
    /// Common start of both completion handlers; false when the handler ends here.
    bool BeginCompletion(PlayResult result, bool fileScreenHandler);
    void ShowPositionOf(TimeMs positionMs);
    /// The stretch of line i of a list, or nothing when its times do not parse.
    std::optional<PlayWindow> StretchOf(PlayLines& list, int line, bool click) const;
    /// Plays line i of a list as a click or a continuation would.
    void PlayLine(PlayLines& list, int line, bool click);
    bool StartTimeJumpApplies(const PlayLines& list) const;
    PlayFileList& ButtonList(PlayFileList& fileList, PlayFileList& memoryList) const;
    void StepButton(PlayFileList& fileList, PlayFileList& memoryList, bool back);
    /// The next row after `current` by the file play mode ("BS" column when back); nothing
    /// when the mode keeps no next row.
    int NextRow(PlayFileList& list, int current, bool back);
    void PlayFromBar(PlaySource source);

    WaveDevice& m_device;
    SharedFlags& m_flags;
    const TimeFormat& m_format;
    Messenger& m_messenger;
    EventPump& m_pump;
    PlayView& m_view;

    PlayRequest m_request;
    PlayParts m_parts;
    PositionBars m_bars;
    ShuffleBag m_bag;
    bool m_notifyBusy = false;
    bool m_pollBusy = false;
    bool m_fileClickBusy = false;
    bool m_continuingFile = false; ///< the file-screen completion is clicking the next file
};

/// The start-time jump of continuous playback: from line `from`, the first line from..last,
/// then 0..from-1, whose tag matches target (0: any tag, 1..6: that colour). Nothing when no
/// line matches.
std::optional<int> FindStartTime(const PlayLines& list, int from, int target);

} // namespace veskar
