#include "core/timelists/CutPointFiles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include <QFile>
#include <QRegularExpression>

#include "core/settings/TextFile.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"

namespace veskar {

namespace {

constexpr int64_t kCueFramesPerSecond = 75;
// A cut list of a 32,700-line list stays far below this; anything bigger is not one.
constexpr qint64 kLargestFile = 16 * 1024 * 1024;
// Our own REM lines: the exact start of a track that does not fall on a frame, and the end of
// a piece that is not the next track's start.
const QString kRemStart = QStringLiteral("START_MS");
const QString kRemEnd = QStringLiteral("END_MS");

QString SecondsText(TimeMs ms) {
    return QString::number(ms / 1000) + '.' +
           QStringLiteral("%1").arg(ms % 1000, 3, 10, QLatin1Char('0')) + "000";
}

int64_t CueFrame(TimeMs ms) {
    return int64_t{ms} * kCueFramesPerSecond / 1000;
}

// The first millisecond of a frame: inside it, so that writing it again gives the same frame.
TimeMs FrameStartMs(int64_t frame) {
    return static_cast<TimeMs>((frame * 1000 + kCueFramesPerSecond - 1) / kCueFramesPerSecond);
}

QString CueIndexText(TimeMs ms) {
    const int64_t frame = CueFrame(ms);
    const int64_t seconds = frame / kCueFramesPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(frame % kCueFramesPerSecond, 2, 10, QLatin1Char('0'));
}

// A label may not break its line.
QString OneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), ' ');
}

// A cue text stands in quotes that nothing can escape.
QString CueText(const QString& text) {
    return OneLine(text).replace('"', '\'');
}

QString LineUnreadable(int lineNumber) {
    return QString::number(lineNumber) + QStringLiteral("行目が読めません・・・");
}

// Seconds as label tracks write them ("12.345678"; some write a decimal comma), to the nearest
// millisecond.
std::optional<TimeMs> ParseSeconds(QString text) {
    static const QRegularExpression kSeconds(QStringLiteral("^\\d+(?:[.,]\\d*)?$"));
    text = text.trimmed();
    if (!kSeconds.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double seconds = text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    const double ms = std::round(seconds * 1000.0);
    if (!ok || !(ms <= std::numeric_limits<TimeMs>::max())) {
        return std::nullopt;
    }
    return static_cast<TimeMs>(ms);
}

std::optional<TimeMs> ParseWholeMs(const QString& text) {
    bool ok = false;
    const TimeMs ms = text.toInt(&ok);
    return ok && ms >= 0 ? std::optional<TimeMs>(ms) : std::nullopt;
}

CutPointRead ReadLabelTrack(const QStringList& lines) {
    CutPointRead read;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        // Empty lines carry nothing; a line starting with "\" holds the frequency range of the
        // label above it.
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('\\'))) {
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        const auto start = ParseSeconds(fields[0]);
        const auto end = fields.size() > 1 ? ParseSeconds(fields[1]) : start;
        if (!start || !end) {
            read.error = LineUnreadable(i + 1);
            return read;
        }
        // The label is the rest of the line, tabs and all.
        const QString label = QStringList(fields.mid(2)).join(QLatin1Char('\t'));
        read.points.push_back({*start, *end > *start ? *end : -1, label});
    }
    return read;
}

// The text after a cue keyword: the quoted text, or the bare words.
QString CueValue(const QString& rest) {
    const QString text = rest.trimmed();
    if (!text.startsWith(QLatin1Char('"'))) {
        return text;
    }
    const qsizetype close = text.indexOf(QLatin1Char('"'), 1);
    return text.mid(1, close < 0 ? -1 : close - 1);
}

