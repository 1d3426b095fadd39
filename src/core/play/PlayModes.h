#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "core/play/CutPlayMode.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

/// File play modes of the file screen (ComboBox_PM), by entry index: which file follows.
enum class FilePlayMode : int {
    Off = 0,        ///< "OFF": clicking a file does not play
    Sequential = 1, ///< "連続再生"
    Reverse = 2,    ///< "逆連再生"
    Single = 3,     ///< "単独再生": the same file again
    Random = 4,     ///< "ランダム"
    Shuffle = 5,    ///< "シャッフル"
};

/// File special modes (ComboBox_TPM), by entry index: which part of a file plays.
enum class FileSpecialMode : int {
    Off = 0,
    Intro = 1,      ///< the first N1 seconds
    Edges = 2,      ///< the first N2 seconds, then the last N2 seconds
    Preview2x = 3,  ///< 3 s chunks every 6 s
    Preview5x = 4,  ///< 3 s chunks every 15 s
    Preview10x = 5, ///< 3 s chunks every 30 s
};

/// The lengths of the special modes in force, in ms (the ticked items of the length menus).
struct ProbeLengths {
    TimeMs startMs = 500;       ///< "Start 5"
    TimeMs endMs = 500;         ///< "end　5"
    TimeMs silentEndMs = 100;   ///< "無E100"
    TimeMs silentStartMs = 100; ///< "無S100"
    TimeMs edgeMs = 5000;       ///< "前後 5s"
};

// --- captions ---------------------------------------------------------------------------------

QStringList CutPlayModeItems(); ///< "end", "ゾーン", "連続", "スキップ", "リピート", "OFF"
QStringList SpecialModeItems(); ///< the design captions "Start 5" .. "OFF"
QStringList
FilePlayModeEntries(); ///< "OFF", "連続再生", "逆連再生", "単独再生", "ランダム", "シャッフル"
QStringList FileSpecialModeEntries(); ///< the design entries "OFF", "イントロ10", "前後5秒",
                                      ///< "２倍", "５倍", "１０倍"

/// Index of a ComboBox_PM entry text as stored in the settings ("PLAY_M"); a text matching no
/// entry, and entry 0, give entry 1.
int FilePlayModeFromText(const QString& text);

// --- the length menus of the special modes (PopupMenu_TS) --------------------------------------

/// The five length menus, one per special mode that has a length.
enum class ProbeMenu : int { Start, End, SilentEnd, SilentStart, Edge };

/// Number of items of a menu: 12 for Start and End, 6 for the silent ones, 9 for Edge.
int ProbeItemCount(ProbeMenu menu);
/// The item ticked when the settings hold none: 5 (500 ms), 5, 1 (100 ms), 1, 4 (5 s).
int DefaultProbeItem(ProbeMenu menu);
/// The length an item stands for, in ms. An item outside the menu gives the default item's.
TimeMs ProbeItemMs(ProbeMenu menu, int item);
/// The caption of the special mode after an item was chosen: "S 500", "E 1s", "無E50 ",
/// "無S100", "前後 5s", "前後10s".
QString ProbeCaption(ProbeMenu menu, int item);
/// The RadioGroup3 item a menu's caption goes to.
SpecialMode ProbeMenuMode(ProbeMenu menu);

/// Sets the length of one menu in lengths from an item number.
void ApplyProbeItem(ProbeLengths& lengths, ProbeMenu menu, int item);

// --- intro and edge seconds of the file special modes (PopupMenu_TPM) -------------------------

constexpr int kFileModeSecondsCount = 10;
/// The seconds table 30, 20, 15, 10, 7, 5, 4, 3, 2, 1; an index outside it gives its default's.
int FileModeSeconds(int index);
constexpr int kDefaultIntroIndex = 3; ///< 10 s ("TPM_I")
constexpr int kDefaultEdgeIndex = 5;  ///< 5 s ("TPM_FE")
/// Items of the intro submenu: "30", "20", "15", "10 (初期値)", "7", ...
QStringList IntroMenuItems();
/// Items of the edge submenu: "30", ..., "5 (初期値)", ...
QStringList EdgeMenuItems();
/// Entry 1 of ComboBox_TPM after a choice: "イントロ" + seconds; the submenu adds "(&I)".
QString IntroEntryCaption(int index);
QString IntroMenuCaption(int index);
/// Entry 2 after a choice: "前後 " + seconds + "s"; the submenu adds "(&F)".
QString EdgeEntryCaption(int index);
QString EdgeMenuCaption(int index);

// --- the play-mode preset (PopupMenu_PM) ------------------------------------------------------

/// Which play mode a newly chosen cut file starts in: item 0 "変更しない" leaves the mode alone,
/// items 1..6 set RadioGroup1 to item - 1. "起動時のみ" applies the preset at start-up only.
class PlayModePreset {
public:
    static constexpr int kItems = 7;
    static constexpr int kDefaultItem = 2; ///< "ゾーン"

    int Item() const { return m_item; }
    bool StartOnly() const { return m_startOnly; }
    /// Ticks an item (PM_0..PM_6); an item outside 0..6 changes nothing.
    void Choose(int item);
    void ToggleStartOnly() { m_startOnly = !m_startOnly; }
    void SetStartOnly(bool on) { m_startOnly = on; }

    /// The play mode to set at start-up, if any.
    std::optional<CutPlayMode> ModeAtStartup() const;
    /// The play mode to set when a cut file is chosen, if any.
    std::optional<CutPlayMode> ModeForNewFile() const;

    static QString Title();            ///< "ファイル切り替え時の初期設定メニュー"
    static QStringList ItemCaptions(); ///< "変更しない", then the RadioGroup1 items
    static QString StartOnlyCaption(); ///< "起動時のみ"

private:
    int m_item = kDefaultItem;
    bool m_startOnly = true;
};

} // namespace veskar
