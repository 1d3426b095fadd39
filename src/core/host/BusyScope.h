#pragma once

namespace veskar {

/// A handler's busy flag, set for the life of the scope and cleared on every way out, so a
/// second call while it runs (from the events it processes) can see it and return at once.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
};

} // namespace veskar
