#include <gtest/gtest.h>

#include "core/play/PlayRange.h"

namespace veskar::test {

namespace {

RangeModes CutScreen(CutPlayMode play, SpecialMode special) {
    RangeModes modes;
    modes.playMode = play;
    modes.specialMode = special;
    return modes;
}

RangeModes FileScreen(FileSpecialMode special) {
    RangeModes modes;
    modes.fileScreenShown = true;
    modes.fileSpecialMode = special;
    return modes;
}

// Plays a request repeatedly as the completions would, while the parts say more is due.
std::vector<PlayWindow> Parts(PlayWindow request, TimeMs length, const RangeModes& modes,
                              PlayParts& parts) {
    std::vector<PlayWindow> played;
    do {
        played.push_back(FitPlayWindow(request, length, modes, parts));
    } while ((parts.edgeSecondHalf || parts.fileEdgeSecondHalf || parts.previewChunkActive) &&
             played.size() < 20);
    return played;
}

} // namespace

TEST(FitPlayWindowTest, ClampsToTheFile) {
    struct Case {
        PlayWindow request;
        PlayWindow played;
    };
    const Case cases[] = {
        {{-300, 200}, {0, 200}},      // "end　5" at 200 ms
        {{500, -1}, {500, 10000}},    // to the end
        {{500, 12000}, {500, 10000}}, // past the end
        {{12000, -1}, {10000, 10000}},
        {{500, 500}, {500, 501}}, // an empty stretch plays 1 ms
        {{9999, 9999}, {9999, 10000}},
        {{10000, 10000}, {10000, 10000}}, // ... where the file allows
        {{700, 300}, {700, 300}},         // backwards stays for the device to refuse
    };
    for (const Case& c : cases) {
        PlayParts parts;
        EXPECT_EQ(
            FitPlayWindow(c.request, 10000, CutScreen(CutPlayMode::Zone, SpecialMode::Off), parts),
            c.played)
            << c.request.fromMs << ".." << c.request.toMs;
    }
}

TEST(FitPlayWindowTest, EdgesOnTheCutScreen) {
    const RangeModes modes = CutScreen(CutPlayMode::Continuous, SpecialMode::Edges);
    PlayParts parts;
    // A 12 s stretch: the first 5 s, then the last 5 s.
    EXPECT_EQ(Parts({10000, 22000}, 60000, modes, parts),
              (std::vector<PlayWindow>{{10000, 15000}, {17000, 22000}}));
    // A stretch of exactly 5 s plays once whole.
    EXPECT_EQ(Parts({10000, 15000}, 60000, modes, parts),
              (std::vector<PlayWindow>{{10000, 15000}}));
    // "end" plays to the end of the file, so its edges are those of the rest of the file.
    EXPECT_EQ(Parts({10000, 12000}, 60000, CutScreen(CutPlayMode::End, SpecialMode::Edges), parts),
              (std::vector<PlayWindow>{{10000, 15000}, {55000, 60000}}));
}

TEST(FitPlayWindowTest, FileSpecialModes) {
    struct Case {
        const char* name;
        FileSpecialMode mode;
        TimeMs length;
        std::vector<PlayWindow> played;
    };
    // clang-format off
    const Case cases[] = {
        {"whole", FileSpecialMode::Off, 20000, {{0, 20000}}},
        {"intro", FileSpecialMode::Intro, 20000, {{0, 10000}}},
        {"short intro", FileSpecialMode::Intro, 8000, {{0, 8000}}},
        {"edges", FileSpecialMode::Edges, 20000, {{0, 5000}, {15000, 20000}}},
        {"edges of 8 s", FileSpecialMode::Edges, 8000, {{0, 5000}, {3000, 8000}}},
        {"edges of 5 s", FileSpecialMode::Edges, 5000, {{0, 5000}}},
        {"2x on 20 s", FileSpecialMode::Preview2x, 20000, {{0, 3000}, {6000, 9000}, {12000, 15000}, {17000, 20000}}},
        {"2x on 21 s", FileSpecialMode::Preview2x, 21000, {{0, 3000}, {6000, 9000}, {12000, 15000}, {18000, 21000}}},
        {"5x on 40 s", FileSpecialMode::Preview5x, 40000, {{0, 3000}, {15000, 18000}, {30000, 33000}, {37000, 40000}}},
        {"10x on 62 s", FileSpecialMode::Preview10x, 62000, {{0, 3000}, {30000, 33000}, {59000, 62000}}},
        {"2x on 3 s", FileSpecialMode::Preview2x, 3000, {{0, 3000}}},
        {"2x on 3.001 s", FileSpecialMode::Preview2x, 3001, {{0, 3000}, {3000, 3001}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        PlayParts parts;
        RangeModes modes = FileScreen(c.mode);
        modes.introSeconds = 10;
        modes.edgeSeconds = 5;
        EXPECT_EQ(Parts({0, -1}, c.length, modes, parts), c.played) << c.name;
    }
}

TEST(LineStretchTest, PlayAndSpecialModes) {
    struct Case {
        const char* name;
        CutPlayMode play;
        SpecialMode special;
        std::optional<TimeMs> end;
        bool click;
        PlayWindow stretch;
    };
    // clang-format off
    const Case cases[] = {
        {"zone", CutPlayMode::Zone, SpecialMode::Off, 8000, true, {5000, 8000}},
        {"zone, last line", CutPlayMode::Zone, SpecialMode::Off, std::nullopt, true, {5000, -1}},
        {"skip", CutPlayMode::Skip, SpecialMode::Off, 8000, true, {5000, 6000}},
        {"end", CutPlayMode::End, SpecialMode::Off, 8000, true, {5000, 60000}},
        {"end, continued", CutPlayMode::End, SpecialMode::Off, 8000, false, {5000, 8000}},
        {"start probe", CutPlayMode::Continuous, SpecialMode::StartProbe, 8000, true, {5000, 5300}},
        {"silent start probe", CutPlayMode::Zone, SpecialMode::SilentStartProbe, 8000, true, {5000, 5050}},
        {"end probe", CutPlayMode::Zone, SpecialMode::EndProbe, 8000, true, {4300, 5000}},
        {"silent end probe", CutPlayMode::Skip, SpecialMode::SilentEndProbe, 8000, true, {4800, 5000}},
        {"end probe in end mode", CutPlayMode::End, SpecialMode::EndProbe, 8000, true, {4300, 60000}},
        {"edges leave the stretch", CutPlayMode::Zone, SpecialMode::Edges, 8000, true, {5000, 8000}},
    };
    // clang-format on
    for (const Case& c : cases) {
        RangeModes modes = CutScreen(c.play, c.special);
        modes.probes = {300, 700, 200, 50, 5000};
        EXPECT_EQ(LineStretch(5000, c.end, modes, c.click, 60000), c.stretch) << c.name;
    }
}

} // namespace veskar::test
