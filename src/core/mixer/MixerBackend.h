#pragma once

#include <array>
#include <cstdint>

#include <QObject>
#include <QString>
#include <QStringList>

namespace veskar {

/// The two lines a panel can show: the sound card's main output and the program's own wave output.
enum class MixerLine { Master = 0, Wave = 1 };

/// The four controls of a line, in the order of MixerLineInfo::controls.
enum class MixerControl { Volume = 0, Mute = 1, Selection = 2, Peak = 3 };
inline constexpr int kMixerControls = 4;

/// The type each control must have, as the mixer publishes it.
inline constexpr uint32_t kVolumeControlType = 0x50030001;
inline constexpr uint32_t kMuteControlType = 0x20010002;
inline constexpr uint32_t kSelectionControlType = 0x70010001;
inline constexpr uint32_t kPeakControlType = 0x10020001;

/// One control of a line as the mixer describes it.
struct MixerControlInfo {
    bool found = false;
    uint32_t id = 0;
    uint32_t type = 0;
    bool disabled = false;
    int minimum = 0;
    int maximum = 0;
    /// The selection's item names; empty for the other controls.
    QStringList items;
};

/// A line and its controls. A line the mixer lacks has found false; a query that failed leaves
/// its message in error.
struct MixerLineInfo {
    bool found = false;
    uint32_t lineId = 0;
    int channels = 0;
    QString name;
    QString error;
    std::array<MixerControlInfo, kMixerControls> controls;
};

/// The sound server's mixer as the panels see it. Values are the control's own units: volume
/// 0..maximum, mute 0 or 1, selection the item index, peak the latest peak (may be negative).
/// ControlChanged is emitted on the owner's thread when a control changed, from here or elsewhere.
class MixerBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MixerBackend() override = default;

    /// Connects to the mixer; the failure message, empty on success.
    virtual QString Open() = 0;
    virtual void Close() = 0;
    virtual MixerLineInfo Line(MixerLine line) = 0;
    virtual int Value(MixerLine line, MixerControl control) = 0;
    /// Writes a value (volume: one value for every channel); false when the mixer refused it.
    virtual bool SetValue(MixerLine line, MixerControl control, int value) = 0;
    /// Peaks are measured only while asked for, since measuring costs the server work.
    virtual void SetPeakMonitoring(MixerLine line, bool on) = 0;

signals:
    void ControlChanged(uint32_t controlId);
};

} // namespace veskar
