// The main window's start-up in two phases and its close: which settings and list files are
// read and written, and when.
#include <utility>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include "core/mixer/MixerPanels.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutListPanel.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/ChopMenu.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/SilencePresetBar.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"

#include "gui/main/WindowCommands.h"

namespace veskar {

namespace {

const QString kSaveDirPrompt = QStringLiteral(
    "これより、分割WAVファイル登録先を選択して戴きます。\n"
    "ここで、設定したフォルダーに分割したWAVファイルが置かれます。\n"
    "たっぷり空きがあるドライブを選択して下さい☆☆☆\n\n"
    "なお、メニュー／ファイル／分割WAVファイル登録先にて、\nいつでも変更できます☆☆☆");
const QString kChopDirPrompt = QStringLiteral(
    "これより、ぶつ切りカット格納先を選択して戴きます。\n"
    "ここで、設定したフォルダーにぶつ切りカットしたWAVファイルが置かれます。\n"
    "たっぷり空きがあるドライブを選択して下さい☆☆☆\n\n"
    "なお、ファイル選択画面右下にある\nぶつ切りカット／ぶつ切りカット格納先登録にて、\n"
    "いつでも変更できます☆☆☆");
const QString kChopDirTitle = QStringLiteral("ぶつ切りカット格納先");
constexpr int kStartupDelayMs = 200;
constexpr ProbeMenu kProbeMenus[] = {ProbeMenu::Start, ProbeMenu::End, ProbeMenu::SilentEnd,
                                     ProbeMenu::SilentStart, ProbeMenu::Edge};

QTimer* MakeOneShot(QObject* parent, const char* name) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setSingleShot(true);
    timer->setInterval(kStartupDelayMs);
    return timer;
}

int* ProbeItemOf(Settings& settings, ProbeMenu menu) {
    switch (menu) {
    case ProbeMenu::Start:
        return &settings.startProbeItem;
    case ProbeMenu::End:
        return &settings.endProbeItem;
    case ProbeMenu::SilentEnd:
        return &settings.silentEndProbeItem;
    case ProbeMenu::SilentStart:
        return &settings.silentStartProbeItem;
    case ProbeMenu::Edge:
        break;
    }
    return &settings.edgeProbeItem;
}

} // namespace

void TKOTAN_VESKAR::FormCreate() {
    StartupStage = 0;
    BusyCursor busy;
    QCoreApplication::processEvents();
    Cut().Record().Clear();
    if (!Timer_Create) {
        Timer_Create = MakeOneShot(this, "Timer_Create");
        connect(Timer_Create, &QTimer::timeout, this, &TKOTAN_VESKAR::Timer_CreateTimer);
        Timer6 = MakeOneShot(this, "Timer6");
        connect(Timer6, &QTimer::timeout, this, &TKOTAN_VESKAR::Timer6Timer);
    }
    DIR2SETDLG1.SetSourceHandle(this);
    DIR2SETDLG1.SetMessenger(&m_messenger);
    Cut().SetFolderChooser([this](const QString& title, const QString&) {
        return RunFolderBox(title, QStringLiteral("SAVE_DIR"), Cut().SaveDir());
    });
    // Level fields an older version left in the store are taken over by the first file of
    // their sample width.
    connect(cutScreen, &CutScreen::CutFileChosen, this, [this] {
        const QStringList levels =
            SettingsStore().TakeOlderLevels(analysis.family == SampleFamily::Bits8);
        for (int i = 0; i < levels.size(); ++i) {
            analysis.silenceSettings.levels[i] = levels[i];
        }
        if (!levels.isEmpty()) {
            analysisPanels->silencePanel->ShowSettings();
        }
    });

    SettingsStore().ReadFormValues(settings);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(WindowPosition(settings.position, frameGeometry().size(), screen->geometry(),
                            screen->availableGeometry()));
    }
    Cut().SetSaveDir(settings.saveDir);
    if (flags.stopRequested || flags.shutdownStop) {
        return;
    }
    (IsFolderNotSet(settings.saveDir) ? Timer6 : Timer_Create)->start();
}

std::optional<QString> TKOTAN_VESKAR::RunFolderBox(const QString& title, const QString& dirName,
                                                   const QString& folder) {
    DIR2SETDLG1.SetTitle(title);
    DIR2SETDLG1.SetDirName(dirName);
    DIR2SETDLG1.SetDirectory(folder);
    DIR2SETDLG1.SetStandardColor(settings.standardBackColor);
    if (DIR2SETDLG1.Execute() != Messenger::Ok) {
        return std::nullopt;
    }
    return DIR2SETDLG1.Directory();
}

void TKOTAN_VESKAR::Timer6Timer() {
    Timer6->stop();
    m_messenger.ShowMessage(kSaveDirPrompt);
    Cut().MF_SAVE_DIRClick();
    settings.saveDir = Cut().SaveDir();
    const QString error = SettingsStore().WriteFolder(QStringLiteral("SAVE_DIR"), settings.saveDir);
    if (!error.isEmpty()) {
        m_messenger.ShowTimedMessage(error, Messenger::Ok);
    }
    if (!flags.stopRequested && !flags.shutdownStop) {
        Timer_Create->start();
    }
}

