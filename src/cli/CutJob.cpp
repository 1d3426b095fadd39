#include "cli/CutJob.h"

#include <QDir>
#include <QFileInfo>

#include "cli/FileTimeFormat.h"
#include "core/cut/CutRecord.h"
#include "core/cut/CutRun.h"
#include "core/cut/CutTarget.h"
#include "core/host/SharedFlags.h"
#include "core/host/TextViewer.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/RegisteredList.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

// The window's messages go to stderr as usual; the run's summary is part of what the command
// prints. Every error box of a run stands for a chosen line that was not written.
class CutMessenger : public UnattendedMessenger {
public:
    CutMessenger(QTextStream& out, QTextStream& err, bool summary)
        : UnattendedMessenger(err), m_out(out), m_summary(summary) {}
    int ShowTimedMessage(const QString& text, int defaultResult) override {
        if (text == CutRun::DoneText() || text == CutRun::NothingCutText()) {
            if (m_summary) {
                m_out << text << Qt::endl;
            }
            return defaultResult;
        }
        return UnattendedMessenger::ShowTimedMessage(text, defaultResult);
    }
    int ShowError(const QString& text, int defaultResult) override {
        ++m_errors;
        return UnattendedMessenger::ShowError(text, defaultResult);
    }
    int Errors() const { return m_errors; }

private:
    QTextStream& m_out;
    bool m_summary;
    int m_errors = 0;
};

// The record is never shown from the command line.
class NoTextViewer : public TextViewer {
public:
    bool ShowTextFile(const QString&) override { return true; }
};

CutOptions MakeCutOptions(const CutJob& job, const TimeFormat& format) {
    CutOptions options;
    options.startTimesEnabled = true;
    options.saveName = false;
    options.waitForSave = true;
    options.noMemo = true;
    options.autoName = job.naming != "long";
    options.auto83 = job.naming == "8.3";
    options.timePart = {job.minutes, format.TimeDigits(), format.MinuteDigits()};
    options.saveDir = QFileInfo(job.outDir).absoluteFilePath() + "/";
    options.baseName = OutputBaseNameOf(job.file);
    options.colorTagNames = job.labels;
    return options;
}

} // namespace

TimeFormat CutTimeFormat(const QString& file, bool minutes) {
    WavInfo info;
    TimeFormat format;
    if (ReadWavInfo(file, info).isEmpty()) {
        format = FileTimeFormat(info, info.fileSize, minutes);
    }
    format.SetMinutesMode(minutes);
    return format;
}

bool ParseNaming(CommandContext& context, const QString& naming) {
    if (naming != "long" && naming != "short" && naming != "8.3") {
        UsageError(context, QStringLiteral("--naming is long, short or 8.3"));
        return false;
    }
    return true;
}

CutOutcome RunCutJob(CommandContext& context, const CutJob& job, CutCommand command,
                     RegisteredList& registered, const TimeFormat& format, CutPrinting printing,
                     ProgressBox* progress) {
    CutOutcome outcome;
    // A source that cannot be cut leaves no empty folder behind; the run then says why.
    WavInfo info;
    if (ReadWavInfo(job.file, info).isEmpty() && !QDir().mkpath(job.outDir)) {
        context.err << "pirvan-split " << context.command.name << ": cannot make the folder "
                    << job.outDir << "\n";
        return outcome;
    }
    CutMessenger messenger(context.out, context.err, printing.summary);
    NoProgressBox noProgress;
    NoEventPump pump;
    SharedFlags flags;
    CutRecord record;
    NoTextViewer viewer;
    CutRun run(CutRunServices(Host{messenger, progress ? *progress : noProgress, pump}, flags,
                              record, viewer));
    run.onRecordLine = [&](const QString& line) {
        // The last line's segment runs to the end of the file.
        const TimeMs end = run.SegmentEnd() < 0 ? format.FileLengthMs() : run.SegmentEnd();
        outcome.written.push_back({run.SegmentStart(), end, run.LastOutputPath(), line});
        if (printing.records) {
            if (printing.beforeRecord) {
                printing.beforeRecord();
            }
            context.out << line << Qt::endl;
        }
    };
    RegisteredListTarget target(registered);
    run.StartCutRun(command, target, QFileInfo(job.file).absoluteFilePath(),
                    MakeCutOptions(job, format));
    if (!run.AnyCut()) {
        PrintUnreadableReason(context, job.file);
    }
    outcome.exitCode = run.AnyCut() && messenger.Errors() == 0 ? Success : Failure;
    return outcome;
}

} // namespace veskar::cli
