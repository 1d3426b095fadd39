#include "core/play/CutScreenLines.h"

namespace veskar {

CutScreenLines::CutScreenLines(TimeLists& lists)
    : m_interval(lists.interval, PlayLines::Kind::Interval), m_registered(lists.registered) {
    for (int level = 0; level < kSubdivisionLevels; ++level) {
        m_levels[level] = std::make_unique<TimeListLines>(
            lists.subdivisions[level], PlayLines::Kind::Subdivision, SubdivisionStepMs(level));
    }
}

PlayLines* CutScreenLines::Lines(TimeListId id) {
    if (id == TimeListId::Interval) {
        return &m_interval;
    }
    if (id == TimeListId::Registered) {
        return &m_registered;
    }
    if (const int level = SubdivisionLevelOf(id); level >= 0) {
        return m_levels[level].get();
    }
    const int silence = SilenceChannelOf(id);
    if (silence >= 0 && silence < static_cast<int>(m_silence.size())) {
        return m_silence[silence].get();
    }
    return nullptr;
}

void CutScreenLines::SetSilenceList(int k, TimeList& list) {
    if (k >= 0 && k < static_cast<int>(m_silence.size())) {
        m_silence[k] = std::make_unique<TimeListLines>(list, PlayLines::Kind::Silence);
    }
}

} // namespace veskar
