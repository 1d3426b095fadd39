#include "gui/cutscreen/OverviewStrip.h"

#include <algorithm>
#include <chrono>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>

#include "core/host/ProgressBox.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"
#include "core/wav/Envelope.h"

namespace veskar {

namespace {

/// The progress box of a reading thread: no box, only the stop flag the window sets.
class StopFlagBox : public ProgressBox {
public:
    explicit StopFlagBox(const std::atomic<bool>& stop) : m_stop(stop) {}
    int Open(const QString&, const QString&) override { return 0; }
    int SetPercent(int, int) override { return GetState(0); }
    void SetMessage(int, const QString&) override {}
    int GetState(int) const override { return m_stop ? Stopped : Running; }
    void Close(int& handle) override { handle = -1; }

private:
    const std::atomic<bool>& m_stop;
};

/// The strip fills in at this pace while a run reads.
constexpr auto kSnapshotInterval = std::chrono::milliseconds(60);
constexpr double kZoomStep = 1.5;

int64_t MsToFrame(TimeMs ms, uint32_t rate) {
    return int64_t{ms} * rate / 1000;
}

} // namespace

std::vector<TimeMark> RegisteredMarks(const TimeLists& lists) {
    const RegisteredList& registered = lists.registered;
    std::vector<TimeMark> marks;
    for (int i = 0; i < registered.Count(); ++i) {
        if (const std::optional<TimeMs> ms = ParseTime(registered.Text(i))) {
            marks.push_back(
                {*ms, lists.startColors.startTimesEnabled ? StartColorCode(registered.Tag(i)) : 0,
                 registered.Lines().IsSelected(i)});
        }
    }
    return marks;
}

std::vector<TimeSpan> SongSpans(const TimeList& lines, const QStringList& marks, TimeMs lengthMs) {
    std::vector<TimeSpan> songs;
    for (int i = 0; i < lines.Count() && i < marks.size(); ++i) {
        const std::optional<TimeMs> from = ParseTime(lines.Text(i));
        if (marks[i].isEmpty() || !from) {
            continue;
        }
        const std::optional<TimeMs> next =
            i + 1 < lines.Count() ? ParseTime(lines.Text(i + 1)) : std::nullopt;
        songs.push_back({*from, next.value_or(lengthMs)});
    }
    return songs;
}

OverviewStrip::OverviewStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OverviewStrip"));
    setToolTip(QStringLiteral("クリックで再生、ダブルクリックで登録、ホイールで拡大・縮小"));
    m_resizeTimer = new QTimer(this);
    m_resizeTimer->setSingleShot(true);
    m_resizeTimer->setInterval(200);
    connect(m_resizeTimer, &QTimer::timeout, this, [this] {
        const Envelope& e = m_scene.envelope;
        if (!m_path.isEmpty() && e.columns != width()) {
            StartReading(e.firstFrame, m_totalFrames < 0 ? -1 : e.frameCount);
        }
    });
    HeightMenu = new QMenu(this);
    for (const int height : kHeights) {
        HeightMenu->addAction(QStringLiteral("高さ %1").arg(height), this, [this, height] {
            SetStripHeight(height);
            emit StripHeightChosen(height);
        });
    }
    HeightMenu->addAction(QStringLiteral("隠す"), this, [this] {
        SetStripHeight(0);
        emit StripHeightChosen(0);
    });
    HeightMenu->addAction(QStringLiteral("全体を表示"), this, [this] {
        if (!m_path.isEmpty()) {
            StartReading(0, -1);
        }
    });
    SetStripHeight(m_height);
}

OverviewStrip::~OverviewStrip() {
    StopReading();
}

void OverviewStrip::SetFile(const QString& path) {
    m_path = path;
    m_totalFrames = -1;
    StartReading(0, -1);
}

void OverviewStrip::SetMarks(std::vector<TimeMark> marks) {
    m_marks = std::move(marks);
    update();
}

void OverviewStrip::SetSongs(std::vector<TimeSpan> songs) {
    m_songs = std::move(songs);
    update();
}

