#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/browser/Volumes.h"
#include "core/play/WaveDevice.h"

namespace veskar {

/// The free-space report "DrV$$$$$.TXT": free and total space of every drive, in bytes and in
/// minutes of recording in the current format.

/// Minutes of recording that bytes hold in format, rounded to the nearest minute; 0 for a format
/// without a rate.
int64_t RecordingMinutes(int64_t bytes, const WaveFormat& format);

/// The report's lines: title with the time, the header with the format, and one line per drive
/// between two rules. A drive whose sizes are unknown (no medium) says so.
QStringList FreeSpaceReportLines(const std::vector<Volume>& drives, const WaveFormat& format,
                                 const QDateTime& now);

/// Writes the lines to WorkDir + "DrV$$$$$.TXT", making the folder when missing. Returns the
/// file's path, or nothing with the reason in error.
std::optional<QString> WriteFreeSpaceReport(const QStringList& lines, QString& error);

/// "ドライブが存在しません？？？" and "何か曲を再生して下さい☆☆☆": why no report was made.
QString NoDrivesMessage();
QString NoFormatMessage();

} // namespace veskar
