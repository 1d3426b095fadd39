#pragma once

#include <cstdint>

#include <QString>

namespace veskar {

/// The validated format and data-chunk location of a WAV file with its information texts.
/// One instance describes the current cut file.
struct WavInfo {
    int64_t fileSize = 0;            ///< bytes
    int64_t dataOffset = 0;          ///< file offset of the first sample byte
    int64_t dataSizeFieldOffset = 0; ///< file offset of the data chunk's size field
    int64_t dataLength = 0;          ///< declared size of the data chunk (unsigned 32-bit widened)
    uint16_t formatTag = 0;          ///< 1 once validation has passed
    uint16_t channels = 0;
    uint32_t sampleRate = 0; ///< frames per second
    uint16_t blockAlign = 0; ///< bytes per frame
    uint16_t bitsPerSample = 0;
    int bytesPerSample = 0;     ///< bitsPerSample / 8, rounded up
    int32_t bytesPerSecond = 0; ///< sampleRate × blockAlign (the header's byte-rate field is ignored)
    double samplesPerMs = 0.0;  ///< sampleRate / 1000.0
    QString channelText;        ///< "  mono", "stereo" or "unknwn"
    QString formatCode;         ///< five characters, e.g. "44S16"
    QString lengthText;         ///< minutes "." five digits of ms, e.g. "3.25123"
    QString dateText;           ///< modification time "yy/mm/dd ddd hh:mm:ss"
    QString fileName;
    QString folder; ///< with the trailing separator
};

} // namespace veskar
