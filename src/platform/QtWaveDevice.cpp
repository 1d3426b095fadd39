#include "platform/QtWaveDevice.h"

#include <algorithm>
#include <limits>

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace veskar {

namespace {

// How often the sink is topped up and asked how far it has got.
constexpr int kFeedIntervalMs = 10;
// The buffer asked of the sound server. Large enough that a short probe goes over in one
// piece: some servers (a null sink among them) ask for more data only late.
constexpr int kBufferMs = 1000;
// A sink whose processed time has not moved for this long has broken down.
constexpr int kStallLimitMs = 5000;
// How long a stopped sink is kept before it is deleted.
constexpr int kRetiredSinkMs = 3000;

QAudioFormat ToQtFormat(const SinkLayout& sink, int sampleRate) {
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(sink.channels);
    switch (sink.sample) {
    case SinkSample::UInt8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case SinkSample::Int16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case SinkSample::Int32:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    }
    return format;
}

} // namespace

QtWaveDevice::QtWaveDevice(const SharedFlags& flags, QObject* parent) : WaveDevice(flags, parent) {
    m_feedTimer.setInterval(kFeedIntervalMs);
    m_feedTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_feedTimer, &QTimer::timeout, this, &QtWaveDevice::Feed);
}

QtWaveDevice::~QtWaveDevice() {
    Close();
}

bool QtWaveDevice::OpenFile(const QString& path) {
    m_positionMs = 0;
    return m_reader.Open(path);
}

void QtWaveDevice::CloseFile() {
    HaltSink();
    if (m_sink) {
        // The sound server may still answer an operation the sink started on its own (Qt's
        // PulseAudio sink drains the stream after an underrun) and call back into the sink
        // after it was stopped; so a stopped sink lives on a while before it is deleted.
        QAudioSink* sink = m_sink.release();
        QTimer::singleShot(kRetiredSinkMs, sink, &QObject::deleteLater);
    }
    m_reader.Close();
    m_positionMs = 0;
}

TimeMs QtWaveDevice::LengthMs() const {
    const PcmLayout& layout = m_reader.Layout();
    const int64_t ms = layout.frames * 1000 / layout.sampleRate;
    return static_cast<TimeMs>(std::min<int64_t>(ms, std::numeric_limits<TimeMs>::max()));
}

WaveFormat QtWaveDevice::Format() const {
    const PcmLayout& layout = m_reader.Layout();
    return {layout.sampleRate, layout.bitsPerSample, layout.channels};
}

TimeMs QtWaveDevice::PositionMs() const {
    if (!m_playing) {
        return m_positionMs;
    }
    const int64_t heardMs = HeardUSecs() / 1000;
    return m_fromMs + static_cast<TimeMs>(std::min<int64_t>(heardMs, m_toMs - m_fromMs));
}

int64_t QtWaveDevice::FrameOfMs(TimeMs ms) const {
    const PcmLayout& layout = m_reader.Layout();
    // The end of the file in ms is rounded down; playing to it plays the last frames too.
    if (ms >= LengthMs()) {
        return layout.frames;
    }
    return int64_t(ms) * layout.sampleRate / 1000;
}

bool QtWaveDevice::MakeSink() {
    if (m_sink) {
        return true;
    }
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        return false;
    }
    const PcmLayout& file = m_reader.Layout();
    const SinkLayout candidates[] = {
        NativeSinkLayout(file),
        {SinkSample::Int16, file.channels},
        {SinkSample::Int16, std::min(file.channels, 2)},
    };
    for (const SinkLayout& candidate : candidates) {
        const QAudioFormat format = ToQtFormat(candidate, file.sampleRate);
        if (output.isFormatSupported(format)) {
            m_sinkLayout = candidate;
            m_sink = std::make_unique<QAudioSink>(output, format);
            m_sink->setBufferSize(static_cast<qsizetype>(int64_t(SinkBytesPerFrame(candidate)) *
                                                         file.sampleRate * kBufferMs / 1000));
            return true;
        }
    }
    return false;
}

