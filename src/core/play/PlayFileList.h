#pragma once

#include <QString>

namespace veskar {

/// A file list the player walks on the file screen (the file list ListView1 or the memory list
/// ListView_M), as the play engine sees it. The browser implements it over its rows.
class PlayFileList {
public:
    virtual ~PlayFileList() = default;

    virtual int Count() const = 0;
    /// The first selected row, -1 when none is selected.
    virtual int Selected() const = 0;
    /// Selects only this row and scrolls it into view.
    virtual void SelectOnly(int row) = 0;
    /// Full path of the row's file.
    virtual QString Path(int row) const = 0;
    /// The shuffle weight column of the row (see ShuffleBag).
    virtual QString Weight(int row) const = 0;
    virtual void SetWeight(int row, const QString& text) = 0;

    /// What a click on the list does (the browser's own file handling, then
    /// PlayEngine::PlayFileListClick). Continuous playback runs it for the next file.
    virtual void Click() = 0;
};

} // namespace veskar
