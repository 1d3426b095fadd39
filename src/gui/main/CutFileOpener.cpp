#include "gui/main/CutFileOpener.h"

#include <algorithm>

#include <QApplication>
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>

#include "core/browser/MemoryList.h"
#include "core/host/BusyScope.h"
#include "core/host/Messenger.h"
#include "core/play/DeviceFormat.h"
#include "core/settings/Paths.h"
#include "core/timelists/CutListFiles.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/CutListPanel.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/SilencePresetBar.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/PlayController.h"

namespace veskar {

CutFileOpener::CutFileOpener(PlayController& player, CutScreen& cutScreen, Messenger& messenger,
                             QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_player(player), m_cutScreen(cutScreen), m_messenger(messenger),
      m_dialogParent(dialogParent) {
    Panel_CutFileBox = new QWidget(cutScreen.Slot_CutFile);
    Panel_CutFileBox->setObjectName("Panel_CutFileBox");
    auto* row = new QHBoxLayout(Panel_CutFileBox);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    ComboBox1 = new QComboBox(Panel_CutFileBox);
    row->addWidget(ComboBox1, 1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setToolTip(QStringLiteral("カットファイルの選択"));
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setMinimumContentsLength(20);
    ComboBox1->installEventFilter(this);
    qobject_cast<QBoxLayout*>(cutScreen.Slot_CutFile->layout())->insertWidget(0, Panel_CutFileBox);
    connect(ComboBox1, &QComboBox::activated, this, &CutFileOpener::ComboBox1Click);
    m_runHold.SetControls({ComboBox1});
    PopupMenu_CB = new QMenu(ComboBox1);
    PopupMenu_CB->setObjectName("PopupMenu_CB");
    P_File_T_DEL = PopupMenu_CB->addAction(QStringLiteral("ファイル登録のみ削除する(&F)"));
    P_File_DEL = PopupMenu_CB->addAction(QStringLiteral("実際に削除(&D)"));
    connect(P_File_T_DEL, &QAction::triggered, this, [this] { RemoveCutFileEntry(false); });
    connect(P_File_DEL, &QAction::triggered, this, [this] { RemoveCutFileEntry(true); });
    ComboBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ComboBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu_CB->popup(ComboBox1->mapToGlobal(at));
    });
    m_openDialog = new TDIR2OPENDLG(messenger, this);
    m_openDialog->setObjectName("DIR2OPENDLG_WAV");
    m_openDialog->SetFilter(QStringLiteral("ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*"));
    // Opening a file replaces nothing.
    m_openDialog->SetOverwriteQuestion(false);
    pickFile = [this](QWidget* dialogParent_) {
        TDIR2OPENDLG& dialog = *m_openDialog;
        dialog.SetSourceHandle(dialogParent_);
        // The cut file in force is offered again; without one the folder last shown is.
        dialog.SetFilename(m_cutScreen.CutFile());
        if (dialog.ExecuteFile(QStringLiteral("　WAVファイルを開く")) != Messenger::Ok) {
            return QString();
        }
        return dialog.Filename();
    };
}

void CutFileOpener::SetParts(MemoryListPanel* memoryList, CutListPanel* cutLists,
                             SilencePresetBar* presets) {
    m_memoryList = memoryList;
    m_cutLists = cutLists;
    m_presets = presets;
    if (m_memoryList) {
        connect(m_memoryList, &MemoryListPanel::RegisteredTimesDeleted, this,
                &CutFileOpener::ForgetCutFileAmong);
    }
}

bool CutFileOpener::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ComboBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Stepping through the files plays each from its start, once its lists are built.
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            m_player.StartAutoPlay();
        }
    }
    return QObject::eventFilter(watched, event);
}

bool CutFileOpener::OpenWavFile() {
    const QString path = pickFile ? pickFile(m_dialogParent) : QString();
    if (path.isEmpty()) {
        return false;
    }
    return OpenFiles({path});
}

bool CutFileOpener::OpenFiles(const QStringList& paths) {
    if (paths.isEmpty()) {
        return false;
    }
    BusyCursor busy;
    if (!m_memoryList) {
        return ChooseCutFile(paths.constFirst());
    }
    FillCutFileBox(m_memoryList->AddFiles(paths));
    return ComboBox1Click();
}

void CutFileOpener::FillCutFileBox(int row) {
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->clear();
    if (m_memoryList) {
        for (const MemoryRow& memoryRow : m_memoryList->Rows()) {
            ComboBox1->addItem(memoryRow.Path());
        }
    }
    ComboBox1->setCurrentIndex(row < ComboBox1->count() ? row : -1);
}

