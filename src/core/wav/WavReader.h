#pragma once

#include <cstdint>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/wav/WavInfo.h"

namespace veskar {

/// The file reader: validates the WAV file at path and fills info with its format, its data
/// location and the information texts the cut runs show and record. Returns an empty text on
/// success, else the message to show (site code "GW"). fileName, folder and (when the file's
/// time can be read) dateText are set before any check; every other field only once all checks
/// have passed, so a failed read leaves them as they were. The sample data is not read.
QString ReadWavInfo(const QString& path, WavInfo& info);

/// The message of a read that fails without a more specific reason.
QString ReadWavInfoGeneralFailure();

/// Five characters: two of the rate in kHz, "S"/"M"/" " for stereo/mono/other, two of the bits
/// ("44S16", "22M 8", "48S24").
QString MakeFormatCode(uint32_t sampleRate, uint16_t channels, uint16_t bitsPerSample);

/// "  mono", "stereo" or "unknwn".
QString MakeChannelText(uint16_t channels);

/// The data length as minutes "." five digits of milliseconds ("0.00999", "61.00040"); the
/// milliseconds are rounded to nearest, ties to even.
QString MakeLengthText(int64_t dataLength, uint16_t blockAlign, double samplesPerMs);

/// Lines the file information adds for what the format code does not say: significant bits
/// fewer than the container's ("有効ﾋﾞｯﾄ数　: 20 (24ビット中)"), and a data size that was never
/// written, so the data runs to the end of the file. Empty for most files.
QStringList WavInfoNotes(const WavInfo& info);

} // namespace veskar
