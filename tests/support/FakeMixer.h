#pragma once

#include <map>

#include "core/mixer/MixerBackend.h"

namespace veskar::test {

/// A mixer in memory: master with all four controls, wave with volume and peak.
class FakeMixer : public MixerBackend {
public:
    FakeMixer() {
        for (MixerLine line : {MixerLine::Master, MixerLine::Wave}) {
            MixerLineInfo& info = lines[line];
            info.found = true;
            const uint32_t base = line == MixerLine::Master ? 0x10 : 0x20;
            const uint32_t types[] = {kVolumeControlType, kMuteControlType, kSelectionControlType,
                                      kPeakControlType};
            for (int c = 0; c < kMixerControls; ++c) {
                info.controls[c] = {true, base + c, types[c], false, -32768, 65535, {}};
            }
        }
        lines[MixerLine::Wave].controls[int(MixerControl::Mute)].found = false;
    }
    QString Open() override { return openError; }
    void Close() override {}
    MixerLineInfo Line(MixerLine line) override { return lines[line]; }
    int Value(MixerLine line, MixerControl c) override { return values[{line, c}]; }
    bool SetValue(MixerLine line, MixerControl c, int value) override {
        values[{line, c}] = value;
        return true;
    }
    void SetPeakMonitoring(MixerLine line, bool on) override { monitoring[line] = on; }

    QString openError;
    std::map<MixerLine, MixerLineInfo> lines;
    std::map<std::pair<MixerLine, MixerControl>, int> values;
    std::map<MixerLine, bool> monitoring;
};

} // namespace veskar::test
