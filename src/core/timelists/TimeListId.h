#pragma once

namespace veskar {

/// Names of the cut screen's time lists, for whoever must say which list a line came from:
/// the last clicked list, the pop-up menu's target (`PopupTargetList`), the list a cut walks.
/// Levels 0..5 are the subdivision lists in their usual order.
enum class TimeListId : int {
    Level1ms = 0,
    Level10ms = 1,
    Level100ms = 2,
    Level1s = 3,
    Level10s = 4,
    Level60s = 5,
    Interval = 6,   ///< ListBox_ALL
    Registered = 7, ///< ListBox_C
    Silence0 = 8,   ///< ListBox_MS0; Silence0 + k is ListBox_MSk
    None = -1,
};

/// The subdivision level of a list id (0 = 1 ms .. 5 = 60 s), or -1 for any other list.
constexpr int SubdivisionLevelOf(TimeListId id) {
    const int level = static_cast<int>(id);
    return level >= 0 && level <= static_cast<int>(TimeListId::Level60s) ? level : -1;
}

/// The id of subdivision level 0..5.
constexpr TimeListId SubdivisionListId(int level) {
    return static_cast<TimeListId>(level);
}

/// The silence list number of an id (0 for ListBox_MS0, and on), or -1 for any other list.
constexpr int SilenceChannelOf(TimeListId id) {
    const int channel = static_cast<int>(id) - static_cast<int>(TimeListId::Silence0);
    return channel >= 0 ? channel : -1;
}

/// The id of silence list 0..5 (ListBox_MS0 .. ListBox_MS5).
constexpr TimeListId SilenceListId(int channel) {
    return static_cast<TimeListId>(static_cast<int>(TimeListId::Silence0) + channel);
}

} // namespace veskar
