#include "core/cut/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

namespace veskar {

QString OsReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString OsReason() {
    return OsReason(errno);
}

bool Fd::Close() {
    if (m_fd < 0) {
        return true;
    }
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0;
}

bool WriteAll(int fd, const void* data, int64_t size, int64_t offset) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, p, static_cast<size_t>(size), offset);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        size -= n;
        offset += n;
    }
    return true;
}

// The name stays short so a long final name cannot push it over the file system's limit. Mode
// 0666 lets the umask decide, as for any new file of the user.
int CreateTemporary(const QString& folder, QString& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/.pirvan-" +
                   QString::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        const int fd = ::open(QFile::encodeName(tempPath).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

int LinkWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    // File systems without that flag: a hard link refuses a taken name just the same.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
        return errno;
    }
    // Neither (FAT, some network shares): look first; only a writer racing for this very name
    // could still be replaced.
    struct stat taken {};
    if (::lstat(to.constData(), &taken) == 0) {
        return EEXIST;
    }
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

namespace {

// Bytes handed to one copy_file_range call, and the buffer of the read/write copy; progress is
// told after each.
constexpr int64_t kKernelStep = 16 * 1024 * 1024;
constexpr int64_t kBufferBytes = 1024 * 1024;
constexpr int64_t kPage = 4096;

bool KernelCopyRefused(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL ||
           error == EBADF || error == ETXTBSY || error == EPERM;
}

} // namespace

CopyResult CopyFileRange(int in, int64_t inOffset, int out, int64_t outOffset, int64_t size,
                         CopyMethod method, const std::function<bool(int64_t)>& progress,
                         int64_t stepBytes) {
    CopyResult result;
    const int64_t kernelStep = stepBytes > 0 ? stepBytes : kKernelStep;
    // Whole pages, so every write after the first starts on a page boundary.
    const int64_t bufferStep =
        stepBytes > 0 ? std::max(kPage, std::min(kBufferBytes, stepBytes) / kPage * kPage)
                      : kBufferBytes;
    // Measured on ext4 with a warm page cache, copy_file_range kept pace with cp whether the
    // output's offset sat like the source's on the page grid or two bytes off it (a 46-byte
    // header before samples at 44); a copy through a buffer took 1.3 to 5 times as long.
    bool inKernel = method != CopyMethod::Buffer;
    std::vector<char> buffer;
    off_t in64 = inOffset;
    off_t out64 = outOffset;
    while (result.copied < size) {
        const int64_t remaining = size - result.copied;
        ssize_t n = 0;
        if (inKernel) {
            n = ::copy_file_range(in, &in64, out, &out64,
                                  static_cast<size_t>(std::min(remaining, kernelStep)), 0);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && KernelCopyRefused(errno)) {
                inKernel = false;
                continue;
            }
            if (n < 0) {
                // copy_file_range does not say which side failed; a full or read-only output
                // is by far the likelier.
                result.error = errno;
                result.failure = errno == EIO ? CopyFailure::Read : CopyFailure::Write;
                return result;
            }
        } else {
            if (buffer.empty()) {
                buffer.resize(static_cast<size_t>(bufferStep));
            }
            // The first step ends where the output reaches a page boundary.
            const int64_t want = std::min(remaining, bufferStep - out64 % kPage);
            n = ::pread(in, buffer.data(), static_cast<size_t>(want), in64);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                result.error = errno;
                result.failure = CopyFailure::Read;
                return result;
            }
            if (n > 0 && !WriteAll(out, buffer.data(), n, out64)) {
                result.error = errno;
                result.failure = CopyFailure::Write;
                return result;
            }
            in64 += n;
            out64 += n;
        }
        if (n == 0) {
            result.failure = CopyFailure::SourceEnded;
            return result;
        }
        result.copied += n;
        if (result.copied < size && progress && !progress(result.copied)) {
            result.failure = CopyFailure::Stopped;
            return result;
        }
    }
    return result;
}

} // namespace veskar
