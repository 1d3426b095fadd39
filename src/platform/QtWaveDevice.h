#pragma once

#include <memory>

#include <QAudioFormat>
#include <QElapsedTimer>
#include <QTimer>

#include "core/play/WaveDevice.h"
#include "platform/PcmConvert.h"
#include "platform/PcmRangeReader.h"

class QAudioSink;
class QIODevice;

namespace veskar {

/// The wave device on Qt Multimedia: our own PCM reader feeds a QAudioSink on the default
/// output, converting 24-bit (and other widths the output refuses) on the way.
///
/// A play is over when the range has been heard: when the output reports it has processed every
/// byte of it (bounded by the clock, see HeardUSecs), not when the last byte was handed over.
/// Behind the range the sink is fed silence: a sound server only starts a stream once its
/// buffer is full, and a range shorter than the buffer would otherwise never start. After a
/// play ends the sink runs on into that silence until the next command.
/// Opening needs no sound output at all, so lengths and formats are known on a machine without
/// one; only playing fails there.
class QtWaveDevice : public WaveDevice {
    Q_OBJECT
public:
    explicit QtWaveDevice(const SharedFlags& flags, QObject* parent = nullptr);
    ~QtWaveDevice() override;

protected:
    bool OpenFile(const QString& path) override;
    void CloseFile() override;
    TimeMs LengthMs() const override;
    WaveFormat Format() const override;
    TimeMs PositionMs() const override;
    bool StartRange(TimeMs fromMs, TimeMs toMs) override;
    void StopOutput() override;

private:
    bool MakeSink();
    void Feed();
    /// Hands the sink as much range data (then silence) as it has room for; false when the
    /// file could not be read.
    bool Fill();
    void Finish(PlayResult result);
    void HaltSink();
    int64_t ProcessedUSecs() const;
    /// How much of the range has been heard, in µs.
    int64_t HeardUSecs() const;
    int64_t FrameOfMs(TimeMs ms) const;

    PcmRangeReader m_reader;
    SinkLayout m_sinkLayout;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice* m_output = nullptr;
    QTimer m_feedTimer;

    bool m_playing = false;
    bool m_sounding = false; ///< a play has ended; the sink runs on into silence
    TimeMs m_fromMs = 0;
    TimeMs m_toMs = 0;
    TimeMs m_positionMs = 0; ///< where the last play stopped or ended
    int64_t m_nextFrame = 0;
    int64_t m_endFrame = 0;
    int64_t m_rangeUSecs = 0; ///< length of the range's frames in µs
    QByteArray m_pending;     ///< converted bytes the sink has not taken yet
    bool m_padding = false;   ///< the range is handed over; silence follows
    int64_t m_lastProcessedUSecs = 0;
    QElapsedTimer m_sinceProgress;
    QElapsedTimer m_sinceStart;
};

} // namespace veskar
