#pragma once

#include <array>

#include <QObject>
#include <QTimer>

#include "core/mixer/MixerBackend.h"

namespace veskar {

class Messenger;
struct Settings;

/// What one panel shows. Bar heights are the height of the part of the bar that stays empty,
/// 0 .. the full height: a full bar has 0.
struct MixerSlot {
    bool shown = false; ///< bound to its line; a slot whose line or volume is missing stays hidden
    MixerLine line = MixerLine::Master;
    MixerLineInfo info;
    std::array<bool, kMixerControls> has{}; ///< the control was found and can be used
    int volumeMax = 0;
    int peakMax = 0;     ///< the peak meter's minimum, negated
    int volumeScale = 1; ///< volume units per pixel of the volume bar
    int peakScale = 1;   ///< peak units per pixel of the peak bar
    int now = 0;         ///< the volume in display units (value / 256)
    int volumeEmpty = 0;
    bool muted = false;
    int selection = -1;
    bool monitoring = false;
    int peakEmpty = 0;
    int highestPeak = 0; ///< since the last reset, in peak units
};

/// The screens that carry a pair of panels: the file screen (slots 0, 1) and the cut screen
/// (slots 2, 3). Even slots show the main output, odd slots the wave output.
enum class MixerScreen { File = 0, Cut = 1 };

/// The four volume panels over one mixer. Every value the user sets goes to the mixer and is
/// shown as the mixer reads it back; changes made elsewhere arrive through the backend's
/// ControlChanged. Failures are reported through the messenger and leave their slot hidden.
class MixerPanels : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlots = 4;
    static constexpr int kPresets = 3; ///< "Min", "V1", "V2"
    static constexpr int kPeakIntervalMs = 100;

    /// barHeight: full height of the volume and peak bars, in pixels. presets: where the
    /// screens' presets are kept ("VM*", "VW*", "VMM*", "VWM*"), in display units.
    MixerPanels(MixerBackend& backend, Messenger& messenger, Settings& presets, int barHeight,
                QObject* parent = nullptr);
    ~MixerPanels() override;

    /// Opens the mixer and binds the four slots; false when the mixer could not be opened.
    bool Open();
    /// Closes the mixer and hides every slot.
    void Close();
    bool IsOpen() const { return m_open; }
    /// The failure of the last Open, empty when it opened.
    const QString& OpenError() const { return m_openError; }

    const MixerSlot& Slot(int slot) const { return m_slots.at(slot); }
    int BarHeight() const { return m_barHeight; }
    /// The fader's range 0 .. FaderMaximum and its step, in display units.
    int FaderMaximum(int slot) const;
    int FaderStep(int slot) const;

    /// Each set is ignored while another set or a refresh runs, and when the slot has no
    /// volume control.
    void SetVolumeUnits(int slot, int units);
    void SetVolumeFromBar(int slot, int emptyHeight);
    void SetMaximum(int slot);
    void SetMinimum(int slot);
    void SetMuted(int slot, bool muted);
    void SetSelection(int slot, int index);

    /// Switches peak monitoring of the slot and resets its highest peak.
    void TogglePeak(int slot);
    /// Peaks are measured and polled only for the slots of a screen that shows; a slot keeps
    /// its monitoring choice while its screen is away.
    void SetScreenShown(MixerScreen screen, bool shown);
    void ResetHighestPeak(int slot);
    /// One tick of the peak timer: reads the peak of every monitored slot.
    void PollPeaks();
    bool PeakTimerActive() const { return m_peakTimer.isActive(); }

    /// Sets master, then wave, of the screen to preset index (0 "Min", 1 "V1", 2 "V2").
    void ApplyPreset(MixerScreen screen, int index);
    /// Stores the screen's current master and wave values into preset index.
    void StorePreset(MixerScreen screen, int index);
    int PresetValue(MixerScreen screen, MixerLine line, int index) const;

    /// Reads every control with this id into the slots that show it.
    void Refresh(uint32_t controlId);

signals:
    /// The slot's shown values or visibility changed.
    void SlotChanged(int slot);
    void PeakChanged(int slot);

private:
    void Bind(int slot, const MixerLineInfo& info);
    void SetVolumeValue(int slot, int value);
    void SetControl(int slot, MixerControl control, int value);
    /// Starts or stops the backend's measuring and the timer for what is monitored and shown.
    void UpdatePeakMonitoring();
    bool Polled(int slot) const;
    std::array<int, kPresets>& Presets(MixerScreen screen, MixerLine line) const;

    MixerBackend& m_backend;
    Messenger& m_messenger;
    Settings& m_presets;
    int m_barHeight;
    std::array<MixerSlot, kSlots> m_slots;
    bool m_open = false;
    QString m_openError;
    bool m_busy = false; ///< a set or refresh runs
    bool m_polling = false;
    std::array<bool, 2> m_screenShown{true, true};
    QTimer m_peakTimer;
};

} // namespace veskar
