#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/wav/FrameMagnitude.h"
#include "core/wav/WorkArea.h"

namespace veskar::test {

namespace {

std::vector<SimdLevel> Levels() {
    std::vector<SimdLevel> levels;
    for (SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2}) {
        if (LimitSimdLevel(level) == level) {
            levels.push_back(level);
        }
    }
    LimitSimdLevel(SimdLevel::Avx2);
    return levels;
}

const char* Name(SimdLevel level) {
    return level == SimdLevel::Scalar ? "scalar" : level == SimdLevel::Sse2 ? "sse2" : "avx2";
}

// Random bytes with the extreme sample values sprinkled in, so -32768 (magnitude 32,768), 0x80
// bytes (8-bit silence) and 0x7F/0xFF show up at every position of a vector.
std::vector<uint8_t> Bytes(int64_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(count + kWorkAreaSlack, 0);
    const uint8_t extremes[] = {0x80, 0x00, 0xFF, 0x7F};
    for (int64_t i = 0; i < count; ++i) {
        const uint32_t r = random();
        bytes[i] = r % 8 < 4 ? extremes[r % 8] : static_cast<uint8_t>(r >> 8);
    }
    return bytes;
}

class FrameMagnitudeTest : public ::testing::Test {
protected:
    void TearDown() override { LimitSimdLevel(SimdLevel::Avx2); }
};

TEST_F(FrameMagnitudeTest, SampleValuesAndMagnitudes) {
    const uint8_t s16[] = {0x00, 0x80, 0xFF, 0x7F}; // -32768, 32767
    EXPECT_EQ(SampleValue(s16, 2), -32768);
    EXPECT_EQ(FrameMagnitude(s16, {4, 2, 2}), 32768);
    EXPECT_EQ(FrameMagnitude(s16 + 2, {2, 2, 1}), 32767);
    const uint8_t s8[] = {128, 0, 255, 129};
    EXPECT_EQ(FrameMagnitude(s8, {1, 1, 1}), 0);
    EXPECT_EQ(FrameMagnitude(s8, {2, 1, 2}), 128);
    EXPECT_EQ(FrameMagnitude(s8 + 2, {2, 1, 2}), 127);
    EXPECT_EQ(FrameMagnitude(s8 + 3, {1, 1, 1}), 1);
    // Wider samples are read by their two most significant bytes.
    const uint8_t s24[] = {0x56, 0x34, 0x12, 0x00, 0x00, 0x80};
    EXPECT_EQ(SampleValue(s24, 3), 0x1234);
    EXPECT_EQ(FrameMagnitude(s24, {6, 3, 2}), 32768);
    const uint8_t s32[] = {0xFF, 0xFF, 0xFE, 0xFF};
    EXPECT_EQ(SampleValue(s32, 4), -2);
    // Only the first two channels count.
    const uint8_t quad[] = {0, 0, 0, 0, 0x00, 0x40, 0x00, 0x40};
    EXPECT_EQ(FrameMagnitude(quad, {8, 2, 4}), 0);
}

TEST_F(FrameMagnitudeTest, EveryLevelMatchesThePlainDefinition) {
    const FrameLayout layouts[] = {
        {4, 2, 2}, {2, 2, 1}, {2, 1, 2}, {1, 1, 1}, {6, 3, 2}, {3, 3, 1},
        {8, 2, 4}, {1, 2, 2}, {3, 2, 1}, {2, 2, 2}, {4, 4, 1}, {5, 1, 2},
    };
    for (SimdLevel level : Levels()) {
        LimitSimdLevel(level);
        for (const FrameLayout& layout : layouts) {
            for (int64_t count : {0, 1, 7, 8, 15, 16, 17, 31, 33, 64, 100, 4099}) {
                SCOPED_TRACE(testing::Message()
                             << Name(level) << " align " << layout.blockAlign << " bytes "
                             << layout.bytesPerSample << " channels " << layout.channels
                             << " count " << count);
                const auto bytes = Bytes(count * layout.blockAlign, static_cast<uint32_t>(count));
                std::vector<uint16_t> out(count + 1, 0xABCD);
                BlockMagnitudes(bytes.data(), count, layout, out.data());
                int top = -1;
                for (int64_t i = 0; i < count; ++i) {
                    const int expected =
                        FrameMagnitude(bytes.data() + i * layout.blockAlign, layout);
                    ASSERT_EQ(out[i], expected) << "frame " << i;
                    top = std::max(top, expected);
                }
                EXPECT_EQ(out[count], 0xABCD) << "wrote past the end";
                EXPECT_EQ(MaxMagnitude(out.data(), count), top);
            }
        }
    }
}

TEST_F(FrameMagnitudeTest, QuietMasksAtEveryLevel) {
    std::mt19937 random(3);
    std::vector<uint16_t> magnitudes(64 * 9);
    for (auto& m : magnitudes) {
        const uint32_t r = random();
        m = static_cast<uint16_t>(r % 4 == 0 ? (r >> 8) % 32769 : (r >> 8) % 2000);
    }
    magnitudes[5] = 32768;
    magnitudes[70] = 0;
    for (SimdLevel simd : Levels()) {
        LimitSimdLevel(simd);
        for (int32_t level : {-5, 0, 1, 100, 1500, 32767, 32768, 32769, 40000}) {
            SCOPED_TRACE(testing::Message() << Name(simd) << " level " << level);
            std::vector<uint64_t> masks(9);
            QuietMasks(magnitudes.data(), 9, level, masks.data());
            for (int i = 0; i < 64 * 9; ++i) {
                ASSERT_EQ((masks[i / 64] >> (i % 64)) & 1, magnitudes[i] < level ? 1u : 0u)
                    << "magnitude " << i << " = " << magnitudes[i];
            }
        }
    }
}

} // namespace

} // namespace veskar::test
