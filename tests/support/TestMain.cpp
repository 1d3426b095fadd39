#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "support/TestHome.h"

int main(int argc, char** argv) {
    veskar::test::IsolateHome();
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(veskar::test::TestHomeDir()).removeRecursively();
    return result;
}
