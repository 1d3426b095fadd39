#pragma once

#include "core/host/TextViewer.h"

namespace veskar {

/// Opens text files (the cut record) with the desktop's preferred application for them.
class DesktopTextViewer : public TextViewer {
public:
    bool ShowTextFile(const QString& path) override;
};

} // namespace veskar
