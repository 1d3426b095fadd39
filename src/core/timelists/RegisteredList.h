#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/timelists/TimeList.h"

namespace veskar {

/// The registered times of the cut file (ListBox_C) with their start-colour tags
/// (Start_TM_List). Lines stay sorted by text, which is time order since all texts of one file
/// have one width, and no two lines are equal. Tag i belongs to line i: every insertion and
/// deletion moves both. The cut run cuts at these times; continuous playback follows the tags.
class RegisteredList {
public:
    static constexpr int kMaxLines = 32700;

    enum class InsertResult {
        Inserted, ///< a new line
        Present,  ///< the line was there already (its tag replaced while start times are enabled)
        Full,     ///< the list holds kMaxLines lines; nothing changed but the overflow mark
    };

    int Count() const { return m_lines.Count(); }
    bool IsEmpty() const { return m_lines.IsEmpty(); }
    const QString& Text(int index) const { return m_lines.Text(index); }
    const QString& Tag(int index) const { return m_tags.at(index); }
    const QStringList& Texts() const { return m_lines.Texts(); }
    const QStringList& Tags() const { return m_tags; }
    /// The lines with their selection, for the view and for readers of the selection.
    const TimeList& Lines() const { return m_lines; }

    /// Set when a registration met a full list (the window paints the list red); cleared by
    /// Clear, Assign and ResetOverflow.
    bool Overflowed() const { return m_overflowed; }
    void ResetOverflow() { m_overflowed = false; }

    void Clear();
    /// Replaces every line and tag, as when a saved cut list is loaded. Tags are cut or padded
    /// with "" to the line count; the lines are taken in the given order.
    void Assign(const QStringList& texts, const QStringList& tags);

    /// The shared insertion step of every registration: inserts text in sorted position with
    /// tag, or finds it and, while start times are enabled, replaces its tag (also by ""). The
    /// line becomes current and the only selected line.
    InsertResult InsertRegisteredTime(const QString& text, const QString& tag,
                                      bool startTimesEnabled);

    /// Deletes every selected line with its tag. The line that followed the lowest deleted one
    /// becomes current and the only selected line; nothing is current when there is none.
    /// Returns the number of lines deleted.
    int DeleteSelected();

    /// Gives every selected line this tag ("" to clear); lines are neither added nor removed.
    void SetTagOfSelected(const QString& tag);
    /// Sets the tag of one line.
    void SetTag(int index, const QString& tag) { m_tags[index] = tag; }

    /// Rewrites every line in place with form(old text), keeping index, tag and selection;
    /// used when the time form changes. The caller keeps the order (texts map monotonically).
    void RewriteTexts(const std::function<QString(const QString&)>& form);

    // Selection, as in TimeList.
    void SetCurrent(int index) { m_lines.SetCurrent(index); }
    void SetSelected(int index, bool selected) { m_lines.SetSelected(index, selected); }
    void SelectOnly(int index) { m_lines.SelectOnly(index); }
    void SelectAll() { m_lines.SelectAll(); }
    void ClearSelection() { m_lines.ClearSelection(); }
    void SetSelection(const std::vector<int>& selected, int current) {
        m_lines.SetSelection(selected, current);
    }

private:
    TimeList m_lines;
    QStringList m_tags;
    bool m_overflowed = false;
};

} // namespace veskar
