#include "gui/main/TKOTAN_VESKAR.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/settings/Paths.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutListPanel.h"
#include "gui/cutscreen/SilencePresetBar.h"
#include "gui/cutscreen/CutPointCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TablePanel.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/ChopMenu.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/HintButton.h"
#include "gui/main/PlayController.h"
#include "gui/mixer/MixerScreenPanel.h"
#include "platform/PulseMixer.h"
#include "gui/main/WindowCommands.h"
#include "platform/QtWaveDevice.h"
#include "platform/VolumeProgram.h"

namespace veskar {

namespace {

// Room for the cut screen's seven time lists, the registered list and the silence panel side by
// side on a 1280 x 800 screen.
constexpr QSize kStartSize(1200, 760);
/// Full height of the volume and peak bars, in pixels.
constexpr int kMixerBarHeight = 100;

// The box layout under root that holds anchor, searched through the nested layouts.
QBoxLayout* LayoutHolding(QLayout* root, QWidget* anchor) {
    if (auto* box = qobject_cast<QBoxLayout*>(root); box && box->indexOf(anchor) >= 0) {
        return box;
    }
    for (int i = 0; root && i < root->count(); ++i) {
        if (QBoxLayout* found = LayoutHolding(root->itemAt(i)->layout(), anchor)) {
            return found;
        }
    }
    return nullptr;
}

// Places button right after anchor in the row or column that holds it.
void InsertAfter(QWidget* anchor, QWidget* button) {
    if (QBoxLayout* box = LayoutHolding(anchor->parentWidget()->layout(), anchor)) {
        box->insertWidget(box->indexOf(anchor) + 1, button);
    }
}

// Keeps a splitter's width shared out evenly until the user moves its handle. Sizes set once
// would be squeezed into the splitter's default width before the window has its own, where the
// panels' minimum widths decide the shares for good.
class EvenShares : public QObject {
public:
    explicit EvenShares(QSplitter* splitter) : QObject(splitter) {
        splitter->installEventFilter(this);
        connect(splitter, &QSplitter::splitterMoved, this, [this, splitter] {
            splitter->removeEventFilter(this);
        });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            auto* splitter = static_cast<QSplitter*>(watched);
            splitter->setSizes(QList<int>(splitter->count(), splitter->width()));
        }
        return false;
    }
};

} // namespace

