#include "gui/cutscreen/TimeListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "gui/cutscreen/TimeListDelegate.h"

namespace veskar {

namespace {
bool IsSelectionGesture(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
}
} // namespace

TimeListBox::TimeListBox(TimeListId id, const TimeList* list, SelectionWriter writer,
                         QWidget* parent)
    : QListView(parent), m_id(id), m_list(list), m_writer(std::move(writer)),
      m_model(new TimeListModel(list, this)) {
    // Uniform sizes let the view lay out tens of thousands of lines without asking each one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new TimeListDelegate(this));
    setModel(m_model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TimeListBox::WriteSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TimeListBox::WriteSelection);
}

void TimeListBox::SyncFromList(bool linesChanged) {
    m_syncing = true;
    if (linesChanged) {
        m_model->Reset();
    }
    QItemSelection selection;
    const std::vector<int> selected = m_list->SelectedIndexes();
    for (size_t i = 0; i < selected.size();) {
        size_t end = i + 1;
        while (end < selected.size() && selected[end] == selected[end - 1] + 1) {
            ++end;
        }
        selection.select(m_model->index(selected[i]), m_model->index(selected[end - 1]));
        i = end;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int current = m_list->Current();
    if (current >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(current), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(current));
    } else {
        selectionModel()->clearCurrentIndex();
    }
    viewport()->update();
    m_syncing = false;
}

void TimeListBox::WriteSelection() {
    if (m_syncing || !m_writer) {
        return;
    }
    std::vector<int> selected;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            selected.push_back(row);
        }
    }
    std::sort(selected.begin(), selected.end());
    m_writer(selected, currentIndex().isValid() ? currentIndex().row() : -1);
}

void TimeListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit RightPressed(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressedRow = index.isValid() ? index.row() : -1;
    QListView::mousePressEvent(event);
}

void TimeListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    // Ctrl and Shift only gather lines for the commands that act on the selected lines; a
    // click that plays would make its line the only selected one again.
    if (event->button() != Qt::LeftButton || IsSelectionGesture(event->modifiers())) {
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() == m_pressedRow) {
        emit LineClicked(index.row());
    }
    m_pressedRow = -1;
}

void TimeListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentIndex().row();
    QListView::keyPressEvent(event);
    const int after = currentIndex().row();
    if (after >= 0 && after != before && !IsSelectionGesture(event->modifiers())) {
        emit LineClicked(after);
    }
}

} // namespace veskar
