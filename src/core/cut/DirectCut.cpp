#include "core/cut/DirectCut.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>

#include "core/cut/OutputFile.h"
#include "core/wav/RiffChunks.h"
#include "core/wav/WavHeader.h"

namespace veskar {

namespace {

const QString kSite = QStringLiteral("MW");
constexpr int64_t kHeader = 8;
constexpr int64_t kMaxChunk = 0xFFFFFFFF;

QString Msg(const char* body) {
    return SiteMessage(QString::fromUtf8(body), kSite);
}

QString GeneralFailure() {
    return Msg("元wavファイル加工に失敗しました");
}

// The file opened for reading and writing, locked against other writers of the program.
int OpenForEditing(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ReadExactly(int fd, void* data, int64_t size, int64_t offset) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::pread(fd, p, static_cast<size_t>(size), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        size -= n;
        offset += n;
    }
    return true;
}

bool WriteHeader(int fd, int64_t position, const char* tag, uint32_t size) {
    uint8_t bytes[kHeader];
    std::memcpy(bytes, tag, 4);
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = static_cast<uint8_t>(size >> (8 * i));
    }
    return WriteAll(fd, bytes, kHeader, position);
}

// Writes every used entry's former bytes back; false when one could not be.
bool PutBack(int fd, const DirectCutRecord& record) {
    bool ok = true;
    for (const DirectCutEntry& entry : record.entries) {
        if (entry.position >= 0) {
            ok = WriteHeader(fd, entry.position, entry.formerTag.data(), entry.formerSize) && ok;
        }
    }
    return ok;
}

// Whole frames of a time in milliseconds, as a byte offset into the samples, never negative.
int64_t FrameBytes(double ms, uint32_t sampleRate, uint16_t blockAlign) {
    return std::max<int64_t>(0, static_cast<int64_t>(std::trunc(ms / 1000.0 * sampleRate))) *
           blockAlign;
}

} // namespace

QString DirectCutFile(const QString& path, const QString& startText, const QString& endText,
                      DirectCutRecord& record) {
    OpenWavFile wav;
    const QString invalid = ValidateWavHeader(path, WavRoutine::DirectCut, wav);
    if (!invalid.isEmpty()) {
        return invalid;
    }
    bool startOk = false;
    bool endOk = endText.isEmpty();
    const double startMs = startText.toDouble(&startOk);
    const double endMs = endOk ? -1 : endText.toDouble(&endOk);
    const WavInfo& info = wav.info;
    const int64_t dataEnd = info.dataOffset + info.dataLength;
    // The sizes written are 32-bit; a file whose sizes stand elsewhere (RF64) is not edited.
    if (!startOk || !endOk || dataEnd > kMaxChunk ||
        std::memcmp(wav.header.get(), "RIFF", 4) != 0) {
        return GeneralFailure();
    }

    std::array<int64_t, 3> position{info.dataOffset - kHeader, -1, -1};
    position[1] = info.dataOffset + FrameBytes(startMs, info.sampleRate, info.blockAlign) - kHeader;
    if (dataEnd < position[1]) {
        return Msg("先頭タイムがデータ範囲を超えています");
    }
    const int64_t cutaSize = position[1] - position[0] - kHeader;
    if (cutaSize < 0) {
        // A start within the first 8 bytes: the segment starts with the data, no "cuta".
        position[1] = position[0];
        position[0] = -1;
    }
    if (endMs >= 0) {
        position[2] = info.dataOffset + FrameBytes(endMs, info.sampleRate, info.blockAlign);
        if (dataEnd < position[2]) {
            position[2] = -1;
        }
    }
    const int64_t dataSize = (position[2] >= 0 ? position[2] : dataEnd) - position[1] - kHeader;
    // An empty segment would leave a file no reader opens.
    if (dataSize <= 0) {
        return Msg("データサイズが、０です");
    }
    const int64_t cutbSize = position[2] >= 0 ? dataEnd - position[2] - kHeader : -1;
    if (cutbSize < 0) {
        position[2] = -1;
    }

    Fd file(OpenForEditing(path));
    if (!file.valid()) {
        return GeneralFailure();
    }
    // The former bytes are the only way back: without them nothing is written.
    DirectCutRecord saved;
    for (int i = 0; i < 3; ++i) {
        DirectCutEntry& entry = saved.entries[static_cast<size_t>(i)];
        entry.position = position[static_cast<size_t>(i)];
        uint8_t bytes[kHeader];
        if (entry.position >= 0 && !ReadExactly(file.get(), bytes, kHeader, entry.position)) {
            record.pending = false;
            return Msg("WAVファイルの読み出しに失敗しました");
        }
        if (entry.position >= 0) {
            std::memcpy(entry.formerTag.data(), bytes, 4);
            entry.formerSize = LeU32(bytes + 4);
        }
    }
    record = saved;
    record.pending = true;

    const std::array<uint32_t, 3> sizes{static_cast<uint32_t>(std::max<int64_t>(0, cutaSize)),
                                        static_cast<uint32_t>(dataSize),
                                        static_cast<uint32_t>(std::max<int64_t>(0, cutbSize))};
    const char* const tags[] = {"cuta", "data", "cutb"};
    bool written = true;
    for (size_t i = 0; i < 3 && written; ++i) {
        written = position[i] < 0 || WriteHeader(file.get(), position[i], tags[i], sizes[i]);
    }
    if (!written || ::fsync(file.get()) != 0) {
        PutBack(file.get(), record);
        ::fsync(file.get());
        return Msg("データの書き込みに失敗しました");
    }
    return file.Close() ? QString() : Msg("データの書き込みに失敗しました");
}