std::optional<TimeMs> ParseCueIndex(const QString& text) {
    static const QRegularExpression kIndex(QStringLiteral("^(\\d{1,6}):(\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch match = kIndex.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int64_t minutes = match.captured(1).toLongLong();
    const int64_t seconds = match.captured(2).toLongLong();
    const int64_t frames = match.captured(3).toLongLong();
    if (seconds >= 60 || frames >= kCueFramesPerSecond) {
        return std::nullopt;
    }
    const int64_t frame = (minutes * 60 + seconds) * kCueFramesPerSecond + frames;
    if (frame > CueFrame(std::numeric_limits<TimeMs>::max())) {
        return std::nullopt;
    }
    return FrameStartMs(frame);
}

struct CueTrack {
    int line = 0;
    std::optional<TimeMs> indexMs;
    std::optional<TimeMs> exactStartMs;
    CutPoint point;
};

CutPointRead ReadCueSheet(const QStringList& lines) {
    CutPointRead read;
    std::vector<CueTrack> tracks;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString keyword = line.left(space).toUpper();
        const QString rest = space < 0 ? QString() : line.mid(space + 1).trimmed();
        if (keyword == "TRACK") {
            tracks.push_back({i + 1, {}, {}, {}});
            continue;
        }
        // Everything before the first track belongs to the whole disc.
        if (tracks.empty()) {
            continue;
        }
        CueTrack& track = tracks.back();
        if (keyword == "TITLE") {
            track.point.label = CueValue(rest);
        } else if (keyword == "INDEX") {
            const QStringList parts = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2) {
                read.error = LineUnreadable(i + 1);
                return read;
            }
            if (parts[0].toInt() != 1) {
                continue; // a pregap (INDEX 00) or an index within the track
            }
            track.indexMs = ParseCueIndex(parts[1]);
            if (!track.indexMs) {
                read.error = LineUnreadable(i + 1);
                return read;
            }
        } else if (keyword == "REM") {
            const QStringList parts = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const auto ms = parts.size() == 2 ? ParseWholeMs(parts[1]) : std::nullopt;
            if (ms && parts[0] == kRemStart) {
                track.exactStartMs = ms;
            } else if (ms && parts[0] == kRemEnd) {
                track.point.endMs = *ms;
            }
        }
    }
    for (CueTrack& track : tracks) {
        if (!track.indexMs) {
            read.error = LineUnreadable(track.line);
            return read;
        }
        // The exact start counts only while it lies in the indexed frame: an edited INDEX wins.
        const bool exact =
            track.exactStartMs && CueFrame(*track.exactStartMs) == CueFrame(*track.indexMs);
        track.point.startMs = exact ? *track.exactStartMs : *track.indexMs;
        if (track.point.endMs <= track.point.startMs) {
            track.point.endMs = -1;
        }
        read.points.push_back(track.point);
    }
    return read;
}

} // namespace

std::vector<CutPoint> ChosenCutPoints(const RegisteredList& list, CutCommand command,
                                      bool startTimesEnabled, TimeMs lengthMs,
                                      const QStringList& colorTagNames) {
    const QString filter = startTimesEnabled ? ColorFilterOf(command) : QString();
    std::vector<CutPoint> points;
    for (int i = 0; i < list.Count(); ++i) {
        const bool selected = command == CutCommand::WAV_CUT_ALL || list.Lines().IsSelected(i);
        if (!CutTakesLine(filter, list.Tag(i), selected)) {
            continue;
        }
        const auto start = ParseTime(list.Text(i));
        const auto next = i + 1 < list.Count() ? ParseTime(list.Text(i + 1)) : lengthMs;
        if (!start || !next) {
            continue;
        }
        const int index = startTimesEnabled ? CutLabelIndex(list.Tag(i)) : 0;
        const QString name = colorTagNames.value(index);
        points.push_back(
            {*start, std::max(*start, *next), name.isEmpty() ? QString::number(index) : name});
    }
    return points;
}

QByteArray WriteLabelTrack(const std::vector<CutPoint>& points) {
    QString text;
    for (const CutPoint& point : points) {
        text += SecondsText(point.startMs) + '\t' +
                SecondsText(point.endMs < 0 ? point.startMs : point.endMs) + '\t' +
                OneLine(point.label) + '\n';
    }
    return text.toUtf8();
}

QByteArray WriteCueSheet(const std::vector<CutPoint>& points, const QString& wavFileName) {
    QString text = "FILE \"" + CueText(wavFileName) + "\" WAVE\n";
    for (size_t i = 0; i < points.size(); ++i) {
        const CutPoint& point = points[i];
        // Numbers past 99 are written as they come: losing a piece would be worse.
        text += QStringLiteral("  TRACK %1 AUDIO\n").arg(i + 1, 2, 10, QLatin1Char('0'));
        text += "    TITLE \"" + CueText(point.label) + "\"\n";
        if (FrameStartMs(CueFrame(point.startMs)) != point.startMs) {
            text += "    REM " + kRemStart + ' ' + QString::number(point.startMs) + '\n';
        }
        const bool endsAtNext = i + 1 < points.size() && points[i + 1].startMs == point.endMs;
        if (point.endMs >= 0 && !endsAtNext) {
            text += "    REM " + kRemEnd + ' ' + QString::number(point.endMs) + '\n';
        }
        text += "    INDEX 01 " + CueIndexText(point.startMs) + '\n';
    }
    return text.toUtf8();
}

