#pragma once

#include <optional>

#include <QString>

#include "core/timelists/TimeMs.h"

namespace veskar {

/// A list of the cut screen whose lines play, as the play engine walks it: the equal-interval
/// list, the subdivision lists, the registered list, the silence lists and the numbered table.
class PlayLines {
public:
    enum class Kind {
        Interval,    ///< ListBox_ALL
        Subdivision, ///< ListBox_1ms .. ListBox_60s: the last line plays one step
        Registered,  ///< ListBox_C: tagged lines steer continuous playback
        Silence,     ///< ListBox_MS0 .. ListBox_MS5
        Table,       ///< ListView_T: rows carry their own end, and playback wraps around
    };

    virtual ~PlayLines() = default;

    virtual Kind LinesKind() const = 0;
    /// The step of a subdivision list in ms; 0 for the other lists.
    virtual TimeMs StepMs() const { return 0; }
    virtual int Count() const = 0;
    /// The current line, -1 when none (the table: its first selected row).
    virtual int Current() const = 0;
    /// Makes the line current and the only selected one (the table also focuses the row and
    /// scrolls it into view).
    virtual void SelectOnly(int line) = 0;
    /// The time text of a line (the table: the row's start).
    virtual QString Text(int line) const = 0;
    /// The table's end text of a row; nothing for the other lists.
    virtual std::optional<QString> EndText(int line) const {
        Q_UNUSED(line);
        return std::nullopt;
    }
    /// The start-colour tag of a line: "" or "1".."6"; "" for lists without tags.
    virtual QString Tag(int line) const {
        Q_UNUSED(line);
        return {};
    }
};

} // namespace veskar
