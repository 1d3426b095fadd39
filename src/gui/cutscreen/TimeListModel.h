#pragma once

#include <functional>
#include <optional>

#include <QAbstractListModel>
#include <QColor>

namespace veskar {

class TimeList;

/// Background and text colour of one drawn line.
struct LineColors {
    QColor background;
    QColor text;
};

/// Shows a TimeList of the engine in a list view without copying it: rows are read straight from
/// the list, so a 36,001-line interval list appears after one reset. The colours of a line
/// (start colour, measured level) come from a function the screen sets.
class TimeListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using ColorFn = std::function<std::optional<LineColors>(int row)>;

    explicit TimeListModel(const TimeList* list, QObject* parent = nullptr);

    void SetColorFn(ColorFn colors) { m_colors = std::move(colors); }
    /// A text drawn after the time of a line (the agreement count of a silence list's start),
    /// kept apart from the time text, which is the line's DisplayRole.
    static constexpr int kSuffixRole = Qt::UserRole + 1;
    using SuffixFn = std::function<QString(int row)>;
    void SetSuffixFn(SuffixFn suffix) { m_suffix = std::move(suffix); }
    /// Re-reads the whole list after the engine changed its lines.
    void Reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const TimeList* m_list;
    ColorFn m_colors;
    SuffixFn m_suffix;
};

} // namespace veskar
