#pragma once

#include <array>
#include <map>

#include <QString>
#include <QStringList>

#include "core/mixer/MixerBackend.h"

struct pa_context;
struct pa_operation;
struct pa_sink_info;
struct pa_sink_input_info;
struct pa_stream;
struct pa_threaded_mainloop;

namespace veskar {

/// The mixer over the PulseAudio client library (served by pipewire-pulse on PipeWire desktops).
/// Master is the server's default sink: its volume (0 .. 65536, uniform over the channels), its
/// mute, its ports as the line selection, and the peak of its monitor source. Wave is this
/// program's own playback: the volume and mute set here go to every stream of ours, also to one
/// that starts later, and its peak is measured on our newest stream.
///
/// The client library runs its own thread. Values are cached there from the server's replies and
/// subscription events; the panels read the cache, and ControlChanged reaches them queued on
/// this object's thread.
class PulseMixer : public MixerBackend {
    Q_OBJECT
public:
    /// server: the server to connect to; empty for the user's default.
    explicit PulseMixer(QString server = {}, QObject* parent = nullptr);
    ~PulseMixer() override;

    QString Open() override;
    void Close() override;
    MixerLineInfo Line(MixerLine line) override;
    int Value(MixerLine line, MixerControl control) override;
    bool SetValue(MixerLine line, MixerControl control, int value) override;
    void SetPeakMonitoring(MixerLine line, bool on) override;

    static uint32_t ControlId(MixerLine line, MixerControl control);

private:
    struct LineState {
        uint32_t index = UINT32_MAX; ///< sink or newest own sink input; UINT32_MAX when none
        int channels = 0;
        int volume = 0;
        bool muted = false;
        QStringList ports; ///< descriptions, in the server's order
        QStringList portNames;
        int activePort = -1;
        QString monitorSource;
        bool monitoring = false;
        pa_stream* peakStream = nullptr;
        float peak = 0; ///< latest peak, 0..1
    };

    static void OnContextState(pa_context* context, void* self);
    static void OnSuccess(pa_context* context, int success, void* self);
    static void OnSubscription(pa_context* context, int type, uint32_t index, void* self);
    static void OnSink(pa_context* context, const pa_sink_info* info, int eol, void* self);
    static void OnSinkInput(pa_context* context, const pa_sink_input_info* info, int eol, void* self);
    static void Drop(pa_operation* op);
    pa_operation* QueryServer();
    pa_operation* QuerySink();
    void ApplyWave(uint32_t sinkInput);
    void StartPeak(MixerLine line);
    void StopPeak(MixerLine line);
    /// Waits for op, with the loop locked; false when it failed.
    bool Wait(pa_operation* op);
    void Notify(MixerLine line, std::initializer_list<MixerControl> controls);
    void SignalLoop();

    QString m_server;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    QString m_defaultSink;
    std::array<LineState, 2> m_lines;
    std::map<uint32_t, int> m_ownInputs; ///< our sink inputs and their channel counts
    int m_waveVolume = 65536;
    bool m_waveMuted = false;
    bool m_opSucceeded = false;
    bool m_live = false; ///< opened: replies and events update the cache and reach the panels
};

} // namespace veskar
