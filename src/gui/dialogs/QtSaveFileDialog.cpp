#include "gui/dialogs/QtSaveFileDialog.h"

#include <QFileDialog>

namespace veskar {

namespace {

void MakeCaseBlind(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

} // namespace

QStringList QtSaveFileDialog::NameFilters(const QString& filter) {
    QStringList filters;
    const QStringList parts = filter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString masks = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
        // Qt reads the masks from the parentheses at the end; a description that already shows
        // them is kept as it is.
        filters << (description.endsWith("(" + masks + ")") ? description
                                                            : description + " (" + masks + ")");
    }
    return filters;
}

QString QtSaveFileDialog::AskSavePath(const Request& request) {
    QFileDialog dialog(m_parent, request.title, request.initialDir);
    dialog.setObjectName("DIR2OPENDLG1");
    MakeCaseBlind(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExt);
    if (!request.prompt.isEmpty()) {
        dialog.setLabelText(QFileDialog::FileName, request.prompt);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> ChooseFolderWithQt(QWidget* parent, const QString& title,
                                          const QString& startFolder) {
    QFileDialog dialog(parent, title, startFolder);
    dialog.setObjectName("DIR2SETDLG1");
    MakeCaseBlind(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace veskar
