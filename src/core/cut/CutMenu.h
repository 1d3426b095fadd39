#pragma once

#include <QString>

#include "core/timelists/TimeListId.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

/// Where the segment that starts at a list's last line ends: start + this many ms, or -1 for
/// the end of the file (registered and equal-interval lists).
TimeMs LastLineStepMs(TimeListId list);

/// The cut commands of `PopupMenu1`, named after their menu items.
enum class CutCommand {
    WAV_CUT,           ///< "カット (選択のみ)(&J)": the selected lines
    WAV_CUT_ALL,       ///< "ALL カット(&K)": select every line, then cut the selected lines
    WAV_CUT_ST,        ///< "スタートタイムすべて(&L)": every line with a start colour
    WAV_CUT_ST_Blue,   ///< "青のみ(&B)"
    WAV_CUT_ST_Red,    ///< "赤のみ(&R)"
    WAV_CUT_ST_Lime,   ///< "緑のみ(&G)"
    WAV_CUT_ST_Yellow, ///< "黄色のみ(&Y)"
    WAV_CUT_ST_Aqua,   ///< "水色のみ(&M)"
    WAV_CUT_ST_Pink,   ///< "ピンクのみ(&P)"
};

/// `ColorFilter` of a command: "" (selected lines), "@" (any start colour) or "1".."6".
QString ColorFilterOf(CutCommand command);

/// The colour cut of a start colour: WAV_CUT_ST ("スタートタイムすべて") for 0, WAV_CUT_ST_Blue ..
/// WAV_CUT_ST_Pink for 1..6.
CutCommand ColorCutCommand(int code);

/// Whether a cut with colorFilter takes a registered line with this tag and selection: the
/// selected lines for "", every tagged line for "@", the lines of that colour otherwise.
bool CutTakesLine(const QString& colorFilter, const QString& tag, bool selected);

/// The colour index (0..6) whose classification name labels a piece with this tag. The whole
/// tag is read as a number, unlike the list's drawing, which looks at its first character only:
/// a tag such as "12" from an edited cut list names no colour.
int CutLabelIndex(const QString& tag);

/// The state `PopupMenu1Popup` gives the menu.
struct CutMenuState {
    QString title;                    ///< caption of `P_LIST_Name`
    bool colorItemsVisible = false;   ///< `WAV_CUT_ST0`, `P_START0`, `P_ST_CLR`, `P_BINRUI0`,
                                      ///< `P_RENZOKU0` and the separators `PCUT_N0/1/3`
    bool colorItemsEnabled = false;   ///< `WAV_CUT_ST0`, `P_START0`, `P_ST_CLR`, `P_RENZOKU0`
    bool oneTimeCutEnabled = false;   ///< `P_1TIME_CUT`
    bool oneTimeResetEnabled = false; ///< `P_1TIME_RESET`
};

/// startTimesEnabled: `MO_ST_TM` "スタートタイムを有効にする"; directCutPending: a direct
/// one-time cut can still be undone.
CutMenuState PrepareCutMenu(TimeListId list, bool startTimesEnabled, bool directCutPending);

} // namespace veskar
