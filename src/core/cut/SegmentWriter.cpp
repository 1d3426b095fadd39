#include "core/cut/SegmentWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace veskar {

int64_t MsToFrame(int64_t ms, uint32_t sampleRate) {
    return ms * static_cast<int64_t>(sampleRate) / 1000;
}

int64_t AvailableFrames(const WavInfo& source, int64_t fileSize) {
    if (source.blockAlign == 0) {
        return 0;
    }
    const int64_t present = std::max<int64_t>(0, fileSize - source.dataOffset);
    return std::min(source.dataLength, present) / source.blockAlign;
}

int64_t FramesToMs(int64_t frames, uint32_t sampleRate) {
    return sampleRate == 0 ? 0 : frames * 1000 / static_cast<int64_t>(sampleRate);
}

QString PastTheEndCause() {
    return QStringLiteral("選択タイムがファイルの終わりを超えています");
}

QString SourceEndedCause() {
    return QStringLiteral("元ファイルが途中で終わっています");
}

bool IsSameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    const bool aExists = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool bExists = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (aExists && bExists) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

namespace {

// Bytes handed to one copy_file_range call, and the buffer of the read/write fallback; the
// caller's keepGoing is asked after each.
constexpr int64_t kCopyChunk = 16 * 1024 * 1024;
constexpr int64_t kBufferBytes = 1024 * 1024;
// The 16 standard bytes of "fmt " and an empty 2-byte extension size, as older readers expect.
constexpr uint32_t kFmtBytes = 18;
constexpr uint16_t kFormatPcm = 1;

// The operating system's reason for the last failed call, in the user's language.
QString OsReason(int error = errno) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Attempts at a free name before a save gives up: other writers would have to take each name
// as it is found.
constexpr int kNameAttempts = 100;

// Closes the descriptor it holds on every exit path.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    /// Closes now and reports the result of close(): a network or full file system may only
    /// report a failed write there.
    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0;
    }

private:
    int m_fd;
};

void PutU16(QByteArray& out, uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void PutU32(QByteArray& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
}

void PutU64(QByteArray& out, uint64_t v) {
    PutU32(out, static_cast<uint32_t>(v));
    PutU32(out, static_cast<uint32_t>(v >> 32));
}

constexpr uint32_t kDs64Bytes = 28;
constexpr uint32_t kSizeInDs64 = 0xFFFFFFFF;

} // namespace

QByteArray SegmentHeader(const WavInfo& source, int64_t sampleBytes) {
    const int64_t padding = sampleBytes % 2;
    const bool rf64 = kSegmentHeaderBytes - 8 + sampleBytes + padding > int64_t{UINT32_MAX};
    const int64_t headerBytes = rf64 ? kRf64SegmentHeaderBytes : kSegmentHeaderBytes;
    const int64_t riffSize = headerBytes - 8 + sampleBytes + padding;
    QByteArray h;
    h.reserve(static_cast<qsizetype>(headerBytes));
    h.append(rf64 ? "RF64" : "RIFF");
    PutU32(h, rf64 ? kSizeInDs64 : static_cast<uint32_t>(riffSize));
    h.append("WAVE");
    if (rf64) {
        h.append("ds64");
        PutU32(h, kDs64Bytes);
        PutU64(h, static_cast<uint64_t>(riffSize));
        PutU64(h, static_cast<uint64_t>(sampleBytes));
        PutU64(h,
               static_cast<uint64_t>(source.blockAlign > 0 ? sampleBytes / source.blockAlign : 0));
        PutU32(h, 0); // no table of other chunks' sizes
    }
    h.append("fmt ");
    PutU32(h, kFmtBytes);
    PutU16(h, kFormatPcm);
    PutU16(h, source.channels);
    PutU32(h, source.sampleRate);
    PutU32(h, source.sampleRate * source.blockAlign);
    PutU16(h, source.blockAlign);
    PutU16(h, source.bitsPerSample);
    PutU16(h, 0);
    h.append("data");
    PutU32(h, rf64 ? kSizeInDs64 : static_cast<uint32_t>(sampleBytes));
    return h;
}

namespace {

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

// Creates a hidden temporary file beside the final name (same folder, hence the same file
// system for the rename). The name stays short so a long final name cannot push it over the
// file system's limit. Mode 0666 lets the umask decide, as for any new file of the user.
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

bool CopyFallsBack(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL ||
           error == EBADF || error == ETXTBSY || error == EPERM;
}

// Copies size bytes from in at inOffset to out at outOffset, inside the kernel while it can,
// asking keepGoing between blocks. Returns Written, or the outcome with its cause.
CutStep CopySamples(int in, int out, off_t inOffset, off_t outOffset, int64_t size, bool kernelCopy,
                    const std::function<bool()>& keepGoing, QString& cause) {
    int64_t remaining = size;
    bool inKernel = kernelCopy;
    std::vector<char> buffer;
    while (remaining > 0) {
        if (inKernel) {
            const ssize_t n =
                ::copy_file_range(in, &inOffset, out, &outOffset,
                                  static_cast<size_t>(std::min(remaining, kCopyChunk)), 0);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && CopyFallsBack(errno)) {
                inKernel = false;
                continue;
            }
            if (n <= 0) {
                cause = n < 0 ? OsReason() : SourceEndedCause();
                return CutStep::Failed;
            }
            remaining -= n;
        } else {
            if (buffer.empty()) {
                buffer.resize(kBufferBytes);
            }
            const int64_t want = std::min<int64_t>(remaining, kBufferBytes);
            const ssize_t n = ::pread(in, buffer.data(), static_cast<size_t>(want), inOffset);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                cause = n < 0 ? OsReason() : SourceEndedCause();
                return CutStep::Failed;
            }
            if (!WriteAll(out, buffer.data(), n, outOffset)) {
                cause = OsReason();
                return CutStep::Failed;
            }
            inOffset += n;
            outOffset += n;
            remaining -= n;
        }
        if (remaining > 0 && keepGoing && !keepGoing()) {
            return CutStep::Aborted;
        }
    }
    return CutStep::Written;
}

