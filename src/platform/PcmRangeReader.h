#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace veskar {

/// Where the samples of an uncompressed PCM WAV file lie and how a frame is laid out, as the
/// wave device needs it to play ranges. The chunks are found by the same walk as the analysis
/// reader's (pad bytes after odd chunks, RF64 sizes, extensible PCM), with two differences that
/// let the device play more: "fmt " may lie anywhere, and an empty data chunk opens (and plays
/// nothing). Only what playing needs is checked.
struct PcmLayout {
    int64_t dataOffset = 0; ///< file offset of the first sample byte
    int64_t frames = 0;     ///< whole frames actually present (a short file plays what it has)
    int sampleRate = 0;     ///< frames per second
    int channels = 0;
    int bitsPerSample = 0;
    int bytesPerSample = 0; ///< container width of one sample: 1..4
    int blockAlign = 0;     ///< bytes per frame, at least channels × bytesPerSample
};

/// Reads the layout from a WAV file's header: "RIFF" or "RF64", "WAVE", the first "fmt " chunk,
/// with format tag 1 (plain or extensible), and the first "data" chunk. Returns nothing for
/// anything else.
std::optional<PcmLayout> ReadPcmLayout(QIODevice& file);

/// An open PCM WAV file read a range of frames at a time.
class PcmRangeReader {
public:
    /// False when the file is missing, unreadable or not PCM the device can play.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }
    const PcmLayout& Layout() const { return m_layout; }

    /// Reads up to frameCount frames from frame `first` (file bytes, unconverted) into out;
    /// returns the number of whole frames read, 0 at the end or on a read error.
    int64_t ReadFrames(int64_t first, int64_t frameCount, QByteArray& out);

private:
    QFile m_file;
    PcmLayout m_layout;
};

} // namespace veskar
