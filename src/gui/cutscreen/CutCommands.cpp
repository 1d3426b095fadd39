#include "gui/cutscreen/CutCommands.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "core/cut/CutTarget.h"
#include "core/cut/OutputNaming.h"
#include "core/cut/SaveNameStep.h"
#include "core/host/Host.h"
#include "core/host/Messenger.h"
#include "core/host/SaveFileDialog.h"
#include "core/host/SharedFlags.h"
#include "core/host/TextViewer.h"
#include "core/settings/Paths.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"
#include "gui/main/BusyCursor.h"

namespace veskar {

namespace {

constexpr int kStopPollMs = 30;
constexpr char kSaveDirName[] = "SAVE_DIR";

const char16_t* const kColorCutNames[kStartColorCount] = {u"",
                                                          u"WAV_CUT_ST_Blue",
                                                          u"WAV_CUT_ST_Red",
                                                          u"WAV_CUT_ST_Lime",
                                                          u"WAV_CUT_ST_Yellow",
                                                          u"WAV_CUT_ST_Aqua",
                                                          u"WAV_CUT_ST_Pink"};
const CutCommand kColorCutCommands[kStartColorCount] = {
    CutCommand::WAV_CUT,         CutCommand::WAV_CUT_ST_Blue,   CutCommand::WAV_CUT_ST_Red,
    CutCommand::WAV_CUT_ST_Lime, CutCommand::WAV_CUT_ST_Yellow, CutCommand::WAV_CUT_ST_Aqua,
    CutCommand::WAV_CUT_ST_Pink};

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, bool checkable = false,
                 bool checked = false) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(checkable);
    item->setChecked(checked);
    return item;
}

// A small square of a start colour, so the colour items read at a glance.
QIcon ColorSwatch(int code) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    if (const auto style = StartColorStyleOf(code)) {
        QPainter painter(&pixmap);
        painter.setPen(QColor(Qt::darkGray));
        painter.setBrush(QColor::fromRgb(static_cast<QRgb>(style->background)));
        painter.drawRect(0, 0, 11, 11);
    }
    return QIcon(pixmap);
}

} // namespace

/// What the run is given instead of the window's own services: the viewer and the save dialog
/// in force (replaceable while the run keeps its references), and the window's progress boxes
/// and event loop with the stop check after every pass.
class CutCommands::Services {
public:
    class Viewer : public TextViewer {
    public:
        bool ShowTextFile(const QString& path) override { return current->ShowTextFile(path); }
        TextViewer* current = nullptr;
    };
    class SaveDialog : public SaveFileDialog {
    public:
        QString AskSavePath(const Request& request) override {
            return current->AskSavePath(request);
        }
        SaveFileDialog* current = nullptr;
    };
    // Remembers the run's box, so that "中止" is seen between the blocks of a segment too.
    class Progress : public ProgressBox {
    public:
        explicit Progress(ProgressBox& inner) : m_inner(inner) {}
        int Open(const QString& message, const QString& title) override {
            handle = m_inner.Open(message, title);
            return handle;
        }
        int SetPercent(int box, int percent) override { return m_inner.SetPercent(box, percent); }
        void SetMessage(int box, const QString& text) override { m_inner.SetMessage(box, text); }
        int GetState(int box) const override { return m_inner.GetState(box); }
        void Close(int& box) override {
            if (box == handle) {
                handle = -1;
            }
            m_inner.Close(box);
        }
        bool StopPressed() const { return handle >= 0 && m_inner.GetState(handle) >= 0; }
        int handle = -1;

    private:
        ProgressBox& m_inner;
    };
    class Pump : public EventPump {
    public:
        explicit Pump(EventPump& inner) : m_inner(inner) {}
        void ProcessEvents() override {
            m_inner.ProcessEvents();
            if (afterwards) {
                afterwards();
            }
        }
        std::function<void()> afterwards;

    private:
        EventPump& m_inner;
    };