TKOTAN_VESKAR::TKOTAN_VESKAR(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TKOTAN_VESKAR");
    setWindowTitle(kAppTitle);
    resize(kStartSize);
    MKBoxDlg1.setObjectName("MKBoxDlg1");
    MKBoxDlg1.SetSourceHandle(this);
    PBarBoxDlg1.setObjectName("PBarBoxDlg1");
    PBarBoxDlg1.SetSourceHandle(this);

    m_screens = new QStackedWidget(this);
    m_screens->setObjectName("Screens");
    Panel_DFF = new QWidget;
    Panel_DFF->setObjectName("Panel_DFF");
    cutScreen = new CutScreen(timeLists, m_messenger, m_pump, flags);
    Panel_CUT = cutScreen;
    m_screens->addWidget(Panel_DFF);
    m_screens->addWidget(Panel_CUT);
    setCentralWidget(m_screens);
    m_playDevice = std::make_unique<QtWaveDevice>(flags);
    m_queryDevice = std::make_unique<QtWaveDevice>(flags);
    m_player = std::make_unique<PlayController>(*cutScreen, timeLists, flags, m_messenger, m_pump,
                                                *m_playDevice, *m_queryDevice);
    player = m_player.get();
    MakeMixer();
    MakeFileScreen();
    player->SetFileScreenShown(true);
    connect(m_screens, &QStackedWidget::currentChanged, this,
            [this] { player->SetFileScreenShown(m_screens->currentWidget() == Panel_DFF); });
    cutFileOpener = new CutFileOpener(*player, *cutScreen, m_messenger, this, this);
    cutListPanel = new CutListPanel(*cutScreen, timeLists.registered, m_messenger, ProgramDir());
    auto* backButton = MakeHintButton("Button_Select", "File", "ファイル選択画面に切り替える",
                                      cutFileOpener->Panel_CutFileBox);
    cutFileOpener->Panel_CutFileBox->layout()->addWidget(backButton);
    connect(backButton, &QPushButton::clicked, this, &TKOTAN_VESKAR::Button_SelectClick);

    QMenu* screenMenu = menuBar()->addMenu("画面");
    screenMenu->addAction("ファイル選択画面", this, &TKOTAN_VESKAR::ShowFileScreen);
    screenMenu->addAction("カット画面", this, &TKOTAN_VESKAR::ShowCutScreen);
    MOption0 = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    MOption0->setObjectName("MOption0");
    MOption0->addAction(cutScreen->MO_FUN);
    MOption0->addAction(cutScreen->MO_ST_TM);
    MOption0->addAction(cutScreen->MO_TSR_MUKOU);
    analysisPanels = new AnalysisPanels(analysis, *cutScreen, m_host, flags, MOption0);
    cutFileOpener->SetParts(memoryPanel, cutListPanel, analysisPanels->presetBar);
    // A run reads the cut file or the memory list's files, walks the registered list or reads
    // the silence settings; while its progress box is open, none of them changes under it.
    connect(&PBarBoxDlg1, &TPBarBoxDlg::RunningChanged, memoryPanel,
            &MemoryListPanel::SetRunGoingOn);
    connect(&PBarBoxDlg1, &TPBarBoxDlg::RunningChanged, cutListPanel,
            &CutListPanel::SetRunGoingOn);
    connect(&PBarBoxDlg1, &TPBarBoxDlg::RunningChanged, analysisPanels->presetBar,
            &SilencePresetBar::SetRunGoingOn);
    connect(&PBarBoxDlg1, &TPBarBoxDlg::RunningChanged, cutFileOpener,
            &CutFileOpener::SetRunGoingOn);
    MOption0->addSeparator();
    MOption0->addAction(memoryPanel->MO_M_SORT);
    MOption0->addAction(memoryPanel->MF_FileOnly);
    m_cut = std::make_unique<CutCommands>(*cutScreen, timeLists, flags, m_host, m_textViewer, this);
    m_cut->AttachMenus(menuBar(), MOption0);
    cutPoints = new CutPointCommands(*cutScreen, timeLists, m_messenger, m_cut->MFile0, this);
    // A cut reads the source while the player may hold it open: playback stops first.
    m_cut->SetReleaseDevice([this] { m_player->Engine().StopAndClose(); });
    m_cut->SetChooseCutFile([this](const QString& path) { cutFileOpener->ChooseCutFile(path); });
    // The silence lists play like every other list, and registering all of them stops playback.
    analysisPanels->silencePanel->SetStopPlayback([this] { m_player->Engine().StopAndClose(); });
    for (int k = 0; k < 6; ++k) {
        m_player->EngineLines().SetSilenceList(k, analysis.SilenceLines(k));
        // Ctrl+1..6 reach the silence lists from anywhere on the cut screen.
        auto* key = new QShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier,
                                                               static_cast<Qt::Key>(Qt::Key_1 + k))),
                                  Panel_CUT);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this,
                [this, k] { analysisPanels->silencePanel->FocusList(k); });
    }

    MakeOpenCommand();
    MakeTablePanel();
    MakeOverview();

    commands = new WindowCommands(*this, m_messenger, m_textViewer);
    auto* corner = new QWidget;
    auto* cornerRow = new QHBoxLayout(corner);
    cornerRow->setContentsMargins(0, 0, 0, 0);
    cornerRow->addWidget(commands->Btn_Tray);
    cornerRow->addWidget(player->ColorBtn1);
    menuBar()->setCornerWidget(corner);
    commands->ApplyColors();
}

namespace {

// The table as playback walks it; the panel shows each row playback moves to.
class ShownTableLines : public TableLines {
public:
    ShownTableLines(NumberedTimeTable& table, TablePanel& panel) : TableLines(table), m_panel(panel) {}
    void SelectOnly(int line) override {
        TableLines::SelectOnly(line);
        m_panel.ShowRows();
    }

private:
    TablePanel& m_panel;
};

} // namespace

