#include "platform/PulseMixer.h"

#include <algorithm>
#include <cmath>

#include <QMetaObject>

#include <pulse/pulseaudio.h>
#include <unistd.h>

namespace veskar {

namespace {

constexpr int kPeakRange = 32768;
/// Peak readings per second: a few per tick of the panels' peak timer.
constexpr uint32_t kPeakRate = 25;

QString Text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

/// Locks the client library's thread out of our state for one scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

bool IsOwnStream(const pa_sink_input_info* info) {
    const char* pid = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_PROCESS_ID);
    return pid && QByteArray(pid) == QByteArray::number(static_cast<qint64>(getpid()));
}

} // namespace

PulseMixer::PulseMixer(QString server, QObject* parent)
    : MixerBackend(parent), m_server(std::move(server)) {}

PulseMixer::~PulseMixer() {
    Close();
}

uint32_t PulseMixer::ControlId(MixerLine line, MixerControl control) {
    return 0x100u * (static_cast<uint32_t>(line) + 1) + static_cast<uint32_t>(control);
}

void PulseMixer::SignalLoop() {
    pa_threaded_mainloop_signal(m_loop, 0);
}

void PulseMixer::OnContextState(pa_context*, void* self) {
    static_cast<PulseMixer*>(self)->SignalLoop();
}

bool PulseMixer::Wait(pa_operation* op) {
    if (!op) {
        return false;
    }
    while (pa_operation_get_state(op) == PA_OPERATION_RUNNING) {
        pa_threaded_mainloop_wait(m_loop);
    }
    const bool done = pa_operation_get_state(op) == PA_OPERATION_DONE;
    pa_operation_unref(op);
    return done;
}

QString PulseMixer::Open() {
    Close();
    m_loop = pa_threaded_mainloop_new();
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "PIRVAN SOUND カッター");
    m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), nullptr, props);
    pa_proplist_free(props);
    pa_context_set_state_callback(m_context, &PulseMixer::OnContextState, this);
    const QByteArray server = m_server.toUtf8();
    bool ready = false;
    if (pa_context_connect(m_context, m_server.isEmpty() ? nullptr : server.constData(),
                           PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
        pa_threaded_mainloop_start(m_loop) >= 0) {
        LoopLock lock(m_loop);
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(m_context);
            if (state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state)) {
                ready = state == PA_CONTEXT_READY;
                break;
            }
            pa_threaded_mainloop_wait(m_loop);
        }
    }
    if (!ready) {
        Close();
        return QStringLiteral("No audio mixer devices found.");
    }
    bool answered = false;
    {
        LoopLock lock(m_loop);
        pa_context_set_subscribe_callback(
            m_context,
            [](pa_context* c, pa_subscription_event_type_t t, uint32_t index, void* self) {
                OnSubscription(c, static_cast<int>(t), index, self);
            },
            this);
        const auto mask = static_cast<pa_subscription_mask_t>(
            PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SINK_INPUT | PA_SUBSCRIPTION_MASK_SERVER);
        answered = Wait(pa_context_subscribe(m_context, mask, &PulseMixer::OnSuccess, this)) &&
                   m_opSucceeded && Wait(QueryServer());
        if (answered) {
            // A server without any sink has no default: the panels report the missing line.
            if (!m_defaultSink.isEmpty()) {
                Wait(QuerySink());
            }
            Wait(pa_context_get_sink_input_info_list(m_context, &PulseMixer::OnSinkInput, this));
            m_live = true;
        }
    }
    if (!answered) {
        Close();
        return QStringLiteral("Error opening mixer DevId = 0");
    }
    return {};
}

