#pragma once

#include <QString>

namespace veskar {

/// Shows a text file to the user: the window opens it with the user's preferred application, or
/// in a window of its own when the desktop has none. The engine does not wait for the reader.
class TextViewer {
public:
    virtual ~TextViewer() = default;
    /// Returns false when the file could not be handed to a viewer.
    virtual bool ShowTextFile(const QString& path) = 0;
};

} // namespace veskar
