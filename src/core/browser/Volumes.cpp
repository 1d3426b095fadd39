#include "core/browser/Volumes.h"

#include <algorithm>

#include <QStorageInfo>

namespace veskar {

namespace {

bool IsUnder(const QString& path, const QString& root) {
    if (root == u"/") {
        return path.startsWith(u'/');
    }
    return path == root || (path.startsWith(root) && path.at(root.size()) == u'/');
}

bool IsSystemFileSystem(const QByteArray& fileSystem) {
    static const char* const kSystem[] = {
        "autofs",          "binfmt_misc", "bpf",         "cgroup",   "cgroup2",
        "configfs",        "debugfs",     "devpts",      "devtmpfs", "efivarfs",
        "fuse.gvfsd-fuse", "fuse.lxcfs",  "fuse.portal", "fusectl",  "hugetlbfs",
        "mqueue",          "nsfs",        "proc",        "pstore",   "rootfs",
        "rpc_pipefs",      "securityfs",  "selinuxfs",   "squashfs", "sysfs",
        "tracefs",
    };
    return std::any_of(std::begin(kSystem), std::end(kSystem),
                       [&](const char* name) { return fileSystem == name; });
}

bool IsSystemFolder(const QString& root) {
    static const char* const kSystem[] = {"/proc",
                                          "/sys",
                                          "/dev",
                                          "/run",
                                          "/snap",
                                          "/boot",
                                          "/var/lib/docker",
                                          "/var/lib/containers",
                                          "/var/snap"};
    if (IsUnder(root, QStringLiteral("/run/media"))) {
        return false;
    }
    return std::any_of(std::begin(kSystem), std::end(kSystem), [&](const char* folder) {
        return IsUnder(root, QString::fromLatin1(folder));
    });
}

bool IsRemote(const QByteArray& fileSystem) {
    static const char* const kRemote[] = {
        "nfs",  "nfs4",      "cifs",  "smb3",        "smbfs",       "fuse.sshfs", "afs",
        "ceph", "glusterfs", "davfs", "fuse.davfs2", "fuse.rclone", "9p"};
    return std::any_of(std::begin(kRemote), std::end(kRemote),
                       [&](const char* name) { return fileSystem == name; });
}

} // namespace

std::optional<DriveType> DriveTypeOf(const QByteArray& fileSystem, const QString& root) {
    if (IsSystemFileSystem(fileSystem) || IsSystemFolder(root)) {
        return std::nullopt;
    }
    // An overlay is the root of a container; anywhere else it is a layer of one.
    if (fileSystem == "overlay" && root != u"/") {
        return std::nullopt;
    }
    if (IsRemote(fileSystem)) {
        return DriveType::Remote;
    }
    if (fileSystem == "iso9660" || fileSystem == "udf") {
        return DriveType::CdRom;
    }
    if (fileSystem == "tmpfs" || fileSystem == "ramfs") {
        return DriveType::RamDisk;
    }
    if (IsUnder(root, QStringLiteral("/media")) || IsUnder(root, QStringLiteral("/run/media"))) {
        return DriveType::Removable;
    }
    return DriveType::Fixed;
}

std::vector<Volume> MountedVolumes() {
    std::vector<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const std::optional<DriveType> type =
            DriveTypeOf(storage.fileSystemType(), storage.rootPath());
        const bool seen = std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) {
            return v.root == storage.rootPath();
        });
        if (!type || seen) {
            continue;
        }
        Volume volume;
        volume.root = storage.rootPath();
        volume.type = *type;
        volume.label = storage.name();
        volume.device = QString::fromLocal8Bit(storage.device());
        volume.fileSystem = storage.fileSystemType();
        volume.bytesFree = storage.bytesAvailable();
        volume.bytesTotal = storage.bytesTotal();
        volumes.push_back(volume);
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return volumes;
}

bool DriveReady(const QString& root) {
    const QStorageInfo storage(root);
    return storage.isValid() && storage.isReady() && storage.rootPath() == root &&
           storage.bytesTotal() >= 0;
}

QString DriveLabelText(const Volume& volume) {
    if (volume.type == DriveType::Remote) {
        return volume.device.isEmpty() ? volume.label : volume.device;
    }
    return u'[' + volume.label + u']';
}

QString DriveOf(const QString& path, const std::vector<Volume>& volumes) {
    QString best = QStringLiteral("/");
    for (const Volume& volume : volumes) {
        if (IsUnder(path, volume.root) && volume.root.size() > best.size()) {
            best = volume.root;
        }
    }
    return best;
}

} // namespace veskar
