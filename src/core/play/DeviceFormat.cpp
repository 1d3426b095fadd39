#include "core/play/DeviceFormat.h"

namespace veskar {

QString DeviceFormatText(const WaveFormat& format) {
    return QString::number(format.sampleRate) + " / " + QString::number(format.bitsPerSample) +
           " / " + (format.channels == 1 ? "mono" : "stereo");
}

DeviceFormatReport QueryDeviceFormat(const QString& path, WaveDevice& query, WaveDevice& player,
                                     const SharedFlags& flags) {
    DeviceFormatReport report;
    if (!query.Open(path)) {
        query.Close();
        return report;
    }
    if (flags.stopRequested || flags.shutdownStop || flags.closing) {
        player.StopAndClose();
        // The query device is closed as well: a file is never left open past the operation
        // that opened it.
        query.Close();
        return report;
    }
    const std::optional<WaveFormat> format = query.QueryFormat();
    if (format) {
        report.sampleRate = format->sampleRate;
        report.bitsPerSample = format->bitsPerSample;
        report.channels = format->channels;
        report.eightBit = format->bitsPerSample == 8;
        report.text = DeviceFormatText(*format);
    }
    query.Close();
    return report;
}

} // namespace veskar
