#include "core/cut/CutTarget.h"

#include "core/timelists/RegisteredList.h"
#include "core/timelists/TimeList.h"

namespace veskar {

int TimeListTarget::Count() const {
    return m_list.Count();
}
QString TimeListTarget::Text(int index) const {
    return m_list.Text(index);
}
bool TimeListTarget::IsSelected(int index) const {
    return m_list.IsSelected(index);
}
void TimeListTarget::SelectAll() {
    m_list.SelectAll();
}

int RegisteredListTarget::Count() const {
    return m_list.Count();
}
QString RegisteredListTarget::Text(int index) const {
    return m_list.Text(index);
}
QString RegisteredListTarget::Tag(int index) const {
    return index < m_list.Tags().size() ? m_list.Tag(index) : QString();
}
bool RegisteredListTarget::IsSelected(int index) const {
    return m_list.Lines().IsSelected(index);
}
void RegisteredListTarget::SelectAll() {
    m_list.SelectAll();
}

} // namespace veskar
