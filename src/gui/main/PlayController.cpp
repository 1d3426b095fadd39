#include "gui/main/PlayController.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/play/CutFileInfo.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PositionBarPanel.h"

namespace veskar {

/// A list of the cut screen as the engine walks it, keeping its box in step: when playback
/// moves to another line the box shows it selected.
class SyncedLines : public PlayLines {
public:
    SyncedLines(TimeListId id, PlayLines& lines, TimeListBox* box)
        : m_id(id), m_lines(lines), m_box(box) {}

    TimeListId Id() const { return m_id; }
    Kind LinesKind() const override { return m_lines.LinesKind(); }
    TimeMs StepMs() const override { return m_lines.StepMs(); }
    int Count() const override { return m_lines.Count(); }
    int Current() const override { return m_lines.Current(); }
    void SelectOnly(int line) override {
        m_lines.SelectOnly(line);
        if (m_box) {
            m_box->SyncFromList(false);
        }
    }
    QString Text(int line) const override { return m_lines.Text(line); }
    std::optional<QString> EndText(int line) const override { return m_lines.EndText(line); }
    QString Tag(int line) const override { return m_lines.Tag(line); }

private:
    TimeListId m_id;
    PlayLines& m_lines;
    TimeListBox* m_box;
};

namespace {

constexpr int kPollIntervalMs = 1000;
constexpr int kAutoPlayDelayMs = 300;

const QString kCutFileHint = QStringLiteral("カットファイル名");

// The file lists before the browser brings its own: nothing to play.
class NoFiles : public PlayFileList {
public:
    int Count() const override { return 0; }
    int Selected() const override { return -1; }
    void SelectOnly(int) override {}
    QString Path(int) const override { return {}; }
    QString Weight(int) const override { return {}; }
    void SetWeight(int, const QString&) override {}
    void Click() override {}
};

} // namespace

PlayController::PlayController(CutScreen& cutScreen, TimeLists& lists, SharedFlags& flags,
                               Messenger& messenger, EventPump& pump, WaveDevice& player,
                               WaveDevice& query, QObject* parent)
    : QObject(parent), m_cutScreen(cutScreen), m_lists(lists), m_flags(flags),
      m_messenger(messenger), m_player(player), m_query(query),
      m_engine(player, flags, lists.format, messenger, pump, *this, this), m_engineLines(lists),
      m_noFiles(std::make_unique<NoFiles>()) {
    setObjectName("PlayController");

    MakeTimers();
    MakeCutScreenControls();
    MakeFileScreenControls();
    ConnectCutScreen();
    ConnectFileScreen();
    SyncControls();
}

void PlayController::MakeTimers() {
    Timer8 = new QTimer(this);
    Timer8->setObjectName("Timer8");
    Timer8->setInterval(kPollIntervalMs);
    connect(Timer8, &QTimer::timeout, &m_engine, &PlayEngine::PollPosition);
    Timer_PLAY = new QTimer(this);
    Timer_PLAY->setObjectName("Timer_PLAY");
    Timer_PLAY->setSingleShot(true);
    Timer_PLAY->setInterval(kAutoPlayDelayMs);
    connect(Timer_PLAY, &QTimer::timeout, this, [this] {
        const int current = m_lists.interval.Current();
        ListBox_ALLClick(TimeListId::Interval, current < 0 ? 0 : current);
    });
}

void PlayController::MakeCutScreenControls() {
    cutPanel = new PlayerPanel(m_cutScreen.Slot_Playback);
    m_cutScreen.Slot_Playback->layout()->addWidget(cutPanel);
    Edit_Fn = new QLineEdit(m_cutScreen.Slot_CutFile);
    Edit_Fn->setObjectName("Edit_Fn");
    Edit_Fn->setToolTip(kCutFileHint);
    Edit_Fn->setReadOnly(true);
    Edit_Fn->setPlaceholderText(QStringLiteral("カットファイル（ダブルクリックで情報）"));
    Edit_Fn->installEventFilter(this);
    m_cutScreen.Slot_CutFile->layout()->addWidget(Edit_Fn);
    m_cutScreen.Slot_CutFile->layout()->setAlignment(Edit_Fn, Qt::AlignTop);
}

void PlayController::MakeFileScreenControls() {
    // The file screen's controls and the window's stop button, placed by the window.
    filePanel = new FilePlayerPanel;
    ColorBtn1 = new QPushButton(QStringLiteral("停止"));
    ColorBtn1->setObjectName("ColorBtn1");
    ColorBtn1->setToolTip(QStringLiteral("再生を停止する"));
}

void PlayController::ConnectCutScreen() {
    m_cutScreen.SetPlaybackHooks({
        [this]() -> std::optional<QString> {
            const std::optional<TimeMs> position = m_player.QueryPosition();
            return position ? std::optional<QString>(QString::number(*position)) : std::nullopt;
        },
        [this] { return cutPanel->Special(); },
        [this] { return cutPanel->PlayMode(); },
        [this](CutPlayMode mode) {
            cutPanel->SetPlayMode(mode);
            SyncControls();
        },
    });
    connect(&m_cutScreen, &CutScreen::LineClicked, this, &PlayController::ListBox_ALLClick);
    connect(&m_cutScreen, &CutScreen::TimeListsRebuilt, this, &PlayController::CutFileChanged);
    // The start-time settings live with the time lists; the engine reads them in continuations
    // too, so they are copied whenever the cut screen changes them.
    connect(m_cutScreen.MO_ST_TM, &QAction::triggered, this, &PlayController::SyncControls);
    for (QAction* item : m_cutScreen.continuousItems) {
        if (item) {
            connect(item, &QAction::triggered, this, &PlayController::SyncControls);
        }
    }
    for (QAction* item : m_cutScreen.continuousPanelItems) {
        if (item) {
            connect(item, &QAction::triggered, this, &PlayController::SyncControls);
        }
    }

    connect(cutPanel, &PlayerPanel::PlayModeChosen, this, [this](CutPlayMode mode) {
        SyncControls();
        m_engine.PlayModeChosen(mode);
    });
    connect(cutPanel, &PlayerPanel::SpecialModeChosen, this, &PlayController::SyncControls);
    connect(cutPanel, &PlayerPanel::ProbesChanged, this, &PlayController::SyncControls);
    connect(cutPanel->Button2, &QPushButton::clicked, &m_engine, &PlayEngine::StopButton);
    connect(ColorBtn1, &QPushButton::clicked, &m_engine, &PlayEngine::StopButton);
    connect(cutPanel->Panel_PB_M, &PositionBarPanel::Released, this, [this](int pixel) {
        SyncControls();
        if (SyncedLines* lines = LinesOf(TimeListId::Interval)) {
            m_engine.CutBarReleased(pixel, *lines);
        }
    });
    connect(cutPanel->Panel_PB_M, &PositionBarPanel::WidthChanged, this,
            &PlayController::SyncControls);
}

void PlayController::ConnectFileScreen() {
    connect(filePanel, &FilePlayerPanel::FilePlayModeChosen, this, [this](FilePlayMode mode) {
        SyncControls();
        m_engine.FilePlayModeChosen(mode);
    });
    connect(filePanel, &FilePlayerPanel::ControlsChanged, this, &PlayController::SyncControls);
    connect(filePanel->Btn_PLAY, &QPushButton::clicked, this, [this] {
        SyncControls();
        m_engine.PlayButton(FileList(), MemoryList());
    });
    connect(filePanel->Btn_BS, &QPushButton::clicked, this, [this] {
        SyncControls();
        m_engine.BackButton(FileList(), MemoryList());
    });
    connect(filePanel->Btn_Skip, &QPushButton::clicked, this, [this] {
        SyncControls();
        m_engine.SkipButton(FileList(), MemoryList());
    });
    connect(filePanel->Panel_B0, &PositionBarPanel::Released, this, [this](int pixel) {
        SyncControls();
        m_engine.FileBarReleased(pixel, FileList(), MemoryList());
    });
    connect(filePanel->Panel_B0, &PositionBarPanel::WidthChanged, this,
            &PlayController::SyncControls);
}

PlayController::~PlayController() {
    m_cutScreen.SetPlaybackHooks({});
}

void PlayController::SetFileLists(PlayFileList* fileList, PlayFileList* memoryList) {
    m_fileList = fileList;
    m_memoryList = memoryList;
}

void PlayController::SetFileScreenShown(bool shown) {
    m_engine.controls.fileScreenShown = shown;
}

void PlayController::StartAutoPlay() {
    Timer_PLAY->start();
}

PlayFileList& PlayController::FileList() {
    return m_fileList ? *m_fileList : *m_noFiles;
}

PlayFileList& PlayController::MemoryList() {
    return m_memoryList ? *m_memoryList : *m_noFiles;
}

void PlayController::SyncControls() {
    PlayControls& controls = m_engine.controls;
    controls.cutFile = m_cutScreen.CutFile();
    controls.playMode = cutPanel->PlayMode();
    controls.specialMode = cutPanel->Special();
    controls.probes = cutPanel->Probes();
    controls.filePlayMode = filePanel->PlayMode();
    controls.repeat = filePanel->Repeat();
    controls.fileSpecialMode = filePanel->Special();
    controls.introIndex = filePanel->IntroIndex();
    controls.edgeIndex = filePanel->EdgeIndex();
    controls.startTimesEnabled = m_lists.startColors.startTimesEnabled;
    controls.continuousTarget = m_lists.startColors.continuousTarget;
    controls.barPanelWidths[static_cast<int>(PositionBar::FileScreen)] =
        filePanel->Panel_B0->width();
    controls.barPanelWidths[static_cast<int>(PositionBar::CutScreen)] =
        cutPanel->Panel_PB_M->width();
    if (m_tableBar) {
        controls.barPanelWidths[static_cast<int>(PositionBar::Table)] = m_tableBar->width();
    }
}

void PlayController::CutFileChanged() {
    SyncControls();
    const QString& path = m_cutScreen.CutFile();
    Edit_Fn->setText(QFileInfo(path).fileName());
    Edit_Fn->setToolTip(path.isEmpty() ? kCutFileHint : path);
    // The lists start afresh: the file screen's labels and both bars follow the cut screen's.
    filePanel->Label2->setText(QStringLiteral("0"));
    filePanel->Label1->setText(m_cutScreen.Label13->text());
    filePanel->Panel_B0->SetBarWidth(0);
    cutPanel->Panel_PB_M->SetBarWidth(0);
}

SyncedLines* PlayController::LinesOf(TimeListId id) {
    for (const auto& lines : m_lines) {
        if (lines->Id() == id) {
            return lines.get();
        }
    }
    PlayLines* engineLines = m_engineLines.Lines(id);
    if (!engineLines) {
        return nullptr;
    }
    m_lines.push_back(std::make_unique<SyncedLines>(id, *engineLines, m_cutScreen.ListBox(id)));
    return m_lines.back().get();
}

void PlayController::ListBox_ALLClick(TimeListId list, int row) {
    SyncedLines* lines = LinesOf(list);
    if (!lines) {
        return;
    }
    SyncControls();
    m_engine.LineClick(*lines, row);
}

void PlayController::PlayTableRow(PlayLines& table, int row) {
    SyncControls();
    m_engine.LineClick(table, row);
}

void PlayController::AttachTableBar(PositionBarPanel* bar, PlayLines& table) {
    m_tableBar = bar;
    connect(bar, &PositionBarPanel::Released, this, [this, &table](int pixel) {
        SyncControls();
        m_engine.TableBarReleased(pixel, table);
    });
    connect(bar, &PositionBarPanel::WidthChanged, this, &PlayController::SyncControls);
}

void PlayController::Edit_FnDblClick() {
    BusyCursor busy;
    // A new command: only a stop pressed while the format is asked for keeps the box shut, not
    // one left over from an earlier play (or a play that failed).
    m_flags.stopRequested = false;
    ShowCutFileInfo(m_cutScreen.CutFile(), m_query, m_player, m_flags, m_messenger);
}

bool PlayController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit_Fn && event->type() == QEvent::MouseButtonDblClick) {
        Edit_FnDblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void PlayController::ShowFileInfo(const QString& line) {
    filePanel->Edit_File_Disp->setText(line);
    filePanel->Edit_File_Disp->setCursorPosition(0);
}

void PlayController::ShowLength(const QString& text) {
    m_cutScreen.Label13->setText(text);
    filePanel->Label1->setText(text);
}

void PlayController::ShowPosition(const QString& text,
                                  const std::array<int, kPositionBars>& barWidths) {
    m_cutScreen.Label14->setText(text);
    emit PositionShown(m_engine.Request().shownPosition);
    filePanel->Label2->setText(text);
    filePanel->Panel_B0->SetBarWidth(barWidths[static_cast<int>(PositionBar::FileScreen)]);
    cutPanel->Panel_PB_M->SetBarWidth(barWidths[static_cast<int>(PositionBar::CutScreen)]);
    if (m_tableBar) {
        m_tableBar->SetBarWidth(barWidths[static_cast<int>(PositionBar::Table)]);
    }
}

void PlayController::PlayFromTime(TimeMs fromMs) {
    SyncControls();
    if (SyncedLines* lines = LinesOf(TimeListId::Interval)) {
        m_engine.PlayFromTime(fromMs, *lines);
    }
}

void PlayController::SetPositionPolling(bool on) {
    if (!on) {
        emit PositionShown(-1);
    }
    if (on) {
        Timer8->start();
    } else {
        Timer8->stop();
    }
}

void PlayController::UpdateLevelPanel(PlayLines& list, int line) {
    for (const auto& lines : m_lines) {
        if (lines.get() == &list) {
            emit LinePlayed(lines->Id(), line);
            return;
        }
    }
}

} // namespace veskar