void OverviewStrip::SetPlayPosition(TimeMs positionMs) {
    if (positionMs != m_playMs) {
        m_playMs = positionMs;
        update();
    }
}

void OverviewStrip::SetStripHeight(int height) {
    m_height = std::max(height, 0);
    setFixedHeight(m_height > 0 ? m_height : kHiddenHeight);
}

OverviewScene OverviewStrip::Scene() const {
    OverviewScene scene;
    scene.envelope = m_scene.envelope;
    const uint32_t rate = scene.envelope.sampleRate;
    for (const TimeMark& mark : m_marks) {
        scene.marks.push_back({MsToFrame(mark.ms, rate), mark.colorCode, mark.selected});
    }
    for (const TimeSpan& song : m_songs) {
        scene.songs.push_back({MsToFrame(song.fromMs, rate), MsToFrame(song.toMs, rate)});
    }
    scene.playFrame = m_playMs >= 0 ? MsToFrame(m_playMs, rate) : -1;
    return scene;
}

void OverviewStrip::WaitForEnvelope() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

TimeMs OverviewStrip::TimeAt(int x) const {
    const Envelope& e = m_scene.envelope;
    if (e.sampleRate == 0 || e.frameCount <= 0 || x < 0 || x >= width()) {
        return -1;
    }
    const int column = static_cast<int>(int64_t{x} * e.columns / std::max(width(), 1));
    return static_cast<TimeMs>(e.ColumnStart(column) * 1000 / e.sampleRate);
}

void OverviewStrip::StartReading(int64_t firstFrame, int64_t frameCount,
                                 std::unique_ptr<EnvelopeBuilder> resume) {
    StopReading();
    m_shared.reset();
    const quint64 run = ++m_run;
    m_readingWhole = firstFrame == 0 && (frameCount < 0 || frameCount == m_totalFrames);
    // A resumed read keeps what is shown until it has more.
    if (!resume) {
        m_scene.envelope = Envelope{};
    }
    update();
    if (m_path.isEmpty()) {
        return;
    }
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_stop = stop;
    const int columns = std::max(width(), 1);
    m_thread = std::thread([this, path = m_path, firstFrame, frameCount, columns, stop, run,
                            resume = std::move(resume), before = m_beforeRead]() mutable {
        StopFlagBox box(*stop);
        const ReadProgress progress{&box, 0, nullptr};
        if (before) {
            before(progress);
        }
        auto last = std::chrono::steady_clock::now();
        auto post = [this, run](const Envelope& e, bool finished) {
            QMetaObject::invokeMethod(
                this, [this, e, finished, run] { TakeSnapshot(e, finished, run); },
                Qt::QueuedConnection);
        };
        const auto watch = [&](const Envelope& part) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last >= kSnapshotInterval) {
                last = now;
                post(part, false);
            }
        };
        Envelope envelope;
        if (resume) {
            ResumeEnvelope(path, *resume, progress, watch);
            envelope = resume->Result();
        } else {
            MeasureEnvelope(path, firstFrame, frameCount, columns, progress, envelope, watch);
        }
        if (!*stop) {
            post(envelope, true);
        }
    });
}