void PulseMixer::Close() {
    if (!m_loop) {
        return;
    }
    {
        LoopLock lock(m_loop);
        m_live = false;
        StopPeak(MixerLine::Master);
        StopPeak(MixerLine::Wave);
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
    m_loop = nullptr;
    m_lines = {};
    m_ownInputs.clear();
    m_defaultSink.clear();
}

void PulseMixer::OnSuccess(pa_context*, int success, void* self) {
    auto* mixer = static_cast<PulseMixer*>(self);
    mixer->m_opSucceeded = success != 0;
    mixer->SignalLoop();
}

pa_operation* PulseMixer::QueryServer() {
    return pa_context_get_server_info(
        m_context,
        [](pa_context*, const pa_server_info* info, void* self) {
            auto* mixer = static_cast<PulseMixer*>(self);
            const QString sink = info ? Text(info->default_sink_name) : QString();
            const bool changed = sink != mixer->m_defaultSink;
            mixer->m_defaultSink = sink;
            if (changed && mixer->m_live) {
                // Another output became the main one.
                mixer->StopPeak(MixerLine::Master);
                const bool monitoring = mixer->m_lines[0].monitoring;
                mixer->m_lines[0] = {};
                mixer->m_lines[0].monitoring = monitoring;
                if (!sink.isEmpty()) {
                    Drop(mixer->QuerySink());
                }
                mixer->Notify(MixerLine::Master, {MixerControl::Volume, MixerControl::Mute, MixerControl::Selection});
            }
            mixer->SignalLoop();
        },
        this);
}

pa_operation* PulseMixer::QuerySink() {
    const QByteArray name = m_defaultSink.toUtf8();
    return pa_context_get_sink_info_by_name(m_context, name.constData(), &PulseMixer::OnSink, this);
}

void PulseMixer::OnSink(pa_context*, const pa_sink_info* info, int eol, void* self) {
    auto* mixer = static_cast<PulseMixer*>(self);
    if (eol != 0 || !info) {
        mixer->SignalLoop();
        return;
    }
    if (Text(info->name) != mixer->m_defaultSink) {
        return;
    }
    LineState& master = mixer->m_lines[0];
    master.index = info->index;
    master.channels = info->volume.channels;
    master.volume = static_cast<int>(pa_cvolume_max(&info->volume));
    master.muted = info->mute != 0;
    master.monitorSource = Text(info->monitor_source_name);
    master.ports.clear();
    master.portNames.clear();
    master.activePort = -1;
    for (uint32_t i = 0; i < info->n_ports; ++i) {
        const pa_sink_port_info* port = info->ports[i];
        master.ports << Text(port->description ? port->description : port->name);
        master.portNames << Text(port->name);
        if (port == info->active_port) {
            master.activePort = static_cast<int>(i);
        }
    }
    if (mixer->m_live) {
        if (master.monitoring) {
            mixer->StartPeak(MixerLine::Master);
        }
        mixer->Notify(MixerLine::Master, {MixerControl::Volume, MixerControl::Mute, MixerControl::Selection});
    }
}

void PulseMixer::OnSinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* self) {
    auto* mixer = static_cast<PulseMixer*>(self);
    if (eol != 0 || !info) {
        mixer->SignalLoop();
        return;
    }
    if (!IsOwnStream(info)) {
        return;
    }
    LineState& wave = mixer->m_lines[1];
    const bool isNew = !mixer->m_ownInputs.count(info->index);
    mixer->m_ownInputs[info->index] = info->volume.channels;
    wave.index = mixer->m_ownInputs.rbegin()->first;
    wave.channels = info->volume.channels;
    const int volume = static_cast<int>(pa_cvolume_max(&info->volume));
    const bool muted = info->mute != 0;
    if (isNew && mixer->m_live) {
        // A stream that starts plays at the wave volume set here.
        if (volume != mixer->m_waveVolume || muted != mixer->m_waveMuted) {
            mixer->ApplyWave(info->index);
        }
        if (wave.monitoring) {
            mixer->StopPeak(MixerLine::Wave);
            mixer->StartPeak(MixerLine::Wave);
        }
        return;
    }
    if (volume != mixer->m_waveVolume || muted != mixer->m_waveMuted) {
        mixer->m_waveVolume = volume;
        mixer->m_waveMuted = muted;
        if (mixer->m_live) {
            mixer->Notify(MixerLine::Wave, {MixerControl::Volume, MixerControl::Mute});
        }
    }
}

