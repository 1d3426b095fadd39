#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

/// The state of one browser (the file screen's, or a folder dialog's): plain data, read and
/// written at start-up and close by the settings code and changed by the browser's handlers.
struct BrowserState {
    QString currentPath;    ///< `CurrentPath`: the folder shown, no trailing separator
    int folderViewMode = 1; ///< `FolderViewMode`: 0 the folder tree, else the folder list
    QString fileMask = QStringLiteral("*.WAV"); ///< `FileMask`: masks separated by ";"
    QStringList driveFolders;                   ///< `DriveFolderList`: last folder per drive
    QStringList filters{QStringLiteral("*.WAV"), QStringLiteral("ALL (*.*)")}; ///< `FilterList`
    int filterIndex = 0;           ///< the selected filter entry
    QStringList history;           ///< `FolderHistory`, most recent first
    int historyIndex = -1;         ///< the selected history entry
    bool historyPanelOpen = false; ///< Panel_D_EDIT shows; entry 0 is then temporary
};

} // namespace veskar
