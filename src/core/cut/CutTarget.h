#pragma once

#include <QString>

#include "core/cut/CutMenu.h"

namespace veskar {

class RegisteredList;
class TimeList;

/// The list a cut run walks (`PopupTargetList`) as the run reads it: line texts, start-colour
/// tags (registered list only), the selection, and "select all" for "ALL カット". The run reads
/// it afresh at every step, since the window stays live between steps.
class CutTarget {
public:
    virtual ~CutTarget() = default;
    virtual TimeListId Kind() const = 0;
    virtual int Count() const = 0;
    virtual QString Text(int index) const = 0;
    /// Start-colour tag of a line: "" for none; lists other than the registered one have none.
    virtual QString Tag(int index) const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual void SelectAll() = 0;
};

/// An equal-interval or subdivision list.
class TimeListTarget : public CutTarget {
public:
    TimeListTarget(TimeListId list, TimeList& lines) : m_kind(list), m_list(lines) {}
    TimeListId Kind() const override { return m_kind; }
    int Count() const override;
    QString Text(int index) const override;
    QString Tag(int) const override { return {}; }
    bool IsSelected(int index) const override;
    void SelectAll() override;

private:
    TimeListId m_kind;
    TimeList& m_list;
};

/// The registered list `ListBox_C` with its tags `Start_TM_List`.
class RegisteredListTarget : public CutTarget {
public:
    explicit RegisteredListTarget(RegisteredList& list) : m_list(list) {}
    TimeListId Kind() const override { return TimeListId::Registered; }
    int Count() const override;
    QString Text(int index) const override;
    QString Tag(int index) const override;
    bool IsSelected(int index) const override;
    void SelectAll() override;

private:
    RegisteredList& m_list;
};

} // namespace veskar
