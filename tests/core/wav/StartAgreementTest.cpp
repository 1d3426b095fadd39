#include "core/wav/StartAgreement.h"

#include <gtest/gtest.h>

#include "core/wav/SilenceSuggestion.h"
#include "support/AnalysisRecordings.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

const QString kMark = QStringLiteral("1");

// Starts near 10 s lie 0, 299, 300 and 301 ms apart; list 5 stays empty. A silence start
// (every second entry) counts 0, and a list counts once however many of its starts are near.
TEST(StartAgreement, CountsTheListsWithAStartWithinTheTolerance) {
    SilenceResult r;
    const std::array<std::vector<int64_t>, 5> starts{
        {{0, 10000, 30000}, {0, 10299, 29000}, {0, 9700}, {10301}, {10000, 10100}}};
    for (int k = 0; k < 5; ++k) {
        for (const int64_t ms : starts[k]) {
            r.lists[k].Append(ms, kMark);
            r.lists[k].Append(ms + 2000, QString());
        }
    }
    const auto counts = StartAgreement(r);
    EXPECT_EQ(counts[0], (std::vector<int>{3, 0, 4, 0, 1, 0}));
    EXPECT_EQ(counts[1], (std::vector<int>{3, 0, 4, 0, 1, 0}));
    EXPECT_EQ(counts[2], (std::vector<int>{3, 0, 3, 0}));
    EXPECT_EQ(counts[3], (std::vector<int>{3, 0}));
    EXPECT_EQ(counts[4], (std::vector<int>{4, 0, 4, 0}));
    EXPECT_TRUE(counts[5].empty());
}

// A known count: the pieces' starts within the tolerance (never after the sound), never the
// end of the quiet passage while a longer gap is left; with three pieces, the longest gaps.
TEST(StartAgreement, FittedCountFindsTheLongestGaps) {
    for (const int32_t hiss : {2, 200, 800}) {
        const KnownPieces known = PiecesInHiss(hiss);
        WavFiles files;
        PeakProfile profile;
        SilenceSuggestion s;
        ASSERT_EQ(SuggestSilenceSettings(files.Write("take.wav", known.wav), QString(),
                                         ReadProgress{}, profile, s),
                  QString());
        const std::vector<int64_t>& truth = known.startsMs;
        for (const auto& [pieces, expected] :
             {std::pair{5, truth}, std::pair{3, std::vector{truth[0], truth[2], truth[4]}}}) {
            const auto starts = SongStarts(FitPieceCount(profile, s.level, pieces, kMark));
            ASSERT_EQ(starts.size(), expected.size()) << hiss << " " << pieces;
            for (size_t i = 0; i < starts.size(); ++i) {
                EXPECT_LE(expected[i] - starts[i], kAgreementToleranceMs) << hiss << " " << i;
                EXPECT_LE(starts[i], expected[i]) << hiss << " " << i;
            }
        }
    }
}

} // namespace

} // namespace veskar::test
