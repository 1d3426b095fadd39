#include "gui/main/WindowCommands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>

#include "core/browser/Volumes.h"
#include "core/commands/FreeSpaceReport.h"
#include "core/commands/VersionText.h"
#include "core/host/Messenger.h"
#include "core/host/TextViewer.h"
#include "core/settings/SettingsStore.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/HelpWindow.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "platform/Installation.h"

namespace veskar {

namespace {

const QColor kKotanGreen(0, 128, 0);

// The tray tip holds 63 bytes; a longer title is cut at a whole character.
QString TrayTip(const QString& title) {
    QString tip;
    for (const QChar ch : title) {
        if ((tip + ch).toUtf8().size() > 63) {
            break;
        }
        tip += ch;
    }
    return tip;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(checkable);
    return item;
}

} // namespace

WindowCommands::WindowCommands(TKOTAN_VESKAR& window, Messenger& messenger, TextViewer& viewer)
    : QObject(&window), m_window(window), m_messenger(messenger), m_viewer(viewer) {
    setObjectName("WindowCommands");
    m_trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    MakeOptionItems();
    MakeHelpMenu();
    MakeTray();
    MF_X = AddItem(m_window.MFile0, "MF_X", QStringLiteral("終了(&X)"));
    connect(MF_X, &QAction::triggered, &m_window, &QWidget::close);
    qApp->installEventFilter(this);
}

WindowCommands::~WindowCommands() {
    qApp->removeEventFilter(this);
}

void WindowCommands::MakeOptionItems() {
    QMenu* menu = m_window.MOption0;
    menu->addSeparator();
    BackColor = AddItem(menu, "BackColor", QStringLiteral("バックカラーを標準色とする"), true);
    KOTAN_COLOR = AddItem(menu, "KOTAN_COLOR", QStringLiteral("ＫＯＴＡＮ色"), true);
    BackColor->setChecked(m_window.settings.standardBackColor);
    KOTAN_COLOR->setChecked(m_window.settings.kotanColor && !BackColor->isChecked());
    connect(BackColor, &QAction::triggered, this, &WindowCommands::BackColorClick);
    connect(KOTAN_COLOR, &QAction::triggered, this, &WindowCommands::KOTAN_COLORClick);
    menu->addSeparator();
    PAKI = AddItem(menu, "PAKI", QStringLiteral("全ﾄﾞﾗｲﾌﾞ空きサイズ一覧"));
    connect(PAKI, &QAction::triggered, this, &WindowCommands::PAKIClick);
    menu->addSeparator();
    MICON_SET = AddItem(menu, "MICON_SET", QStringLiteral("スタートアップに登録"));
    MICON_DEL = AddItem(menu, "MICON_DEL", QStringLiteral("スタートアップから削除"));
    MDESK_SET = AddItem(menu, "MDESK_SET", QStringLiteral("デスクトップにアイコン登録"));
    MDESK_DEL = AddItem(menu, "MDESK_DEL", QStringLiteral("デスクトップのアイコン削除"));
    connect(MICON_SET, &QAction::triggered, this, &WindowCommands::MICON_SETClick);
    connect(MICON_DEL, &QAction::triggered, this, &WindowCommands::MICON_DELClick);
    connect(MDESK_SET, &QAction::triggered, this, &WindowCommands::MDESK_SETClick);
    connect(MDESK_DEL, &QAction::triggered, this, &WindowCommands::MDESK_DELClick);
    connect(menu, &QMenu::aboutToShow, this, &WindowCommands::MOption0Popup);
    MOption0Popup();
}

void WindowCommands::MakeHelpMenu() {
    MHelp0 = m_window.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MHelp0->setObjectName("MHelp0");
    HELP_MOKUJI = AddItem(MHelp0, "HELP_MOKUJI", QStringLiteral("目次(&C)"));
    HELP_KEYWORD = AddItem(MHelp0, "HELP_KEYWORD", QStringLiteral("キーワード(&K)"));
    HELP3 = AddItem(MHelp0, "HELP3", QStringLiteral("ミニヘルプＯＮ(&M)"), true);
    HELP3->setChecked(m_window.settings.miniHelp);
    MHelp0->addSeparator();
    MHELP_VERCUT = AddItem(MHelp0, "MHELP_VERCUT", QStringLiteral("バージョン番号削除...(&C)"));
    MQ_A = AddItem(MHelp0, "MQ_A", QStringLiteral("お問い合わせ(&Q)"));
    HELP2 = AddItem(MHelp0, "HELP2", QStringLiteral("バージョン情報(&A)"));
    connect(HELP_MOKUJI, &QAction::triggered, this, [this] { OpenHelp(false); });
    connect(HELP_KEYWORD, &QAction::triggered, this, [this] { OpenHelp(true); });
    connect(MHELP_VERCUT, &QAction::triggered, this, &WindowCommands::MHELP_VERCUTClick);
    connect(MQ_A, &QAction::triggered, this, &WindowCommands::MQ_AClick);
    connect(HELP2, &QAction::triggered, this, &WindowCommands::HELP2Click);
}

void WindowCommands::MakeTray() {
    Btn_Tray = new QPushButton(QStringLiteral("Tray"));
    Btn_Tray->setObjectName("Btn_Tray");
    Btn_Tray->setToolTip(QStringLiteral("タスクトレイに常駐させる"));
    connect(Btn_Tray, &QPushButton::clicked, this, &WindowCommands::Btn_TrayClick);

    PopupMenu_TR = new QMenu(&m_window);
    PopupMenu_TR->setObjectName("PopupMenu_TR");
    P_NAME = AddItem(PopupMenu_TR, "P_NAME", kAppTitle);
    PopupMenu_TR->addSeparator();
    TR_IconOFF = AddItem(PopupMenu_TR, "TR_IconOFF", QStringLiteral("常駐解除 （元に戻す）"));
    Exit1 = AddItem(PopupMenu_TR, "Exit1", QStringLiteral("終了"));
    connect(PopupMenu_TR, &QMenu::aboutToShow, this,
            [this] { P_NAME->setText(TitleWithVersion(Version())); });
    connect(TR_IconOFF, &QAction::triggered, this, &WindowCommands::TR_IconOFFClick);
    connect(Exit1, &QAction::triggered, this, [this] {
        TR_IconOFFClick();
        m_window.close();
    });

    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setToolTip(TrayTip(kAppTitle));
    trayIcon->setContextMenu(PopupMenu_TR);
    connect(trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    TR_IconOFFClick();
                }
            });
}

