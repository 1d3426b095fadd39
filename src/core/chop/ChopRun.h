#pragma once

#include <optional>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/chop/ChopModes.h"
#include "core/host/Host.h"

namespace veskar {

class TextViewer;
struct Settings;

/// The chop options as the settings hold them.
ChopOptions ChopOptionsOf(const Settings& settings);

/// What a chop run leaves: the chop record's lines, whether a piece was written and read back,
/// and whether it was stopped.
struct ChopResult {
    QStringList record;
    bool pieceWritten = false;
    bool stopped = false;
};

/// `PBG_2Click` without its window work: asks (timed, default Yes) whether to chop with the
/// mode, then chops each source in turn into options.chopDir, reporting through host as it
/// goes. Nothing when the user did not confirm. A piece that fails is deleted and reported;
/// Abort in any error box, or a progress box closed or stopped, ends the run after the piece
/// being written.
std::optional<ChopResult> RunChop(const QStringList& sources, ChopMode mode,
                                  const ChopOptions& options, Host host);

/// The file name of the chop record in the work folder.
inline constexpr char kChopRecordFile[] = "BG$$$$.TXT";
/// Reported for any failure while the chop record is written or shown.
inline constexpr char kChopRecordError[] = "ぶつ切り一覧エラー：メモリーが確保できません";

/// The text of "BG$$$$.TXT" (CR LF line ends): title with the date, the count line, dashes,
/// the lines, dashes.
QString ChopRecordText(const QStringList& lines, const QDateTime& now);

/// Writes workDir + "BG$$$$.TXT" (replacing the earlier one only once complete); false when
/// that failed. Nothing is written for an empty record.
bool WriteChopRecord(const QStringList& lines, const QString& workDir, const QDateTime& now);

/// Writes the record and hands it to the viewer; a failure of either is reported with
/// kChopRecordError.
void ShowChopRecord(const QStringList& lines, const QString& workDir, const QDateTime& now,
                    TextViewer& viewer, Messenger& messenger);

} // namespace veskar