void TKOTAN_VESKAR::PBG_BG_DIRClick() {
    if (const auto chosen =
            RunFolderBox(kChopDirTitle, QStringLiteral("BG_DIR"), settings.chopDir)) {
        settings.chopDir = ResolveFolderSetting(*chosen);
    }
}

void TKOTAN_VESKAR::Timer_CreateTimer() {
    Timer_Create->stop();
    BusyCursor busy;
    QCoreApplication::processEvents();
    const SettingsStore store;
    store.ReadChopDir(settings);
    if (IsFolderNotSet(settings.chopDir)) {
        m_messenger.ShowMessage(kChopDirPrompt);
        PBG_BG_DIRClick();
        const QString error =
            SettingsStore().WriteFolder(QStringLiteral("BG_DIR"), settings.chopDir);
        if (!error.isEmpty()) {
            m_messenger.ShowTimedMessage(error, Messenger::Ok);
        }
    }
    store.ReadDeferredValues(settings);
    const QString dir = ProgramDir();
    dataLists.driveFolders = LoadDriveFolderList(dir);
    dataLists.filters = LoadFilterList(dir);
    dataLists.folderHistory = LoadFolderHistory(dir);
    ApplyDeferredSettings();
    StartBrowser();
    timeLists.startColors.colorTagNames = LoadColorTagNames(dir);
    QCoreApplication::processEvents();
    StartupStage = 99;
    StartLists();
}

void TKOTAN_VESKAR::StartLists() {
    analysisPanels->presetBar->Start(settings.preset16, settings.preset08);
    memoryPanel->MO_M_SORT->setChecked(settings.memorySort);
    memoryPanel->MF_FileOnly->setChecked(settings.fileOnly);
    memoryPanel->Start(settings.memoryListName);
    const QStringList waiting = std::exchange(m_pendingFiles, {});
    if (!waiting.isEmpty()) {
        OpenFiles(waiting);
    } else if (settings.screenAtClose == 0 && memoryPanel->Count() > 0 && !startOnFileScreen) {
        // The cut screen was open at close: it opens again on the list's first file.
        OpenCutScreenAt(0);
    }
}

void TKOTAN_VESKAR::StartBrowser() {
    browserState.driveFolders = dataLists.driveFolders;
    browserState.filters = dataLists.filters;
    browserState.filterIndex = FilterIndex(browserState.filters, settings.filterText);
    browserState.folderViewMode = settings.folderViewMode;
    browserState.history = dataLists.folderHistory;
    browserState.historyIndex = browserState.history.isEmpty() ? -1 : 0;
    browserState.historyPanelOpen = false;
    browserPanel->Start(settings.currentPath, settings.dirText);
}

void TKOTAN_VESKAR::CollectBrowser() {
    browserPanel->Close();
    dataLists.driveFolders = browserState.driveFolders;
    dataLists.filters = browserState.filters;
    dataLists.folderHistory = browserState.history;
    settings.filterText = browserState.filters.value(browserState.filterIndex);
    settings.folderViewMode = browserState.folderViewMode;
    settings.currentPath = browserState.currentPath;
    settings.dirText = browserPanel->SelectedName();
}

void TKOTAN_VESKAR::ApplyDeferredSettings() {
    cutScreen->MO_FUN->setChecked(settings.minutes);
    if (timeLists.format.MinutesMode() != settings.minutes) {
        cutScreen->MO_FUNClick();
    }
    Cut().MF_No_Memo->setChecked(settings.noMemo);
    timeLists.startColors.startTimesEnabled = settings.startTimesEnabled;
    timeLists.startColors.continuousTarget = settings.continuousTarget;
    timeLists.startColors.defaultStartColor = settings.defaultStartColor;
    cutScreen->ShowStartColorSettings();
    Cut().MF_AUTO_NAME->setChecked(settings.autoName);
    Cut().MF_AUTO_83->setChecked(settings.auto83);
    Cut().MF_SAVE_NAME->setChecked(settings.saveName);
    chopMenu->ApplySettings();
    Cut().ApplyNamingTicks();
    cutScreen->MO_TSR_MUKOU->setChecked(settings.listRightClickOff);
    overview->SetStripHeight(settings.overviewHeight);
    for (const ProbeMenu menu : kProbeMenus) {
        player->cutPanel->ChooseProbeItem(menu, *ProbeItemOf(settings, menu));
    }

    const OlderSilenceFields older = SettingsStore().TakeOlderSilenceFields();
    SilenceSettings& fields = analysis.silenceSettings;
    fields.recognition = older.recognition;
    for (int i = 0; i < kSilenceChannels; ++i) {
        fields.durations[i] = older.durations[i].value_or(fields.durations[i]);
        fields.levels[i] = older.levels[i].value_or(fields.levels[i]);
    }
    analysisPanels->silencePanel->ShowSettings();

    analysis.options.display = {settings.color1s, settings.color10s, settings.color60s};
    analysis.options.numericLevels = settings.numericLevels;
    analysisPanels->levelPanel->ShowOptions();
    player->cutPanel->SetPresetAtStartup(settings.playModePreset, settings.playModeStartOnly);
    player->filePanel->ComboBox_PM->setCurrentIndex(
        FilePlayModeFromText(settings.filePlayModeText));
    player->filePanel->ChooseIntroIndex(settings.introIndex);
    player->filePanel->ChooseEdgeIndex(settings.edgeIndex);
    Cut().MO_CS_UP->setChecked(settings.cutSpeedUp);
    commands->HELP3->setChecked(settings.miniHelp);
    commands->BackColor->setChecked(settings.standardBackColor);
    commands->KOTAN_COLOR->setChecked(settings.kotanColor && !settings.standardBackColor);
    commands->ApplyColors();
}

