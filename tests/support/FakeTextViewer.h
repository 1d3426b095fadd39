#pragma once

#include <QString>
#include <QStringList>

#include "core/host/TextViewer.h"

namespace veskar::test {

/// Records every file the engine asks to show; can be told to fail.
class FakeTextViewer : public TextViewer {
public:
    bool ShowTextFile(const QString& path) override {
        shown << path;
        return !fail;
    }
    QStringList shown;
    bool fail = false;
};

} // namespace veskar::test