void PulseMixer::OnSubscription(pa_context* context, int type, uint32_t index, void* self) {
    auto* mixer = static_cast<PulseMixer*>(self);
    const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (!mixer->m_live) {
        return;
    }
    switch (facility) {
    case PA_SUBSCRIPTION_EVENT_SERVER:
        Drop(mixer->QueryServer());
        break;
    case PA_SUBSCRIPTION_EVENT_SINK:
        if (kind == PA_SUBSCRIPTION_EVENT_CHANGE && index == mixer->m_lines[0].index) {
            Drop(mixer->QuerySink());
        }
        break;
    case PA_SUBSCRIPTION_EVENT_SINK_INPUT:
        if (kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
            mixer->m_ownInputs.erase(index);
            LineState& wave = mixer->m_lines[1];
            if (wave.index == index) {
                mixer->StopPeak(MixerLine::Wave);
                wave.index = mixer->m_ownInputs.empty() ? PA_INVALID_INDEX : mixer->m_ownInputs.rbegin()->first;
            }
        } else {
            Drop(pa_context_get_sink_input_info(context, index, &PulseMixer::OnSinkInput, mixer));
        }
        break;
    default:
        break;
    }
}

void PulseMixer::Drop(pa_operation* op) {
    if (op) {
        pa_operation_unref(op);
    }
}

void PulseMixer::ApplyWave(uint32_t sinkInput) {
    const auto it = m_ownInputs.find(sinkInput);
    if (it == m_ownInputs.end()) {
        return;
    }
    pa_cvolume volume;
    pa_cvolume_set(&volume, static_cast<unsigned>(std::max(1, it->second)),
                   static_cast<pa_volume_t>(m_waveVolume));
    Drop(pa_context_set_sink_input_volume(m_context, sinkInput, &volume, nullptr, nullptr));
    Drop(pa_context_set_sink_input_mute(m_context, sinkInput, m_waveMuted ? 1 : 0, nullptr, nullptr));
}

void PulseMixer::Notify(MixerLine line, std::initializer_list<MixerControl> controls) {
    for (const MixerControl control : controls) {
        const uint32_t id = ControlId(line, control);
        QMetaObject::invokeMethod(this, [this, id] { emit ControlChanged(id); }, Qt::QueuedConnection);
    }
}

MixerLineInfo PulseMixer::Line(MixerLine line) {
    MixerLineInfo info;
    if (!m_loop) {
        return info;
    }
    LoopLock lock(m_loop);
    const LineState& master = m_lines[0];
    const LineState& state = m_lines[static_cast<int>(line)];
    // The program's own output is always there: it takes its volume when a stream starts.
    info.found = line == MixerLine::Wave || master.index != PA_INVALID_INDEX;
    info.lineId = static_cast<uint32_t>(line);
    info.channels = state.channels > 0 ? state.channels : 2;
    info.name = line == MixerLine::Master ? QStringLiteral("MAIN") : QStringLiteral("wave");
    auto set = [&](MixerControl control, uint32_t type, bool found, int minimum, int maximum) {
        MixerControlInfo& c = info.controls[static_cast<int>(control)];
        c = {found, ControlId(line, control), type, false, minimum, maximum, {}};
    };
    set(MixerControl::Volume, kVolumeControlType, true, 0, static_cast<int>(PA_VOLUME_NORM));
    set(MixerControl::Mute, kMuteControlType, true, 0, 1);
    const bool hasPorts = line == MixerLine::Master && !master.ports.isEmpty();
    set(MixerControl::Selection, kSelectionControlType, hasPorts, 0, static_cast<int>(master.ports.size()) - 1);
    if (hasPorts) {
        info.controls[static_cast<int>(MixerControl::Selection)].items = master.ports;
    }
    set(MixerControl::Peak, kPeakControlType, !master.monitorSource.isEmpty(), -kPeakRange, kPeakRange - 1);
    return info;
}

int PulseMixer::Value(MixerLine line, MixerControl control) {
    if (!m_loop) {
        return 0;
    }
    LoopLock lock(m_loop);
    const LineState& state = m_lines[static_cast<int>(line)];
    const bool wave = line == MixerLine::Wave;
    switch (control) {
    case MixerControl::Volume:
        // Above 100 % the fader shows its top.
        return std::min(wave ? m_waveVolume : state.volume, static_cast<int>(PA_VOLUME_NORM));
    case MixerControl::Mute:
        return (wave ? m_waveMuted : state.muted) ? 1 : 0;
    case MixerControl::Selection:
        return state.activePort;
    case MixerControl::Peak:
        return std::min(kPeakRange - 1, static_cast<int>(std::lround(state.peak * kPeakRange)));
    }
    return 0;
}