void CutFileOpener::RemoveCutFileEntry(bool fromDisk) {
    const int index = ComboBox1->currentIndex();
    if (m_choosing || m_runHold.Busy() || !m_memoryList || index < 0 ||
        index >= ComboBox1->count()) {
        return;
    }
    m_player.Flags().stopRequested = true;
    m_player.Engine().StopAndClose();
    // The entry the user sees names the file; its row may have moved since the box was filled.
    const QString path = ComboBox1->itemText(index);
    const int row = EntryRow(index);
    if (fromDisk) {
        if (m_messenger.AskTimedQuestion(
                path + QStringLiteral("\nこのファイルを、実際にディスクから削除します☆\nメモリー登録"
                                      "からも削除します☆\n登録タイムも削除されます☆\n削除してよろしい"
                                      "ですか?"),
                Messenger::No) != Messenger::Yes) {
            return;
        }
        // A file that stays on the disk keeps its row and its registered times.
        if (QFile::exists(path) && !QFile::remove(path)) {
            m_messenger.ShowTimedMessage(path + "\nこのファイルの削除に失敗しました・・・",
                                         Messenger::Ok);
            return;
        }
        DeleteAllCutLists(ProgramDir(), CutFileBase(path));
        ForgetCutFileAmong({path});
    }
    std::vector<MemoryRow>& rows = m_memoryList->Rows();
    if (row >= 0) {
        rows.erase(rows.begin() + row);
        m_memoryList->RowsChanged();
    }
    FillCutFileBox(std::min(row >= 0 ? row : index, static_cast<int>(rows.size()) - 1));
    if (!rows.empty()) {
        ComboBox1Click();
    }
}

int CutFileOpener::EntryRow(int index) const {
    const std::vector<MemoryRow>& rows = m_memoryList->Rows();
    // The box follows the memory list it was filled from; when that list changed meanwhile, the
    // entry's file is looked up in the list shown now.
    const QString entry = ComboBox1->itemText(index);
    if (index < static_cast<int>(rows.size()) && rows[static_cast<size_t>(index)].Path() == entry) {
        return index;
    }
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const MemoryRow& row) { return row.Path() == entry; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void CutFileOpener::ForgetCutFileAmong(const QStringList& paths) {
    const QString cutFile = m_cutScreen.CutFile();
    if (cutFile.isEmpty() || !paths.contains(cutFile)) {
        return;
    }
    m_player.Engine().StopAndClose();
    std::function<void()> forgetTimes;
    if (m_cutLists) {
        forgetTimes = [this] { m_cutLists->Forget(); };
    }
    m_cutScreen.SetCutFile(QString(), 0, forgetTimes);
}

bool CutFileOpener::ComboBox1Click() {
    if (m_choosing || m_runHold.Busy() || !m_memoryList) {
        return false;
    }
    const BusyScope choosing(m_choosing);
    BusyCursor busy;
    QCoreApplication::processEvents();
    int index = ComboBox1->currentIndex();
    if (index < 0 || index >= ComboBox1->count()) {
        return false;
    }
    std::vector<MemoryRow>& rows = m_memoryList->Rows();
    index = std::max(EntryRow(index), 0);
    QStringList dropped;
    const int row = FindExistingRow(rows, index, ProgramDir(), m_messenger, &dropped);
    ForgetCutFileAmong(dropped);
    m_memoryList->RowsChanged();
    FillCutFileBox(row);
    if (row < 0) {
        return false;
    }
    m_memoryList->SelectOnly(row);
    return ChooseCutFile(rows[static_cast<size_t>(row)].Path());
}

bool CutFileOpener::ChooseCutFile(const QString& path) {
    PlayEngine& engine = m_player.Engine();
    engine.StopAndClose();
    // A stop pressed before belongs to the old file; it would cut the format query short.
    m_player.Flags().stopRequested = false;
    // The reader says plainly what is wrong with a file the device would only refuse to open.
    WavInfo info;
    const QString readerMessage = ReadWavInfo(path, info);
    if (!readerMessage.isEmpty()) {
        m_messenger.ShowError(readerMessage, Messenger::Ok);
        return false;
    }
    const TimeMs length = engine.QueryCutFileLength(path);
    if (length < 0) {
        return false;
    }
    // Without a sound card the device still reports the format; when it cannot, the family of
    // the file's own header stands in.
    const DeviceFormatReport format =
        QueryDeviceFormat(path, m_player.QueryDevice(), m_player.Player(), m_player.Flags());
    m_eightBit = format.bitsPerSample ? format.eightBit : info.bitsPerSample == 8;
    // The fields belong to the preset of the family being left.
    if (m_presets) {
        if (const QString error = m_presets->Save(); !error.isEmpty()) {
            m_messenger.ShowTimedMessage(error, Messenger::Ok);
        }
    }
    engine.lastFormat = {static_cast<int>(info.sampleRate), info.bitsPerSample, info.channels};
    if (const auto mode = m_player.cutPanel->Preset().ModeForNewFile()) {
        m_player.cutPanel->SetPlayMode(*mode);
    }
    std::function<void()> loadRegistered;
    if (m_cutLists) {
        loadRegistered = [this, &path] { m_cutLists->LoadFor(path); };
    }
    m_cutScreen.SetCutFile(path, length, loadRegistered);
    if (m_presets) {
        m_presets->LoadCurrent();
    }
    return true;
}

} // namespace veskar
