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

#include "core/cut/OutputFile.h"

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

// Attempts at a free name before a save gives up: other writers would have to take each name
// as it is found.
constexpr int kNameAttempts = 100;
// The 16 standard bytes of "fmt " and an empty 2-byte extension size, as older readers expect.
constexpr uint32_t kFmtBytes = 18;
constexpr uint16_t kFormatPcm = 1;

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
    const CopyResult copied = CopyFileRange(
        in.get(), source.dataOffset + startFrame * source.blockAlign, out.get(), header.size(),
        sampleBytes, request.kernelCopy ? CopyMethod::Best : CopyMethod::Buffer,
        [&](int64_t) { return !keepGoing || keepGoing(); });
    switch (copied.failure) {
    case CopyFailure::None:
        break;
    case CopyFailure::Stopped:
        return fail(CutStep::Aborted, {});
    case CopyFailure::SourceEnded:
        return fail(CutStep::Failed, SourceEndedCause());
    case CopyFailure::Read:
    case CopyFailure::Write:
        return fail(CutStep::Failed, OsReason(copied.error));
    }
    const QString unfinished =
        FinishOutput(out, padded, header.size() + sampleBytes, tempName, output.absoluteFilePath(),
                     request.nextFreePath, result.outputPath);
    if (!unfinished.isEmpty()) {
        return fail(CutStep::Failed, unfinished);
    }
    result.outcome = CutStep::Written;
    result.frames = endFrame - startFrame;
    result.sampleBytes = sampleBytes;
    return result;
}

} // namespace veskar
