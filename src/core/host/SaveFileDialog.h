#pragma once

#include <QString>

namespace veskar {

/// The file-save dialog with a folder tree (`TDIR2OPENDLG`) as the engine asks for it.
class SaveFileDialog {
public:
    struct Request {
        QString title;      ///< caption
        QString filter;     ///< "description|mask|description|mask"
        QString defaultExt; ///< without the dot
        QString fileName;   ///< suggested full path
        QString initialDir; ///< folder shown first, without a trailing separator
        QString prompt;     ///< the line shown above the tree
    };

    virtual ~SaveFileDialog() = default;
    /// Returns the chosen full path, or an empty text when the user cancelled.
    virtual QString AskSavePath(const Request& request) = 0;
};

} // namespace veskar