    Services(Host& host, TextViewer& ownerViewer, QWidget* window)
        : givenViewer(ownerViewer), DIR2OPENDLG1(host.messenger), folderDialog(host.messenger),
          progress(host.progress), pump(host.pump) {
        viewer.current = &givenViewer;
        saveDialog.current = &DIR2OPENDLG1;
        baseNameBox.SetSourceHandle(window);
        DIR2OPENDLG1.setObjectName("DIR2OPENDLG1");
        DIR2OPENDLG1.SetSourceHandle(window);
        folderDialog.setObjectName("DIR2SETDLG1");
        folderDialog.SetSourceHandle(window);
    }

    // Until the folder-setting box takes over, a folder is chosen with the selection dialog in
    // its folder mode.
    std::optional<QString> ChooseFolder(const QString& title, const QString& start) {
        folderDialog.SetTitle(title);
        folderDialog.SetDirectory(start);
        if (folderDialog.ExecuteFolder() != Messenger::Ok) {
            return std::nullopt;
        }
        return folderDialog.Directory();
    }

    TextViewer& givenViewer;
    TDIR2OPENDLG DIR2OPENDLG1;
    TDIR2OPENDLG folderDialog;
    Viewer viewer;
    SaveDialog saveDialog;
    Progress progress;
    Pump pump;
    TSNBoxDlg baseNameBox;
    FolderChooser chooseFolder;
    TextPrompt prompt;
    std::function<void()> releaseDevice;
};

CutCommands::CutCommands(CutScreen& screen, TimeLists& lists, SharedFlags& flags, Host& host,
                         TextViewer& viewer, QWidget* window)
    : m_screen(screen), m_lists(lists), m_flags(flags), m_host(host),
      m_window(window ? window : &screen),
      m_services(std::make_unique<Services>(host, viewer, m_window)) {
    setObjectName("CutCommands");
    m_services->chooseFolder = [this](const QString& title, const QString& start) {
        return m_services->ChooseFolder(title, start);
    };
    m_services->prompt = [this](const QString& title,
                                const QString& text) -> std::optional<QString> {
        TSNBoxDlg& box = m_services->baseNameBox;
        box.SetTitle(title);
        box.SetSNText(text);
        if (box.Execute(title) != Messenger::Ok) {
            return std::nullopt;
        }
        return box.SNText();
    };

    MakeSaveRow();
    MakeCutButton();
    MakeCutItems();
    MakeDirectCutItems();
    MakeFileMenu();

    CutRunServices services(Host{host.messenger, m_services->progress, m_services->pump}, flags,
                            m_record, m_services->viewer);
    services.saveDialog = &m_services->saveDialog;
    services.releaseDevice = [this] {
        if (m_services->releaseDevice) {
            m_services->releaseDevice();
        }
    };
    m_run = std::make_unique<CutRun>(std::move(services));
    m_run->onSaveDirChanged = [this](const QString& folder) { SetSaveDir(folder); };
    m_run->onFinished = [this] { RunFinished(); };
    m_services->pump.afterwards = [this] {
        if (m_syncPending) {
            SyncTargetView();
        }
        CheckStop();
    };
    // A save on the worker thread leaves the event loop free, so the stop is looked for here
    // as well as between blocks.
    m_stopPoll = new QTimer(this);
    m_stopPoll->setInterval(kStopPollMs);
    connect(m_stopPoll, &QTimer::timeout, this, &CutCommands::CheckStop);

    connect(&m_screen, &CutScreen::CutFileChosen, this, [this](const QString& path) {
        SetOutputBaseName(OutputBaseNameOf(path));
        directCut.pending = false;
    });
    SetSaveDir(QString::fromLatin1(kFolderNotSet));
    SetOutputBaseName(m_screen.CutFile().isEmpty() ? QString()
                                                   : OutputBaseNameOf(m_screen.CutFile()));
    ApplyNamingTicks();
}

CutCommands::~CutCommands() = default;

void CutCommands::ReleaseDevice() {
    if (m_services->releaseDevice) {
        m_services->releaseDevice();
    }
}

Host CutCommands::RunHost() {
    return Host{m_host.messenger, m_services->progress, m_host.pump};
}

