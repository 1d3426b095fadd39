#include <gtest/gtest.h>

#include "core/browser/Volumes.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(VolumesTest, DriveTypesAndLabels) {
    struct Case {
        const char* fileSystem;
        const char* root;
        std::optional<DriveType> type;
    };
    const Case cases[] = {
        {"ext4", "/", DriveType::Fixed},
        {"overlay", "/", DriveType::Fixed},
        {"vfat", "/media/me/STICK", DriveType::Removable},
        {"exfat", "/run/media/me/CARD", DriveType::Removable},
        {"iso9660", "/media/cdrom", DriveType::CdRom},
        {"nfs4", "/srv/music", DriveType::Remote},
        {"fuse.sshfs", "/home/me/far", DriveType::Remote},
        {"tmpfs", "/tmp", DriveType::RamDisk},
        {"tmpfs", "/run/user/1000", std::nullopt},
        {"proc", "/proc", std::nullopt},
        {"cgroup2", "/sys/fs/cgroup", std::nullopt},
        {"squashfs", "/snap/core/1", std::nullopt},
        {"overlay", "/var/lib/docker/x/merged", std::nullopt},
        {"ext4", "/boot", std::nullopt},
        {"ext4", "/mediafiles", DriveType::Fixed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DriveTypeOf(c.fileSystem, c.root), c.type) << c.fileSystem << " " << c.root;
    }
    Volume stick;
    stick.type = DriveType::Removable;
    EXPECT_EQ(DriveLabelText(stick), "[]");
    stick.label = "STICK";
    EXPECT_EQ(DriveLabelText(stick), "[STICK]");
    Volume share;
    share.type = DriveType::Remote;
    share.label = "music";
    EXPECT_EQ(DriveLabelText(share), "music");
    share.device = "//nas/music";
    EXPECT_EQ(DriveLabelText(share), "//nas/music");
}

} // namespace
} // namespace veskar