void TKOTAN_VESKAR::MakeTablePanel() {
    Panel_TT_V = new QSplitter(Qt::Vertical, this);
    Panel_TT_V->setObjectName("Panel_TT_V");
    Panel_TT_V->setChildrenCollapsible(false);
    // The splitter would ask for the screens' full minimum height, which the window itself
    // never did: a 700-pixel screen holds the cut screen only when it may give a little.
    Panel_TT_V->setMinimumHeight(1);
    Panel_TT = new TablePanel(numberedTable, m_messenger, m_pump);
    Panel_TT->SetCutFileSource([this] { return cutScreen->CutFile(); });
    Panel_TT->SetStartTimesEnabled(timeLists.startColors.startTimesEnabled);
    Panel_TT_V->addWidget(Panel_TT);
    Panel_TT_V->addWidget(takeCentralWidget());
    Panel_TT_V->setStretchFactor(1, 1);
    setCentralWidget(Panel_TT_V);
    m_tableLines = std::make_unique<ShownTableLines>(numberedTable, *Panel_TT);
    m_player->AttachTableBar(Panel_TT->Panel_TT_B0, *m_tableLines);

    QMenu* tableMenu = new QMenu(QStringLiteral("上部連番リストへ登録 (&U)"), cutScreen->PopupMenu1);
    tableMenu->menuAction()->setObjectName("P_TT0");
    QAction* all = tableMenu->addAction(QStringLiteral("すべて (&A)"));
    all->setObjectName("P_TT_ALL");
    QAction* selected = tableMenu->addAction(QStringLiteral("選択のみ (&S)"));
    selected->setObjectName("P_TT");
    cutScreen->PopupMenu1->insertMenu(cutScreen->PCUT_N1, tableMenu);
    const auto addRows = [this](bool allLines) {
        // The play mode may have been set by the program (settings, keys) since the last look.
        Panel_TT->SetPlayMode(player->cutPanel->PlayMode());
        if (allLines) {
            timeLists.registered.SelectAll();
            cutScreen->ShowRegisteredList();
        }
        Panel_TT->AddRowsFrom(timeLists.registered, timeLists.format, {});
    };
    connect(all, &QAction::triggered, this, [addRows] { addRows(true); });
    connect(selected, &QAction::triggered, this, [addRows] { addRows(false); });

    connect(Panel_TT, &TablePanel::RowClicked, this, [this](int row) {
        if (numberedTable.Count() > 0) {
            m_player->PlayTableRow(*m_tableLines, row);
        }
    });
    connect(Panel_TT, &TablePanel::StopPlayback, this, [this] {
        flags.stopRequested = true;
        m_player->Engine().StopAndClose();
    });
    // The two play-mode choices mirror each other; the table's acts as RadioGroup1's own.
    PlayerPanel* players = player->cutPanel;
    connect(Panel_TT, &TablePanel::PlayModeChosen, players, [players](CutPlayMode mode) {
        players->SetPlayMode(mode);
        emit players->PlayModeChosen(mode);
    });
    connect(players, &PlayerPanel::PlayModeChosen, Panel_TT, &TablePanel::SetPlayMode);
    connect(cutScreen->MO_ST_TM, &QAction::triggered, Panel_TT,
            [this] { Panel_TT->SetStartTimesEnabled(timeLists.startColors.startTimesEnabled); });
}

void TKOTAN_VESKAR::MakeOverview() {
    overview = new OverviewStrip(cutScreen->Slot_Overview);
    cutScreen->Slot_Overview->layout()->addWidget(overview);
    connect(cutScreen, &CutScreen::CutFileChosen, overview, &OverviewStrip::SetFile);
    // The colouring run reads the whole file anyway: the strip builds its picture from that read.
    analysis.ShareLevelRead(overview->ShareRead());
    const auto showMarks = [this] { overview->SetMarks(RegisteredMarks(timeLists)); };
    // A click on the registered list changes which marks are drawn stronger.
    connect(cutScreen, &CutScreen::RegisteredListShown, overview, showMarks);
    connect(cutScreen, &CutScreen::LineClicked, overview, showMarks);
    connect(overview, &OverviewStrip::RegisterRequested, cutScreen, &CutScreen::RegisterTime);
    connect(overview, &OverviewStrip::WindowShown, cutScreen, [this](TimeMs fromMs, TimeMs toMs) {
        cutScreen->SubdivideAround((fromMs + toMs) / 2);
    });
    connect(overview, &OverviewStrip::PlayFromRequested, player, &PlayController::PlayFromTime);
    connect(player, &PlayController::PositionShown, overview, &OverviewStrip::SetPlayPosition);
    // The songs of the silence list last clicked (the first one until then) are shaded.
    SilencePanel* silence = analysisPanels->silencePanel;
    const auto showSongs = [this] {
        overview->SetSongs(SongSpans(analysis.SilenceLines(m_songList),
                                     analysis.SilenceMarks(m_songList),
                                     timeLists.format.FileLengthMs()));
    };
    connect(silence, &SilencePanel::ListsChanged, overview, showSongs);
    connect(silence, &SilencePanel::LineClicked, overview, [this, showSongs](TimeListId list) {
        if (SilenceChannelOf(list) >= 0 && SilenceChannelOf(list) != m_songList) {
            m_songList = SilenceChannelOf(list);
            showSongs();
        }
    });
    connect(overview, &OverviewStrip::StripHeightChosen, this,
            [this](int height) { settings.overviewHeight = height; });
}