TextViewer& CutCommands::RecordViewer() {
    return m_services->viewer;
}

void CutCommands::MakeSaveRow() {
    Panel_SAVE = new QWidget(m_screen.Slot_CutFile);
    Panel_SAVE->setObjectName("Panel_SAVE");
    // The folder on a line of its own and the name with its pattern below, so both stay
    // readable beside the player controls on a narrow screen.
    auto* rows = new QGridLayout(Panel_SAVE);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setHorizontalSpacing(4);
    rows->setVerticalSpacing(2);

    Edit_SDIR = new QLineEdit(Panel_SAVE);
    Edit_SDIR->setObjectName("Edit_SDIR");
    Edit_SDIR->setReadOnly(true);
    Edit_SDIR->setToolTip(QStringLiteral("分割WAVファイル登録先（ダブルクリックで変更）"));
    Edit_SDIR->installEventFilter(this);
    Edit_SFn = new QLineEdit(Panel_SAVE);
    Edit_SFn->setObjectName("Edit_SFn");
    Edit_SFn->setReadOnly(true);
    Edit_SFn->setToolTip(QStringLiteral("分割ファイル名の元になる名前（ダブルクリックで変更）"));
    Edit_SFn->setAlignment(Qt::AlignRight);
    // The base reads together with the pattern beside it, so it stays close to it.
    Edit_SFn->setMaximumWidth(Edit_SFn->fontMetrics().horizontalAdvance(QString(24, 'M')));
    Edit_SFn->installEventFilter(this);
    Label_SFn_Last = new QLabel(QStringLiteral("_YYMMDD_HHMMSS_TTTTTT.wav"), Panel_SAVE);
    Label_SFn_Last->setObjectName("Label_SFn_Last");
    Label_SFn_Last->setToolTip(QStringLiteral("セーブファイルには、分割タイム等が付加されます"));

    rows->addWidget(new QLabel(QStringLiteral("登録先"), Panel_SAVE), 0, 0);
    rows->addWidget(Edit_SDIR, 0, 1, 1, 2);
    rows->addWidget(new QLabel(QStringLiteral("ファイル名"), Panel_SAVE), 1, 0);
    rows->addWidget(Edit_SFn, 1, 1);
    rows->addWidget(Label_SFn_Last, 1, 2);
    rows->setColumnStretch(1, 1);
    m_screen.Slot_CutFile->layout()->addWidget(Panel_SAVE);
}

void CutCommands::MakeCutButton() {
    Btn_CUT = new QPushButton(QStringLiteral("カット"), m_screen.Slot_Cut);
    Btn_CUT->setObjectName("Btn_CUT");
    Btn_CUT->setToolTip(QStringLiteral("登録タイムを、カットする☆"));
    Btn_CUT->setFocusPolicy(Qt::NoFocus);
    QFont font = Btn_CUT->font();
    font.setBold(true);
    Btn_CUT->setFont(font);
    Btn_CUT->setMinimumHeight(QFontMetrics(font).height() + 14);
    Btn_CUT->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    Btn_CUT->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Btn_CUT, &QPushButton::clicked, this, &CutCommands::Btn_CUTClick);
    // A right press on the button stands for one on the registered list.
    connect(Btn_CUT, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_screen.ListBox_CMouseDown(TimeListId::Registered, Btn_CUT->mapToGlobal(pos));
    });
    m_screen.Slot_Cut->layout()->addWidget(Btn_CUT);
}

