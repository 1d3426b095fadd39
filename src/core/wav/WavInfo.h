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
    /// Size of the data chunk: as declared (the 32-bit field, or an RF64 file's 64-bit "ds64"
    /// size), or the whole frames up to the end of the file when dataToFileEnd.
    int64_t dataLength = 0;
    /// The data chunk's size was left at 0xFFFFFFFF (a writer that streamed, or stopped before
    /// it could fill the size in): the data is taken to run to the end of the file.
    bool dataToFileEnd = false;
    uint16_t formatTag = 0; ///< 1 once validation has passed
    uint16_t channels = 0;
    uint32_t sampleRate = 0;    ///< frames per second
    uint16_t blockAlign = 0;    ///< bytes per frame
    uint16_t bitsPerSample = 0; ///< the container width of a sample
    /// Significant bits of a sample when an extensible header says they are fewer than the
    /// container's (20 of 24); 0 when all are.
    uint16_t validBits = 0;
    int bytesPerSample = 0; ///< bitsPerSample / 8, rounded up
    int32_t bytesPerSecond =
        0; ///< sampleRate × blockAlign (the header's byte-rate field is ignored)
    double samplesPerMs = 0.0; ///< sampleRate / 1000.0
    QString channelText;       ///< "  mono", "stereo" or "unknwn"
    QString formatCode;        ///< five characters, e.g. "44S16"
    QString lengthText;        ///< minutes "." five digits of ms, e.g. "3.25123"
    QString dateText;          ///< modification time "yy/mm/dd ddd hh:mm:ss"
    QString fileName;
    QString folder; ///< with the trailing separator
};

} // namespace veskar
