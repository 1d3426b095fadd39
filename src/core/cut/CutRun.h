#pragma once

#include <deque>
#include <functional>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include "core/cut/CutMenu.h"
#include "core/cut/OutputNaming.h"
#include "core/cut/SegmentSaver.h"
#include "core/host/Host.h"
#include "core/timelists/TimeMs.h"
#include "core/wav/WavInfo.h"

namespace veskar {

class CutRecord;
class CutTarget;
class SaveFileDialog;
class TextViewer;
struct SharedFlags;

/// The menu ticks and values a cut run works with, taken when it starts.
struct CutOptions {
    bool startTimesEnabled = true; ///< `MO_ST_TM` "スタートタイムを有効にする"
    bool saveName = false;         ///< `MF_SAVE_NAME` "分割ファイル名を自分で付ける"
    bool waitForSave = true; ///< `MO_CS_UP` "カット、スピードアップ☆": save on this thread
    bool noMemo = false;     ///< `MF_No_Memo` "カット記録を表示しない"
    bool autoName = true;      ///< `MF_AUTO_NAME`
    bool auto83 = false;       ///< `MF_AUTO_83`
    TimePartFormat timePart;   ///< `MO_FUN` and the time-list widths of the cut file
    QString saveDir;           ///< `SaveDir`, with its trailing separator
    QString baseName;          ///< `OutputBaseName`
    QStringList colorTagNames; ///< `ColorTagNames`, index 0..6
    QString workDir;           ///< `WorkDir`, which receives "CUT$$$$.TXT"
};

/// What the run needs of the window besides the host: the shared flags, the cut record it
/// appends to, the viewer of the record, the save dialog (only with `MF_SAVE_NAME`), the clock
/// and the release of the wave device (the player shares it; starting a cut stops playback).
struct CutRunServices {
    CutRunServices(Host host_, SharedFlags& flags_, CutRecord& record_, TextViewer& viewer_)
        : host(host_), flags(flags_), record(record_), viewer(viewer_) {}

    Host host;
    SharedFlags& flags;
    CutRecord& record;
    TextViewer& viewer;
    SaveFileDialog* saveDialog = nullptr;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    std::function<void()> releaseDevice;
};

/// `CutRun`: turns the chosen lines of one time list into segment files, one per line, each up
/// to the next line of the list, records each written file and shows the record at the end.
///
/// The run is a chain of steps. Every step code goes through one queue and is handled from a
/// loop, never from inside the previous step's call chain, so a list of 32,700 lines does not
/// grow the stack. With `MO_CS_UP` (waitForSave) the whole run happens inside StartCutRun,
/// letting the window's events through between steps and blocks; without it each save runs on
/// a worker thread and its step arrives later through this object's event loop, so the window
/// stays free between segments. Finished() tells when the run is over.
class CutRun : public QObject {
public:
    explicit CutRun(CutRunServices services, QObject* parent = nullptr);
    ~CutRun() override;

    /// `StartCutRun`: prepares a run over target for the chosen command and delivers the first
    /// step. Returns true when the run started; with waitForSave it is already over when this
    /// returns, otherwise it goes on from the event loop until onFinished. Returns false when a
    /// run is still going (the request is ignored) or the run ended before its first step
    /// (missing file, no start colours, empty list; the message has been shown). target is
    /// read at every step and must outlive the run.
    bool StartCutRun(CutCommand command, CutTarget& target, const QString& cutFile,
                     const CutOptions& options);

    /// `OnCutStep`: delivers a step to the run (the window's step message). Safe to call from
    /// inside a step: the step is queued and handled after the current one.
    void OnCutStep(CutStep step);

    /// The stop button: sets `StopRequested` and aborts a save that is running on the worker.
    void Stop();

    bool Busy() const { return m_busy; }

