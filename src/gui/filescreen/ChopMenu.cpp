#include "gui/filescreen/ChopMenu.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

#include "core/chop/ChopRun.h"
#include "core/host/SharedFlags.h"
#include "core/host/TextViewer.h"
#include "core/settings/Paths.h"
#include "core/settings/Settings.h"
#include "core/text/FolderText.h"
#include "gui/cutscreen/PanelTools.h"
#include "gui/dialogs/THMSBox.h"
#include "gui/dialogs/THMSBoxDlg.h"
#include "gui/dialogs/TTMSETBox.h"
#include "gui/dialogs/TTmSETBoxDlg.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/HintButton.h"

namespace veskar {

namespace {

QString ModeItemName(int mode) {
    if (mode <= static_cast<int>(ChopMode::Parts10)) {
        return "PBG_" + QString::number(mode + 2);
    }
    if (mode >= static_cast<int>(ChopMode::Minutes1) &&
        mode <= static_cast<int>(ChopMode::Minutes10)) {
        return "PBG_TB" + QString::number(mode - 11);
    }
    if (mode >= static_cast<int>(ChopMode::Minutes20) &&
        mode <= static_cast<int>(ChopMode::Minutes60)) {
        return "PBG_TB" + QString::number((mode - 21) * 10);
    }
    static const char* const others[] = {"PBG_500M", "PBG_10G", "PBG_15G"};
    switch (static_cast<ChopMode>(mode)) {
    case ChopMode::Minutes15:
        return "PBG_TB15";
    case ChopMode::MinutesSet:
        return "PBG_TBM";
    case ChopMode::Intro:
        return "PBG_INTRO_CUT";
    case ChopMode::RawToWav:
        return "PBG_TMP_WAV";
    default:
        return others[mode - static_cast<int>(ChopMode::Size500M)];
    }
}

} // namespace

ChopMenu::ChopMenu(Host host, SharedFlags& flags, TextViewer& viewer, Settings& settings,
                   QWidget* parent)
    : QObject(parent), m_host(host), m_flags(flags), m_givenViewer(viewer), m_viewer(&viewer),
      m_settings(settings) {
    Btn_BUTUGIRI = MakeHintButton("Btn_BUTUGIRI", "ぶつ切りカット",
                                  "ファイルを等分割、サイズ、時間でカットします", parent);
    Btn_BUTUGIRI->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Btn_BUTUGIRI, &QPushButton::clicked, this, &ChopMenu::Btn_BUTUGIRIClick);
    connect(Btn_BUTUGIRI, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { OpenMenuAt(Btn_BUTUGIRI->mapToGlobal(pos)); });
    MakeMenu();
    ApplySettings();
}

