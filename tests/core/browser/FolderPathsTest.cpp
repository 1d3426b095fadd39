#include <gtest/gtest.h>

#include "core/browser/FolderPaths.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(FolderPathsTest, OneFolderPerMountRoot) {
    std::vector<Volume> volumes(2);
    volumes[0].root = "/";
    volumes[1].root = "/media/stick";
    QStringList folders{"/home/me", "/media/stick/a"};
    RecordDriveFolder(folders, "/media/stick/b", volumes);
    RecordDriveFolder(folders, "/media/sticky", volumes);
    EXPECT_EQ(folders, QStringList({"/media/stick/b", "/media/sticky"}));
    EXPECT_EQ(RememberedFolder(folders, "/media/stick", volumes), "/media/stick/b");
    EXPECT_EQ(RememberedFolder(folders, "/mnt", volumes), "");
    EXPECT_EQ(FolderComponents("/media/stick/b/c", "/media/stick"),
              QStringList({"/media/stick", "b", "c"}));
    EXPECT_EQ(FolderComponents("/media/stick", "/media/stick"), QStringList{"/media/stick"});
    EXPECT_EQ(FolderComponents("/home/me", "/"), QStringList({"/", "home", "me"}));
    EXPECT_EQ(ComponentPath({"/", "home", "me"}, 1), "/home");
}

} // namespace
} // namespace veskar
