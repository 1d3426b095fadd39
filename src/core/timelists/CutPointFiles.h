#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/cut/CutMenu.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

class RegisteredList;
class TimeFormat;

/// One piece of a cut list as other audio programs exchange it.
struct CutPoint {
    TimeMs startMs = 0;
    /// Where the piece ends; -1 up to the next piece's start (or the end of the recording).
    TimeMs endMs = -1;
    QString label;
};

/// The pieces a cut with command would write from the registered list: each chosen line up to
/// the next line, the last one to lengthMs; labelled with the classification name of its start
/// colour, or the colour's number when the name is empty. Start times off: no colour counts.
std::vector<CutPoint> ChosenCutPoints(const RegisteredList& list, CutCommand command,
                                      bool startTimesEnabled, TimeMs lengthMs,
                                      const QStringList& colorTagNames);

/// "START<TAB>END<TAB>LABEL" per piece, seconds with six decimals, UTF-8, LF line ends: the
/// label tracks of the common audio editors.
QByteArray WriteLabelTrack(const std::vector<CutPoint>& points);
/// A cue sheet of wavFileName with one track per piece, INDEX 01 at the frame (1/75 s) the start
/// falls in. Times off a frame and ends that are not the next track's start are kept exactly
/// in REM lines of our own, which other programs pass over.
QByteArray WriteCueSheet(const std::vector<CutPoint>& points, const QString& wavFileName);

/// What a label track or cue sheet held. error is empty on success, else the reason the whole
/// file was refused (a line that does not read, no piece at all).
struct CutPointRead {
    std::vector<CutPoint> points;
    QString error;
};

/// Reads a label track or a cue sheet (told apart by their first line) from any bytes: a BOM,
/// CR LF, empty lines, a tab in a label, track numbers past 99. Ends below their start or equal
/// to it mean "up to the next piece".
CutPointRead ReadCutPoints(const QByteArray& bytes);

/// The colour code (0..6) of a label: "1".."6", or one of the classification names 1..6.
int LabelColorCode(const QString& label, const QStringList& colorTagNames);

/// Adds the points to the registered list of a recording lengthMs long: each start in its
/// label's colour, and an end that no other piece starts at as a line without colour, so that
/// a cut of the coloured lines gives the same pieces. The starts end up selected. Refuses the
/// whole file, changing nothing, when a time lies past the end of the recording or the list
/// cannot take every line. Returns the
/// detail of the refusal, empty on success.
QString ImportCutPoints(const std::vector<CutPoint>& points, TimeMs lengthMs,
                        const TimeFormat& format, const QStringList& colorTagNames,
                        bool startTimesEnabled, RegisteredList& list);

/// Reads and parses the file at path; on failure the message to show ("prefix\npath\ndetail").
QString LoadCutPointFile(const QString& path, CutPointRead& read);
/// The message for a refusal of ImportCutPoints about the file at path.
QString CutPointFileRefused(const QString& path, const QString& detail);
/// Writes bytes to path through a temporary file, so a failed write leaves any earlier file
/// whole; the message to show on failure, else empty.
QString SaveCutPointFile(const QString& path, const QByteArray& bytes);
/// The message that count cut points were written to the file at path.
QString CutPointFileWritten(const QString& path, int count);

} // namespace veskar
