#include "platform/PcmConvert.h"

#include <algorithm>
#include <cstring>

namespace veskar {

namespace {

// One file sample, left-justified in 32 bits so every width compares alike.
int32_t ReadSample(const unsigned char* p, int bytes) {
    switch (bytes) {
    case 1:
        return static_cast<int32_t>(static_cast<uint32_t>(p[0] ^ 0x80) << 24);
    case 2:
        return static_cast<int32_t>(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 24);
    case 3:
        return static_cast<int32_t>(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 |
                                    uint32_t(p[2]) << 24);
    default:
        return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                    uint32_t(p[3]) << 24);
    }
}

} // namespace

int SinkBytesPerFrame(const SinkLayout& sink) {
    switch (sink.sample) {
    case SinkSample::UInt8:
        return sink.channels;
    case SinkSample::Int16:
        return 2 * sink.channels;
    case SinkSample::Int32:
        return 4 * sink.channels;
    }
    return 0;
}

SinkLayout NativeSinkLayout(const PcmLayout& file) {
    switch (file.bytesPerSample) {
    case 1:
        return {SinkSample::UInt8, file.channels};
    case 2:
        return {SinkSample::Int16, file.channels};
    default:
        return {SinkSample::Int32, file.channels};
    }
}

QByteArray ConvertFrames(const char* in, int64_t frames, const PcmLayout& file,
                         const SinkLayout& sink) {
    const int outFrameBytes = SinkBytesPerFrame(sink);
    QByteArray out(static_cast<qsizetype>(frames * outFrameBytes), Qt::Uninitialized);
    auto* dst = reinterpret_cast<unsigned char*>(out.data());
    const auto* src = reinterpret_cast<const unsigned char*>(in);
    for (int64_t f = 0; f < frames; ++f) {
        const unsigned char* frame = src + f * file.blockAlign;
        for (int c = 0; c < sink.channels; ++c) {
            const int fileChannel = std::min(c, file.channels - 1);
            const int32_t v =
                ReadSample(frame + fileChannel * file.bytesPerSample, file.bytesPerSample);
            const auto u = static_cast<uint32_t>(v);
            switch (sink.sample) {
            case SinkSample::UInt8:
                *dst++ = static_cast<unsigned char>((u >> 24) ^ 0x80);
                break;
            case SinkSample::Int16:
                *dst++ = static_cast<unsigned char>(u >> 16);
                *dst++ = static_cast<unsigned char>(u >> 24);
                break;
            case SinkSample::Int32:
                *dst++ = static_cast<unsigned char>(u);
                *dst++ = static_cast<unsigned char>(u >> 8);
                *dst++ = static_cast<unsigned char>(u >> 16);
                *dst++ = static_cast<unsigned char>(u >> 24);
                break;
            }
        }
    }
    return out;
}

QByteArray SilenceFrames(int64_t frames, const SinkLayout& sink) {
    const char fill = sink.sample == SinkSample::UInt8 ? char(0x80) : char(0);
    return QByteArray(static_cast<qsizetype>(frames * SinkBytesPerFrame(sink)), fill);
}

} // namespace veskar