CutPointRead ReadCutPoints(const QByteArray& bytes) {
    QStringList lines = DecodeListText(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    // A label track's lines begin with a time; a cue sheet's with a keyword.
    const auto first = std::find_if(lines.cbegin(), lines.cend(),
                                    [](const QString& line) { return !line.trimmed().isEmpty(); });
    const bool labels = first != lines.cend() && first->trimmed().front().isDigit();
    CutPointRead read = labels ? ReadLabelTrack(lines) : ReadCueSheet(lines);
    if (!read.error.isEmpty()) {
        read.points.clear();
    } else if (read.points.empty()) {
        read.error = QStringLiteral("カットポイントがありません・・・");
    }
    return read;
}

int LabelColorCode(const QString& label, const QStringList& colorTagNames) {
    const QString text = label.trimmed();
    for (int code = 1; code < kStartColorCount; ++code) {
        const QString name = colorTagNames.value(code);
        if (text == QString::number(code) ||
            (!name.isEmpty() && text.compare(name, Qt::CaseInsensitive) == 0)) {
            return code;
        }
    }
    return 0;
}

QString ImportCutPoints(const std::vector<CutPoint>& points, TimeMs lengthMs,
                        const TimeFormat& format, const QStringList& colorTagNames,
                        bool startTimesEnabled, RegisteredList& list) {
    std::set<TimeMs> starts;
    for (const CutPoint& point : points) {
        // An end may pass the length by the millisecond the other program rounded up.
        const int64_t beyond = point.startMs > lengthMs              ? point.startMs
                               : point.endMs > int64_t{lengthMs} + 1 ? point.endMs
                                                                     : -1;
        if (beyond >= 0) {
            return "この録音（" + format.FormatTime(lengthMs) + "）より長い録音のファイルです（" +
                   format.FormatTime(static_cast<TimeMs>(beyond)) + "）・・・";
        }
        starts.insert(point.startMs);
    }
    // Ends first, so that a start at the same time keeps its colour.
    QStringList ends;
    for (const CutPoint& point : points) {
        if (point.endMs >= 0 && point.endMs < lengthMs && !starts.contains(point.endMs) &&
            list.Lines().IndexOf(format.FormatTime(point.endMs)) < 0) {
            ends.append(format.FormatTime(point.endMs));
        }
    }
    ends.removeDuplicates();
    int added = static_cast<int>(ends.size());
    for (const TimeMs start : starts) {
        added += list.Lines().IndexOf(format.FormatTime(start)) < 0 ? 1 : 0;
    }
    if (list.Count() + added > RegisteredList::kMaxLines) {
        return QStringLiteral("登録数が範囲を超えました。");
    }
    for (const QString& end : ends) {
        list.InsertRegisteredTime(end, {}, startTimesEnabled);
    }
    for (const CutPoint& point : points) {
        const int code = LabelColorCode(point.label, colorTagNames);
        list.InsertRegisteredTime(format.FormatTime(point.startMs),
                                  code == 0 ? QString() : QString::number(code), startTimesEnabled);
    }
    std::vector<int> selected;
    for (const TimeMs start : starts) {
        selected.push_back(list.Lines().IndexOf(format.FormatTime(start)));
    }
    list.SetSelection(selected, selected.empty() ? -1 : selected.front());
    return {};
}

QString CutPointFileRefused(const QString& path, const QString& detail) {
    return "カットポイントを読み込めませんでした\n" + path + "\n" + detail;
}

QString LoadCutPointFile(const QString& path, CutPointRead& read) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return CutPointFileRefused(path,
                                   "ファイルが開けません・・・（" + file.errorString() + "）");
    }
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        return CutPointFileRefused(path,
                                   QStringLiteral("カットポイントのファイルではありません・・・"));
    }
    read = ReadCutPoints(bytes);
    return read.error.isEmpty() ? QString() : CutPointFileRefused(path, read.error);
}

QString SaveCutPointFile(const QString& path, const QByteArray& bytes) {
    const QString reason = WriteFileSafely(path, bytes);
    return reason.isEmpty() ? QString()
                            : "カットポイントを書き出せませんでした\n" + path + "\n" + reason;
}

QString CutPointFileWritten(const QString& path, int count) {
    return path + "\n" + QString::number(count) + "個のカットポイントを、書き出しました☆";
}

} // namespace veskar
