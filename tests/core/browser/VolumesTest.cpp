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
        {"vfat", "/media/me/STICK", DriveType::Removable},
        {"exfat", "/run/media/me/CARD", DriveType::Removable},
        {"iso9660", "/media/cdrom", DriveType::CdRom},
        {"nfs4", "/srv/music", DriveType::Remote},
        {"fuse.sshfs", "/home/me/far", DriveType::Remote},
        {"tmpfs", "/tmp", DriveType::RamDisk},
        {"tmpfs", "/run/user/1000", std::nullopt},
        {"proc", "/proc", std::nullopt},
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
    stick.label = "STICK";
    EXPECT_EQ(DriveLabelText(stick), "[STICK]");
    Volume share;
    share.type = DriveType::Remote;
    share.device = "//nas/music";
    EXPECT_EQ(DriveLabelText(share), "//nas/music");
}

} // namespace
} // namespace veskar
