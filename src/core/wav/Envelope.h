#pragma once

#include <functional>
#include <cstdint>
#include <vector>

#include <QString>

#include "core/wav/DataBlockReader.h"
#include "core/wav/FrameMagnitude.h"

namespace veskar {

/// One column of one channel: the lowest and highest sample and the peak magnitude, on the
/// scale of SampleValue (16-bit for 16 bits and wider, -128..127 for 8-bit data).
struct EnvelopeValue {
    int16_t min = 0;
    int16_t max = 0;
    uint16_t peak = 0; ///< max(-min, max): 0..32,768

    bool operator==(const EnvelopeValue&) const = default;
};

/// The picture of a span of frames: `columns` columns of equal share (column c holds frames
/// firstFrame + c × frameCount / columns up to the next column's first), each with one value per
/// channel. A column that holds no frame (more columns than frames) stays at zero.
struct Envelope {
    int columns = 0;
    int channels = 0;                  ///< values per column: the file's channels, 1 when mixed
    int fullScale = 32768;             ///< the magnitude of a full-scale sample: 128 for 8-bit data
    uint32_t sampleRate = 0;           ///< frames per second
    int64_t firstFrame = 0;            ///< of the span, counted from the data start
    int64_t frameCount = 0;            ///< frames in the span
    int filled = 0;                    ///< columns complete so far, from the left
    std::vector<EnvelopeValue> values; ///< column-major: values[column × channels + channel]

    const EnvelopeValue& At(int column, int channel) const {
        return values[static_cast<size_t>(column) * channels + channel];
    }
    /// The first frame of a column, counted from the data start; ColumnStart(columns) is the
    /// end of the span.
    int64_t ColumnStart(int column) const { return firstFrame + column * frameCount / columns; }
    /// The column holding a frame (counted from the data start), or -1 outside the span.
    int ColumnOf(int64_t frame) const {
        const int64_t f = frame - firstFrame;
        return f < 0 || f >= frameCount ? -1
                                        : static_cast<int>(((f + 1) * columns - 1) / frameCount);
    }
    /// Every channel folded into one: the lowest minimum, the highest maximum and peak.
    Envelope Mixed() const;
};

/// Builds an envelope from frames handed over in file order, block by block. The frames of a
/// column are scanned as one run of samples, without a call per frame, so the run keeps pace
/// with reading the data.
class EnvelopeBuilder {
public:
    /// columns ≥ 1; the frames handed over start at firstFrame.
    EnvelopeBuilder(const WavInfo& info, int64_t firstFrame, int64_t frameCount, int columns);

    /// Takes the next count frames (blockAlign bytes each); frames beyond the span are ignored.
    void Add(const uint8_t* frames, int64_t count);
    /// A block visitor feeding Add, for ReadDataRange and for runs that share one read.
    BlockVisitor Visitor();
    const Envelope& Result() const { return m_envelope; }
    /// Frames taken so far, from the span start: where a read that stopped half-way goes on.
    int64_t Taken() const { return m_next; }

private:
    void CloseColumn();

    Envelope m_envelope;
    FrameLayout m_layout;
    bool m_packed16 = false; ///< 16-bit samples, packed, channels dividing 16
    int64_t m_next = 0;      ///< frames taken so far, from the span start
    int64_t m_columnEnd = 0; ///< span-relative end of the current column
    bool m_columnHasFrames = false;
    std::vector<int> m_min; ///< of the current column, per channel
    std::vector<int> m_max;
};

/// Called after every block with the columns filled so far, so a picture can fill in as the
/// data is read.
using EnvelopeWatch = std::function<void(const Envelope&)>;

/// The envelope of frameCount frames from firstFrame in `columns` columns (up to the end of
/// the data when frameCount < 0 or reaches past it), read in blocks; mono to 8 channels, 8 to
/// 32 bits. The run stops when the progress box reports its stop (the envelope then holds the
/// columns filled so far) and the pump runs after every block. Returns the message to show, or
/// an empty text.
QString MeasureEnvelope(const QString& path, int64_t firstFrame, int64_t frameCount, int columns,
                        const ReadProgress& progress, Envelope& envelope,
                        const EnvelopeWatch& watch = {});

/// Reads the rest of a builder's span that another run fed part of the way (a level run that
/// was stopped), with the messages and the stop of MeasureEnvelope.
QString ResumeEnvelope(const QString& path, EnvelopeBuilder& builder, const ReadProgress& progress,
                       const EnvelopeWatch& watch = {});

} // namespace veskar