int WindowCommands::Version() const {
    return m_version ? m_version() : SettingsStore().ReadVersion();
}

// At most one scheme is on: KOTAN green with white text, or the standard colours with standard
// lists. With neither, the lists take the window's own colour.
void WindowCommands::ApplyColors() {
    QPalette palette = QApplication::palette();
    if (KOTAN_COLOR->isChecked()) {
        palette.setColor(QPalette::Window, kKotanGreen);
        palette.setColor(QPalette::WindowText, Qt::white);
    }
    if (!BackColor->isChecked()) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        palette.setColor(QPalette::AlternateBase, palette.color(QPalette::Window));
        palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
    }
    m_window.setPalette(palette);
    m_window.DIR2SETDLG1.SetStandardColor(BackColor->isChecked());
}

void WindowCommands::BackColorClick() {
    if (BackColor->isChecked() && KOTAN_COLOR->isChecked()) {
        KOTAN_COLOR->setChecked(false);
    }
    ApplyColors();
}

void WindowCommands::KOTAN_COLORClick() {
    if (KOTAN_COLOR->isChecked() && BackColor->isChecked()) {
        BackColor->setChecked(false);
    }
    ApplyColors();
}

void WindowCommands::Btn_TrayClick() {
    if (m_inTray) {
        return;
    }
    if (!m_trayAvailable()) {
        // Without a notification area there is nowhere to come back from: minimise instead.
        if (!m_noTraySaid) {
            m_noTraySaid = true;
            m_messenger.ShowTimedMessage(
                QStringLiteral("この画面にはタスクトレイがありません☆\n代わりに最小化します・・・"),
                Messenger::Ok);
        }
        m_window.showMinimized();
        return;
    }
    Btn_Tray->hide();
    trayIcon->setIcon(m_window.windowIcon().isNull() ? QIcon::fromTheme("audio-x-wav")
                                                     : m_window.windowIcon());
    trayIcon->show();
    m_trayBounds = m_window.geometry();
    m_inTray = true;
    // Hiding the window takes its task-bar button with it; playback goes on.
    m_window.hide();
}

void WindowCommands::TR_IconOFFClick() {
    if (!m_inTray) {
        return;
    }
    m_inTray = false;
    trayIcon->hide();
    m_window.setGeometry(m_trayBounds);
    m_window.show();
    Btn_Tray->show();
}

