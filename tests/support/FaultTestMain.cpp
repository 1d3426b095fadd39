// The main of the fault tests: as root it moves the process into a mount namespace of its own
// before anything else runs, so the small file systems the tests mount (a full disk, a
// read-only folder) are seen by this process and its children only and vanish with it.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>

#include "support/MountedFolder.h"
#include "support/TestHome.h"

int main(int argc, char** argv) {
    const bool isolated = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                          ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    veskar::test::SetMountsAllowed(isolated);
    veskar::test::IsolateHome();
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    QDir(veskar::test::TestHomeDir()).removeRecursively();
    return result;
}
