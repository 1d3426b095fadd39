#include "core/commands/FreeSpaceReport.h"

#include <cmath>

#include <QDir>

#include "core/settings/Paths.h"
#include "core/settings/TextFile.h"
#include "core/text/NumberFormat.h"

namespace veskar {

namespace {

const QString kRule(65, u'-');

QString DriveLine(const Volume& drive, const WaveFormat& format) {
    if (drive.bytesFree < 0 || drive.bytesTotal < 0) {
        return ' ' + drive.root + QStringLiteral(": ディスクがありません・・・");
    }
    return ' ' + drive.root + ':' + GroupedNumberField(drive.bytesFree, 15) +
           QStringLiteral(" Bytes  ") + GroupedNumberField(drive.bytesTotal, 15) +
           QStringLiteral(" Bytes  ") +
           GroupedNumberField(RecordingMinutes(drive.bytesFree, format), 5) +
           QStringLiteral("分/ ") +
           GroupedNumberField(RecordingMinutes(drive.bytesTotal, format), 5) + QStringLiteral("分");
}

QString ChannelsText(int channels) {
    if (channels == 1) {
        return QStringLiteral("ﾓﾉﾗﾙ");
    }
    return channels == 2 ? QStringLiteral("ｽﾃﾚｵ")
                         : QString::number(channels) + QStringLiteral("ch");
}

} // namespace

int64_t RecordingMinutes(int64_t bytes, const WaveFormat& format) {
    // Whole bytes per sample, so a 24-bit recording counts three bytes a sample, not one.
    const int sampleBits = (format.bitsPerSample + 7) / 8 * 8;
    const double bitsPerSecond =
        static_cast<double>(format.sampleRate) * sampleBits * format.channels;
    if (bytes <= 0 || bitsPerSecond <= 0) {
        return 0;
    }
    return std::llround(static_cast<double>(bytes) * 8.0 / (bitsPerSecond * 60.0));
}

QStringList FreeSpaceReportLines(const std::vector<Volume>& drives, const WaveFormat& format,
                                 const QDateTime& now) {
    QStringList lines = {
        QStringLiteral("全ﾄﾞﾗｲﾌﾞ空きサイズ一覧　　 ") + MakeDateText(now) + ' ',
        QString(),
        QStringLiteral("ﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       ") +
            QString::number(format.sampleRate) + QStringLiteral("/ ") +
            QString::number(format.bitsPerSample) + QStringLiteral("/ ") +
            ChannelsText(format.channels),
        kRule,
    };
    for (const Volume& drive : drives) {
        lines.append(DriveLine(drive, format));
    }
    lines.append(kRule);
    return lines;
}

std::optional<QString> WriteFreeSpaceReport(const QStringList& lines, QString& error) {
    const QString folder = WorkDir();
    if (!QDir().mkpath(folder)) {
        error = QString::fromUtf8(kWriteFailed) + '\n' + folder;
        return std::nullopt;
    }
    const QString path = folder + QStringLiteral("DrV$$$$$.TXT");
    error = WriteListFile(path, lines);
    if (!error.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

QString NoDrivesMessage() {
    return QStringLiteral("ドライブが存在しません？？？");
}

QString NoFormatMessage() {
    return QStringLiteral("何か曲を再生して下さい☆☆☆");
}

} // namespace veskar
