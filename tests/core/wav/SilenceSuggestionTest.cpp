#include "core/wav/SilenceSuggestion.h"

#include <gtest/gtest.h>

#include "core/wav/StartAgreement.h"
#include "support/AnalysisRecordings.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

class SilenceSuggestionTest : public testing::TestWithParam<int32_t> {};

// From near silence to loud tape hiss: the first setting finds every piece start to the
// millisecond, neither the quiet passage nor the fade's tail.
TEST_P(SilenceSuggestionTest, FirstSettingFindsExactlyThePieceStarts) {
    const int32_t hiss = GetParam();
    const KnownPieces known = PiecesInHiss(hiss);
    WavFiles files;
    const QString path = files.Write("take.wav", known.wav);

    PeakProfile profile;
    SilenceSuggestion suggestion;
    ASSERT_EQ(
        SuggestSilenceSettings(path, QStringLiteral("500"), ReadProgress{}, profile, suggestion),
        QString());
    EXPECT_LE(suggestion.noiseFloor, hiss);
    EXPECT_GE(suggestion.noiseFloor, hiss * 3 / 4);
    EXPECT_GE(suggestion.programmeLevel, 12000);
    EXPECT_LE(suggestion.programmeLevel, 12000 + hiss);
    EXPECT_EQ(suggestion.settings.levels[0], QString::number(suggestion.level));
    EXPECT_EQ(suggestion.settings.durations[0], QString::number(suggestion.durationMs));

    SilenceResult found;
    ASSERT_EQ(DetectSilences(path, suggestion.settings, QStringLiteral("1"), ReadProgress{}, found),
              QString());
    EXPECT_EQ(SongStarts(found.lists[0]), known.startsMs)
        << "L " << suggestion.level << " T " << suggestion.durationMs;
}

INSTANTIATE_TEST_SUITE_P(HissFloors, SilenceSuggestionTest, testing::Values(2, 30, 200, 800));

} // namespace

} // namespace veskar::test
