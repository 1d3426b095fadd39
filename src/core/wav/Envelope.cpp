#include "core/wav/Envelope.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <optional>

#include "core/wav/WavHeader.h"

namespace veskar {

namespace {

constexpr int kLanes = 16;

/// Lowest and highest of packed 16-bit samples, sample i belonging to channel i % channels
/// (channels divides kLanes). Sixteen running lanes let the compiler keep them in vector
/// registers; they are folded into the channels at the end.
void Reduce16(const uint8_t* bytes, int64_t samples, int channels, int* mins, int* maxs) {
    int64_t i = 0;
    if (samples >= kLanes) {
        int16_t laneMin[kLanes];
        int16_t laneMax[kLanes];
        std::fill(laneMin, laneMin + kLanes, INT16_MAX);
        std::fill(laneMax, laneMax + kLanes, INT16_MIN);
        for (; i + kLanes <= samples; i += kLanes) {
            int16_t v[kLanes];
            std::memcpy(v, bytes + i * 2, sizeof v);
            for (int j = 0; j < kLanes; ++j) {
                laneMin[j] = std::min(laneMin[j], v[j]);
                laneMax[j] = std::max(laneMax[j], v[j]);
            }
        }
        for (int j = 0; j < kLanes; ++j) {
            mins[j % channels] = std::min<int>(mins[j % channels], laneMin[j]);
            maxs[j % channels] = std::max<int>(maxs[j % channels], laneMax[j]);
        }
    }
    for (; i < samples; ++i) {
        int16_t v;
        std::memcpy(&v, bytes + i * 2, sizeof v);
        mins[i % channels] = std::min<int>(mins[i % channels], v);
        maxs[i % channels] = std::max<int>(maxs[i % channels], v);
    }
}

/// Any width and layout, sample by sample.
void ReduceFrames(const uint8_t* frames, int64_t count, const FrameLayout& layout, int* mins,
                  int* maxs) {
    for (int64_t f = 0; f < count; ++f) {
        const uint8_t* frame = frames + f * layout.blockAlign;
        for (int c = 0; c < layout.channels; ++c) {
            const int v = SampleValue(frame + c * layout.bytesPerSample, layout.bytesPerSample);
            mins[c] = std::min(mins[c], v);
            maxs[c] = std::max(maxs[c], v);
        }
    }
}

} // namespace

Envelope Envelope::Mixed() const {
    Envelope mixed = *this;
    mixed.channels = 1;
    mixed.values.assign(static_cast<size_t>(columns), EnvelopeValue{});
    for (int column = 0; column < columns; ++column) {
        EnvelopeValue& out = mixed.values[static_cast<size_t>(column)];
        for (int channel = 0; channel < channels; ++channel) {
            const EnvelopeValue& v = At(column, channel);
            out.min = channel == 0 ? v.min : std::min(out.min, v.min);
            out.max = channel == 0 ? v.max : std::max(out.max, v.max);
            out.peak = std::max(out.peak, v.peak);
        }
    }
    return mixed;
}

EnvelopeBuilder::EnvelopeBuilder(const WavInfo& info, int64_t firstFrame, int64_t frameCount,
                                 int columns)
    : m_layout(FrameLayout::Of(info)) {
    m_envelope.columns = std::max(columns, 1);
    m_envelope.channels = std::max<int>(info.channels, 1);
    m_envelope.fullScale = info.bytesPerSample == 1 ? 128 : 32768;
    m_envelope.sampleRate = info.sampleRate;
    m_envelope.firstFrame = firstFrame;
    m_envelope.frameCount = std::max<int64_t>(frameCount, 0);
    m_envelope.values.assign(static_cast<size_t>(m_envelope.columns) *
                                 static_cast<size_t>(m_envelope.channels),
                             EnvelopeValue{});
    m_packed16 = info.bytesPerSample == 2 && info.blockAlign == 2 * info.channels &&
                 kLanes % m_envelope.channels == 0;
    m_min.assign(static_cast<size_t>(m_envelope.channels), INT_MAX);
    m_max.assign(static_cast<size_t>(m_envelope.channels), INT_MIN);
    m_columnEnd = m_envelope.ColumnStart(1) - firstFrame;
    // Leading columns that hold no frame are complete from the start.
    while (m_envelope.filled < m_envelope.columns && m_next == m_columnEnd) {
        CloseColumn();
    }
}

void EnvelopeBuilder::Add(const uint8_t* frames, int64_t count) {
    Envelope& e = m_envelope;
    while (count > 0 && e.filled < e.columns) {
        const int64_t take = std::min(count, m_columnEnd - m_next);
        if (m_packed16) {
            Reduce16(frames, take * e.channels, e.channels, m_min.data(), m_max.data());
        } else {
            ReduceFrames(frames, take, m_layout, m_min.data(), m_max.data());
        }
        m_columnHasFrames = true;
        frames += take * m_layout.blockAlign;
        count -= take;
        m_next += take;
        while (e.filled < e.columns && m_next == m_columnEnd) {
            CloseColumn();
        }
    }
}

void EnvelopeBuilder::CloseColumn() {
    Envelope& e = m_envelope;
    for (int c = 0; c < e.channels && m_columnHasFrames; ++c) {
        EnvelopeValue& v = e.values[static_cast<size_t>(e.filled) * e.channels + c];
        v.min = static_cast<int16_t>(m_min[c]);
        v.max = static_cast<int16_t>(m_max[c]);
        v.peak = static_cast<uint16_t>(std::max(-m_min[c], m_max[c]));
    }
    std::fill(m_min.begin(), m_min.end(), INT_MAX);
    std::fill(m_max.begin(), m_max.end(), INT_MIN);
    m_columnHasFrames = false;
    ++e.filled;
    m_columnEnd = e.ColumnStart(e.filled + 1) - e.firstFrame;
}

BlockVisitor EnvelopeBuilder::Visitor() {
    return [this](const uint8_t* frames, int64_t count, int64_t) { Add(frames, count); };
}

namespace {

/// Validates the file and runs `read` over it; a lack of memory becomes the routine's message.
QString WithEnvelopeFile(const QString& path, const std::function<QString(OpenWavFile&)>& read) {
    try {
        OpenWavFile wav;
        const QString header = ValidateWavHeader(path, WavRoutine::Envelope, wav);
        return header.isEmpty() ? read(wav) : header;
    } catch (const std::bad_alloc&) {
        return SiteMessage(QStringLiteral("WAVファイルの概形を取得できませんでした"),
                           WavRoutine::Envelope);
    }
}

/// Feeds the builder the frames of its span it has not taken yet, as far as the data reaches.
QString ReadRest(OpenWavFile& wav, EnvelopeBuilder& builder, const ReadProgress& progress,
                 const EnvelopeWatch& watch) {
    const Envelope& e = builder.Result();
    const int64_t blockAlign = wav.info.blockAlign;
    const int64_t frames = wav.info.dataLength / blockAlign;
    const int64_t from = std::min(e.firstFrame + builder.Taken(), frames);
    const int64_t count = std::clamp<int64_t>(e.firstFrame + e.frameCount - from, 0, frames - from);
    return ReadDataRange(wav, from * blockAlign, count * blockAlign, progress,
                         WavRoutine::Envelope,
                         [&builder, &watch](const uint8_t* p, int64_t n, int64_t) {
                             builder.Add(p, n);
                             if (watch) {
                                 watch(builder.Result());
                             }
                         });
}

} // namespace

QString MeasureEnvelope(const QString& path, int64_t firstFrame, int64_t frameCount, int columns,
                        const ReadProgress& progress, Envelope& envelope,
                        const EnvelopeWatch& watch) {
    envelope = Envelope{};
    std::optional<EnvelopeBuilder> builder;
    const QString result = WithEnvelopeFile(path, [&](OpenWavFile& wav) {
        const int64_t frames = wav.info.dataLength / wav.info.blockAlign;
        firstFrame = std::clamp<int64_t>(firstFrame, 0, frames);
        if (frameCount < 0 || frameCount > frames - firstFrame) {
            frameCount = frames - firstFrame;
        }
        builder.emplace(wav.info, firstFrame, frameCount, columns);
        return ReadRest(wav, *builder, progress, watch);
    });
    if (builder) {
        envelope = builder->Result();
    }
    return result;
}

QString ResumeEnvelope(const QString& path, EnvelopeBuilder& builder, const ReadProgress& progress,
                       const EnvelopeWatch& watch) {
    return WithEnvelopeFile(path,
                            [&](OpenWavFile& wav) { return ReadRest(wav, builder, progress, watch); });
}

} // namespace veskar
