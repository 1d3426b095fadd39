#include "cli/JsonOutput.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "core/cut/SegmentWriter.h"

namespace veskar::cli {

QJsonObject InfoJson(const WavInfo& info) {
    const int64_t frames = AvailableFrames(info, info.fileSize);
    return {{"file", info.fileName},
            {"folder", info.folder},
            {"format", info.formatCode.trimmed()},
            {"sample_rate", static_cast<qint64>(info.sampleRate)},
            {"channels", info.channels},
            {"bits", info.bitsPerSample},
            {"valid_bits", info.validBits != 0 ? info.validBits : info.bitsPerSample},
            {"frames", static_cast<qint64>(frames)},
            {"length_ms", static_cast<qint64>(FramesToMs(frames, info.sampleRate))},
            {"data_offset", static_cast<qint64>(info.dataOffset)},
            {"data_bytes", static_cast<qint64>(info.dataLength)},
            {"file_bytes", static_cast<qint64>(info.fileSize)}};
}

QJsonObject SilencesJson(const SilenceResult& silences) {
    QJsonArray settings;
    for (int k = 0; k < kSilenceChannels; ++k) {
        const SilenceList& list = silences.lists[k];
        QJsonArray entries;
        for (int i = 0; i < list.Size(); ++i) {
            entries.append(QJsonObject{{"ms", static_cast<qint64>(list.timesMs[i])},
                                       {"song_start", !list.marks[i].isEmpty()}});
        }
        settings.append(QJsonObject{{"setting", k}, {"full", list.full}, {"entries", entries}});
    }
    return {{"settings", settings},
            {"peak",
             QJsonObject{{"ms", static_cast<qint64>(silences.peakMs)}, {"value", silences.peak}}}};
}

void PrintJson(CommandContext& context, const QJsonObject& object) {
    context.out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace veskar::cli
