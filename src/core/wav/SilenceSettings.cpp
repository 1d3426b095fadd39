#include "core/wav/SilenceSettings.h"

namespace veskar {

SilenceSettings DefaultSilenceSettings(SampleFamily family) {
    SilenceSettings settings;
    settings.recognition = QStringLiteral("500");
    const bool bits8 = family == SampleFamily::Bits8;
    const std::array<int, 3> levels =
        bits8 ? std::array<int, 3>{3, 7, 15} : std::array<int, 3>{100, 500, 1500};
    for (int k = 0; k < kSilenceChannels; ++k) {
        settings.durations[k] = QString::number(k < 3 ? 100 : 500);
        settings.levels[k] = QString::number(levels[k % 3]);
    }
    return settings;
}

std::optional<int32_t> FieldInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

} // namespace veskar
