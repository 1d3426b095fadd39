#pragma once

#include <optional>

#include <QString>

#include "core/host/SharedFlags.h"
#include "core/play/WaveDevice.h"

namespace veskar {

/// What the wave device says about a file's format.
struct DeviceFormatReport {
    /// "44100 / 16 / stereo"; empty when the device could not open or describe the file, or a
    /// stop or the close sequence cut the query short.
    QString text;
    /// The device reported 8 bits per sample: the file belongs to the 8-bit family of the
    /// silence settings.
    bool eightBit = false;
    /// The values the device reported; unset when it reported none, so that the caller keeps
    /// the ones it had.
    std::optional<int> sampleRate;
    std::optional<int> bitsPerSample;
    std::optional<int> channels;
};

/// The format as the information texts write it: rate + " / " + bits + " / " + "mono" for one
/// channel, else "stereo".
QString DeviceFormatText(const WaveFormat& format);

/// Asks a wave device of its own (`query`, never the one that plays) for the format of the file
/// at path, and closes it again. When a stop is pending or the window is closing, the playing
/// device (`player`) is stopped and closed instead and nothing is reported.
DeviceFormatReport QueryDeviceFormat(const QString& path, WaveDevice& query, WaveDevice& player,
                                     const SharedFlags& flags);

} // namespace veskar
