#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "core/chop/ChopWriters.h"
#include "core/wav/WavInfo.h"

namespace veskar {

/// The items of the chop menu that start a run, by their mode number (the order in which the
/// menu offers them).
enum class ChopMode : int {
    Parts2 = 0, ///< "２分割" … Parts10 = 8 "１０分割": dataLength / (mode + 2), rounded up
    Parts10 = 8,
    Size500M = 9,  ///< "５００M分割": each piece file, header included, 512 MiB
    Size1G = 10,   ///< "１G分割"
    Size15G = 11,  ///< "１．５G分割"
    Minutes1 = 12, ///< "1分 等分割" … Minutes10 = 21 "10分 等分割"
    Minutes10 = 21,
    Minutes15 = 22,
    Minutes20 = 23, ///< 20, 30, 40, 50 and 60 minutes for 23..27
    Minutes60 = 27,
    MinutesSet = 28, ///< the minutes of the chop settings ("15分 等分割" by default)
    Intro = 29,      ///< one fixed time range of every file
    RawToWav = 30,   ///< raw PCM (a recorder's temporary file) to a WAV file
};

constexpr int kChopModeCount = 31;

/// `ChopMinutes` kept within 1..1000; anything outside becomes the default 15.
constexpr int kDefaultChopMinutes = 15;
int ValidChopMinutes(int minutes);

/// The chop settings in force for a run.
struct ChopOptions {
    bool shortNames = false; ///< `PBG_AUTO_83`: 8.3 names for the pieces
    int chopMinutes = kDefaultChopMinutes;
    int introStartS = 0; ///< `IntroStart`, whole seconds
    int introEndS = 10;  ///< `IntroEnd`
    RawFormat raw;
    QString chopDir; ///< `ChopDir`, with its trailing separator
};

/// The caption of the intro item: "開始 h 時 m 分 s 秒 ／ 終了 h 時 m 分 s 秒 イントロカット".
QString IntroCaption(int startS, int endS);

/// The menu caption of a mode: mode 28's follows the minutes, mode 29's the intro range.
QString ChopModeCaption(ChopMode mode, const ChopOptions& options);

/// The letter of a mode's output names: "b" for pieces, "i" for the intro cut, "t" for a
/// converted raw file.
QChar ChopLetter(ChopMode mode);

/// Piece length in bytes of modes 0..28 before rounding to whole frames (products in 64 bits);
/// 0 for modes 29 and 30, which write one range.
int64_t ChopPieceLength(ChopMode mode, const WavInfo& source, int chopMinutes);

/// The pieces of the source's dataLength sample bytes: the mode's piece length raised to a whole
/// multiple of blockAlign, then as many of those as fit and a shorter last one. Modes 29 and 30:
/// one entry, 0. Empty when there is nothing to cut.
std::vector<int64_t> ChopPieceList(ChopMode mode, const WavInfo& source, int chopMinutes);

/// The data length a chop takes: a declared data size that disagrees with the file's size by
/// more than this is replaced by everything from dataOffset to the end of the file.
constexpr int64_t kDataSizeTolerance = 2048;
bool DataSizeIsOdd(const WavInfo& source);

/// The timed message before a chop takes the data to the end of the file.
QString OddDataSizeMessage(const QString& sourcePath, const WavInfo& source);

/// The name stem of a source's pieces in chopDir (with its trailing separator): the file name
/// without its extension; for 8.3 names without "." and cut to 4 bytes, otherwise followed by
/// "_n" and the first free three-digit counter when pieces of that stem and letter exist already.
QString ChopStem(const QString& sourceFileName, bool shortNames, const QString& chopDir,
                 QChar letter);

/// The first free output path chopDir + stem + "_" + letter + k (k from 0, 2 digits for 8.3
/// names, else 3) + ".wav".
QString ChopOutputPath(const QString& chopDir, const QString& stem, QChar letter, bool shortNames);

} // namespace veskar
