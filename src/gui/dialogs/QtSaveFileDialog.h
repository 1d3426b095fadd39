#pragma once

#include <optional>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/host/SaveFileDialog.h"

namespace veskar {

/// The save dialog of segment files (`DIR2OPENDLG1`) until the program's own file dialog with
/// its folder tree exists: Qt's file dialog, in its Qt form so that masks such as "*.WAV" match
/// names without regard to letter case, as everywhere in the program.
class QtSaveFileDialog : public SaveFileDialog {
public:
    explicit QtSaveFileDialog(QWidget* parent = nullptr) : m_parent(parent) {}

    QString AskSavePath(const Request& request) override;

    /// The dialog's filter text "description|mask|description|mask" as Qt name filters,
    /// "description (masks)"; several masks of one entry are separated by ";" in the text.
    static QStringList NameFilters(const QString& filter);

private:
    QPointer<QWidget> m_parent;
};

/// The folder-setting box (`DIR2SETDLG1`) until the program's own exists: Qt's folder dialog
/// titled title, opening at startFolder. Returns the chosen folder, nothing when cancelled.
std::optional<QString> ChooseFolderWithQt(QWidget* parent, const QString& title,
                                          const QString& startFolder);

} // namespace veskar