    // Run state, as the window and the tests see it.
    const QString& SourcePath() const { return m_sourcePath; }
    TimeMs SourceLengthMs() const { return m_sourceLengthMs; }
    int NextIndex() const { return m_nextIndex; }
    const QString& ColorFilter() const { return m_colorFilter; }
    bool AnyCut() const { return m_anyCut; }
    TimeMs SegmentStart() const { return m_segmentStart; }
    TimeMs SegmentEnd() const { return m_segmentEnd; }
    const QString& LastOutputPath() const { return m_lastOutputPath; }
    const QString& LastOutputDir() const { return m_lastOutputDir; }
    /// Once the browser has shown the last output folder, it is no longer where to go back to.
    void ForgetLastOutputDir() { m_lastOutputDir.clear(); }
    const QString& OutputPrefix() const { return m_prefix; }
    /// `SaveDir` as the run leaves it (the save dialog may have moved it).
    const QString& SaveDir() const { return m_options.saveDir; }

    /// Called with every record line the run adds, as it is added.
    std::function<void(const QString& line)> onRecordLine;
    /// Called when the save dialog moved `SaveDir`.
    std::function<void(const QString& saveDir)> onSaveDirChanged;
    /// Called once when a started run is over (also after a stop).
    std::function<void()> onFinished;

    /// The two summaries a run ends with.
    static QString DoneText();
    static QString NothingCutText();
    static QString StoppedText();
    /// The message of a segment that could not be cut; the cause, when one is known, follows
    /// on a line of its own.
    static QString FailedText(const QString& source, TimeMs startMs, const QString& cause);

private:
    /// A step with what its save found out: the path written (Written), the cause of a failure.
    struct Step {
        CutStep code;
        QString cause;
        QString writtenPath;
    };
    void HandleStep(const Step& step);
    /// Records a written segment, reports a failed one, turns an abort into a stop request.
    void TakeStep(const Step& step);
    /// Sets the progress box after the line just done; its stop button requests a stop.
    void ShowProgress();
    /// Moves NextIndex to the next chosen line that holds a time and sets the segment it
    /// starts and its colour label; false when no such line is left.
    bool FindNextSegment(QString& label);
    bool CutSegment(const QString& label);
    /// Reads the source's header and length as the segment's device would; false after
    /// reporting why it cannot be cut (or on a stop request). frames: the frames present.
    bool MeasureSource(int64_t& frames);
    /// Why the segment cannot be saved under output, or nothing when it can.
    std::optional<QString> CannotSave(const QString& output, int64_t frames) const;
    /// The save dialog of `MF_SAVE_NAME`; false when the user skipped this segment.
    bool AskOutputName(QString& output);
    /// Saves the segment now or on the worker; true when a save was started or written.
    bool StartSave(const QString& output, std::function<QString()> nextFreePath);
    void EndRun();
    void Finish();
    void Deliver(const Step& step);
    void Deliver(CutStep code) { Deliver(Step{code, {}, {}}); }
    bool ChosenLine(int index) const;
    QString LabelOf(int index) const;
    int ErrorBox(const QString& text);
    void ReleaseDevice();
    bool StopPending() const;

    CutRunServices m_services;
    SegmentSaver m_saver;
    std::deque<Step> m_pending;
    bool m_dispatching = false;
    bool m_busy = false;

    CutOptions m_options;
    CutTarget* m_target = nullptr;
    NamingStyle m_style = NamingStyle::Long;
    QString m_prefixHead;
    QString m_prefix;
    QString m_sourcePath;
    WavInfo m_sourceInfo;
    TimeMs m_sourceLengthMs = -1;
    int m_nextIndex = 0;
    QString m_colorFilter;
    bool m_anyCut = false;
    TimeMs m_segmentStart = 0;
    TimeMs m_segmentEnd = -1;
    QString m_lastOutputPath;
    QString m_lastOutputDir;
    int m_progress = -1;
};

/// `AddRecordLine`: reads a written file back and appends its line to the record: the full
/// line when the reader accepts it, the short line (dated, "---s") when it does not. Returns
/// the line.
QString AddRecordLine(CutRecord& record, const QString& path, const QDateTime& now, bool minutes);

} // namespace veskar
