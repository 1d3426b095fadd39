#pragma once

#include <QString>

namespace veskar {

/// The progress box of long runs. Up to ten boxes, addressed by a handle 0..9. A run polls the
/// state at every update and stops when it is no longer Running.
class ProgressBox {
public:
    enum State : int {
        Free = -2,      ///< slot free
        Running = -1,   ///< box open, running
        Closed = 0,     ///< closed by its window's close button
        Stopped = 2,    ///< the stop button "中止" was pressed
        BadHandle = -3, ///< returned only: the handle is outside 0..9
    };
    static constexpr int kSlots = 10;

    virtual ~ProgressBox() = default;

    /// Opens a box showing message + "：" and 0 %; returns its handle, or -1 when all ten slots
    /// are busy (nothing is shown then).
    virtual int Open(const QString& message, const QString& title) = 0;
    /// Sets the bar to percent and returns the slot's state.
    virtual int SetPercent(int handle, int percent) = 0;
    virtual void SetMessage(int handle, const QString& text) = 0;
    virtual int GetState(int handle) const = 0;
    /// Closes the box if its slot is in use, frees the slot and sets handle to -1.
    virtual void Close(int& handle) = 0;
};

/// True while a run polling this state may go on: the box is running, or no box is open.
inline bool ProgressMayContinue(int state) {
    return state == ProgressBox::Running || state == ProgressBox::BadHandle;
}

} // namespace veskar
