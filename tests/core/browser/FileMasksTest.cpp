#include <gtest/gtest.h>

#include "core/browser/FileMasks.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(FileMasksTest, MatchCountsOfFilterTexts) {
    struct Case {
        const char* filter;
        const char* name;
        int count;
    };
    const Case cases[] = {
        {"*.WAV", "take.wav", 1},
        {"*.wav", "take.wave", 0},
        {"*.WAV;*.TXT", "notes.txt", 1},
        {"*.WAV;", "notes.txt", 0},
        {";;", "take.wav", 0},
        {"*.WAV;T*", "take.wav", 2},
        {"*.*", "README", 1},
        {"*.wav; *.mp3", "song.MP3", 1},
        {"take.*", "take", 1},
        {"*.*", ".hidden", 1},
        {"t?ke.wav", "TAKE.WAV", 1},
        {"t?ke.wav", "tke.wav", 0},
        {"*a*a*", "banana", 1},
        {"*a*a*", "bnn", 0},
        {"Ä*.wav", "äpfel.WAV", 1},
        {"*", "", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileMasks(QString::fromUtf8(c.filter)).MatchCount(QString::fromUtf8(c.name)),
                  c.count)
            << c.filter << " / " << c.name;
    }
    EXPECT_EQ(FileMasks("*.WAV; ;*.TXT;").Masks(), QStringList({"*.WAV", "*.TXT"}));
}

} // namespace
} // namespace veskar