void WindowCommands::PAKIClick() {
    const std::vector<Volume> drives = MountedVolumes();
    if (drives.empty()) {
        m_messenger.ShowTimedMessage(NoDrivesMessage(), Messenger::Ok);
        return;
    }
    const WaveFormat format = m_window.player->Engine().lastFormat;
    if (format.sampleRate <= 0 || format.bitsPerSample <= 0 || format.channels <= 0) {
        m_messenger.ShowMessage(NoFormatMessage());
        return;
    }
    QString error;
    const std::optional<QString> path =
        WriteFreeSpaceReport(FreeSpaceReportLines(drives, format, QDateTime::currentDateTime()),
                             error);
    if (!path) {
        m_messenger.ShowError(error, Messenger::Ok);
        return;
    }
    m_viewer.ShowTextFile(*path);
}

void WindowCommands::MOption0Popup() {
    const ShortcutFiles files = ShortcutFilesFor(m_window.settings.group);
    const bool startup = QFile::exists(files.autostartEntry);
    const bool desktop = QFile::exists(files.desktopEntry);
    MICON_SET->setVisible(!startup);
    MICON_DEL->setVisible(startup);
    MDESK_SET->setVisible(!desktop);
    MDESK_DEL->setVisible(desktop);
}

void WindowCommands::MICON_SETClick() {
    const QString message = AddStartupEntry(QCoreApplication::applicationFilePath());
    if (!message.isEmpty()) {
        m_messenger.ShowMessage(message);
    }
}

void WindowCommands::MICON_DELClick() {
    QFile::remove(ShortcutFilesFor(m_window.settings.group).autostartEntry);
}

void WindowCommands::MDESK_SETClick() {
    const QString message =
        AddDesktopEntry(QCoreApplication::applicationFilePath(), m_window.settings.group);
    if (!message.isEmpty()) {
        m_messenger.ShowMessage(message);
    }
}

void WindowCommands::MDESK_DELClick() {
    QFile::remove(ShortcutFilesFor(m_window.settings.group).desktopEntry);
}

void WindowCommands::OpenHelp(bool keywords) {
    if (!m_help) {
        const QString file = HelpWindow::HelpFile();
        if (file.isEmpty()) {
            m_messenger.ShowMessage(QStringLiteral("ヘルプファイルが見つかりません・・・"));
            return;
        }
        m_help = new HelpWindow(file, &m_window);
    }
    m_help->Open(keywords ? HelpWindow::Start::Keywords : HelpWindow::Start::Contents);
}

void WindowCommands::CloseHelp() {
    if (m_help) {
        m_help->close();
    }
}

void WindowCommands::HELP2Click() {
    m_messenger.ShowMessage(VersionBoxText(Version()));
}

void WindowCommands::MHELP_VERCUTClick() {
    const int answer = m_messenger.AskTimedQuestion(
        QStringLiteral("バージョン番号削除：\nインストールソフトを再起動させたい時に使います。\n"
                       "なお、バージョンが違う時は、インストールソフトが自動起動するので、\n"
                       "バージョン番号を削除する必要無しです。\n"
                       "バージョン番号を削除してもよろしいですか？？？"),
        Messenger::No);
    if (answer != Messenger::Yes) {
        m_messenger.ShowMessage(QStringLiteral("バージョン番号削除を中止しました・・・"));
        return;
    }
    const QString error = SettingsStore().ClearVersion();
    if (!error.isEmpty()) {
        m_messenger.ShowError(error, Messenger::Ok);
    }
}

void WindowCommands::MQ_AClick() {
    m_messenger.ShowMessage(
        kAppTitle + QStringLiteral("\n\nご質問・ご要望・不具合のお知らせは、\n"
                                   "配布元の課題一覧（イシュー）へお寄せください☆\n"
                                   "使い方は、ヘルプの目次をご覧ください。"));
}

bool WindowCommands::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ToolTip) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window) {
        return false;
    }
    if (type == QEvent::ToolTip) {
        // Mini help off: no hint shows anywhere in the window.
        return !HELP3->isChecked();
    }
    return FormKeyDown(*static_cast<QKeyEvent*>(event));
}