void TKOTAN_VESKAR::CollectSettings() {
    settings.position = pos();
    settings.saveDir = Cut().SaveDir();
    settings.minutes = cutScreen->MO_FUN->isChecked();
    settings.noMemo = Cut().MF_No_Memo->isChecked();
    settings.startTimesEnabled = timeLists.startColors.startTimesEnabled;
    settings.continuousTarget = timeLists.startColors.continuousTarget;
    settings.defaultStartColor = timeLists.startColors.defaultStartColor;
    settings.autoName = Cut().MF_AUTO_NAME->isChecked();
    settings.auto83 = Cut().MF_AUTO_83->isChecked();
    settings.saveName = Cut().MF_SAVE_NAME->isChecked();
    settings.listRightClickOff = cutScreen->MO_TSR_MUKOU->isChecked();
    settings.overviewHeight = overview->StripHeight();
    for (const ProbeMenu menu : kProbeMenus) {
        *ProbeItemOf(settings, menu) = player->cutPanel->ProbeItem(menu);
    }
    settings.color1s = analysis.options.display.colorLevels;
    settings.color10s = analysis.options.display.color10s;
    settings.color60s = analysis.options.display.color60s;
    settings.numericLevels = analysis.options.numericLevels;
    settings.playModePreset = player->cutPanel->Preset().Item();
    settings.playModeStartOnly = player->cutPanel->Preset().StartOnly();
    settings.filePlayModeText = player->filePanel->ComboBox_PM->currentText();
    settings.introIndex = player->filePanel->IntroIndex();
    settings.edgeIndex = player->filePanel->EdgeIndex();
    settings.cutSpeedUp = Cut().MO_CS_UP->isChecked();
    settings.miniHelp = commands->HELP3->isChecked();
    settings.standardBackColor = commands->BackColor->isChecked();
    settings.kotanColor = commands->KOTAN_COLOR->isChecked();
    settings.screenAtClose = m_screens->currentWidget() == Panel_DFF ? -1 : 0;
    settings.memorySort = memoryPanel->MO_M_SORT->isChecked();
    settings.fileOnly = memoryPanel->MF_FileOnly->isChecked();
    settings.memoryListName = memoryPanel->ListName();
    settings.preset16 = analysisPanels->presetBar->SelectedName(SampleFamily::Bits16);
    settings.preset08 = analysisPanels->presetBar->SelectedName(SampleFamily::Bits8);
    CollectBrowser();
    SettleCurrentPath(settings, Cut().Run().LastOutputDir());
    dataLists.colorTagNames = timeLists.startColors.colorTagNames;
}

QStringList TKOTAN_VESKAR::SaveAtClose() {
    CollectSettings();
    QStringList failures = SaveDataLists(ProgramDir(), dataLists);
    failures += memoryPanel->Save();
    failures += cutListPanel->Save();
    if (const QString error = analysisPanels->presetBar->Save(); !error.isEmpty()) {
        failures << error;
    }
    Cut().ShowRecordAtClose();
    const QString error = SettingsStore().WriteAll(settings);
    if (!error.isEmpty()) {
        failures << error;
    }
    return failures;
}

void TKOTAN_VESKAR::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ClosingFlag) {
        return;
    }
    ClosingFlag = true;
    if (Timer_Create) {
        Timer_Create->stop();
        Timer6->stop();
    }
    flags.stopRequested = true;
    flags.shutdownStop = true;
    QStringList failures;
    {
        BusyCursor busy;
        QCoreApplication::processEvents();
        // Twice: a completion that arrives while the first stop runs may start the next play.
        m_player->Engine().StopAndClose();
        m_player->Engine().StopAndClose();
        Cut().Stop();
        mixer->Close();
        commands->CloseHelp();
        QCoreApplication::processEvents();
        if (StartupStage == 99) {
            failures = SaveAtClose();
        }
    }
    if (!failures.isEmpty()) {
        ClosingFlag = false;
        m_messenger.ShowTimedMessage(failures.join("\n\n"), Messenger::Ok);
    }
}

} // namespace veskar
