#include "core/cut/CutRun.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>

#include "core/cut/CutRecord.h"
#include "core/cut/CutTarget.h"
#include "core/cut/SaveNameStep.h"
#include "core/host/SaveFileDialog.h"
#include "core/host/SharedFlags.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"

namespace veskar {

QString AddRecordLine(CutRecord& record, const QString& path, const QDateTime& now, bool minutes) {
    WavInfo info;
    const QString error = ReadWavInfo(path, info);
    const QString line = error.isEmpty() ? CutRecord::FullLine(info)
                                         : CutRecord::ShortLine(now, std::nullopt, minutes, path);
    record.Add(line);
    return line;
}

QString CutRun::DoneText() {
    return QStringLiteral("カット終了☆☆☆\nお疲れ様☆☆☆");
}
QString CutRun::NothingCutText() {
    return QStringLiteral("一つも、カットされませんでした・・・");
}
QString CutRun::StoppedText() {
    return QStringLiteral("カットを強制停止しました。");
}
QString CutRun::FailedText(const QString& source, TimeMs startMs, const QString& cause) {
    const QString text =
        source + "\n選択タイム：" + QString::number(startMs) + "\nカットに失敗しました・・・";
    return cause.isEmpty() ? text : text + "\n" + cause;
}

CutRun::CutRun(CutRunServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {
}

CutRun::~CutRun() = default;

void CutRun::ReleaseDevice() {
    if (m_services.releaseDevice) {
        m_services.releaseDevice();
    }
}

bool CutRun::StopPending() const {
    return m_services.flags.stopRequested || m_services.flags.shutdownStop;
}

int CutRun::ErrorBox(const QString& text) {
    // A box of the run keeps the right-click menus shut while it shows.
    m_services.flags.errorBoxOpen = true;
    const int answer = m_services.host.messenger.ShowError(text, Messenger::Ok);
    m_services.flags.errorBoxOpen = false;
    if (answer == Messenger::Abort) {
        m_services.flags.stopRequested = true;
    }
    return answer;
}

bool CutRun::StartCutRun(CutCommand command, CutTarget& target, const QString& cutFile,
                         const CutOptions& options) {
    if (m_busy) {
        return false;
    }
    Messenger& messenger = m_services.host.messenger;
    ProgressBox& progress = m_services.host.progress;
    m_anyCut = false;
    const QString title = QFileInfo(cutFile).fileName() + "  カット中";
    m_progress = progress.Open(title, title);

    auto refuse = [&](const QString& text) {
        messenger.ShowTimedMessage(text, Messenger::Ok);
        progress.Close(m_progress);
        return false;
    };
    if (!QFileInfo(cutFile).isFile()) {
        return refuse(cutFile + "\nファイルがありません・・・");
    }
    if (options.startTimesEnabled && command == CutCommand::WAV_CUT_ST &&
        target.Kind() == TimeListId::Registered) {
        bool anyTag = false;
        for (int i = 0; i < target.Count() && !anyTag; ++i) {
            anyTag = !target.Tag(i).isEmpty();
        }
        if (!anyTag) {
            return refuse(cutFile + "\nスタートタイムが登録されていません・・・");
        }
    }
    m_colorFilter = ColorFilterOf(command);
    if (target.Count() == 0) {
        return refuse(cutFile + "\nタイムが登録されていません・・・");
    }
    if (command == CutCommand::WAV_CUT_ALL) {
        target.SelectAll();
    }
    m_options = options;
    m_target = &target;
    m_style = StyleOf(options.autoName, options.auto83);
    const QDateTime now = m_services.clock();
    m_prefixHead = PrefixHead(m_style, options.baseName, now);
    m_prefix = veskar::OutputPrefix(m_style, options.saveDir, options.baseName, now);
    m_sourcePath = cutFile;
    m_sourceLengthMs = -1;
    m_services.flags.stopRequested = false;
    m_nextIndex = 0;
    m_lastOutputPath.clear();
    m_busy = true;
    Deliver(CutStep::NoFile);
    return true;
}

void CutRun::OnCutStep(CutStep step) {
    Deliver(step);
}

void CutRun::Deliver(const Step& step) {
    m_pending.push_back(step);
    if (m_dispatching) {
        return;
    }
    // The one place steps are handled: a step that delivers the next one only queues it, so
    // the run walks its list in this loop instead of recursing.
    m_dispatching = true;
    while (!m_pending.empty()) {
        const Step next = m_pending.front();
        m_pending.pop_front();
        if (m_busy) {
            HandleStep(next);
        }
    }
    m_dispatching = false;
}

void CutRun::Stop() {
    m_services.flags.stopRequested = true;
    m_saver.RequestAbort();
}

bool CutRun::ChosenLine(int index) const {
    if (m_options.startTimesEnabled && m_target->Kind() == TimeListId::Registered &&
        !m_colorFilter.isEmpty()) {
        return CutTakesLine(m_colorFilter, m_target->Tag(index), false);
    }
    return m_target->IsSelected(index);
}

QString CutRun::LabelOf(int index) const {
    int entry = 0;
    if (m_options.startTimesEnabled && m_target->Kind() == TimeListId::Registered) {
        entry = CutLabelIndex(m_target->Tag(index));
    }
    return entry < m_options.colorTagNames.size() ? m_options.colorTagNames.at(entry) : QString();
}

void CutRun::TakeStep(const Step& step) {
    if (step.code == CutStep::Aborted) {
        m_services.flags.stopRequested = true;
    }
    if (step.code == CutStep::Written) {
        // A taken name made the save move on to a free one.
        if (!step.writtenPath.isEmpty()) {
            m_lastOutputPath = step.writtenPath;
        }
        const QString line = AddRecordLine(m_services.record, m_lastOutputPath, m_services.clock(),
                                           m_options.timePart.minutes);
        m_anyCut = true;
        if (onRecordLine) {
            onRecordLine(line);
        }
    } else if (step.code == CutStep::Failed) {
        ErrorBox(FailedText(m_sourcePath, m_segmentStart, step.cause));
    }
}

void CutRun::ShowProgress() {
    EventPump& pump = m_services.host.pump;
    pump.ProcessEvents();
    const int count = m_target->Count();
    if (count > 0) {
        const double percent = std::nearbyint((m_nextIndex + 1) * 100.0 / count);
        const int state = m_services.host.progress.SetPercent(
            m_progress, std::min(100, static_cast<int>(percent)));
        if (state >= 0) {
            m_services.flags.stopRequested = true;
        }
    }
    pump.ProcessEvents();
}

bool CutRun::FindNextSegment(QString& label) {
    for (; m_nextIndex < m_target->Count(); ++m_nextIndex) {
        const int index = m_nextIndex;
        if (!ChosenLine(index)) {
            continue;
        }
        const std::optional<TimeMs> start = ParseTime(m_target->Text(index));
        if (!start) {
            // Lists only ever hold time texts; a line that is none is passed over.
            continue;
        }
        label = LabelOf(index);
        m_segmentStart = *start;
        if (index + 1 < m_target->Count()) {
            m_segmentEnd = ParseTime(m_target->Text(index + 1)).value_or(-1);
        } else {
            const TimeMs lastStep = LastLineStepMs(m_target->Kind());
            m_segmentEnd = lastStep < 0 ? -1 : m_segmentStart + lastStep;
        }
        return true;
    }
    return false;
}

void CutRun::HandleStep(const Step& step) {
    Messenger& messenger = m_services.host.messenger;
    ProgressBox& progress = m_services.host.progress;

    ReleaseDevice();
    TakeStep(step);
    ShowProgress();
    if (m_services.flags.stopRequested) {
        messenger.ShowTimedMessage(StoppedText(), Messenger::Ok);
        EndRun();
        return;
    }
    if (m_target->Count() == 0) {
        messenger.ShowTimedMessage(m_lastOutputPath + "\nタイムが登録されていません・・・",
                                   Messenger::Ok);
        progress.Close(m_progress);
        Finish();
        return;
    }
    QString label;
    if (!FindNextSegment(label)) {
        EndRun();
        return;
    }
    ++m_nextIndex;
    if (!CutSegment(label) && StopPending() && m_pending.empty()) {
        // Closing the window stops the run where it stands, without further boxes.
        progress.Close(m_progress);
        Finish();
    }
}

bool CutRun::MeasureSource(int64_t& frames) {
    const bool wavName =
        m_sourcePath.endsWith(QLatin1String(kOutputExtension), Qt::CaseInsensitive);
    const QString readError = ReadWavInfo(m_sourcePath, m_sourceInfo);
    if (wavName && !readError.isEmpty()) {
        ErrorBox("CUTエラー：" + m_sourcePath + "\n" + readError);
        return false;
    }
    // The segment writer stands in for the wave device: what it needs to "open" the source is
    // the format and data location the reader gives.
    if (!readError.isEmpty()) {
        ErrorBox("カットエラー：" + m_sourcePath + "\n オープンに失敗しました。");
        return false;
    }
    if (StopPending()) {
        return false;
    }
    frames = AvailableFrames(m_sourceInfo, m_sourceInfo.fileSize);
    const int64_t lengthMs = FramesToMs(frames, m_sourceInfo.sampleRate);
    m_sourceLengthMs = lengthMs <= INT32_MAX ? static_cast<TimeMs>(lengthMs) : -1;
    if (m_sourceLengthMs < 0) {
        ErrorBox("CUTエラー：" + m_sourcePath + "\n サイズ取得に失敗しました。");
        return false;
    }
    return true;
}

std::optional<QString> CutRun::CannotSave(const QString& output, int64_t frames) const {
    // Nothing of the source from the start on: the device would have refused to remove up to
    // there. A name that would leave the save folder (a "/" in an edited base name or a label)
    // or that holds a NUL cannot be saved either.
    if (MsToFrame(m_segmentStart, m_sourceInfo.sampleRate) >= frames) {
        return PastTheEndCause();
    }
    if (!QFileInfo(m_options.saveDir).isAbsolute()) {
        return QStringLiteral("分割WAVファイル登録先が設定されていません");
    }
    const QString name = output.mid(m_options.saveDir.size());
    if (name.contains('/') || name.contains(QChar(0))) {
        return QStringLiteral("ファイル名に使えない文字があります");
    }
    return std::nullopt;
}

bool CutRun::AskOutputName(QString& output) {
    const QString before = m_options.saveDir;
    const SaveNameResult chosen =
        AskSaveName(output, m_sourcePath, m_options.saveDir, *m_services.saveDialog,
                    m_services.host.messenger, m_services.flags);
    if (m_options.saveDir != before && onSaveDirChanged) {
        onSaveDirChanged(m_options.saveDir);
    }
    if (!chosen.accepted) {
        return false;
    }
    output = chosen.path;
    return true;
}

bool CutRun::StartSave(const QString& output, std::function<QString()> nextFreePath) {
    EventPump& pump = m_services.host.pump;
    SegmentRequest request;
    request.sourcePath = m_sourcePath;
    request.source = m_sourceInfo;
    request.startMs = m_segmentStart;
    request.endMs = m_segmentEnd;
    request.outputPath = output;
    request.nextFreePath = std::move(nextFreePath);
    const auto step = [](const SegmentSaveResult& result) {
        return Step{result.outcome, result.cause, result.outputPath};
    };
    if (m_options.waitForSave) {
        // The window's events run between blocks, so its stop button can end a long save.
        const SegmentSaveResult result = m_saver.SaveNow(request, [&] {
            pump.ProcessEvents();
            return !StopPending();
        });
        Deliver(step(result));
        return result.outcome == CutStep::Written;
    }
    const bool started = m_saver.Start(
        request, [this, step](const SegmentSaveResult& result) { Deliver(step(result)); });
    if (!started) {
        Deliver(CutStep::Failed);
        return false;
    }
    return true;
}

bool CutRun::CutSegment(const QString& label) {
    EventPump& pump = m_services.host.pump;
    ReleaseDevice();
    if (StopPending()) {
        return false;
    }
    int64_t frames = 0;
    if (!MeasureSource(frames)) {
        Deliver(CutStep::NoFile);
        return false;
    }
    QString output =
        OutputName(m_style, m_options.saveDir, m_prefix, m_segmentStart, label, m_options.timePart);
    if (m_segmentEnd > m_sourceLengthMs || m_segmentEnd - m_segmentStart < 1) {
        m_segmentEnd = -1;
    }
    const std::optional<QString> cannotSave = CannotSave(output, frames);
    pump.ProcessEvents();
    pump.ProcessEvents();

    m_lastOutputPath = output;
    if (cannotSave) {
        Deliver(Step{CutStep::Failed, *cannotSave, {}});
        return false;
    }
    // A name taken by the time the piece is complete moves on to a free one made the same way;
    // nothing is ever replaced. The names are made on the thread that writes.
    std::function<QString()> nextFreePath;
    if (m_style == NamingStyle::EightDotThree) {
        nextFreePath = [saveDir = m_options.saveDir, prefix = m_prefix] {
            return OutputName(NamingStyle::EightDotThree, saveDir, prefix, 0, {}, {});
        };
    } else {
        nextFreePath = [saveDir = m_options.saveDir, head = m_prefixHead,
                        tail = OutputNameTail(m_segmentStart, label, m_options.timePart)] {
            return FreeAutomaticPath(saveDir, head, tail);
        };
    }
    if (m_options.saveName && m_services.saveDialog) {
        if (!AskOutputName(output)) {
            m_lastOutputPath.clear();
            Deliver(CutStep::NoFile);
            return false;
        }
        nextFreePath = [output = LowerCaseExtension(output)] { return FreeGivenPath(output); };
    }
    output = LowerCaseExtension(output);
    m_lastOutputPath = output;
    m_lastOutputDir = QFileInfo(output).absolutePath() + "/";
    pump.ProcessEvents();
    if (output.isEmpty()) {
        Deliver(CutStep::Failed);
        return false;
    }
    m_services.host.progress.SetMessage(m_progress, QFileInfo(output).fileName());
    return StartSave(output, std::move(nextFreePath));
}

void CutRun::EndRun() {
    ProgressBox& progress = m_services.host.progress;
    progress.SetPercent(m_progress, 100);
    m_services.host.pump.ProcessEvents();
    m_services.host.messenger.ShowTimedMessage(m_anyCut ? DoneText() : NothingCutText(),
                                               Messenger::Ok);
    if (!m_options.noMemo) {
        ShowCutRecord(m_services.record, RecordRequest::CutRun, false, m_options.workDir,
                      m_services.clock(), m_services.viewer, m_services.host.messenger);
    }
    progress.Close(m_progress);
    Finish();
}

void CutRun::Finish() {
    m_busy = false;
    m_pending.clear();
    if (onFinished) {
        onFinished();
    }
}

} // namespace veskar
