#pragma once

#include <QString>

namespace veskar {

/// Shows a text file to the user in the desktop's text editor (the window opens it with the
/// user's preferred application). The engine does not wait for the editor.
class TextViewer {
public:
    virtual ~TextViewer() = default;
    /// Returns false when the file could not be handed to a viewer.
    virtual bool ShowTextFile(const QString& path) = 0;
};

} // namespace veskar
