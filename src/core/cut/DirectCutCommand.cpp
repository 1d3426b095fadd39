#include "core/cut/DirectCutCommand.h"

#include <cmath>

#include <QFileInfo>

#include "core/cut/CutRecord.h"
#include "core/cut/CutTarget.h"
#include "core/host/SharedFlags.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"

namespace veskar {

namespace {

const QString kForcedStop = QStringLiteral("カットを強制停止しました。");

// The segment of line i: to the next line, or past the last one by the list's step (-1: to
// the end of the file).
std::pair<TimeMs, TimeMs> SegmentOf(const CutTarget& target, int i) {
    const TimeMs start = ParseTime(target.Text(i)).value_or(0);
    if (i + 1 < target.Count()) {
        return {start, ParseTime(target.Text(i + 1)).value_or(-1)};
    }
    const TimeMs step = LastLineStepMs(target.Kind());
    return {start, step < 0 ? -1 : start + step};
}

} // namespace

bool DirectCutCommand(const QString& cutFile, const CutTarget& target, DirectCutRecord& state,
                      DirectCutServices& services) {
    Messenger& messenger = services.host.messenger;
    ProgressBox& progress = services.host.progress;
    services.flags.stopRequested = false;
    if (messenger.AskTimedQuestion(
            QStringLiteral("このカットは、元となるwavファイルを直接加工します☆\n削除された部分は"
                           "失われてしまいます・・・\nそれでも、よろしいですか?"),
            Messenger::No) != Messenger::Yes) {
        return false;
    }
    const QString boxText = QFileInfo(cutFile).fileName() + QStringLiteral("  カット中");
    int box = progress.Open(boxText, boxText);
    services.host.pump.ProcessEvents();
    const char* missing = !QFileInfo(cutFile).isFile() ? "\nファイルがありません・・・"
                          : target.Count() == 0 ? "\nタイムが登録されていません・・・"
                                                : nullptr;
    if (missing) {
        messenger.ShowTimedMessage(cutFile + QString::fromUtf8(missing), Messenger::Ok);
        progress.Close(box);
        return false;
    }
    bool done = false;
    int selected = -1;
    for (int i = 0; i < target.Count() && selected < 0; ++i) {
        selected = target.IsSelected(i) ? i : -1;
    }
    if (selected >= 0) {
        const auto [start, end] = SegmentOf(target, selected);
        if (services.flags.stopRequested) {
            messenger.ShowTimedMessage(kForcedStop, Messenger::Ok);
        } else {
            const QString result = DirectCutFile(cutFile, QString::number(start),
                                                 end < 0 ? QString() : QString::number(end), state);
            if (result.isEmpty()) {
                done = true;
                WavInfo info;
                services.record.Add(ReadWavInfo(cutFile, info).isEmpty()
                                        ? CutRecord::FullLine(info)
                                        : cutFile + "  " + QString::number(start) + "  " +
                                              RecordDateText(services.now));
            } else if (!services.flags.stopRequested &&
                       messenger.ShowError(
                           cutFile + QStringLiteral("\n選択タイム：") + QString::number(start) +
                               QStringLiteral("\nカットに失敗しました・・・\n") + result,
                           Messenger::Ok) == Messenger::Abort) {
                services.flags.stopRequested = true;
            }
        }
        services.host.pump.ProcessEvents();
        const int percent = static_cast<int>(std::lround((selected + 1) * 100.0 / target.Count()));
        if (!ProgressMayContinue(progress.SetPercent(box, percent))) {
            services.flags.stopRequested = true;
        }
        if (services.flags.stopRequested) {
            messenger.ShowTimedMessage(kForcedStop, Messenger::Ok);
        }
    }
    progress.SetPercent(box, 100);
    services.host.pump.ProcessEvents();
    messenger.ShowTimedMessage(done ? QStringLiteral("カット終了☆☆☆\nお疲れ様☆☆☆")
                                    : QStringLiteral("カットタイムを選択して下さい☆"),
                               Messenger::Ok);
    ShowCutRecord(services.record, RecordRequest::DirectCut, services.noMemo, services.workDir,
                  services.now, services.viewer, messenger);
    progress.Close(box);
    return true;
}

void RestoreCommand(const QString& cutFile, DirectCutRecord& state, Host host,
                    const SharedFlags& flags, const std::function<void()>& chooseAgain) {
    if (flags.stopRequested || flags.shutdownStop) {
        return;
    }
    const QString result = RestoreFile(cutFile, state);
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
        return;
    }
    chooseAgain();
    host.messenger.ShowTimedMessage(QStringLiteral("wavファイルを元に戻しました☆☆☆"),
                                    Messenger::Ok);
}

void ForceRestoreCommand(const QString& cutFile, const DirectCutRecord& state, Host host,
                         const SharedFlags& flags, const std::function<void()>& chooseAgain) {
    if (flags.stopRequested || flags.shutdownStop) {
        return;
    }
    if (state.pending) {
        host.messenger.ShowTimedMessage(
            QStringLiteral("このwavファイルは、完全に元に戻せます☆\n「元に戻す」を御利用下さい☆☆☆"),
            Messenger::Ok);
        return;
    }
    if (host.messenger.AskTimedQuestion(
            QStringLiteral("強制復元は、直接加工したwavファイルを元に戻します☆\nただし、復元した"
                           "部分は無音データとなりますが・・・\n1ms以下なので判らない程度です☆\n"
                           "それでも、強制復元しますか?"),
            Messenger::No) != Messenger::Yes) {
        return;
    }
    const QString result = ForceRestoreFile(cutFile);
    if (!result.isEmpty()) {
        host.messenger.ShowMessage(result);
        return;
    }
    chooseAgain();
    host.messenger.ShowTimedMessage(QStringLiteral("wavファイルを強制復元しました☆☆☆"),
                                    Messenger::Ok);
}

} // namespace veskar