QString RestoreFile(const QString& path, DirectCutRecord& record) {
    Fd file(OpenForEditing(path));
    if (!file.valid()) {
        return Msg("WAVファイルの読み出しに失敗しましたOP");
    }
    // Kept pending when the bytes did not all reach the disk, so the restore can be tried again.
    if (record.pending && (!PutBack(file.get(), record) || ::fsync(file.get()) != 0)) {
        return Msg("データの書き込みに失敗しました");
    }
    record.pending = false;
    return {};
}

namespace {

struct WalkedChunk {
    int64_t position;
    char tag[4];
    int64_t size;
    bool Is(const char* t) const { return std::memcmp(tag, t, 4) == 0; }
};

std::vector<WalkedChunk> WalkAllChunks(int fd) {
    std::vector<WalkedChunk> chunks;
    for (int64_t position = kFirstChunkPos;;) {
        uint8_t bytes[kHeader];
        if (!ReadExactly(fd, bytes, kHeader, position)) {
            return chunks;
        }
        WalkedChunk chunk{position, {}, LeU32(bytes + 4)};
        std::memcpy(chunk.tag, bytes, 4);
        chunks.push_back(chunk);
        position += kHeader + chunk.size;
    }
}

} // namespace

QString ForceRestoreFile(const QString& path) {
    OpenWavFile wav;
    const QString invalid = ValidateWavHeader(path, WavRoutine::Restore, wav);
    if (!invalid.isEmpty()) {
        return invalid;
    }
    Fd file(OpenForEditing(path));
    if (!file.valid()) {
        return GeneralFailure();
    }
    const std::vector<WalkedChunk> chunks = WalkAllChunks(file.get());
    const auto find = [&](const char* tag, size_t from = 0) {
        for (size_t i = from; i < chunks.size(); ++i) {
            if (chunks[i].Is(tag)) {
                return i;
            }
        }
        return chunks.size();
    };
    const size_t firstData = find("data");
    if (find("cuta") == chunks.size() && find("cutb") == chunks.size()) {
        return QStringLiteral("加工した痕跡がありません☆");
    }
    int64_t rebuilt = -1;
    int64_t size = 0;
    std::vector<int64_t> blanks;
    if (size_t i = find("cuta"); i < chunks.size()) {
        rebuilt = chunks[i].position;
        for (; i < chunks.size() && chunks[i].Is("cuta"); ++i) {
            size += chunks[i].size + kHeader;
            blanks.push_back(chunks[i].position);
        }
        size -= kHeader;
        blanks.erase(blanks.begin());
        if (i != firstData) {
            // The audio before the segment does not lead into the first data chunk: only the
            // data and what follows it are rebuilt.
            rebuilt = -1;
            size = 0;
            blanks.clear();
        } else {
            size += chunks[i].size + kHeader;
            blanks.push_back(chunks[i].position);
        }
    }
    if (firstData == chunks.size()) {
        return QStringLiteral("データチャンクがありません☆");
    }
    if (rebuilt < 0) {
        rebuilt = chunks[firstData].position;
        size = chunks[firstData].size;
    }
    for (size_t i = firstData + 1; i < chunks.size() && chunks[i].Is("cutb"); ++i) {
        size += chunks[i].size + kHeader;
        blanks.push_back(chunks[i].position);
    }
    if (size > kMaxChunk) {
        return GeneralFailure();
    }
    if (!WriteHeader(file.get(), rebuilt, "data", static_cast<uint32_t>(size))) {
        return QStringLiteral("シークエラー☆");
    }
    // Silence in the samples' own coding: unsigned 8-bit centres on 128, wider samples on 0.
    const std::vector<uint8_t> silence(kHeader, wav.info.bytesPerSample == 1 ? 0x80 : 0);
    for (int64_t blank : blanks) {
        if (!WriteAll(file.get(), silence.data(), kHeader, blank)) {
            return GeneralFailure();
        }
    }
    if (::fsync(file.get()) != 0 || !file.Close()) {
        return GeneralFailure();
    }
    return {};
}

} // namespace veskar
