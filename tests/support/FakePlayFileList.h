#pragma once

#include <functional>
#include <utility>

#include <QString>
#include <QStringList>

#include "core/play/PlayFileList.h"

namespace veskar::test {

/// A file list of paths with a weight column and one selected row; Click runs onClick (the
/// engine's file list click, in engine tests) and counts.
class FakePlayFileList : public PlayFileList {
public:
    FakePlayFileList() = default;
    explicit FakePlayFileList(QStringList filePaths)
        : paths(std::move(filePaths)), weights(paths.size(), QString()) {}

    int Count() const override { return static_cast<int>(paths.size()); }
    int Selected() const override { return selected; }
    void SelectOnly(int row) override { selected = row; }
    QString Path(int row) const override { return paths.at(row); }
    QString Weight(int row) const override { return weights.at(row); }
    void SetWeight(int row, const QString& text) override { weights[row] = text; }
    void Click() override {
        ++clicks;
        if (onClick) {
            onClick();
        }
    }

    QStringList paths;
    QStringList weights;
    int selected = -1;
    int clicks = 0;
    std::function<void()> onClick;
};

} // namespace veskar::test