void OverviewStrip::StopReading() {
    if (m_stop) {
        *m_stop = true;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_stop.reset();
}

SharedRead OverviewStrip::ShareRead() {
    QPointer<OverviewStrip> self(this);
    return {[self](const QString& path, const WavInfo& info) {
                return self ? self->JoinRead(path, info) : BlockVisitor{};
            },
            [self](bool whole) {
                if (self) {
                    self->LeaveRead(whole);
                }
            }};
}

BlockVisitor OverviewStrip::JoinRead(const QString& path, const WavInfo& info) {
    // A finished or zoomed picture costs the level run nothing.
    if (path != m_path || !m_readingWhole || m_shared || info.blockAlign == 0) {
        return {};
    }
    StopReading();
    const quint64 run = ++m_run;
    m_shared = std::make_unique<EnvelopeBuilder>(info, 0, info.dataLength / info.blockAlign,
                                                 std::max(width(), 1));
    m_sharedShown = std::chrono::steady_clock::now();
    QPointer<OverviewStrip> self(this);
    return [self, run](const uint8_t* frames, int64_t count, int64_t) {
        // Another file, a zoom or a new width meanwhile: the blocks belong to no picture.
        if (!self || self->m_run != run || !self->m_shared) {
            return;
        }
        self->m_shared->Add(frames, count);
        const auto now = std::chrono::steady_clock::now();
        if (now - self->m_sharedShown >= kSnapshotInterval) {
            self->m_sharedShown = now;
            self->TakeSnapshot(self->m_shared->Result(), false, run);
        }
    };
}

void OverviewStrip::LeaveRead(bool whole) {
    std::unique_ptr<EnvelopeBuilder> builder = std::move(m_shared);
    if (!builder) {
        return;
    }
    const Envelope& e = builder->Result();
    if (whole && e.filled == e.columns) {
        TakeSnapshot(e, true, m_run);
    } else {
        // The level run stopped or failed half-way: the strip goes on from where it got.
        StartReading(0, -1, std::move(builder));
    }
}

void OverviewStrip::TakeSnapshot(const Envelope& envelope, bool finished, quint64 run) {
    if (run != m_run || (!finished && envelope.filled < m_scene.envelope.filled)) {
        return;
    }
    m_scene.envelope = envelope;
    if (finished) {
        m_readingWhole = false;
    }
    if (finished && m_totalFrames < 0) {
        m_totalFrames = envelope.firstFrame + envelope.frameCount;
    }
    update();
    if (!finished) {
        return;
    }
    emit EnvelopeFinished();
    if (envelope.frameCount < m_totalFrames && envelope.sampleRate > 0) {
        const auto ms = [&envelope](int64_t frame) {
            return static_cast<TimeMs>(frame * 1000 / envelope.sampleRate);
        };
        emit WindowShown(ms(envelope.firstFrame), ms(envelope.firstFrame + envelope.frameCount));
    }
}

void OverviewStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_height == 0) {
        painter.fillRect(rect(), palette().mid());
        return;
    }
    PaintOverview(painter, rect(), Scene());
    if (m_path.isEmpty()) {
        // Before the first cut file the strip says what it is for.
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("カットファイルを選ぶと、録音全体の波形がここに出ます"));
    }
}

void OverviewStrip::resizeEvent(QResizeEvent*) {
    m_resizeTimer->start();
}

void OverviewStrip::mouseReleaseEvent(QMouseEvent* event) {
    const TimeMs ms = TimeAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton && ms >= 0 && m_height > 0) {
        emit PlayFromRequested(ms);
    }
}

void OverviewStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    const TimeMs ms = TimeAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton && ms >= 0 && m_height > 0) {
        emit RegisterRequested(ms);
    }
}

void OverviewStrip::wheelEvent(QWheelEvent* event) {
    const Envelope& e = m_scene.envelope;
    const int x = event->position().toPoint().x();
    if (m_totalFrames <= 0 || e.frameCount <= 0 || event->angleDelta().y() == 0) {
        return;
    }
    // The frame under the pointer stays under it.
    const int64_t anchor = e.ColumnStart(static_cast<int>(int64_t{x} * e.columns / width()));
    const double factor = event->angleDelta().y() > 0 ? 1 / kZoomStep : kZoomStep;
    const int64_t count =
        std::clamp<int64_t>(static_cast<int64_t>(e.frameCount * factor),
                            std::min<int64_t>(width(), m_totalFrames), m_totalFrames);
    const int64_t first =
        std::clamp<int64_t>(anchor - count * x / std::max(width(), 1), 0, m_totalFrames - count);
    if (first != e.firstFrame || count != e.frameCount) {
        StartReading(first, count);
    }
    event->accept();
}

void OverviewStrip::contextMenuEvent(QContextMenuEvent* event) {
    HeightMenu->popup(event->globalPos());
}

} // namespace veskar
