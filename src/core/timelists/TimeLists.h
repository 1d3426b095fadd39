#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/play/CutPlayMode.h"
#include "core/timelists/IntervalList.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/Subdivision.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeListId.h"
#include "core/timelists/TimeText.h"

namespace veskar {

class EventPump;
class Messenger;

/// The level colouring options that decide which lines show a measured level.
struct LevelDisplayOptions {
    bool colorLevels = true; ///< "カラーレベル表示ON"
    bool color10s = false;   ///< "10sも、色分けする☆"
    bool color60s = false;   ///< "60sも、色分けする☆"
};

/// Every time list of the cut screen with the data attached to its lines, as the main window
/// owns them: the time form, the equal-interval list and its level lists, the six subdivision
/// lists and their level slots, and the registered list with its tags and colour options. The
/// operations here are the whole behaviour; the window only shows the lists and calls them.
class TimeLists {
public:
    TimeLists();

    TimeFormat format;
    /// Index of the interval choice and the interval it stands for.
    int intervalIndex = IntervalIndexForMs(kStartIntervalMs);
    TimeMs intervalMs = kStartIntervalMs;
    /// ListBox_ALL.
    TimeList interval;
    /// Level of line i of the equal-interval list built with choice k: intervalLevels[k][i]
    /// (ListBox_AC0..AC4). Written by the level analysis.
    std::array<std::vector<int>, kIntervalChoices> intervalLevels;
    /// The subdivision lists by level (ListBox_1ms .. ListBox_60s).
    std::array<TimeList, kSubdivisionLevels> subdivisions;
    /// Level slots by level: slot i belongs to line i; negative means not measured.
    std::array<std::vector<int>, kSubdivisionLevels> slotLevels;
    RegisteredList registered;
    StartColorSettings startColors = DefaultStartColorSettings();

    /// A new cut file: its length sets the widths, the interval levels of the old file are
    /// dropped, the choice index follows the interval in force and the registered list's
    /// overflow mark is cleared. RebuildTimeLists follows once the file's cut list is loaded.
    void ChooseFile(TimeMs lengthMs);

    /// Builds the equal-interval list for a choice index (ComboBox_TMClick). On a list that
    /// refuses lines shows "登録数が範囲を超えました。" and keeps what was added; false then.
    bool BuildIntervalList(int index, Messenger& messenger, EventPump& pump);

    /// After a file choice or a change of the time form: rebuilds the equal-interval list,
    /// empties the subdivision lists and rewrites every registered line in the current form at
    /// its index. Level slots and interval levels keep their values.
    bool RebuildTimeLists(Messenger& messenger, EventPump& pump);

    enum class SubdivideResult { Filled, NoLines, NoPosition, FillFailed };

    /// Subdivides from the current line of a source list (the first line when none is current;
    /// the selection is reduced to it): fills levels topLevel down to 0 around its time.
    SubdivideResult SubdivideFromList(int topLevel, TimeList& source, SpecialMode specialMode,
                                      Messenger& messenger, EventPump& pump);
    /// The same from the current line of the registered list (Button_600s_C).
    SubdivideResult SubdivideFromRegistered(SpecialMode specialMode, Messenger& messenger,
                                            EventPump& pump);
    /// The same from the playback position (Button_600s_CT): the queried position, or when the
    /// query failed the position label's text followed by "000".
    SubdivideResult SubdivideFromPosition(const std::optional<QString>& queriedPosition,
                                          const QString& positionLabel, SpecialMode specialMode,
                                          Messenger& messenger, EventPump& pump);
    /// Fills levels topLevel down to 0 around the time of baseText.
    SubdivideResult SubdivideFromText(int topLevel, const QString& baseText,
                                      SpecialMode specialMode, Messenger& messenger,
                                      EventPump& pump);

    enum class RegisterResult { Registered, EmptySource, NothingSelected, NoPosition, Full };

    /// Registers the selected lines of source in index order (the register buttons). withColor
    /// is true for "<登", false for "録". marks, when given, is the silence mark list aligned
    /// with source: the colour goes only to lines whose mark is not empty, and it is the colour
    /// the list shows them in (SongStartTag), blue while no default colour is chosen.
    RegisterResult RegisterLines(const TimeList& source, bool withColor, Messenger& messenger,
                                 const QStringList* marks = nullptr);
    /// Registers the playback position (Btn_NT with colour, Btn_NTC without), in the list's
    /// form; the position label's text + "000" stands in when the query failed.
    RegisterResult RegisterPosition(bool withColor, const std::optional<QString>& queriedPosition,
                                    const QString& positionLabel, Messenger& messenger);
    /// Deletes the selected registered lines (Button5). A play mode that walks the list by index
    /// (continuous, skip) is set to zone first and the user told afterwards. Returns the number
    /// of lines deleted.
    int DeleteSelected(CutPlayMode& playMode, Messenger& messenger);
    /// Colours (code 1..6) or clears (0) every selected registered line.
    void SetStartColor(int code);
    void ClearStartColor() { SetStartColor(0); }

    /// The level to draw line `line` of the equal-interval list with, if any.
    std::optional<int> IntervalLineLevel(int line, const LevelDisplayOptions& options) const;
    /// The level to draw line `line` of a subdivision list with, if any.
    std::optional<int> SubdivisionLineLevel(int level, int line,
                                            const LevelDisplayOptions& options) const;
    /// The lists whose levels are measured after a subdivision from topLevel, in order.
    static std::vector<int> LevelsToMeasure(int topLevel, const LevelDisplayOptions& options);

private:
    template <typename List>
    SubdivideResult SubdivideFromLine(int topLevel, List& source, SpecialMode specialMode,
                                      Messenger& messenger, EventPump& pump);
};

/// The base text of a position: the queried position, else the label + "000"; trimmed.
QString PositionBaseText(const std::optional<QString>& queriedPosition,
                         const QString& positionLabel);

} // namespace veskar
