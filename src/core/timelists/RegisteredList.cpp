#include "core/timelists/RegisteredList.h"

#include <algorithm>

namespace veskar {

void RegisteredList::Clear() {
    m_lines.Clear();
    m_tags.clear();
    m_overflowed = false;
}

void RegisteredList::Assign(const QStringList& texts, const QStringList& tags) {
    m_lines.Assign(texts);
    m_tags = tags.mid(0, texts.size());
    while (m_tags.size() < texts.size()) {
        m_tags.append(QString());
    }
    m_overflowed = false;
}

RegisteredList::InsertResult RegisteredList::InsertRegisteredTime(const QString& text,
                                                                  const QString& tag,
                                                                  bool startTimesEnabled) {
    if (Count() >= kMaxLines) {
        m_overflowed = true;
        return InsertResult::Full;
    }
    const QStringList& texts = m_lines.Texts();
    const auto at = std::lower_bound(texts.begin(), texts.end(), text);
    const int index = static_cast<int>(at - texts.begin());
    InsertResult result = InsertResult::Present;
    if (at == texts.end() || *at != text) {
        m_lines.Insert(index, text);
        m_tags.insert(index, tag);
        result = InsertResult::Inserted;
    } else if (startTimesEnabled) {
        m_tags[index] = tag;
    }
    m_lines.SelectOnly(index);
    return result;
}

int RegisteredList::DeleteSelected() {
    int lowest = -1;
    int deleted = 0;
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_lines.IsSelected(i)) {
            m_lines.RemoveAt(i);
            m_tags.removeAt(i);
            lowest = i;
            ++deleted;
        }
    }
    const int next = std::max(lowest, 0);
    m_lines.SelectOnly(next < Count() ? next : -1);
    return deleted;
}

void RegisteredList::SetTagOfSelected(const QString& tag) {
    for (const int index : m_lines.SelectedIndexes()) {
        m_tags[index] = tag;
    }
}

void RegisteredList::RewriteTexts(const std::function<QString(const QString&)>& form) {
    for (int i = 0; i < Count(); ++i) {
        m_lines.SetText(i, form(m_lines.Text(i)));
    }
}

} // namespace veskar