void ChopMenu::MakeMenu() {
    PopupMenu_BG = new QMenu(Btn_BUTUGIRI);
    PopupMenu_BG->setObjectName("PopupMenu_BG");
    PopupMenu_BG->addAction(QStringLiteral("ぶつ切り、等間隔強制カット"))->setEnabled(false);
    PopupMenu_BG->addSeparator();
    QMenu* parts = PopupMenu_BG->addMenu(QStringLiteral("Ｎ分割"));
    parts->setObjectName("PBG_N");
    QMenu* minutes = nullptr;
    QMenu* intro = nullptr;
    QMenu* raw = nullptr;
    const ChopOptions options = ChopOptionsOf(m_settings);
    for (int mode = 0; mode < kChopModeCount; ++mode) {
        const auto chopMode = static_cast<ChopMode>(mode);
        QMenu* menu = PopupMenu_BG;
        if (chopMode <= ChopMode::Parts10) {
            menu = parts;
        } else if (chopMode >= ChopMode::Minutes1 && chopMode <= ChopMode::MinutesSet) {
            if (!minutes) {
                minutes = PopupMenu_BG->addMenu(QStringLiteral("分単位等分割"));
                minutes->setObjectName("PBG_TB0");
            }
            menu = minutes;
        } else if (chopMode == ChopMode::Intro) {
            intro = menu = PopupMenu_BG->addMenu(QStringLiteral("イントロカット"));
            intro->setObjectName("PBG_INTRO");
        } else if (chopMode == ChopMode::RawToWav) {
            raw = menu = PopupMenu_BG->addMenu(QStringLiteral("TMP>>WAV変換"));
            raw->setObjectName("PBG_TMP_WAV0");
        }
        QAction* item = menu->addAction(ChopModeCaption(chopMode, options));
        item->setObjectName(ModeItemName(mode));
        connect(item, &QAction::triggered, this, [this, mode] { PBG_2Click(mode); });
        modeItems[static_cast<size_t>(mode)] = item;
    }
    minutes->addSeparator();
    PBG_TBM_Set = minutes->addAction(QStringLiteral("タイム指定(分単位)"));
    PBG_TBM_Set->setObjectName("PBG_TBM_Set");
    connect(PBG_TBM_Set, &QAction::triggered, this, &ChopMenu::PBG_TBM_SetClick);
    PBG_INTRO_Set = intro->addAction(QStringLiteral("開始/終了時間設定"));
    PBG_INTRO_Set->setObjectName("PBG_INTRO_Set");
    connect(PBG_INTRO_Set, &QAction::triggered, this, &ChopMenu::PBG_INTRO_SetClick);

    QStringList rateNames;
    QStringList rateCaptions;
    for (uint32_t rate : kRawRates) {
        rateNames << "PBG_TWR_" + QString::number(rate / 1000).rightJustified(2, '0');
        rateCaptions << QString::number(rate);
    }
    raw->addSeparator();
    rateItems = MakeRadioGroup(raw, rateNames, rateCaptions, m_settings.chopRateItem);
    raw->addSeparator();
    bitsItems =
        MakeRadioGroup(raw, {"PBG_TWB_08", "PBG_TWB_16"}, {"8", "16"}, m_settings.chopBitsItem);
    raw->addSeparator();
    channelItems = MakeRadioGroup(raw, {"PBG_TWC_M", "PBG_TWC_S"},
                                  {QStringLiteral("モノ.ラル"), QStringLiteral("ステレオ")},
                                  m_settings.chopChannelsItem);

    PopupMenu_BG->addSeparator();
    PBG_AUTO_83 = PopupMenu_BG->addAction(QStringLiteral("分割ファイル名を、8.3形式にする"));
    PBG_AUTO_83->setObjectName("PBG_AUTO_83");
    PBG_AUTO_83->setCheckable(true);
    connect(PBG_AUTO_83, &QAction::toggled, this, [this](bool on) { m_settings.chopAuto83 = on; });
    PBG_BG_DIR = PopupMenu_BG->addAction(QStringLiteral("ぶつ切りカット格納先登録☆"));
    PBG_BG_DIR->setObjectName("PBG_BG_DIR");
    connect(PBG_BG_DIR, &QAction::triggered, this, [this] {
        if (m_chooseFolder) {
            m_chooseFolder();
        }
    });
    PBG_TXT = PopupMenu_BG->addAction(QStringLiteral("ぶつ切り一覧再表示"));
    PBG_TXT->setObjectName("PBG_TXT");
    connect(PBG_TXT, &QAction::triggered, this, &ChopMenu::PBG_TXTClick);
    connect(PopupMenu_BG, &QMenu::aboutToShow, this, &ChopMenu::PopupMenu_BGPopup);
}

// Ticking an item unticks the others of its group, and the settings keep the item's index.
QActionGroup* ChopMenu::MakeRadioGroup(QMenu* menu, const QStringList& names,
                                       const QStringList& captions, int& setting) {
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int i = 0; i < names.size(); ++i) {
        QAction* item = menu->addAction(captions[i]);
        item->setObjectName(names[i]);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [&setting, i] { setting = i; });
    }
    return group;
}

void ChopMenu::ApplySettings() {
    const ChopOptions options = ChopOptionsOf(m_settings);
    PBG_AUTO_83->setChecked(m_settings.chopAuto83);
    for (ChopMode mode : {ChopMode::MinutesSet, ChopMode::Intro}) {
        modeItems[static_cast<size_t>(mode)]->setText(ChopModeCaption(mode, options));
    }
    const std::pair<QActionGroup*, int> groups[] = {{rateItems, m_settings.chopRateItem},
                                                    {bitsItems, m_settings.chopBitsItem},
                                                    {channelItems, m_settings.chopChannelsItem}};
    for (const auto& [group, index] : groups) {
        const QList<QAction*> items = group->actions();
        items.value(index, items.last())->setChecked(true);
    }
}

void ChopMenu::Btn_BUTUGIRIClick() {
    OpenMenuAt(Btn_BUTUGIRI->mapToGlobal(QPoint(0, Btn_BUTUGIRI->height())));
}

void ChopMenu::OpenMenuAt(const QPoint& globalPos) {
    if (m_flags.errorBoxOpen) {
        return;
    }
    m_flags.errorBoxOpen = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursorSet = true;
    QCoreApplication::processEvents();
    PopupMenu_BG->popup(globalPos);
}

