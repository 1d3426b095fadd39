#include "core/timelists/TimeList.h"

#include <algorithm>

namespace veskar {

void TimeList::Clear() {
    m_texts.clear();
    m_selected.clear();
    m_current = -1;
}

void TimeList::Reserve(int count) {
    m_texts.reserve(count);
    m_selected.reserve(static_cast<size_t>(count));
}

void TimeList::Append(const QString& text) {
    m_texts.append(text);
    m_selected.push_back(0);
}

void TimeList::Assign(const QStringList& texts) {
    m_texts = texts;
    m_selected.assign(static_cast<size_t>(texts.size()), 0);
    m_current = -1;
}

void TimeList::Insert(int index, const QString& text) {
    m_texts.insert(index, text);
    m_selected.insert(m_selected.begin() + index, 0);
    if (m_current >= index) {
        ++m_current;
    }
}

void TimeList::RemoveAt(int index) {
    m_texts.removeAt(index);
    m_selected.erase(m_selected.begin() + index);
    if (m_current == index) {
        m_current = -1;
    } else if (m_current > index) {
        --m_current;
    }
}

void TimeList::SetCurrent(int index) {
    m_current = index >= 0 && index < Count() ? index : -1;
}

void TimeList::SetSelected(int index, bool selected) {
    m_selected.at(static_cast<size_t>(index)) = selected ? 1 : 0;
}

void TimeList::SelectOnly(int index) {
    ClearSelection();
    SetCurrent(index);
    if (m_current >= 0) {
        m_selected[static_cast<size_t>(m_current)] = 1;
    }
}

void TimeList::SelectAll() {
    std::fill(m_selected.begin(), m_selected.end(), 1);
}

void TimeList::ClearSelection() {
    std::fill(m_selected.begin(), m_selected.end(), 0);
}

void TimeList::SetSelection(const std::vector<int>& selected, int current) {
    ClearSelection();
    for (const int index : selected) {
        if (index >= 0 && index < Count()) {
            m_selected[static_cast<size_t>(index)] = 1;
        }
    }
    SetCurrent(current);
}

std::vector<int> TimeList::SelectedIndexes() const {
    std::vector<int> indexes;
    for (size_t i = 0; i < m_selected.size(); ++i) {
        if (m_selected[i] != 0) {
            indexes.push_back(static_cast<int>(i));
        }
    }
    return indexes;
}

int TimeList::SelectedCount() const {
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), 1));
}

} // namespace veskar
