#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <QDir>

#include "support/TestHome.h"

int main(int argc, char** argv) {
    veskar::test::IsolateHome();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(veskar::test::TestHomeDir()).removeRecursively();
    return result;
}
