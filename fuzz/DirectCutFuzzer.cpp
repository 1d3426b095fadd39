// The direct cut and both restores over any bytes: the file never changes size, a cut and its
// complete restore give the file back byte for byte, and the forced restore's chunk walk reads
// nothing outside the file whatever chunk sizes it meets.
#include <QFile>

#include "FuzzSupport.h"
#include "core/cut/DirectCut.h"

namespace veskar::fuzz {
namespace {

QByteArray ReadBack(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    using namespace veskar::fuzz;
    // The last two bytes choose the segment, in tens of milliseconds; the rest is the file.
    if (size < 2) {
        return 0;
    }
    const uint8_t from = data[size - 2];
    const uint8_t length = data[size - 1];
    const QString start = QString::number(from * 10);
    const QString end = length == 0 ? QString() : QString::number((from + length) * 10);
    const QString path = WriteInputFile(data, size - 2);
    const QByteArray before = ReadBack(path);

    DirectCutRecord record;
    const bool cut = DirectCutFile(path, start, end, record).isEmpty();
    FUZZ_CHECK(ReadBack(path).size() == before.size());
    FUZZ_CHECK(!cut || record.pending);
    if (cut) {
        FUZZ_CHECK(RestoreFile(path, record).isEmpty());
        FUZZ_CHECK(ReadBack(path) == before);
        DirectCutFile(path, start, end, record);
    }
    ForceRestoreFile(path);
    FUZZ_CHECK(ReadBack(path).size() == before.size());
    return 0;
}
