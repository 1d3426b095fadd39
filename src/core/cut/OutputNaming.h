#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/timelists/TimeMs.h"

namespace veskar {

/// The three automatic naming styles of segment files, chosen by the file menu's items
/// `MF_AUTO_NAME` "自動分割ファイル名を、短くする" and `MF_AUTO_83`
/// "自動分割ファイル名を、8.3形式にする".
enum class NamingStyle {
    Long,         ///< base + "_YYMMDD_HHMMSS_" + time + label
    Short,        ///< base + "_" (or "_cNNN_" on a collision) + time + label
    EightDotThree ///< up to 4 bytes of the base + a four-digit counter
};

/// `MF_AUTO_83` counts only while `MF_AUTO_NAME` is ticked.
NamingStyle StyleOf(bool autoName, bool auto83);

/// The extension of every segment file.
inline constexpr char kOutputExtension[] = ".wav";

/// `OutputBaseName` of a cut file: its file name without the extension when that is ".wav" in
/// any case; any other extension stays part of the base.
QString OutputBaseNameOf(const QString& cutFilePath);

/// The message for a typed name that cannot be part of a file name because it holds "/" (it
/// would name a folder) or NUL; empty when the name can be used. Asked where the base name and
/// the colour labels are typed, so that no cut run starts with a name every piece would fail on.
QString NamePartProblem(const QString& name);

/// How the time part of a name is written: the segment start in milliseconds, or with
/// `MO_FUN` in minutes "m" milliseconds-within-the-minute. The widths are those of the time
/// lists of the cut file (`TimeDigits`, `MinuteDigits`).
struct TimePartFormat {
    bool minutes = false;
    int timeDigits = 1;
    int minuteDigits = 1;
};

/// The time part of a segment name, e.g. "0754321" or "12m34321". A text longer than its width
/// keeps its last `width` characters.
QString OutputTimePart(TimeMs startMs, const TimePartFormat& format);

/// The part of a run's prefix that does not depend on the save folder: base + "_YYMMDD_HHMMSS_"
/// (long), base + "_" (short), or the base without "." cut to 4 Shift-JIS bytes (8.3).
QString PrefixHead(NamingStyle style, const QString& baseName, const QDateTime& now);

/// The prefix of all names of one cut run (computed once at its start). saveDir holds its
/// trailing separator. Long and short style: FreePrefixAmong the names of the files in saveDir
/// (folders not counted) after PrefixHead, so a second run never takes the names of the first,
/// also within the same second. 8.3 style: PrefixHead.
QString OutputPrefix(NamingStyle style, const QString& saveDir, const QString& baseName,
                     const QDateTime& now);

/// The first free prefix after head among a folder's names: head itself when no name matches
/// head + "*.wav", else head + "c" + NNN + "_" with the first counter 000, 001, ... (more
/// digits past 999) that no name matches with. Letter case is ignored; the head is taken
/// literally, wildcard characters and all.
QString FreePrefixAmong(const QStringList& names, const QString& head);

/// `OutputName`: the automatic full path of one segment. Long and short style: saveDir +
/// prefix + OutputNameTail, without looking at the folder. 8.3 style: saveDir + prefix + the
/// first counter 0000, 0001, ... whose name is not taken in saveDir (letter case ignored;
/// anything of that name counts); time and label unused.
QString OutputName(NamingStyle style, const QString& saveDir, const QString& prefix, TimeMs startMs,
                   const QString& label, const TimePartFormat& format);

/// What follows the prefix in a long or short name: time part + ("_" + label when label is not
/// empty) + ".wav".
QString OutputNameTail(TimeMs startMs, const QString& label, const TimePartFormat& format);

/// Where a piece goes when its automatic long or short name (saveDir + a prefix after head +
/// tail) is taken by the time it is written: saveDir + FreePrefixAmong everything in saveDir
/// after head + tail, the way a run avoids the names of an earlier one.
QString FreeAutomaticPath(const QString& saveDir, const QString& head, const QString& tail);

/// Where a piece goes when the path the user gave it is taken by the time it is written: "_c"
/// and the first free counter NNN before the extension (Mine.wav, Mine_c000.wav, ...).
QString FreeGivenPath(const QString& path);

/// The first free 8.3 file name (without folder) among the given names of everything in the
/// save folder.
QString EightDotThreeNameAmong(const QStringList& entryNames, const QString& prefix);

/// Lower-cases the extension of a path (the text after the last "." of its file name) and
/// leaves the rest unchanged.
QString LowerCaseExtension(const QString& path);

/// The caption of `Label_SFn_Last` for the style in force: "_YYMMDD_HHMMSS_TTTTTT",
/// "_cNNN_TTTTTT" or "NNNN", followed by the extension of the previous caption. Toggling
/// `MF_AUTO_83` alone does not change it; the caller decides when to call.
QString SaveNamePattern(bool autoName, bool auto83, const QString& previousCaption);

} // namespace veskar
