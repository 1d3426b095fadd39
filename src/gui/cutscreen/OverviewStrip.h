#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <QWidget>

#include "core/analysis/CutAnalysis.h"
#include "core/timelists/TimeLists.h"
#include "core/timelists/TimeMs.h"
#include "draw/OverviewPainter.h"

class QMenu;
class QTimer;

namespace veskar {

/// A registered time as the strip shows it.
struct TimeMark {
    TimeMs ms = 0;
    int colorCode = 0; ///< start colour 0..6
    bool selected = false;
};

/// A song of the chosen silence list: [fromMs, toMs).
struct TimeSpan {
    TimeMs fromMs = 0;
    TimeMs toMs = 0;
};

/// The marks of the registered lines: their times, their start colours while start times are
/// on, and which are selected.
std::vector<TimeMark> RegisteredMarks(const TimeLists& lists);
/// The songs of a silence list: each song start (a line with a mark) to the line after it, the
/// last to lengthMs.
std::vector<TimeSpan> SongSpans(const TimeList& lines, const QStringList& marks, TimeMs lengthMs);

/// The overview strip across the top of the cut screen: the envelope of the cut file, the
/// registered times as marks, the song spans of the chosen silence list and the play position.
/// The envelope is read on a thread of its own and fills in as it goes; choosing another file,
/// zooming or closing stops a run that is still reading. A level run that starts meanwhile
/// takes that read over, so the file is read once. A click asks to play from that time, a
/// double click to register it, the wheel zooms around the pointer (finer columns are read
/// again for the window shown).
class OverviewStrip : public QWidget {
    Q_OBJECT
public:
    /// Heights the strip's menu offers; a hidden strip keeps a thin handle for the menu.
    static constexpr int kHeights[] = {60, 100, 160, 240};
    static constexpr int kHiddenHeight = 6;

    explicit OverviewStrip(QWidget* parent = nullptr);
    ~OverviewStrip() override;

    /// Starts reading the envelope of a file (empty: none), the whole file in view.
    void SetFile(const QString& path);
    void SetMarks(std::vector<TimeMark> marks);
    void SetSongs(std::vector<TimeSpan> songs);
    /// The play position in ms; -1 while nothing plays.
    void SetPlayPosition(TimeMs positionMs);
    /// The strip's height in pixels; 0 hides it.
    void SetStripHeight(int height);
    int StripHeight() const { return m_height; }
    /// Frames per second of the file shown; 0 before its first block is read.
    uint32_t SampleRate() const { return m_scene.envelope.sampleRate; }
    /// What is painted now, marks and spans turned into frames.
    OverviewScene Scene() const;
    /// Waits for the reading thread to end (tests).
    void WaitForEnvelope();
    /// The time under an x position, or -1 when nothing is shown there.
    TimeMs TimeAt(int x) const;
    /// The strip's side of a level run's read: while the whole file is in view and not yet read,
    /// the run's blocks build the envelope in place of the strip's own read; when the run stops
    /// half-way, the strip reads the rest itself.
    SharedRead ShareRead();
    /// Called on the reading thread before each read of the strip's own (tests count them).
    void SetBeforeRead(std::function<void(const ReadProgress&)> hook) {
        m_beforeRead = std::move(hook);
    }

    QMenu* HeightMenu = nullptr;

signals:
    void PlayFromRequested(veskar::TimeMs fromMs);
    void RegisterRequested(veskar::TimeMs timeMs);
    /// The user chose another height (0: hidden).
    void StripHeightChosen(int height);
    /// The envelope of the window shown is complete.
    void EnvelopeFinished();
    /// A zoomed window [fromMs, toMs) was read whole: the subdivision lists may follow it.
    void WindowShown(veskar::TimeMs fromMs, veskar::TimeMs toMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    /// Reads the window [firstFrame, firstFrame + frameCount) (frameCount < 0: all) again, or
    /// the rest of the whole file after what `resume` has taken.
    void StartReading(int64_t firstFrame, int64_t frameCount,
                      std::unique_ptr<EnvelopeBuilder> resume = {});
    void StopReading();
    void TakeSnapshot(const Envelope& envelope, bool finished, quint64 run);
    BlockVisitor JoinRead(const QString& path, const WavInfo& info);
    void LeaveRead(bool whole);

    QString m_path;
    OverviewScene m_scene; ///< the envelope read so far
    std::vector<TimeMark> m_marks;
    std::vector<TimeSpan> m_songs;
    TimeMs m_playMs = -1;
    QTimer* m_resizeTimer = nullptr;
    int64_t m_totalFrames = -1; ///< of the whole file, learnt by the first full read
    int m_height = 100;
    quint64 m_run = 0;
    bool m_readingWhole = false; ///< the run under way reads the whole file
    std::unique_ptr<EnvelopeBuilder> m_shared; ///< fed by a level run's read
    std::chrono::steady_clock::time_point m_sharedShown;
    std::function<void(const ReadProgress&)> m_beforeRead;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::thread m_thread;
};

} // namespace veskar
