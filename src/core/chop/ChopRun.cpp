#include "core/chop/ChopRun.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>

#include "core/cut/CutRecord.h"
#include "core/host/TextViewer.h"
#include "core/settings/TextFile.h"
#include "core/settings/Settings.h"
#include "core/text/FolderText.h"
#include "core/wav/WavReader.h"

namespace veskar {

ChopOptions ChopOptionsOf(const Settings& settings) {
    ChopOptions options;
    options.shortNames = settings.chopAuto83;
    options.chopMinutes = ValidChopMinutes(settings.chopMinutes);
    options.introStartS = settings.introStartS;
    options.introEndS = settings.introEndS;
    options.raw =
        RawFormatOfItems(settings.chopRateItem, settings.chopBitsItem, settings.chopChannelsItem);
    options.chopDir = WithTrailingSeparator(settings.chopDir);
    return options;
}

namespace {

const QString kReadFailed = QStringLiteral("WAVデータ取得に失敗しました・・・\n");

class Chopper {
public:
    Chopper(ChopMode mode, const ChopOptions& options, Host host)
        : m_mode(mode), m_options(options), m_host(host),
          m_caption(ChopModeCaption(mode, options)) {}

    // One source; false when the run is to end.
    bool Chop(const QString& sourcePath) {
        const QString sourceName = QFileInfo(sourcePath).fileName();
        const QString boxText = sourceName + "  " + m_caption + QStringLiteral("中");
        m_overall = m_host.progress.Open(boxText, boxText);
        ChopSource(sourcePath, sourceName, boxText);
        m_host.progress.Close(m_overall);
        return !m_result.stopped;
    }

    ChopResult& Result() { return m_result; }

private:
    void Error(const QString& text) {
        if (m_host.messenger.ShowError(text, Messenger::Ok) == Messenger::Abort) {
            m_result.stopped = true;
        }
    }

    bool BoxStopped(int handle) const { return m_host.progress.GetState(handle) >= 0; }

    void ChopSource(const QString& sourcePath, const QString& sourceName, const QString& boxText) {
        WavInfo info;
        if (m_mode != ChopMode::RawToWav) {
            const QString error = ReadWavInfo(sourcePath, info);
            if (!error.isEmpty()) {
                Error(kReadFailed + error);
                return;
            }
            if (DataSizeIsOdd(info)) {
                m_host.messenger.ShowTimedMessage(OddDataSizeMessage(sourcePath, info),
                                                  Messenger::Ok);
                info.dataLength = info.fileSize - info.dataOffset;
            }
        }
        // A chop folder that went missing is made again, once there is something to put in it;
        // one that cannot be made fails each piece.
        QDir().mkpath(m_options.chopDir);
        const std::vector<int64_t> pieces = ChopPieceList(m_mode, info, m_options.chopMinutes);
        const QChar letter = ChopLetter(m_mode);
        const QString stem = ChopStem(sourceName, m_options.shortNames, m_options.chopDir, letter);
        int64_t position = info.dataOffset;
        const int count = static_cast<int>(pieces.size());
        for (int j = 0; j < count; ++j) {
            const QString output =
                ChopOutputPath(m_options.chopDir, stem, letter, m_options.shortNames);
            const QString pieceText = QString::number(j + 1) + " : " +
                                      QFileInfo(output).fileName() + QStringLiteral("作成中");
            m_host.progress.SetMessage(m_overall, pieceText);
            m_host.pump.ProcessEvents();
            int pieceBox = m_host.progress.Open(pieceText, boxText);
            const QString error = Write(sourcePath, output, position, pieces[j], pieceBox);
            position += pieces[j];
            if (!error.isEmpty()) {
                Error(QStringLiteral("分割に失敗しました・・・\n") + error + "\n" + sourcePath);
            } else {
                Record(output);
            }
            m_host.progress.Close(pieceBox);
            m_host.pump.ProcessEvents();
            const int percent = static_cast<int>(std::lround((j + 1) * 100.0 / count));
            if (m_host.progress.SetPercent(m_overall, percent) >= 0) {
                m_result.stopped = true;
            }
            m_host.pump.ProcessEvents();
            if (m_result.stopped) {
                return;
            }
        }
    }