void TKOTAN_VESKAR::MakeFileScreen() {
    // The browser takes the screen's width, so that the file list shows its columns whole; the
    // player runs under it.
    browserPanel = new BrowserPanel(browserState, m_messenger, m_pump, flags, QDir::homePath());
    memoryPanel = new MemoryListPanel(m_messenger, m_pump, flags, ProgramDir());
    memoryPanel->SetBrowser(browserPanel);
    auto* sides = new QSplitter(Qt::Horizontal, Panel_DFF);
    sides->setObjectName("Splitter_DFF");
    sides->setChildrenCollapsible(false);
    sides->addWidget(browserPanel);
    sides->addWidget(memoryPanel);
    // Half each: the memory list shows whole paths.
    new EvenShares(sides);
    // The mixer sits beside the player, where its buttons take no height of their own: as a
    // column beside the lists it would take the memory list's width on a small screen.
    auto* screen = new QVBoxLayout(Panel_DFF);
    screen->addWidget(sides, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(player->filePanel, 1, Qt::AlignBottom);
    bottom->addWidget(fileMixerPanel, 0, Qt::AlignTop);
    screen->addLayout(bottom);

    // A clicked file plays through the engine; the list it was clicked in is the one it walks.
    player->SetFileLists(browserPanel, memoryPanel);
    const auto play = [this](PlayFileList& list) { m_player->Engine().PlayFileListClick(list); };
    const auto stop = [this] { m_player->Engine().StopAndClose(); };
    browserPanel->SetPlayback(play, stop);
    memoryPanel->SetPlayback(play, stop);
    connect(memoryPanel, &MemoryListPanel::CutScreenRequested, this,
            &TKOTAN_VESKAR::OpenCutScreenAt);
    connect(browserPanel, &BrowserPanel::FolderShown, this, [this](const QString& folder) {
        player->filePanel->Edit_File_Disp->setText(folder);
    });

    chopMenu = new ChopMenu(m_host, flags, m_textViewer, settings, Panel_DFF);
    InsertAfter(memoryPanel->Btn_SENTAK_M, chopMenu->Btn_BUTUGIRI);
    chopMenu->SetSources([this] { return ChopSources(); });
    chopMenu->SetShowFolder(
        [this](const QString& folder) { return browserPanel->browser->ShowFolder(folder); });
    chopMenu->SetChooseFolder([this] { PBG_BG_DIRClick(); });
    chopMenu->SetFocusSources([this] {
        if (memoryPanel->ListView_M->isVisible()) {
            memoryPanel->ListView_M->setFocus();
        }
    });
}

QStringList TKOTAN_VESKAR::ChopSources() const {
    return memoryPanel->SelectedPaths();
}

void TKOTAN_VESKAR::MakeMixer() {
    m_mixerBackend = std::make_unique<PulseMixer>();
    m_mixer = std::make_unique<MixerPanels>(*m_mixerBackend, m_messenger, settings, kMixerBarHeight);
    mixer = m_mixer.get();
    m_volumeProgram = std::make_unique<VolumeProgram>(m_messenger);
    fileMixerPanel = new MixerScreenPanel(*mixer, MixerScreen::File, *m_volumeProgram);
    cutMixerPanel = new MixerScreenPanel(*mixer, MixerScreen::Cut, *m_volumeProgram);
    // With the silence panel open the cut screen's side column is full: the mixer scrolls
    // rather than making the window taller than the screen.
    auto* scroll = new QScrollArea;
    scroll->setObjectName("Scroll_Mixer");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(cutMixerPanel);
    cutScreen->Slot_Mixer->layout()->addWidget(scroll);
}

void TKOTAN_VESKAR::MakeOpenCommand() {
    // One file menu: the cut commands' items, with opening a recording on top.
    MFile0 = m_cut->MFile0;
    auto* openWav = new QAction(kOpenWavCaption, MFile0);
    openWav->setObjectName("MF_WAV_OPEN");
    const QList<QAction*> fileItems = MFile0->actions();
    QAction* firstItem = fileItems.isEmpty() ? nullptr : fileItems.constFirst();
    MFile0->insertAction(firstItem, openWav);
    MFile0->insertSeparator(firstItem);
    connect(openWav, &QAction::triggered, this, [this] {
        if (cutFileOpener->OpenWavFile()) {
            ShowCutScreen();
        }
    });
}

void TKOTAN_VESKAR::OpenFiles(const QStringList& paths) {
    if (Timer_Create && StartupStage != 99) {
        m_pendingFiles += paths;
        return;
    }
    if (cutFileOpener->OpenFiles(paths)) {
        ShowCutScreen();
    }
}

QStringList TKOTAN_VESKAR::SelectedMemoryFiles() const {
    return memoryPanel->SelectedPaths();
}

void TKOTAN_VESKAR::OpenCutScreenAt(int row) {
    cutFileOpener->FillCutFileBox(row);
    ShowCutScreen();
    cutFileOpener->ComboBox1Click();
    // A new file is heard whole, not in probes.
    player->cutPanel->specialModeItems[static_cast<size_t>(SpecialMode::Off)]->click();
    cutFileOpener->ComboBox1->setFocus();
}

void TKOTAN_VESKAR::Button_SelectClick() {
    // The browser shows where the last cut wrote its pieces, else the folder it showed.
    // Only once: after that, the browser stays where the user takes it.
    const QString output = Cut().Run().LastOutputDir();
    Cut().Run().ForgetLastOutputDir();
    const QString folder = !output.isEmpty() && QDir(output).exists() ? output
                                                                       : browserState.currentPath;
    if (!folder.isEmpty() && folder != browserState.currentPath &&
        !browserPanel->browser->GoToFolder(folder)) {
        const QString fallback = DefaultBrowserFolder();
        m_messenger.ShowTimedMessage(folder + "\nフォルダーチェンジ・エラー\n\n" + fallback +
                                         "\nフォルダーに、強制変更します☆",
                                     Messenger::Ok);
        browserPanel->browser->GoToFolder(fallback);
    }
    ShowFileScreen();
    const int row = cutFileOpener->ComboBox1->currentIndex();
    if (row >= 0) {
        memoryPanel->SelectOnly(row);
    } else {
        memoryPanel->ListView_M->clearSelection();
    }
    memoryPanel->ListView_M->setFocus();
}

TKOTAN_VESKAR::~TKOTAN_VESKAR() {
    // Nothing may reach the device while the window's parts go away.
    flags.stopRequested = true;
    flags.shutdownStop = true;
    m_player->Engine().StopAndClose();
    // The browser holds the window's state and message box, which go before the child widgets.
    m_player->SetFileLists(nullptr, nullptr);
    delete memoryPanel;
    memoryPanel = nullptr;
    delete browserPanel;
    browserPanel = nullptr;
    // The volume panels tell the mixer when they hide, as every child does while the window goes.
    delete fileMixerPanel;
    delete cutMixerPanel;
    fileMixerPanel = cutMixerPanel = nullptr;
}

void TKOTAN_VESKAR::ShowFileScreen() {
    m_screens->setCurrentWidget(Panel_DFF);
}

bool TKOTAN_VESKAR::CutScreenShown() const {
    return m_screens->currentWidget() == Panel_CUT;
}

void TKOTAN_VESKAR::ShowCutScreen() {
    m_screens->setCurrentWidget(Panel_CUT);
}

} // namespace veskar
