#include "core/wav/WavReader.h"

#include <new>

#include <QFileInfo>

#include "core/text/NumberFormat.h"
#include "core/wav/Rounding.h"
#include "core/wav/WavHeader.h"

namespace veskar {

QString ReadWavInfoGeneralFailure() {
    return QStringLiteral("WAVファイルデータ取得に失敗しました・・・GW");
}

QString MakeChannelText(uint16_t channels) {
    switch (channels) {
    case 1:
        return QStringLiteral("  mono");
    case 2:
        return QStringLiteral("stereo");
    default:
        return QStringLiteral("unknwn");
    }
}

QString MakeFormatCode(uint32_t sampleRate, uint16_t channels, uint16_t bitsPerSample) {
    // The two characters before the last three of "  " + rate; rates below 100 Hz have none
    // there and show as blanks.
    const QString rate = (QStringLiteral("  ") + QString::number(sampleRate)).rightJustified(5);
    const QString kHz = rate.mid(rate.size() - 5, 2);
    const QString channelText = MakeChannelText(channels);
    const QChar layout = channelText == QLatin1String("stereo")   ? QLatin1Char('S')
                         : channelText == QLatin1String("  mono") ? QLatin1Char('M')
                                                                  : QLatin1Char(' ');
    const QString bits = QLatin1Char(' ') + QString::number(bitsPerSample);
    return kHz + layout + bits.right(2);
}

QString MakeLengthText(int64_t dataLength, uint16_t blockAlign, double samplesPerMs) {
    int64_t ms = 0;
    if (blockAlign > 0 && samplesPerMs > 0) {
        ms = RoundHalfEven(static_cast<double>(dataLength) / blockAlign / samplesPerMs);
    }
    return QString::number(ms / 60000) + QLatin1Char('.') +
           QStringLiteral("%1").arg(ms % 60000, 5, 10, QLatin1Char('0'));
}

QStringList WavInfoNotes(const WavInfo& info) {
    QStringList notes;
    if (info.validBits > 0) {
        notes << QStringLiteral("有効ﾋﾞｯﾄ数　: %1 (%2ビット中)")
                     .arg(info.validBits)
                     .arg(info.bitsPerSample);
    }
    if (info.dataToFileEnd) {
        notes << QStringLiteral("ﾃﾞｰﾀｻｲｽﾞ　 : 未記入 (ファイルの終わりまで)");
    }
    return notes;
}

QString ReadWavInfo(const QString& path, WavInfo& info) {
    QString result = ReadWavInfoGeneralFailure();
    try {
        const QFileInfo file(path);
        info.fileName = file.fileName();
        info.folder = file.absolutePath();
        if (!info.folder.endsWith(QLatin1Char('/'))) {
            info.folder += QLatin1Char('/');
        }
        const QDateTime modified = file.lastModified();
        if (modified.isValid()) {
            info.dateText = MakeDateText(modified);
        }

        OpenWavFile wav;
        const QString check = ValidateWavHeader(path, WavRoutine::FileReader, wav);
        if (!check.isEmpty()) {
            return check;
        }
        const WavInfo& read = wav.info;
        info.fileSize = read.fileSize;
        info.dataOffset = read.dataOffset;
        info.dataSizeFieldOffset = read.dataSizeFieldOffset;
        info.dataLength = read.dataLength;
        info.dataToFileEnd = read.dataToFileEnd;
        info.formatTag = read.formatTag;
        info.sampleRate = read.sampleRate;
        info.blockAlign = read.blockAlign;
        info.channels = read.channels;
        info.bitsPerSample = read.bitsPerSample;
        info.validBits = read.validBits;
        info.bytesPerSample = read.bytesPerSample;
        info.bytesPerSecond = read.bytesPerSecond;
        info.samplesPerMs = read.samplesPerMs;
        info.channelText = MakeChannelText(read.channels);
        info.formatCode = MakeFormatCode(read.sampleRate, read.channels, read.bitsPerSample);
        info.lengthText = MakeLengthText(read.dataLength, read.blockAlign, read.samplesPerMs);
        result.clear();
    } catch (const std::bad_alloc&) {
        // The general message stands.
    }
    return result;
}

} // namespace veskar