void CutCommands::MakeCutItems() {
    QMenu* menu = m_screen.PopupMenu1;
    QAction* before = m_screen.PCUT_N0;
    auto insertItem = [&](const QString& name, const QString& caption, CutCommand command) {
        auto* item = new QAction(caption, menu);
        item->setObjectName(name);
        menu->insertAction(before, item);
        connect(item, &QAction::triggered, this, [this, command] { WAV_CUTClick(command); });
        return item;
    };
    auto* head = new QAction(menu);
    head->setSeparator(true);
    menu->insertAction(before, head);
    WAV_CUT = insertItem("WAV_CUT", QStringLiteral("カット (選択のみ)(&J)"), CutCommand::WAV_CUT);
    WAV_CUT_ALL =
        insertItem("WAV_CUT_ALL", QStringLiteral("ALL カット(&K)"), CutCommand::WAV_CUT_ALL);

    WAV_CUT_ST0 = new QMenu(QStringLiteral("カット（スタートタイムのみ）(&S)"), menu);
    WAV_CUT_ST0->setObjectName("WAV_CUT_ST0");
    menu->insertMenu(before, WAV_CUT_ST0);
    // The colour cut items read like the continuous-play items of the same colours.
    WAV_CUT_ST = AddItem(WAV_CUT_ST0, "WAV_CUT_ST", ContinuousTargetItemCaption(0));
    connect(WAV_CUT_ST, &QAction::triggered, this,
            [this] { WAV_CUTClick(CutCommand::WAV_CUT_ST); });
    WAV_CUT_ST0->addSeparator();
    for (int code = 1; code < kStartColorCount; ++code) {
        QAction* item = AddItem(WAV_CUT_ST0, QString::fromUtf16(kColorCutNames[code]),
                                ContinuousTargetItemCaption(code));
        item->setIcon(ColorSwatch(code));
        const CutCommand command = kColorCutCommands[code];
        connect(item, &QAction::triggered, this, [this, command] { WAV_CUTClick(command); });
        colorCutItems[code] = item;
    }
    m_screen.AddStartColorItem(WAV_CUT_ST0->menuAction());

    menu->addSeparator();
    WAV_CUT_CANSEL = AddItem(menu, "WAV_CUT_CANSEL", kCancelCaption + QStringLiteral(" (&Z)"));
}

void CutCommands::MakeFileMenu() {
    MFile0 = new QMenu(QStringLiteral("ファイル(&F)"), m_window);
    MFile0->setObjectName("MFile0");
    MF_SAVE_DIR = AddItem(MFile0, "MF_SAVE_DIR", kSaveDirCaption);
    MFile0->addSeparator();
    MF_AUTO_NAME = AddItem(MFile0, "MF_AUTO_NAME", QStringLiteral("自動分割ファイル名を、短くする"),
                           true, true);
    MF_AUTO_83 = AddItem(MFile0, "MF_AUTO_83",
                         QStringLiteral("自動分割ファイル名を、8.3形式にする"), true, false);
    MF_SAVE_NAME =
        AddItem(MFile0, "MF_SAVE_NAME", QStringLiteral("分割ファイル名を自分で付ける"), true);
    MFile0->addSeparator();
    MF_KIROKU = AddItem(MFile0, "MF_KIROKU", QStringLiteral("カット記録一覧表示."));
    MF_KIROKUCLR = AddItem(MFile0, "MF_KIROKUCLR", QStringLiteral("カット記録を削除する..."));
    MF_CUT_TXT = AddItem(MFile0, "MF_CUT_TXT", QStringLiteral("前回のカット一覧再表示..."));
    MF_No_Memo = AddItem(MFile0, "MF_No_Memo", QStringLiteral("カット記録を表示しない"), true);

    MO_CS_UP = new QAction(QStringLiteral("カット、スピードアップ☆"), m_window);
    MO_CS_UP->setObjectName("MO_CS_UP");
    MO_CS_UP->setCheckable(true);
    MO_CS_UP->setChecked(true);

    connect(MFile0, &QMenu::aboutToShow, this, &CutCommands::MFile0Click);
    connect(MF_SAVE_DIR, &QAction::triggered, this, &CutCommands::MF_SAVE_DIRClick);
    connect(MF_AUTO_NAME, &QAction::triggered, this, &CutCommands::MF_AUTO_NAMEClick);
    connect(MF_KIROKU, &QAction::triggered, this, &CutCommands::MF_KIROKUClick);
    connect(MF_KIROKUCLR, &QAction::triggered, this, &CutCommands::MF_KIROKUCLRClick);
    connect(MF_CUT_TXT, &QAction::triggered, this, &CutCommands::MF_CUT_TXTClick);
}