bool PulseMixer::SetValue(MixerLine line, MixerControl control, int value) {
    if (!m_loop) {
        return false;
    }
    LoopLock lock(m_loop);
    LineState& state = m_lines[static_cast<int>(line)];
    if (line == MixerLine::Wave) {
        if (control == MixerControl::Volume) {
            m_waveVolume = value;
        } else if (control == MixerControl::Mute) {
            m_waveMuted = value != 0;
        } else {
            return false;
        }
        for (const auto& input : m_ownInputs) {
            ApplyWave(input.first);
        }
        return true;
    }
    if (state.index == PA_INVALID_INDEX) {
        return false;
    }
    m_opSucceeded = false;
    switch (control) {
    case MixerControl::Volume: {
        pa_cvolume volume;
        pa_cvolume_set(&volume, static_cast<unsigned>(std::max(1, state.channels)),
                       static_cast<pa_volume_t>(value));
        if (Wait(pa_context_set_sink_volume_by_index(m_context, state.index, &volume,
                                                     &PulseMixer::OnSuccess, this)) && m_opSucceeded) {
            state.volume = value;
        }
        break;
    }
    case MixerControl::Mute:
        if (Wait(pa_context_set_sink_mute_by_index(m_context, state.index, value != 0 ? 1 : 0,
                                                   &PulseMixer::OnSuccess, this)) && m_opSucceeded) {
            state.muted = value != 0;
        }
        break;
    case MixerControl::Selection:
        if (value >= 0 && value < state.portNames.size()) {
            const QByteArray port = state.portNames[value].toUtf8();
            if (Wait(pa_context_set_sink_port_by_index(m_context, state.index, port.constData(),
                                                       &PulseMixer::OnSuccess, this)) && m_opSucceeded) {
                state.activePort = value;
            }
        }
        break;
    case MixerControl::Peak:
        break;
    }
    return m_opSucceeded;
}

void PulseMixer::SetPeakMonitoring(MixerLine line, bool on) {
    if (!m_loop) {
        return;
    }
    LoopLock lock(m_loop);
    LineState& state = m_lines[static_cast<int>(line)];
    if (state.monitoring == on) {
        return;
    }
    state.monitoring = on;
    on ? StartPeak(line) : StopPeak(line);
}

void PulseMixer::StartPeak(MixerLine line) {
    LineState& state = m_lines[static_cast<int>(line)];
    const QString& source = m_lines[0].monitorSource;
    if (state.peakStream || source.isEmpty() || state.index == PA_INVALID_INDEX) {
        return; // the wave meter starts with the next stream of ours
    }
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kPeakRate, 1};
    pa_stream* stream = pa_stream_new(m_context, "peak", &spec, nullptr);
    if (!stream) {
        return;
    }
    if (line == MixerLine::Wave) {
        pa_stream_set_monitor_stream(stream, state.index);
    }
    pa_stream_set_read_callback(
        stream,
        [](pa_stream* s, size_t, void* target) {
            float peak = 0;
            const void* data = nullptr;
            size_t bytes = 0;
            while (pa_stream_readable_size(s) > 0 && pa_stream_peek(s, &data, &bytes) == 0) {
                if (data) {
                    const auto* samples = static_cast<const float*>(data);
                    for (size_t i = 0; i < bytes / sizeof(float); ++i) {
                        peak = std::max(peak, std::fabs(samples[i]));
                    }
                }
                if (bytes == 0) {
                    break;
                }
                pa_stream_drop(s);
            }
            static_cast<LineState*>(target)->peak = std::min(peak, 1.0f);
        },
        &state);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = sizeof(float);
    const QByteArray name = source.toUtf8();
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_DONT_MOVE | PA_STREAM_PEAK_DETECT |
                                                      PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_record(stream, name.constData(), &attr, flags) < 0) {
        pa_stream_unref(stream);
        return;
    }
    state.peakStream = stream;
}

void PulseMixer::StopPeak(MixerLine line) {
    LineState& state = m_lines[static_cast<int>(line)];
    if (state.peakStream) {
        pa_stream_set_read_callback(state.peakStream, nullptr, nullptr);
        pa_stream_disconnect(state.peakStream);
        pa_stream_unref(state.peakStream);
        state.peakStream = nullptr;
    }
    state.peak = 0;
}

} // namespace veskar
