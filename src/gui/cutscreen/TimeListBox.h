#pragma once

#include <functional>
#include <vector>

#include <QListView>

#include "core/timelists/TimeLists.h"
#include "gui/cutscreen/TimeListModel.h"

namespace veskar {

/// A list box of the cut screen over one engine TimeList. The engine owns lines and selection;
/// the box shows them (SyncFromList) and writes the user's selection changes back through the
/// selection writer, so both always agree.
class TimeListBox : public QListView {
    Q_OBJECT
public:
    using SelectionWriter = std::function<void(const std::vector<int>& selected, int current)>;

    TimeListBox(TimeListId id, const TimeList* list, SelectionWriter writer,
                QWidget* parent = nullptr);

    TimeListId Id() const { return m_id; }
    TimeListModel* Model() const { return m_model; }

    /// Shows the engine's lines (when linesChanged) and selection.
    void SyncFromList(bool linesChanged);

signals:
    /// A line was clicked, or became current by a navigation key; not when Ctrl or Shift
    /// was held, which only change the selection.
    void LineClicked(int row);
    /// The right mouse button was pressed over the box.
    void RightPressed(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WriteSelection();

    TimeListId m_id;
    const TimeList* m_list;
    SelectionWriter m_writer;
    TimeListModel* m_model;
    bool m_syncing = false;
    int m_pressedRow = -1;
};

} // namespace veskar