void CutCommands::AttachMenus(QMenuBar* menuBar, QMenu* optionMenu) {
    if (menuBar) {
        const QList<QAction*> menus = menuBar->actions();
        menuBar->insertMenu(menus.isEmpty() ? nullptr : menus.constFirst(), MFile0);
    }
    if (optionMenu) {
        optionMenu->addAction(MO_CS_UP);
    }
}

void CutCommands::SetTextViewer(TextViewer* viewer) {
    m_services->viewer.current = viewer ? viewer : &m_services->givenViewer;
}

void CutCommands::SetSaveFileDialog(SaveFileDialog* dialog) {
    m_services->saveDialog.current = dialog ? dialog : &m_services->DIR2OPENDLG1;
}

TDIR2OPENDLG& CutCommands::SaveDialog() {
    return m_services->DIR2OPENDLG1;
}

void CutCommands::SetFolderChooser(FolderChooser chooser) {
    if (chooser) {
        m_services->chooseFolder = std::move(chooser);
    } else {
        m_services->chooseFolder = [this](const QString& title, const QString& start) {
            return m_services->ChooseFolder(title, start);
        };
    }
}

void CutCommands::SetTextPrompt(TextPrompt prompt) {
    if (prompt) {
        m_services->prompt = std::move(prompt);
    }
}

void CutCommands::SetReleaseDevice(std::function<void()> release) {
    m_services->releaseDevice = std::move(release);
}

void CutCommands::SetSaveDir(const QString& folder) {
    m_saveDir =
        IsFolderNotSet(folder) ? QString::fromLatin1(kFolderNotSet) : WithTrailingSeparator(folder);
    Edit_SDIR->setText(WithoutTrailingSeparator(m_saveDir));
    Edit_SDIR->setCursorPosition(0);
}

void CutCommands::SetOutputBaseName(const QString& base) {
    m_baseName = base;
    Edit_SFn->setText(base);
}

void CutCommands::ApplyNamingTicks() {
    MF_AUTO_83->setEnabled(MF_AUTO_NAME->isChecked());
    Label_SFn_Last->setText(SaveNamePattern(MF_AUTO_NAME->isChecked(), MF_AUTO_83->isChecked(),
                                            Label_SFn_Last->text()));
}

void CutCommands::ShowRecordAtClose() {
    ShowCutRecord(m_record, RecordRequest::MainWindow, MF_No_Memo->isChecked(), WorkDir(),
                  QDateTime::currentDateTime(), m_services->viewer, m_host.messenger);
}

CutOptions CutCommands::Options() const {
    CutOptions options;
    options.startTimesEnabled = m_lists.startColors.startTimesEnabled;
    options.saveName = MF_SAVE_NAME->isChecked();
    options.waitForSave = MO_CS_UP->isChecked();
    options.noMemo = MF_No_Memo->isChecked();
    options.autoName = MF_AUTO_NAME->isChecked();
    options.auto83 = MF_AUTO_83->isChecked();
    options.timePart = {m_lists.format.MinutesMode(), m_lists.format.TimeDigits(),
                        m_lists.format.MinuteDigits()};
    options.saveDir = m_saveDir;
    options.baseName = m_baseName;
    options.colorTagNames = m_lists.startColors.colorTagNames;
    options.workDir = WorkDir();
    return options;
}

std::unique_ptr<CutTarget> CutCommands::TargetOf(TimeListId id) {
    if (const int level = SubdivisionLevelOf(id); level >= 0) {
        return std::make_unique<TimeListTarget>(id, m_lists.subdivisions[level]);
    }
    if (id == TimeListId::Interval) {
        return std::make_unique<TimeListTarget>(id, m_lists.interval);
    }
    if (id == TimeListId::Registered) {
        return std::make_unique<RegisteredListTarget>(m_lists.registered);
    }
    return nullptr;
}

