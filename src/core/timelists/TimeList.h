#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace veskar {

/// One time list the way a list box holds it: the line texts, which lines are selected and
/// which one is current. The window shows it; the engine reads and changes it, so the selection
/// lives here and the view follows it.
class TimeList {
public:
    int Count() const { return static_cast<int>(m_texts.size()); }
    bool IsEmpty() const { return m_texts.isEmpty(); }
    const QString& Text(int index) const { return m_texts.at(index); }
    const QStringList& Texts() const { return m_texts; }
    /// Index of the first line with exactly this text, -1 when none.
    int IndexOf(const QString& text) const { return static_cast<int>(m_texts.indexOf(text)); }

    /// Removes every line; nothing is current afterwards.
    void Clear();
    void Reserve(int count);
    void Append(const QString& text);
    /// Replaces all lines; nothing selected or current.
    void Assign(const QStringList& texts);
    void Insert(int index, const QString& text);
    void RemoveAt(int index);
    void SetText(int index, const QString& text) { m_texts[index] = text; }

    /// The current line, -1 when none.
    int Current() const { return m_current; }
    /// Makes index (or -1) current without touching the selection.
    void SetCurrent(int index);
    bool IsSelected(int index) const { return m_selected.at(static_cast<size_t>(index)) != 0; }
    void SetSelected(int index, bool selected);
    /// Makes index the current line and the only selected one (-1: nothing current or selected).
    void SelectOnly(int index);
    void SelectAll();
    void ClearSelection();
    /// Replaces the selection by these lines and sets the current line (out-of-range indexes are
    /// ignored); used by the window after the user changed the selection.
    void SetSelection(const std::vector<int>& selected, int current);
    /// Selected lines in index order.
    std::vector<int> SelectedIndexes() const;
    int SelectedCount() const;

private:
    QStringList m_texts;
    std::vector<char> m_selected;
    int m_current = -1;
};

} // namespace veskar