    QString Write(const QString& source, const QString& output, int64_t position, int64_t length,
                  int pieceBox) {
        const ChopProgress progress = [&](int percent) {
            m_host.pump.ProcessEvents();
            m_host.progress.SetPercent(pieceBox, percent);
            if (BoxStopped(pieceBox) || BoxStopped(m_overall)) {
                m_result.stopped = true;
            }
            return !m_result.stopped;
        };
        if (m_mode == ChopMode::Intro) {
            return WriteRange(source, output, int64_t{m_options.introStartS} * 1000,
                              int64_t{m_options.introEndS} * 1000, m_options.raw, progress);
        }
        if (m_mode == ChopMode::RawToWav) {
            return WriteRange(source, output, -1, -1, m_options.raw, progress);
        }
        return WritePiece(source, output, position, length, progress);
    }

    // A piece that does not read back stays on disk and is listed by its path alone.
    void Record(const QString& output) {
        WavInfo written;
        const QString error = ReadWavInfo(output, written);
        if (!error.isEmpty()) {
            Error(kReadFailed + error + "\n" + output);
            m_result.record << output;
            return;
        }
        m_result.pieceWritten = true;
        m_result.record << CutRecord::FullLine(written);
    }

    const ChopMode m_mode;
    const ChopOptions& m_options;
    Host m_host;
    const QString m_caption;
    int m_overall = -1;
    ChopResult m_result;
};

} // namespace

std::optional<ChopResult> RunChop(const QStringList& sources, ChopMode mode,
                                  const ChopOptions& options, Host host) {
    const QString question = QStringLiteral("ぶつ切りカット\n") + ChopModeCaption(mode, options) +
                             QStringLiteral("\nを、実行します☆\nよろしいですか?");
    if (host.messenger.AskTimedQuestion(question, Messenger::Yes) != Messenger::Yes) {
        return std::nullopt;
    }
    host.pump.ProcessEvents();
    Chopper chopper(mode, options, host);
    for (const QString& source : sources) {
        if (!chopper.Chop(source)) {
            break;
        }
    }
    if (chopper.Result().stopped) {
        host.messenger.ShowTimedMessage(
            QStringLiteral("中断ボタンが押されました・・・\n強制終了します☆☆☆"), Messenger::Ok);
    }
    return chopper.Result();
}

QString ChopRecordText(const QStringList& lines, const QDateTime& now) {
    const QString dashes(40, '-');
    QStringList text;
    text << QStringLiteral("ぶつ切りデータ一覧　") + RecordDateText(now)
         << QString::number(lines.size()) + QStringLiteral("個 分割しました。") << dashes << lines
         << dashes;
    return text.join("\r\n") + "\r\n";
}

bool WriteChopRecord(const QStringList& lines, const QString& workDir, const QDateTime& now) {
    if (lines.isEmpty()) {
        return true;
    }
    return QDir().mkpath(workDir) &&
           WriteFileSafely(QDir(workDir).filePath(QString::fromLatin1(kChopRecordFile)),
                           ChopRecordText(lines, now).toUtf8())
               .isEmpty();
}

void ShowChopRecord(const QStringList& lines, const QString& workDir, const QDateTime& now,
                    TextViewer& viewer, Messenger& messenger) {
    if (lines.isEmpty()) {
        return;
    }
    if (!WriteChopRecord(lines, workDir, now) ||
        !viewer.ShowTextFile(QDir(workDir).filePath(QString::fromLatin1(kChopRecordFile)))) {
        messenger.ShowTimedMessage(QString::fromUtf8(kChopRecordError), Messenger::Ok);
    }
}

} // namespace veskar
