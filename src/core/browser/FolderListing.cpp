#include "core/browser/FolderListing.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QFile>

#include "core/browser/FileRowSort.h"
#include "core/host/Messenger.h"

namespace veskar {

namespace {

constexpr int kPollEvery = 256;

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether a file is read-only for the user, decided from its stat by the permission class the
// user falls in (owner, group, others), so listing needs no second system call per file. Like
// the DOS attribute it stands for, it is a property of the file: root sees it as well.
class WriteAccess {
public:
    explicit WriteAccess(const struct statvfs* volume)
        : m_readOnlyVolume(volume != nullptr && (volume->f_flag & ST_RDONLY)) {
        m_gids.push_back(::getegid());
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            std::vector<gid_t> more(static_cast<size_t>(count));
            more.resize(static_cast<size_t>(std::max(::getgroups(count, more.data()), 0)));
            m_gids.insert(m_gids.end(), more.begin(), more.end());
        }
    }

    bool ReadOnly(const struct stat& st) const {
        if (m_readOnlyVolume) {
            return true;
        }
        if (st.st_uid == m_uid) {
            return (st.st_mode & S_IWUSR) == 0;
        }
        if (std::find(m_gids.begin(), m_gids.end(), st.st_gid) != m_gids.end()) {
            return (st.st_mode & S_IWGRP) == 0;
        }
        return (st.st_mode & S_IWOTH) == 0;
    }

private:
    bool m_readOnlyVolume = false;
    uid_t m_uid = ::geteuid();
    std::vector<gid_t> m_gids;
};

// One pass over a directory: calls visit(name, entry) for every entry but "." and "..", asks
// poll every kPollEvery entries. Returns the system's reason of a failure, empty on success.
template <typename Visit>
QString ReadDirectory(DIR* dir, const ListingPoll& poll, bool& stopped, Visit visit) {
    int seen = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            return errno != 0 ? SystemReason(errno) : QString();
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) {
            continue;
        }
        visit(name, entry->d_type);
        if (poll && ++seen % kPollEvery == 0 && !poll()) {
            stopped = true;
            return QString();
        }
    }
}

} // namespace

FileListing ListFiles(const QString& folder, const FileMasks& masks, const ListingPoll& poll) {
    FileListing listing;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr) {
        listing.error = SystemReason(errno);
        return listing;
    }
    const int fd = ::dirfd(dir);
    struct statvfs volume {};
    const WriteAccess access(::fstatvfs(fd, &volume) == 0 ? &volume : nullptr);
    listing.error = ReadDirectory(dir, poll, listing.stopped, [&](const char* name, int type) {
        // Folders are known from the entry itself on most file systems, without a stat.
        if (type == DT_DIR) {
            return;
        }
        const QString fileName = QFile::decodeName(name);
        const int matches = masks.MatchCount(fileName);
        struct stat st {};
        if (matches == 0 || ::fstatat(fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)) {
            return;
        }
        const FileRow row =
            MakeFileRow(fileName, st.st_size, st.st_mtim.tv_sec, access.ReadOnly(st));
        for (int i = 0; i < matches; ++i) {
            listing.rows.push_back(row);
        }
    });
    ::closedir(dir);
    return listing;
}

bool RefreshFileRow(const QString& path, FileRow& row) {
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st {};
    if (::stat(encoded.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        row.sizeText.clear();
        row.dateText.clear();
        row.attributeText.clear();
        row.sizeBytes = 0;
        row.modifiedS = 0;
        return false;
    }
    struct statvfs volume {};
    const WriteAccess access(::statvfs(encoded.constData(), &volume) == 0 ? &volume : nullptr);
    FileRow fresh = MakeFileRow(row.name, st.st_size, st.st_mtim.tv_sec, access.ReadOnly(st));
    fresh.weight = row.weight;
    row = std::move(fresh);
    return true;
}

SubfolderListing ListSubfolders(const QString& folder) {
    SubfolderListing listing;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr) {
        listing.error = SystemReason(errno);
        return listing;
    }
    const int fd = ::dirfd(dir);
    bool stopped = false;
    listing.error = ReadDirectory(dir, {}, stopped, [&](const char* name, int type) {
        if (name[0] == '.') {
            return;
        }
        // A link, or a file system that does not say the type, needs a stat to know.
        struct stat st {};
        if (type == DT_DIR || ((type == DT_LNK || type == DT_UNKNOWN) &&
                               ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode))) {
            listing.names << QFile::decodeName(name);
        }
    });
    ::closedir(dir);
    SortNames(listing.names);
    return listing;
}

std::vector<bool> DeleteFilesFromDisk(const QStringList& paths, Messenger& messenger) {
    std::vector<bool> gone(static_cast<size_t>(paths.size()), false);
    if (messenger.AskTimedQuestion(
            QStringLiteral(
                "選択ファイルを、実際にディスクから削除します☆\n削除してよろしいですか?"),
            Messenger::No) != Messenger::Yes) {
        return gone;
    }
    int deleted = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QFile file(paths[i]);
        const bool existed = file.exists();
        if (existed && !file.remove()) {
            messenger.ShowTimedMessage(paths[i] + "\nこのファイルの削除に失敗しました・・・",
                                       Messenger::Ok);
            continue;
        }
        gone[static_cast<size_t>(i)] = true;
        deleted += existed ? 1 : 0;
    }
    messenger.ShowTimedMessage(
        QString::number(deleted) + "個、実際にファイルを削除しました☆\n削除完了☆", Messenger::Ok);
    return gone;
}

} // namespace veskar
