#include <gtest/gtest.h>

#include <vector>

#include <QBuffer>

#include "core/wav/RiffChunks.h"
#include "support/WavBuilder.h"

namespace veskar::test {

namespace {

using Found = std::pair<int64_t, int64_t>;

// Where the walk finds "fmt " and "data" (header offsets; -1: not found).
Found Walk(QByteArray bytes, ChunkWalkRules rules, size_t bufferBytes) {
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    std::vector<uint8_t> buffer(bufferBytes);
    const WavChunks chunks = WalkRiffChunks(file, buffer, rules);
    return {chunks.fmt ? chunks.fmt->headerPos : -1, chunks.data ? chunks.data->headerPos : -1};
}

} // namespace

TEST(RiffChunksTest, WalkRules) {
    const ChunkWalkRules exact{.fmtSearchEnd = -1, .padOddChunks = false};
    const ChunkWalkRules padding{.fmtSearchEnd = -1, .padOddChunks = true};
    const ChunkWalkRules header{.fmtSearchEnd = 4096, .padOddChunks = false};
    const QByteArray unpadded = WavBuilder().Chunk("odd ", "abc").PlaceFmt().Silence(4).Build();
    QByteArray padded = unpadded;
    padded.insert(12 + 8 + 3, '\0');
    QByteArray manyChunks = WavBuilder().Silence(4).Build();
    for (int i = 0; i < 3000; ++i) {
        manyChunks.insert(36, QByteArray("junk\0\0\0\0", 8));
    }
    struct Case {
        const char* name;
        QByteArray bytes;
        ChunkWalkRules rules;
        int64_t fmt;
        int64_t data;
    };
    const Case cases[] = {
        {"canonical", WavBuilder().Silence(4).Build(), exact, 12, 36},
        {"odd chunk as this system writes it", unpadded, padding, 23, 47},
        {"odd chunk padded, stepped exactly", padded, exact, -1, -1},
        {"odd chunk padded, pad tolerated", padded, padding, 24, 48},
        {"file ending after an odd chunk", unpadded.left(12 + 8 + 3 + 1), padding, -1, -1},
        {"data before fmt", WavBuilder().PlaceData().PlaceFmt().Silence(4).Build(), header, 36, 12},
        {"fmt after 4,096 bytes", WavBuilder().List(5000).PlaceFmt().Silence(4).Build(), header, -1,
         5044},
        {"fmt anywhere", WavBuilder().List(5000).PlaceFmt().Silence(4).Build(), exact, 5020, 5044},
        {"fmt header across the limit", WavBuilder().List(4070).PlaceFmt().Silence(4).Build(),
         header, -1, 4114},
        {"fmt twice", WavBuilder().Chunk("fmt ", QByteArray(16, 'x')).Silence(4).Build(), exact, 12,
         60},
        {"3,000 chunks before data", manyChunks, header, 12, 36 + 3000 * 8},
    };
    for (const Case& c : cases) {
        for (size_t bufferBytes : {size_t{9}, size_t{64 * 1024}}) {
            EXPECT_EQ(Walk(c.bytes, c.rules, bufferBytes), Found(c.fmt, c.data))
                << c.name << ", buffer " << bufferBytes;
        }
    }
    EXPECT_EQ(Walk(WavBuilder().Silence(4).Build(), exact, 8), Found(-1, -1))
        << "a buffer that holds no chunk header";
}

} // namespace veskar::test
