#include "support/WavBuilder.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <QtEndian>

namespace veskar::test {

namespace {

template <class T> void PutLE(QByteArray& out, T v) {
    const T le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

} // namespace

WavBuilder::WavBuilder(uint32_t sampleRate, uint16_t channels, uint16_t bitsPerSample)
    : m_channels(channels), m_rate(sampleRate), m_bits(bitsPerSample) {
}

WavBuilder& WavBuilder::FormatTag(uint16_t tag) {
    m_tag = tag;
    return *this;
}
WavBuilder& WavBuilder::BlockAlign(uint16_t blockAlign) {
    m_blockAlign = blockAlign;
    return *this;
}
WavBuilder& WavBuilder::SampleRate(uint32_t rate) {
    m_rate = rate;
    return *this;
}
WavBuilder& WavBuilder::Channels(uint16_t channels) {
    m_channels = channels;
    return *this;
}
WavBuilder& WavBuilder::Bits(uint16_t bits) {
    m_bits = bits;
    return *this;
}
WavBuilder& WavBuilder::FmtExtra(const QByteArray& extra) {
    m_fmtExtra = extra;
    return *this;
}
WavBuilder& WavBuilder::FmtSize(uint32_t size) {
    m_fmtSize = size;
    return *this;
}

WavBuilder& WavBuilder::Extensible(uint16_t validBits, uint32_t channelMask, uint16_t subFormat) {
    QByteArray extra;
    PutLE<uint16_t>(extra, 22);
    PutLE<uint16_t>(extra, validBits);
    PutLE<uint32_t>(extra, channelMask);
    PutLE<uint32_t>(extra, subFormat);
    extra.append("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
    m_tag = 0xFFFE;
    return FmtExtra(extra);
}

namespace {

// The speaker mask both tools give the usual channel counts: front centre for mono, front left
// and right for stereo, the first n speakers otherwise.
uint32_t SpeakerMask(uint16_t channels) {
    return channels == 1 ? 0x4 : (channels >= 32 ? 0xFFFFFFFF : (1u << channels) - 1);
}

} // namespace

WavBuilder& WavBuilder::SoxStyle() {
    Extensible(m_bits, SpeakerMask(m_channels));
    PlaceFmt();
    m_pieces.push_back({PieceKind::Fact, "fact", {}});
    return *this;
}

WavBuilder& WavBuilder::FfmpegStyle() {
    Extensible(m_bits, SpeakerMask(m_channels));
    QByteArray info("INFOISFT");
    PutLE<uint32_t>(info, 14);
    info.append("Lavf59.27.100", 14); // with its terminating NUL: an even size
    return Chunk("LIST", info);
}

WavBuilder& WavBuilder::Rf64(std::optional<uint64_t> declaredDataSize) {
    m_rf64 = true;
    m_ds64DataSize = declaredDataSize;
    m_riff = "RF64";
    return DataSize(0xFFFFFFFF);
}

WavBuilder& WavBuilder::PlaceFmt() {
    m_fmtPlaced = true;
    m_pieces.push_back({PieceKind::Fmt, "fmt ", {}});
    return *this;
}

WavBuilder& WavBuilder::PlaceData() {
    m_dataPlaced = true;
    m_pieces.push_back({PieceKind::Data, "data", {}});
    return *this;
}

WavBuilder& WavBuilder::Chunk(const QByteArray& id, const QByteArray& payload) {
    m_pieces.push_back({PieceKind::Raw, id.left(4).leftJustified(4, ' '), payload});
    return *this;
}

WavBuilder& WavBuilder::List(uint32_t size) {
    QByteArray payload("INFO");
    while (static_cast<uint32_t>(payload.size()) < size) {
        payload.append('x');
    }
    return Chunk("LIST", payload.left(static_cast<int>(size)));
}

WavBuilder& WavBuilder::DataSize(uint32_t declared) {
    m_dataSize = declared;
    return *this;
}

WavBuilder& WavBuilder::RiffTags(const QByteArray& riff, const QByteArray& wave) {
    m_riff = riff;
    m_wave = wave;
    return *this;
}

WavBuilder& WavBuilder::NoData() {
    m_noData = true;
    return *this;
}

uint16_t WavBuilder::FrameBytes() const {
    return m_blockAlign.value_or(static_cast<uint16_t>(m_channels * ((m_bits + 7) / 8)));
}

void WavBuilder::AppendSample(int32_t value) {
    const int bytes = (m_bits + 7) / 8;
    if (bytes == 1) {
        m_samples.append(static_cast<char>(static_cast<uint8_t>(value + 128)));
        return;
    }
    const uint32_t u = static_cast<uint32_t>(value);
    for (int i = 0; i < bytes; ++i) {
        m_samples.append(static_cast<char>(i < 4 ? (u >> (8 * i)) & 0xFF : 0));
    }
}

WavBuilder& WavBuilder::Frames(int64_t count, const std::function<int32_t(int64_t, int)>& value) {
    m_samples.reserve(m_samples.size() + static_cast<qsizetype>(count * FrameBytes()));
    for (int64_t f = 0; f < count; ++f) {
        for (int c = 0; c < m_channels; ++c) {
            AppendSample(value(f, c));
        }
    }
    return *this;
}

WavBuilder& WavBuilder::Silence(int64_t frames) {
    return Constant(frames, 0);
}

WavBuilder& WavBuilder::Constant(int64_t frames, int32_t value) {
    return Frames(frames, [value](int64_t, int) { return value; });
}

WavBuilder& WavBuilder::Sine(int64_t frames, double hz, int32_t peak) {
    const double rate = m_rate;
    return Frames(frames, [=](int64_t f, int) {
        return static_cast<int32_t>(std::lround(peak * std::sin(2.0 * M_PI * hz * f / rate)));
    });
}

WavBuilder& WavBuilder::Square(int64_t frames, int64_t halfPeriod, int32_t peak) {
    const int64_t half = std::max<int64_t>(halfPeriod, 1);
    return Frames(frames, [=](int64_t f, int) { return (f / half) % 2 == 0 ? peak : -peak; });
}

WavBuilder& WavBuilder::RawData(const QByteArray& bytes) {
    m_samples.append(bytes);
    return *this;
}

int64_t WavBuilder::FrameCount() const {
    const int frame = FrameBytes();
    return frame > 0 ? m_samples.size() / frame : 0;
}

QByteArray WavBuilder::FmtPayload() const {
    QByteArray fmt;
    PutLE<uint16_t>(fmt, m_tag);
    PutLE<uint16_t>(fmt, m_channels);
    PutLE<uint32_t>(fmt, m_rate);
    PutLE<uint32_t>(fmt, m_rate * FrameBytes());
    PutLE<uint16_t>(fmt, FrameBytes());
    PutLE<uint16_t>(fmt, m_bits);
    fmt.append(m_fmtExtra);
    if (m_fmtSize) {
        fmt = fmt.left(static_cast<int>(*m_fmtSize));
        while (static_cast<uint32_t>(fmt.size()) < *m_fmtSize) {
            fmt.append('\0');
        }
    }
    return fmt;
}

QByteArray WavBuilder::Build() const {
    std::vector<Piece> pieces = m_pieces;
    if (!m_fmtPlaced) {
        pieces.insert(pieces.begin(), {PieceKind::Fmt, "fmt ", {}});
    }
    if (!m_dataPlaced && !m_noData) {
        pieces.push_back({PieceKind::Data, "data", {}});
    }
    QByteArray body = m_wave;
    for (const Piece& piece : pieces) {
        QByteArray payload = piece.payload;
        uint32_t size = static_cast<uint32_t>(payload.size());
        if (piece.kind == PieceKind::Fmt) {
            payload = FmtPayload();
            size = static_cast<uint32_t>(payload.size());
        } else if (piece.kind == PieceKind::Fact) {
            payload.clear();
            PutLE<uint32_t>(payload, static_cast<uint32_t>(FrameCount()));
            size = 4;
        } else if (piece.kind == PieceKind::Data) {
            if (m_noData) {
                continue;
            }
            payload = m_samples;
            size = m_dataSize.value_or(static_cast<uint32_t>(payload.size()));
        }
        body.append(piece.id);
        PutLE<uint32_t>(body, size);
        body.append(payload);
    }
    if (m_rf64) {
        // First after "WAVE": the RIFF size (with ds64 itself), data size and frame count.
        const uint64_t dataSize = m_ds64DataSize.value_or(m_samples.size());
        QByteArray ds64("ds64\x1C\0\0\0", 8);
        PutLE<uint64_t>(ds64, body.size() + 36 + dataSize - m_samples.size());
        PutLE<uint64_t>(ds64, dataSize);
        PutLE<uint64_t>(ds64, dataSize / std::max<uint64_t>(FrameBytes(), 1));
        PutLE<uint32_t>(ds64, 0);
        body.insert(4, ds64);
    }
    QByteArray out = m_riff;
    PutLE<uint32_t>(out, m_rf64 ? 0xFFFFFFFF : static_cast<uint32_t>(body.size()));
    out.append(body);
    return out;
}

bool WavBuilder::Write(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray bytes = Build();
    return file.write(bytes) == bytes.size();
}

uint32_t ReadU32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

} // namespace veskar::test
