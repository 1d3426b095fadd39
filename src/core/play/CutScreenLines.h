#pragma once

#include <array>
#include <memory>

#include "core/play/PlayLines.h"
#include "core/timelists/NumberedTimeTable.h"
#include "core/timelists/TimeLists.h"

namespace veskar {

/// A time list (TimeList) as the play engine walks it.
class TimeListLines : public PlayLines {
public:
    TimeListLines(TimeList& list, Kind kind, TimeMs stepMs = 0)
        : m_list(list), m_kind(kind), m_stepMs(stepMs) {}

    Kind LinesKind() const override { return m_kind; }
    TimeMs StepMs() const override { return m_stepMs; }
    int Count() const override { return m_list.Count(); }
    int Current() const override { return m_list.Current(); }
    void SelectOnly(int line) override { m_list.SelectOnly(line); }
    QString Text(int line) const override { return m_list.Text(line); }

private:
    TimeList& m_list;
    Kind m_kind;
    TimeMs m_stepMs;
};

/// The registered list with its start-colour tags.
class RegisteredLines : public PlayLines {
public:
    explicit RegisteredLines(RegisteredList& list) : m_list(list) {}

    Kind LinesKind() const override { return Kind::Registered; }
    int Count() const override { return m_list.Count(); }
    int Current() const override { return m_list.Lines().Current(); }
    void SelectOnly(int line) override { m_list.SelectOnly(line); }
    QString Text(int line) const override { return m_list.Text(line); }
    QString Tag(int line) const override { return m_list.Tag(line); }

private:
    RegisteredList& m_list;
};

/// The numbered table: each row plays from its start to its own end, and the row a click plays
/// is its first selected one.
class TableLines : public PlayLines {
public:
    explicit TableLines(NumberedTimeTable& table) : m_table(table) {}

    Kind LinesKind() const override { return Kind::Table; }
    int Count() const override { return m_table.Count(); }
    int Current() const override { return m_table.PlayRow(); }
    void SelectOnly(int line) override { m_table.SelectOnly(line); }
    QString Text(int line) const override { return m_table.Row(line).start; }
    std::optional<QString> EndText(int line) const override { return m_table.Row(line).end; }
    QString Tag(int line) const override { return m_table.Row(line).tag; }

private:
    NumberedTimeTable& m_table;
};

/// Every list of the cut screen by its id, for the window to hand a clicked list to the play
/// engine: the equal-interval list, the subdivision lists and the registered list of a
/// TimeLists, and the silence lists once their owner has given them.
class CutScreenLines {
public:
    explicit CutScreenLines(TimeLists& lists);

    /// The list of an id; null for None and for silence lists not given yet.
    PlayLines* Lines(TimeListId id);
    /// Gives the silence list k (0..5, ListBox_MS0..ListBox_MS5).
    void SetSilenceList(int k, TimeList& list);

private:
    TimeListLines m_interval;
    std::array<std::unique_ptr<TimeListLines>, kSubdivisionLevels> m_levels;
    RegisteredLines m_registered;
    std::array<std::unique_ptr<TimeListLines>, 6> m_silence;
};

} // namespace veskar
