#include "core/mixer/MixerPanels.h"

#include <algorithm>
#include <cstdlib>

#include "core/host/Messenger.h"
#include "core/settings/Settings.h"
#include "core/wav/Rounding.h"

namespace veskar {

namespace {

constexpr std::array<uint32_t, kMixerControls> kControlTypes{
    kVolumeControlType, kMuteControlType, kSelectionControlType, kPeakControlType};

QString Hex8(uint32_t value) {
    return QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

int Rounded(double value) {
    return static_cast<int>(RoundHalfEven(value));
}

/// Units per pixel; never 0, so a mixer with a tiny range still draws.
int BarScale(int maximum, int barHeight) {
    return std::max(1, Rounded(static_cast<double>(maximum) / barHeight));
}

constexpr int kDisplayUnit = 256;

} // namespace

MixerPanels::MixerPanels(MixerBackend& backend, Messenger& messenger, Settings& presets,
                         int barHeight, QObject* parent)
    : QObject(parent), m_backend(backend), m_messenger(messenger), m_presets(presets),
      m_barHeight(std::max(1, barHeight)) {
    for (int i = 0; i < kSlots; ++i) {
        m_slots[i].line = i % 2 == 0 ? MixerLine::Master : MixerLine::Wave;
    }
    m_peakTimer.setInterval(kPeakIntervalMs);
    connect(&m_peakTimer, &QTimer::timeout, this, &MixerPanels::PollPeaks);
    connect(&m_backend, &MixerBackend::ControlChanged, this, &MixerPanels::Refresh);
}

MixerPanels::~MixerPanels() {
    disconnect(&m_backend, nullptr, this, nullptr);
}

bool MixerPanels::Open() {
    Close();
    m_openError = m_backend.Open();
    if (m_openError.isEmpty()) {
        const MixerLineInfo master = m_backend.Line(MixerLine::Master);
        if (!master.found) {
            m_backend.Close();
            m_openError = QStringLiteral("Error, component not found!");
        } else {
            m_open = true;
            const MixerLineInfo wave = m_backend.Line(MixerLine::Wave);
            for (int i = 0; i < kSlots; ++i) {
                Bind(i, m_slots[i].line == MixerLine::Master ? master : wave);
            }
        }
    }
    if (!m_openError.isEmpty()) {
        m_messenger.ShowTimedMessage(m_openError, Messenger::Ok);
    }
    return m_open;
}

void MixerPanels::Close() {
    m_peakTimer.stop();
    if (m_open) {
        m_backend.SetPeakMonitoring(MixerLine::Master, false);
        m_backend.SetPeakMonitoring(MixerLine::Wave, false);
        m_backend.Close();
    }
    m_open = false;
    for (int i = 0; i < kSlots; ++i) {
        const MixerLine line = m_slots[i].line;
        m_slots[i] = MixerSlot{};
        m_slots[i].line = line;
        emit SlotChanged(i);
    }
}

void MixerPanels::Bind(int slot, const MixerLineInfo& info) {
    MixerSlot& s = m_slots[slot];
    if (!info.found) {
        return;
    }
    auto fail = [this](const QString& text) { m_messenger.ShowTimedMessage(text, Messenger::Ok); };
    if (!info.error.isEmpty()) {
        fail(info.error);
        return;
    }
    if (std::none_of(info.controls.begin(), info.controls.end(),
                     [](const MixerControlInfo& c) { return c.found; })) {
        fail(QStringLiteral("There are no controls associated with the selected line."));
        return;
    }
    for (int c = 0; c < kMixerControls; ++c) {
        const MixerControlInfo& control = info.controls[c];
        if (!control.found) {
            continue;
        }
        if (control.type != kControlTypes[c]) {
            fail(QStringLiteral("Incorrect control type (dwControlType=%1h).").arg(Hex8(control.type)));
            return;
        }
        if (control.disabled) {
            fail(QStringLiteral("This control (ctrlid=%1h) is disabled.").arg(Hex8(control.id)));
            return;
        }
    }
    const MixerControlInfo& volume = info.controls[int(MixerControl::Volume)];
    if (!volume.found) {
        fail(QStringLiteral("Unable to find volume control..."));
        return;
    }
    s.info = info;
    for (int c = 0; c < kMixerControls; ++c) {
        s.has[c] = info.controls[c].found;
    }
    s.volumeMax = volume.maximum;
    s.volumeScale = BarScale(s.volumeMax, m_barHeight);
    const MixerControlInfo& peak = info.controls[int(MixerControl::Peak)];
    s.peakMax = -peak.minimum;
    s.peakScale = BarScale(s.peakMax, m_barHeight);
    s.peakEmpty = m_barHeight;
    s.shown = true;
    for (const MixerControlInfo& control : info.controls) {
        if (control.found) {
            Refresh(control.id);
        }
    }
    emit SlotChanged(slot);
}

int MixerPanels::FaderMaximum(int slot) const {
    return Rounded(static_cast<double>(m_slots.at(slot).volumeMax) / kDisplayUnit);
}

int MixerPanels::FaderStep(int slot) const {
    return Rounded(static_cast<double>(m_slots.at(slot).volumeMax) / 8192);
}

void MixerPanels::SetVolumeUnits(int slot, int units) {
    SetVolumeValue(slot, units * kDisplayUnit);
}

void MixerPanels::SetVolumeFromBar(int slot, int emptyHeight) {
    const MixerSlot& s = m_slots.at(slot);
    const int height = std::clamp(emptyHeight, 0, m_barHeight);
    SetVolumeValue(slot, s.volumeMax - s.volumeScale * height);
}

void MixerPanels::SetMaximum(int slot) {
    SetVolumeValue(slot, m_slots.at(slot).volumeMax);
}

void MixerPanels::SetMinimum(int slot) {
    SetVolumeValue(slot, 0);
}

void MixerPanels::SetVolumeValue(int slot, int value) {
    const MixerSlot& s = m_slots.at(slot);
    SetControl(slot, MixerControl::Volume, std::clamp(value, 0, s.volumeMax));
}

void MixerPanels::SetMuted(int slot, bool muted) {
    SetControl(slot, MixerControl::Mute, muted ? 1 : 0);
}

void MixerPanels::SetSelection(int slot, int index) {
    SetControl(slot, MixerControl::Selection, index);
}

void MixerPanels::SetControl(int slot, MixerControl control, int value) {
    const MixerSlot& s = m_slots.at(slot);
    if (m_busy || !s.shown || !s.has[int(control)]) {
        return;
    }
    m_busy = true;
    m_backend.SetValue(s.line, control, value);
    m_busy = false;
    // Shows what the mixer took, which may differ from what was asked.
    Refresh(s.info.controls[int(control)].id);
}

void MixerPanels::Refresh(uint32_t controlId) {
    const bool wasBusy = m_busy;
    m_busy = true;
    for (int i = 0; i < kSlots; ++i) {
        MixerSlot& s = m_slots[i];
        if (!s.shown) {
            continue;
        }
        bool changed = false;
        for (int c = 0; c < kMixerControls; ++c) {
            if (!s.has[c] || s.info.controls[c].id != controlId) {
                continue;
            }
            const auto control = static_cast<MixerControl>(c);
            if (control == MixerControl::Peak) {
                continue; // read by the peak timer only
            }
            const int value = m_backend.Value(s.line, control);
            switch (control) {
            case MixerControl::Volume:
                s.now = Rounded(static_cast<double>(value) / kDisplayUnit);
                s.volumeEmpty = std::clamp(
                    Rounded(static_cast<double>(s.volumeMax - value) / s.volumeScale), 0, m_barHeight);
                break;
            case MixerControl::Mute:
                s.muted = value == 1;
                break;
            case MixerControl::Selection:
                s.selection = value;
                break;
            case MixerControl::Peak:
                break;
            }
            changed = true;
        }
        if (changed) {
            emit SlotChanged(i);
        }
    }
    m_busy = wasBusy;
}

void MixerPanels::TogglePeak(int slot) {
    MixerSlot& s = m_slots.at(slot);
    if (!s.shown || !s.has[int(MixerControl::Peak)]) {
        return;
    }
    s.monitoring = !s.monitoring;
    s.highestPeak = 0;
    s.peakEmpty = m_barHeight;
    UpdatePeakMonitoring();
    emit PeakChanged(slot);
}

void MixerPanels::SetScreenShown(MixerScreen screen, bool shown) {
    m_screenShown[int(screen)] = shown;
    UpdatePeakMonitoring();
}

bool MixerPanels::Polled(int slot) const {
    return m_slots[slot].monitoring && m_screenShown[slot / 2];
}

void MixerPanels::UpdatePeakMonitoring() {
    std::array<bool, 2> lines{};
    for (int i = 0; i < kSlots; ++i) {
        lines[int(m_slots[i].line)] = lines[int(m_slots[i].line)] || Polled(i);
    }
    if (m_open) {
        m_backend.SetPeakMonitoring(MixerLine::Master, lines[0]);
        m_backend.SetPeakMonitoring(MixerLine::Wave, lines[1]);
    }
    if (!lines[0] && !lines[1]) {
        m_peakTimer.stop();
    } else if (!m_peakTimer.isActive()) {
        m_peakTimer.start();
    }
}

void MixerPanels::ResetHighestPeak(int slot) {
    m_slots.at(slot).highestPeak = 0;
    emit PeakChanged(slot);
}

void MixerPanels::PollPeaks() {
    if (m_polling) {
        return;
    }
    m_polling = true;
    for (int i = 0; i < kSlots; ++i) {
        MixerSlot& s = m_slots[i];
        if (!Polled(i)) {
            continue;
        }
        const int peak = std::abs(m_backend.Value(s.line, MixerControl::Peak));
        s.peakEmpty = std::clamp(Rounded(static_cast<double>(s.peakMax - peak) / s.peakScale), 0,
                                 m_barHeight);
        s.highestPeak = std::max(s.highestPeak, peak);
        emit PeakChanged(i);
    }
    m_polling = false;
}

std::array<int, MixerPanels::kPresets>& MixerPanels::Presets(MixerScreen screen,
                                                            MixerLine line) const {
    const bool master = line == MixerLine::Master;
    if (screen == MixerScreen::File) {
        return master ? m_presets.fileMasterPresets : m_presets.fileWavePresets;
    }
    return master ? m_presets.cutMasterPresets : m_presets.cutWavePresets;
}

int MixerPanels::PresetValue(MixerScreen screen, MixerLine line, int index) const {
    return Presets(screen, line).at(index);
}

void MixerPanels::ApplyPreset(MixerScreen screen, int index) {
    const int first = int(screen) * 2;
    SetVolumeUnits(first, Presets(screen, MixerLine::Master).at(index));
    SetVolumeUnits(first + 1, Presets(screen, MixerLine::Wave).at(index));
}

void MixerPanels::StorePreset(MixerScreen screen, int index) {
    const int first = int(screen) * 2;
    for (int i = first; i < first + 2; ++i) {
        if (m_slots[i].shown) {
            Presets(screen, m_slots[i].line).at(index) = m_slots[i].now;
        }
    }
}

} // namespace veskar
