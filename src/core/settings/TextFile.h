#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veskar {

/// The text of a list file as stored: UTF-8 when the bytes are valid UTF-8 (a leading byte-order
/// mark is dropped), otherwise Shift-JIS as Windows writes it (CP932), so that list files brought
/// over from the older program load. A byte that no code page explains becomes U+FFFD.
QString DecodeListText(const QByteArray& bytes);

/// The lines of a list file: separated by CR LF (a lone LF or CR ends a line too); a line end
/// after the last line adds no empty line. Nothing when the file is missing or unreadable.
std::optional<QStringList> ReadListFile(const QString& path);

/// Writes lines as UTF-8, each followed by CR LF, with WriteFileSafely.
QString WriteListFile(const QString& path, const QStringList& lines);

/// The reason given when a file could not be written; the system's own reason follows.
inline constexpr char kWriteFailed[] =
    "書き込めませんでした・・・ディスクの空きと書き込みの権限を確かめて下さい";

/// Writes bytes through a temporary file that replaces path only when it is complete: a full
/// disk or a crash leaves the earlier file as it was, and no part-written file behind. Returns
/// the reason when it failed (kWriteFailed and the system's words), empty on success.
QString WriteFileSafely(const QString& path, const QByteArray& bytes);

} // namespace veskar