bool QtWaveDevice::StartRange(TimeMs fromMs, TimeMs toMs) {
    if (m_sounding) {
        HaltSink();
    }
    m_fromMs = fromMs;
    m_toMs = toMs;
    m_nextFrame = FrameOfMs(fromMs);
    m_endFrame = FrameOfMs(toMs);
    if (m_endFrame <= m_nextFrame) {
        // Nothing to hear: the play is over as soon as it began.
        m_positionMs = toMs;
        EndPlay(PlayResult::Successful);
        return true;
    }
    if (!MakeSink()) {
        return false;
    }
    m_rangeUSecs = (m_endFrame - m_nextFrame) * 1'000'000 / m_reader.Layout().sampleRate;
    m_pending.clear();
    m_padding = false;
    m_output = m_sink->start();
    if (!m_output || m_sink->error() != QAudio::NoError) {
        HaltSink();
        return false;
    }
    m_playing = true;
    m_lastProcessedUSecs = 0;
    m_sinceProgress.start();
    m_sinceStart.start();
    if (!Fill()) {
        HaltSink();
        return false;
    }
    m_feedTimer.start();
    return true;
}

void QtWaveDevice::StopOutput() {
    if (m_playing) {
        m_positionMs = PositionMs();
    }
    HaltSink();
}

bool QtWaveDevice::Fill() {
    const int frameBytes = SinkBytesPerFrame(m_sinkLayout);
    qint64 room = m_sink->bytesFree();
    while (room > 0) {
        if (m_pending.isEmpty()) {
            const int64_t frames = room / frameBytes;
            if (frames == 0) {
                break;
            }
            if (m_nextFrame < m_endFrame) {
                QByteArray raw;
                const int64_t got = m_reader.ReadFrames(
                    m_nextFrame, std::min(frames, m_endFrame - m_nextFrame), raw);
                if (got == 0) {
                    return false;
                }
                m_nextFrame += got;
                m_pending = ConvertFrames(raw.constData(), got, m_reader.Layout(), m_sinkLayout);
            } else {
                m_padding = true;
                m_pending = SilenceFrames(frames, m_sinkLayout);
            }
        }
        const qint64 written = m_output->write(m_pending);
        if (written <= 0) {
            break;
        }
        m_pending.remove(0, static_cast<qsizetype>(written));
        room -= written;
    }
    return true;
}

void QtWaveDevice::Feed() {
    if (!m_playing && !m_sounding) {
        return;
    }
    const QAudio::Error error = m_sink->error();
    const bool broken = m_sink->state() == QAudio::StoppedState || error == QAudio::OpenError ||
                        error == QAudio::IOError || error == QAudio::FatalError;
    if (!m_playing) {
        // After the end of a play: silence only, as long as the sink takes it.
        if (broken || !Fill()) {
            HaltSink();
        }
        return;
    }
    if (broken || !Fill()) {
        Finish(PlayResult::Failure);
        return;
    }
    const int64_t processed = ProcessedUSecs();
    if (processed != m_lastProcessedUSecs) {
        m_lastProcessedUSecs = processed;
        m_sinceProgress.restart();
    } else if (m_sinceProgress.elapsed() > kStallLimitMs) {
        Finish(PlayResult::Failure);
        return;
    }
    if (m_padding && HeardUSecs() >= m_rangeUSecs) {
        Finish(PlayResult::Successful);
    }
}

void QtWaveDevice::Finish(PlayResult result) {
    m_positionMs = result == PlayResult::Successful ? m_toMs : PositionMs();
    if (result == PlayResult::Successful) {
        // The sink plays on into silence until the next command, so that whatever of the range
        // it still holds is heard, not cut off. It is kept fed: a sink that runs dry starts
        // operations of its own on the sound server.
        m_playing = false;
        m_sounding = true;
    } else {
        HaltSink();
    }
    EndPlay(result);
}

void QtWaveDevice::HaltSink() {
    m_feedTimer.stop();
    m_playing = false;
    m_sounding = false;
    m_pending.clear();
    if (m_sink && m_output) {
        m_sink->stop();
    }
    m_output = nullptr;
}

int64_t QtWaveDevice::HeardUSecs() const {
    // The sink's processed time lags behind the clock by the output's latency, which is what
    // makes it the time heard. At the start of a stream, though, a sound server that reads
    // ahead can report far more than has been played (the latency is not yet subtracted), and
    // the sink keeps its highest report. Nothing is heard faster than the clock runs, so the
    // clock bounds it.
    return std::min<int64_t>(ProcessedUSecs(), m_sinceStart.nsecsElapsed() / 1000);
}

int64_t QtWaveDevice::ProcessedUSecs() const {
    return m_sink ? m_sink->processedUSecs() : 0;
}

} // namespace veskar
