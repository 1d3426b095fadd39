#include "core/chop/ChopModes.h"

#include <cstdlib>

#include <QDir>
#include <QFileInfo>

#include "core/text/NumberFormat.h"
#include "core/text/ShiftJisText.h"

namespace veskar {

namespace {

constexpr int64_t k500M = 0x20000000;
constexpr int64_t k1G = 0x40000000;
constexpr int64_t k15G = 0x60000000;

int Index(ChopMode mode) {
    return static_cast<int>(mode);
}

} // namespace

QString IntroCaption(int startS, int endS) {
    auto hms = [](int s) {
        return QString::number(s / 3600) + QStringLiteral(" 時 ") + QString::number(s % 3600 / 60) +
               QStringLiteral(" 分 ") + QString::number(s % 60) + QStringLiteral(" 秒 ");
    };
    return QStringLiteral("開始 ") + hms(startS) + QStringLiteral("／ 終了 ") + hms(endS) +
           QStringLiteral("イントロカット");
}

QString ChopModeCaption(ChopMode mode, const ChopOptions& options) {
    static const char* const parts[] = {"２", "３", "４", "５", "６", "７", "８", "９", "１０"};
    const int m = Index(mode);
    if (mode <= ChopMode::Parts10) {
        return QString::fromUtf8(parts[m]) + QStringLiteral("分割");
    }
    switch (mode) {
    case ChopMode::Size500M:
        return QStringLiteral("５００M分割");
    case ChopMode::Size1G:
        return QStringLiteral("１G分割");
    case ChopMode::Size15G:
        return QStringLiteral("１．５G分割");
    case ChopMode::Intro:
        return IntroCaption(options.introStartS, options.introEndS);
    case ChopMode::RawToWav:
        return QStringLiteral("TMP>>WAV変換 実行");
    default:
        break;
    }
    int minutes = options.chopMinutes;
    if (m <= Index(ChopMode::Minutes10)) {
        minutes = m - 11;
    } else if (mode == ChopMode::Minutes15) {
        minutes = 15;
    } else if (mode <= ChopMode::Minutes60) {
        minutes = (m - 21) * 10;
    }
    return QString::number(minutes) + QStringLiteral("分 等分割");
}

QChar ChopLetter(ChopMode mode) {
    return mode == ChopMode::Intro      ? QLatin1Char('i')
           : mode == ChopMode::RawToWav ? QLatin1Char('t')
                                        : QLatin1Char('b');
}

int64_t ChopPieceLength(ChopMode mode, const WavInfo& source, int chopMinutes) {
    const int m = Index(mode);
    const int64_t frameBytesPerMinute = int64_t{source.sampleRate} * 60 * source.blockAlign;
    if (mode <= ChopMode::Parts10) {
        const int64_t parts = m + 2;
        return (source.dataLength + parts - 1) / parts;
    }
    switch (mode) {
    case ChopMode::Size500M:
        return k500M - source.dataOffset;
    case ChopMode::Size1G:
        return k1G - source.dataOffset;
    case ChopMode::Size15G:
        return k15G - source.dataOffset;
    case ChopMode::Minutes15:
        return frameBytesPerMinute * 15;
    case ChopMode::MinutesSet:
        return frameBytesPerMinute * chopMinutes;
    case ChopMode::Intro:
    case ChopMode::RawToWav:
        return 0;
    default:
        break;
    }
    if (m <= Index(ChopMode::Minutes10)) {
        return frameBytesPerMinute * (m - 11);
    }
    return frameBytesPerMinute * 10 * (m - 21);
}

std::vector<int64_t> ChopPieceList(ChopMode mode, const WavInfo& source, int chopMinutes) {
    if (mode == ChopMode::Intro || mode == ChopMode::RawToWav) {
        return {0};
    }
    // Raised to whole frames, so no piece starts in the middle of one.
    int64_t piece = ChopPieceLength(mode, source, chopMinutes);
    const int64_t align = source.blockAlign > 0 ? source.blockAlign : 1;
    piece = (piece + align - 1) / align * align;
    std::vector<int64_t> pieces;
    if (piece <= 0) {
        return pieces;
    }
    for (int64_t remaining = source.dataLength; remaining > 0; remaining -= piece) {
        pieces.push_back(std::min(piece, remaining));
    }
    return pieces;
}

bool DataSizeIsOdd(const WavInfo& source) {
    return std::llabs(source.fileSize - source.dataOffset - source.dataLength) > kDataSizeTolerance;
}

QString OddDataSizeMessage(const QString& sourcePath, const WavInfo& source) {
    return sourcePath + QStringLiteral("\nデータサイズが異状です・・・\nファイルサイズ:") +
           GroupedNumberField(source.fileSize, 8) + QStringLiteral("\nデータサイズ:") +
           GroupedNumberField(source.dataLength, 8) +
           QStringLiteral("\n\nファイルエンドまでをWAVデータであると「みなして」カットします☆");
}

int ValidChopMinutes(int minutes) {
    return minutes < 1 || minutes > 1000 ? kDefaultChopMinutes : minutes;
}

namespace {

// True when a file in folder is named prefix + anything + suffix, letter case aside, as the
// file masks of the browser match. Hidden files count too.
bool AnyFileMatches(const QString& folder, const QString& prefix, const QString& suffix) {
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (name.size() >= prefix.size() + suffix.size() &&
            name.startsWith(prefix, Qt::CaseInsensitive) &&
            name.endsWith(suffix, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString ChopStem(const QString& sourceFileName, bool shortNames, const QString& chopDir,
                 QChar letter) {
    QString stem = QFileInfo(sourceFileName).completeBaseName();
    if (shortNames) {
        return TruncateText(stem.remove(QLatin1Char('.')), 4);
    }
    const QString tail = QStringLiteral("_") + letter;
    if (!AnyFileMatches(chopDir, stem + tail, QStringLiteral(".wav"))) {
        return stem;
    }
    // A second run into the same folder gets a stem of its own, so its pieces sort together.
    for (int n = 0;; ++n) {
        const QString counted =
            stem + QStringLiteral("_n") + QString::number(n).rightJustified(3, '0');
        if (!AnyFileMatches(chopDir, counted + tail, QStringLiteral(".wav"))) {
            return counted;
        }
    }
}

QString ChopOutputPath(const QString& chopDir, const QString& stem, QChar letter, bool shortNames) {
    const int width = shortNames ? 2 : 3;
    for (int k = 0;; ++k) {
        const QString path = chopDir + stem + QStringLiteral("_") + letter +
                             QString::number(k).rightJustified(width, '0') + QStringLiteral(".wav");
        if (!QFileInfo::exists(path)) {
            return path;
        }
    }
}

} // namespace veskar