void ChopMenu::PopupMenu_BGPopup() {
    PBG_TXT->setEnabled(QFileInfo(QDir(WorkDir()).filePath(kChopRecordFile)).isFile());
    m_flags.errorBoxOpen = false;
    if (m_cursorSet) {
        m_cursorSet = false;
        QApplication::restoreOverrideCursor();
    }
}

void ChopMenu::PBG_2Click(int mode) {
    // Pieces need a folder; without one the user is asked for it first, as at the first start.
    if (IsFolderNotSet(m_settings.chopDir) && m_chooseFolder) {
        m_chooseFolder();
    }
    if (IsFolderNotSet(m_settings.chopDir)) {
        return;
    }
    const QStringList sources = m_sources ? m_sources() : QStringList();
    const ChopOptions options = ChopOptionsOf(m_settings);
    SetRunButtonEnabled(Btn_BUTUGIRI, false);
    std::optional<ChopResult> result;
    {
        BusyCursor busy;
        QCoreApplication::processEvents();
        if (m_focusSources) {
            m_focusSources();
        }
        result = RunChop(sources, static_cast<ChopMode>(mode), options, m_host);
    }
    if (m_focusSources) {
        m_focusSources();
    }
    if (result) {
        ShowChopRecord(result->record, WorkDir(), QDateTime::currentDateTime(), *m_viewer,
                       m_host.messenger);
        if (result->pieceWritten) {
            ShowChopFolder();
        }
    }
    SetRunButtonEnabled(Btn_BUTUGIRI, true);
}

// The browser moves to the pieces; when it cannot, to the music folder.
void ChopMenu::ShowChopFolder() {
    if (!m_showFolder) {
        return;
    }
    const QString folder = WithoutTrailingSeparator(m_settings.chopDir);
    if (!QFileInfo(folder).isDir() || m_showFolder(folder)) {
        return;
    }
    const QString fallback = DefaultBrowserFolder();
    m_host.messenger.ShowTimedMessage(folder + QStringLiteral("\nフォルダーチェンジ・エラー\n\n") +
                                          fallback +
                                          QStringLiteral("\nフォルダーに、強制変更します☆"),
                                      Messenger::Ok);
    m_showFolder(WithoutTrailingSeparator(fallback));
}

void ChopMenu::PBG_TXTClick() {
    if (!m_viewer->ShowTextFile(QDir(WorkDir()).filePath(kChopRecordFile))) {
        m_host.messenger.ShowTimedMessage(QString::fromUtf8(kChopRecordError), Messenger::Ok);
    }
}

void ChopMenu::PBG_TBM_SetClick() {
    TTmSETBoxDlg box;
    box.SetHMS(QStringLiteral("分"));
    box.SetTCount(m_settings.chopMinutes);
    box.SetMinCount(1);
    box.SetMsg0(QStringLiteral(" "));
    box.SetMsg1(QStringLiteral("カットする時間設定："));
    box.SetMsg2(QStringLiteral(" (分単位です。初期値15分)"));
    box.SetTitle(QStringLiteral("ぶつ切りカットする時間"));
    box.SetSourceHandle(Btn_BUTUGIRI);
    if (box.Execute() == Messenger::Ok) {
        m_settings.chopMinutes = ValidChopMinutes(box.TCount());
        ApplySettings();
    }
}

void ChopMenu::PBG_INTRO_SetClick() {
    THMSBoxDlg box;
    box.SetTitle(QStringLiteral("イントロぶつ切りカット"));
    box.SetMaxH(4);
    const int start = m_settings.introStartS;
    const int end = m_settings.introEndS;
    box.SetStart(start / 3600, start % 3600 / 60, start % 60);
    box.SetEnd(end / 3600, end % 3600 / 60, end % 60);
    box.SetSourceHandle(Btn_BUTUGIRI);
    if (box.Execute(QStringLiteral("イントロカット開始、終了タイムの設定")) != Messenger::Ok) {
        return;
    }
    m_settings.introStartS = box.STH() * 3600 + box.STM() * 60 + box.STS();
    m_settings.introEndS = box.ENH() * 3600 + box.ENM() * 60 + box.ENS();
    ApplySettings();
    m_host.messenger.ShowTimedMessage(
        QStringLiteral("イントロカットに、\n") +
            IntroCaption(m_settings.introStartS, m_settings.introEndS) +
            QStringLiteral("\nの値を、セットしました☆"),
        Messenger::Ok);
}

} // namespace veskar
