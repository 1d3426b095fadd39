#include "gui/cutscreen/TimeListModel.h"

#include "core/timelists/TimeList.h"

namespace veskar {

TimeListModel::TimeListModel(const TimeList* list, QObject* parent)
    : QAbstractListModel(parent), m_list(list) {
}

void TimeListModel::Reset() {
    beginResetModel();
    endResetModel();
}

int TimeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list->Count();
}

QVariant TimeListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || row >= m_list->Count()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return m_list->Text(row);
    case kSuffixRole:
        return m_suffix ? m_suffix(row) : QString();
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (m_colors) {
            if (const auto colors = m_colors(row)) {
                return role == Qt::BackgroundRole ? colors->background : colors->text;
            }
        }
        return {};
    default:
        return {};
    }
}

} // namespace veskar