bool WindowCommands::FormKeyDown(const QKeyEvent& key) {
    if (!(key.modifiers() & Qt::ControlModifier) || !m_window.CutScreenShown()) {
        return false;
    }
    if (key.modifiers() & Qt::KeypadModifier) {
        return KeypadKey(key.key());
    }
    static const int kPlayModeKeys[] = {Qt::Key_Q, Qt::Key_A, Qt::Key_Z,
                                        Qt::Key_W, Qt::Key_S, Qt::Key_X};
    static const int kSpecialModeKeys[] = {Qt::Key_R, Qt::Key_F, Qt::Key_V,
                                           Qt::Key_T, Qt::Key_G, Qt::Key_B};
    PlayerPanel& players = *m_window.player->cutPanel;
    for (int item = 0; item < 6; ++item) {
        if (key.key() == kPlayModeKeys[item]) {
            players.playModeItems[item]->click();
            return true;
        }
        if (key.key() == kSpecialModeKeys[item]) {
            players.specialModeItems[item]->click();
            return true;
        }
    }
    SilencePanel& silence = *m_window.analysisPanels->silencePanel;
    CutCommands& cut = m_window.Cut();
    switch (key.key()) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
    case Qt::Key_6:
        OpenSilencePanel(true);
        silence.ListBox_MS[key.key() - Qt::Key_1]->setFocus();
        return true;
    case Qt::Key_U:
        OpenSilencePanel(false);
        silence.Btn_Muon_START->click();
        return true;
    case Qt::Key_H:
        if (silence.Panel_Muon->isVisibleTo(&m_window)) {
            silence.Btn_Muon_close->click();
        }
        m_window.cutFileOpener->ComboBox1->setFocus();
        return true;
    case Qt::Key_J:
    case Qt::Key_K:
    case Qt::Key_L:
        m_window.cutScreen->AimKeyboardCut();
        (key.key() == Qt::Key_J   ? cut.WAV_CUT
         : key.key() == Qt::Key_K ? cut.WAV_CUT_ALL
                                  : cut.WAV_CUT_ST)
            ->trigger();
        return true;
    case Qt::Key_O:
        cut.Btn_CUT->click();
        return true;
    case Qt::Key_M:
    case Qt::Key_N:
        RegisterFocused(key.key() == Qt::Key_N);
        return true;
    case Qt::Key_Y: {
        const int row = m_window.cutScreen->ListBox_ALL->currentIndex().row();
        if (row >= 0) {
            m_window.cutScreen->ListBox_ALLClick(TimeListId::Interval, row);
        }
        return true;
    }
    default:
        return false;
    }
}

bool WindowCommands::KeypadKey(int key) {
    CutScreen& screen = *m_window.cutScreen;
    switch (key) {
    case Qt::Key_0:
        screen.ListBox_C->setFocus();
        return true;
    case Qt::Key_1:
        if (screen.ListBox_1ms->isVisibleTo(&m_window)) {
            screen.Btn_1ms_OFF->click();
        }
        screen.ListBox_60s->setFocus();
        return true;
    case Qt::Key_2:
        screen.ListBox_10s->setFocus();
        return true;
    case Qt::Key_3:
        screen.ListBox_1s->setFocus();
        return true;
    case Qt::Key_4:
        screen.ListBox_100ms->setFocus();
        return true;
    case Qt::Key_5:
        screen.ListBox_10ms->setFocus();
        return true;
    case Qt::Key_6:
        if (!screen.ListBox_1ms->isVisibleTo(&m_window)) {
            screen.Btn_1ms_ON->click();
        }
        screen.ListBox_1ms->setFocus();
        return true;
    case Qt::Key_9:
        screen.ListBox_ALL->setFocus();
        return true;
    default:
        return false;
    }
}

void WindowCommands::OpenSilencePanel(bool detect) {
    SilencePanel& silence = *m_window.analysisPanels->silencePanel;
    if (silence.Panel_Muon->isVisibleTo(&m_window)) {
        return;
    }
    silence.Btn_Muon->click();
    if (detect) {
        silence.Btn_Muon_START->click();
    }
}

// The subdivision lists from 1 ms up, then the interval list, then the silence lists: the first
// of them that has the focus gives its button.
void WindowCommands::RegisterFocused(bool withColor) {
    CutScreen& screen = *m_window.cutScreen;
    SilencePanel& silence = *m_window.analysisPanels->silencePanel;
    std::vector<std::pair<QWidget*, QPushButton*>> lists;
    for (int level = 0; level < kSubdivisionLevels; ++level) {
        lists.emplace_back(screen.levelLists[level], withColor ? screen.colorRegisterButtons[level]
                                                               : screen.plainRegisterButtons[level]);
    }
    lists.emplace_back(screen.ListBox_ALL, withColor ? screen.Button_ALLT : screen.Btn_ALLTC);
    for (int k = 0; k < kSilenceChannels; ++k) {
        lists.emplace_back(silence.ListBox_MS[k], withColor ? silence.Btn_MST[k] : silence.Btn_MSTC[k]);
    }
    for (const auto& [list, button] : lists) {
        if (list->hasFocus()) {
            button->click();
            return;
        }
    }
}

} // namespace veskar