// The source frames [first, last) a request covers, clipped to the frames a source file of
// fileSize bytes holds.
std::pair<int64_t, int64_t> RequestedFrames(const SegmentRequest& request, int64_t fileSize) {
    const WavInfo& source = request.source;
    const int64_t total = AvailableFrames(source, fileSize);
    const int64_t first = std::clamp<int64_t>(
        MsToFrame(std::max<int64_t>(0, request.startMs), source.sampleRate), 0, total);
    const int64_t last =
        request.endMs < 0
            ? total
            : std::clamp<int64_t>(MsToFrame(request.endMs, source.sampleRate), 0, total);
    return {first, last};
}

// Gives the complete file at from the name to, never replacing anything of that name: 0, or
// the errno of the failure (EEXIST when the name is taken).
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

// Completes the file written under tempName (pad byte, close) and gives it the first free name
// from finalPath on. Returns the cause it could not, or an empty text with the name in placed.
QString FinishOutput(Fd& out, bool padded, int64_t end, const QByteArray& tempName,
                     const QString& finalPath, const std::function<QString()>& nextFreePath,
                     QString& placed) {
    const char zero = 0;
    if (padded && !WriteAll(out.get(), &zero, 1, end)) {
        return OsReason();
    }
    if (!out.Close()) {
        return OsReason();
    }
    QString path = finalPath;
    for (int attempt = 1;; ++attempt) {
        const int error = LinkWithoutReplacing(tempName, QFile::encodeName(path));
        if (error == 0) {
            placed = path;
            return {};
        }
        const QString next =
            error == EEXIST && nextFreePath && attempt < kNameAttempts ? nextFreePath() : QString();
        if (next.isEmpty() || next == path) {
            return OsReason(error);
        }
        path = QFileInfo(next).absoluteFilePath();
    }
}

} // namespace

SegmentSaveResult WriteSegment(const SegmentRequest& request,
                               const std::function<bool()>& keepGoing) {
    SegmentSaveResult result;
    const WavInfo& source = request.source;
    if (source.blockAlign == 0 || source.sampleRate == 0) {
        return result;
    }

    Fd in(::open(QFile::encodeName(request.sourcePath).constData(), O_RDONLY | O_CLOEXEC));
    struct stat inStat {};
    if (!in.valid() || ::fstat(in.get(), &inStat) != 0) {
        result.cause = OsReason();
        return result;
    }
    const auto [startFrame, endFrame] = RequestedFrames(request, inStat.st_size);
    if (endFrame <= startFrame) {
        if (startFrame >= AvailableFrames(source, inStat.st_size)) {
            result.cause = PastTheEndCause();
        }
        return result;
    }
    const int64_t sampleBytes = (endFrame - startFrame) * source.blockAlign;
    // A chunk of odd size is followed by a pad byte, which the RIFF size counts.
    const bool padded = sampleBytes % 2 != 0;

    const QFileInfo output(request.outputPath);
    QString tempPath;
    Fd out(CreateTemporary(output.absolutePath(), tempPath));
    if (!out.valid()) {
        result.cause = OsReason();
        return result;
    }
    const QByteArray tempName = QFile::encodeName(tempPath);
    auto fail = [&](CutStep outcome, const QString& cause) {
        out.Close();
        ::unlink(tempName.constData());
        result.outcome = outcome;
        result.cause = cause;
        return result;
    };

    const QByteArray header = SegmentHeader(source, sampleBytes);
    if (!WriteAll(out.get(), header.constData(), header.size(), 0)) {
        return fail(CutStep::Failed, OsReason());
    }
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    QString cause;
    const CutStep copied =
        CopySamples(in.get(), out.get(), source.dataOffset + startFrame * source.blockAlign,
                    header.size(), sampleBytes, request.kernelCopy, keepGoing, cause);
    if (copied != CutStep::Written) {
        return fail(copied, cause);
    }
    const QString unfinished =
        FinishOutput(out, padded, header.size() + sampleBytes, tempName,
                     output.absoluteFilePath(), request.nextFreePath, result.outputPath);
    if (!unfinished.isEmpty()) {
        return fail(CutStep::Failed, unfinished);
    }
    result.outcome = CutStep::Written;
    result.frames = endFrame - startFrame;
    result.sampleBytes = sampleBytes;
    return result;
}

} // namespace veskar
