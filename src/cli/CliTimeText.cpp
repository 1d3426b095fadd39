#include "cli/CliTimeText.h"

#include "core/wav/WavHeader.h"

namespace veskar::cli {

CliTimeText::CliTimeText(int64_t fileLengthMs, bool minutesMode)
    : m_minutesMode(minutesMode),
      m_timeDigits(static_cast<int>(QString::number(fileLengthMs).size())),
      m_minuteDigits(
          fileLengthMs > 0 ? static_cast<int>(QString::number(fileLengthMs / 60000).size()) : 1) {
}

QString CliTimeText::Format(int64_t ms) const {
    const QLatin1Char zero('0');
    if (!m_minutesMode) {
        return QStringLiteral("%1").arg(ms, m_timeDigits, 10, zero);
    }
    return QStringLiteral("%1.%2")
        .arg(ms / 60000, m_minuteDigits, 10, zero)
        .arg(ms % 60000, 5, 10, zero);
}

int64_t FileLengthMs(const QString& path, WavRoutine routine) {
    OpenWavFile wav;
    if (!ValidateWavHeader(path, routine, wav).isEmpty()) {
        return -1;
    }
    const WavInfo& info = wav.info;
    const int64_t frames = info.dataLength / info.blockAlign;
    return frames * 1000 / info.sampleRate;
}

} // namespace veskar::cli
