#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace veskar {

/// The kinds of drive the drive box shows, each with its own picture.
enum class DriveType { Removable, Fixed, Remote, CdRom, RamDisk };

/// One mounted volume as a drive of the browser: its mount root stands where a drive letter
/// stood.
struct Volume {
    QString root; ///< mount root, "/" or without a trailing separator
    DriveType type = DriveType::Fixed;
    QString label;  ///< volume label; empty when it has none
    QString device; ///< what is mounted: a device, or the server share of a remote drive
    QByteArray fileSystem;
    int64_t bytesFree = -1;  ///< available to the user; -1 when unknown
    int64_t bytesTotal = -1; ///< -1 when the volume does not answer
};

/// The drive type of a mount, or none for the system's own mounts that are no place for
/// recordings (proc, sysfs, cgroups, device and run-time folders, snap images, container
/// layers). Remote file systems are remote drives, iso9660 and udf CD-ROMs, tmpfs and ramfs RAM
/// disks, anything mounted under /media or /run/media removable, the rest fixed.
std::optional<DriveType> DriveTypeOf(const QByteArray& fileSystem, const QString& root);

/// The mounted volumes that are drives, ordered by mount root.
std::vector<Volume> MountedVolumes();

/// Asks the volume at root for its total size: false when it does not answer, or root is no
/// longer a mount root (a stick pulled out, a share gone).
bool DriveReady(const QString& root);

/// The label the drive box adds to the selected drive: "[label]" ("[]" without one), for a
/// remote drive the share it connects to, or its label when that is unknown.
QString DriveLabelText(const Volume& volume);

/// The drive of a path: the deepest of the roots that holds it, "/" when none does.
QString DriveOf(const QString& path, const std::vector<Volume>& volumes);

} // namespace veskar