void CutCommands::Btn_CUTClick() {
    if (m_flags.errorBoxOpen) {
        return;
    }
    // Held while pending events run, so that no other right-click menu opens in between.
    m_flags.errorBoxOpen = true;
    {
        BusyCursor busy;
        m_host.pump.ProcessEvents();
    }
    m_flags.errorBoxOpen = false;
    m_screen.ListBox_CMouseDown(TimeListId::Registered, Btn_CUT->mapToGlobal(QPoint(0, 0)));
}

void CutCommands::WAV_CUTClick(CutCommand command) {
    if (m_run->Busy()) {
        return;
    }
    // A command from the keyboard before the menu was ever opened has no list to walk.
    std::unique_ptr<CutTarget> target = TargetOf(m_screen.PopupTargetList());
    if (!target) {
        return;
    }
    // Segment files need a folder; without one the user is asked for it first, as at the
    // first start.
    if (IsFolderNotSet(m_saveDir)) {
        MF_SAVE_DIRClick();
        if (IsFolderNotSet(m_saveDir)) {
            return;
        }
    }
    m_target = std::move(target);
    m_targetId = m_screen.PopupTargetList();
    m_syncPending = true;
    m_stopPoll->start();
    m_run->StartCutRun(command, *m_target, m_screen.CutFile(), Options());
    if (!m_run->Busy()) {
        RunFinished();
    }
}

void CutCommands::Stop() {
    m_flags.stopRequested = true;
    if (m_run->Busy()) {
        m_run->Stop();
    }
}

void CutCommands::CheckStop() {
    if (m_run->Busy() && (m_flags.stopRequested || m_services->progress.StopPressed())) {
        m_run->Stop();
    }
}

void CutCommands::RunFinished() {
    m_stopPoll->stop();
    SyncTargetView();
}

void CutCommands::SyncTargetView() {
    m_syncPending = false;
    if (TimeListBox* box = m_screen.ListBox(m_targetId)) {
        box->SyncFromList(false);
    }
}

void CutCommands::MFile0Click() {
    const RecordMenuState state = PrepareRecordMenu(m_record, WorkDir());
    MF_CUT_TXT->setEnabled(state.cutTxtEnabled);
    MF_KIROKU->setEnabled(state.kirokuEnabled);
    MF_KIROKUCLR->setEnabled(state.kirokuClrEnabled);
}

void CutCommands::MF_SAVE_DIRClick() {
    const std::optional<QString> chosen = m_services->chooseFolder(
        kSaveDirCaption, FolderToBrowse(m_saveDir, QString::fromLatin1(kSaveDirName)));
    if (chosen && !IsFolderNotSet(*chosen)) {
        SetSaveDir(QDir::cleanPath(*chosen));
    }
}

void CutCommands::Edit_SFnDblClick() {
    const std::optional<QString> base =
        m_services->prompt(QStringLiteral("録音ファイル名の変更"), m_baseName);
    if (!base) {
        return;
    }
    if (const QString problem = NamePartProblem(*base); !problem.isEmpty()) {
        m_host.messenger.ShowTimedMessage(problem, Messenger::Ok);
        return;
    }
    SetOutputBaseName(*base);
}

void CutCommands::MF_AUTO_NAMEClick() {
    ApplyNamingTicks();
}

void CutCommands::MF_KIROKUClick() {
    BusyCursor busy;
    ShowCutRecord(m_record, RecordRequest::MF_KIROKU, MF_No_Memo->isChecked(), WorkDir(),
                  QDateTime::currentDateTime(), m_services->viewer, m_host.messenger);
}

void CutCommands::MF_KIROKUCLRClick() {
    ClearCutRecord(m_record, WorkDir(), QDateTime::currentDateTime(), m_services->viewer,
                   m_host.messenger);
}

void CutCommands::MF_CUT_TXTClick() {
    BusyCursor busy;
    ShowLastCutRecordFile(WorkDir(), m_services->viewer, m_host.messenger);
}

bool CutCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Edit_SDIR) {
            MF_SAVE_DIRClick();
            return true;
        }
        if (watched == Edit_SFn) {
            Edit_SFnDblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veskar
