#include "gui/filescreen/BrowserPanel.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/browser/FilterList.h"
#include "core/browser/FolderHistory.h"
#include "core/host/Messenger.h"
#include "core/host/SharedFlags.h"
#include "core/settings/ListFiles.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/main/BusyCursor.h"
#include "gui/main/HintButton.h"

namespace veskar {

BrowserPanel::BrowserPanel(BrowserState& state, Messenger& messenger, EventPump& pump,
                           SharedFlags& flags, const QString& fallbackFolder, QWidget* parent)
    : QWidget(parent), m_state(state), m_messenger(messenger), m_flags(flags),
      m_browser(state, messenger, fallbackFolder) {
    setObjectName("Panel_Browser");
    browser = new FolderBrowserView(m_browser, pump, flags, this);
    connect(browser, &FolderBrowserView::FolderShown, this, &BrowserPanel::FolderShown);
    connect(browser, &FolderBrowserView::FileActivated, this, &BrowserPanel::ListView1Click);
    connect(browser->ComboBox_KAKU, &QComboBox::activated, this, [this](int index) {
        m_state.filterIndex = index;
        Edit_KAKU->setText(m_state.filters.value(index));
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    MakeFilterPanel();
    MakeHistoryPanel();
    MakeFileMenu();
    // ColorBtn3 greys on its own while the history panel is open.
    m_busy.SetControls({Btn_KAKU_EDIT, Btn_KAKU_HENKO, Btn_KAKU_NEW, Btn_KAKU_DEL,
                        Btn_KAKU_CANCEL, Button_HIS, ComboBox_D_EDIT, ColorBtn7, ColorBtn9,
                        Btn_SENTAK});
}

void BrowserPanel::MakeFilterPanel() {
    Btn_KAKU_EDIT = MakeHintButton("Btn_KAKU_EDIT", "編集", "拡張子フィルターの編集", this);
    Btn_SENTAK = MakeHintButton("Btn_SENTAK", "選択確認", "ファイルリストの選択を表示します", this);
    browser->filterRow->addWidget(Btn_KAKU_EDIT);
    browser->filterRow->addWidget(Btn_SENTAK);

    Panel_KAKU_EDIT = MakeRowPanel("Panel_KAKU_EDIT", this);
    Edit_KAKU = new QLineEdit(Panel_KAKU_EDIT);
    Edit_KAKU->setObjectName("Edit_KAKU");
    Edit_KAKU->setToolTip("マスクを「;」で区切ると、複数の種類を表示します（例 *.wav;*.mp3）");
    Btn_KAKU_HENKO = MakeHintButton("Btn_KAKU_HENKO", "変更", "選択中のフィルターを変更", this);
    Btn_KAKU_NEW = MakeHintButton("Btn_KAKU_NEW", "新規", "フィルターを追加", this);
    Btn_KAKU_DEL = MakeHintButton("Btn_KAKU_DEL", "削除", "選択中のフィルターを削除", this);
    Btn_KAKU_CANCEL =
        MakeHintButton("Btn_KAKU_CANCEL", "閉じる", "フィルターを適用して閉じる", this);
    auto* row = qobject_cast<QHBoxLayout*>(Panel_KAKU_EDIT->layout());
    row->addWidget(Edit_KAKU, 1);
    for (QPushButton* button : {Btn_KAKU_HENKO, Btn_KAKU_NEW, Btn_KAKU_DEL, Btn_KAKU_CANCEL}) {
        button->setParent(Panel_KAKU_EDIT);
        row->addWidget(button);
    }
    browser->fileColumn->insertWidget(1, Panel_KAKU_EDIT);

    connect(Btn_KAKU_EDIT, &QPushButton::clicked, this, &BrowserPanel::Btn_KAKU_EDITClick);
    connect(Btn_KAKU_HENKO, &QPushButton::clicked, this, &BrowserPanel::Btn_KAKU_HENKOClick);
    connect(Btn_KAKU_NEW, &QPushButton::clicked, this, &BrowserPanel::Btn_KAKU_NEWClick);
    connect(Btn_KAKU_DEL, &QPushButton::clicked, this, &BrowserPanel::Btn_KAKU_DELClick);
    connect(Btn_KAKU_CANCEL, &QPushButton::clicked, this, &BrowserPanel::Btn_KAKU_CANCELClick);
    connect(Btn_SENTAK, &QPushButton::clicked, this, &BrowserPanel::Btn_SENTAKClick);
}

void BrowserPanel::MakeHistoryPanel() {
    Button_HIS = MakeHintButton("Button_HIS", "H", "フォルダーヒストリーを開きます", this);
    ColorBtn3 =
        MakeHintButton("ColorBtn3", "T", "表示中のフォルダーをヒストリーに登録します", this);
    for (QPushButton* button : {Button_HIS, ColorBtn3}) {
        button->setFixedWidth(28);
        browser->driveRow->addWidget(button);
    }
    Panel_D_EDIT = MakeRowPanel("Panel_D_EDIT", this);
    ComboBox_D_EDIT = new QComboBox(Panel_D_EDIT);
    ComboBox_D_EDIT->setObjectName("ComboBox_D_EDIT");
    ComboBox_D_EDIT->setToolTip("選んだフォルダーに移動します");
    ComboBox_D_EDIT->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox_D_EDIT->setMinimumContentsLength(20);
    ColorBtn7 = MakeHintButton("ColorBtn7", "削除", "選択中のヒストリーを削除", Panel_D_EDIT);
    ColorBtn9 = MakeHintButton("ColorBtn9", "戻る", "ヒストリーを閉じる", Panel_D_EDIT);
    auto* row = qobject_cast<QHBoxLayout*>(Panel_D_EDIT->layout());
    row->addWidget(ComboBox_D_EDIT, 1);
    row->addWidget(ColorBtn7);
    row->addWidget(ColorBtn9);
    browser->fileColumn->insertWidget(0, Panel_D_EDIT);

    connect(Button_HIS, &QPushButton::clicked, this, &BrowserPanel::Button_HISClick);
    connect(ColorBtn3, &QPushButton::clicked, this, &BrowserPanel::ColorBtn3Click);
    connect(ComboBox_D_EDIT, &QComboBox::activated, this, &BrowserPanel::ComboBox_D_EDITChange);
    connect(ColorBtn7, &QPushButton::clicked, this, &BrowserPanel::ColorBtn7Click);
    connect(ColorBtn9, &QPushButton::clicked, this, &BrowserPanel::ColorBtn9Click);
}

void BrowserPanel::MakeFileMenu() {
    PopupMenu_File = new QMenu(this);
    PopupMenu_File->setObjectName("PopupMenu_File");
    P_File_DEL_FILE = PopupMenu_File->addAction(QStringLiteral("実際に削除(&D)"));
    P_File_DEL_FILE->setObjectName("P_File_DEL_FILE");
    connect(P_File_DEL_FILE, &QAction::triggered, this, &BrowserPanel::P_File_DEL_FILEClick);
    browser->ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser->ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) {
                if (!m_flags.errorBoxOpen) {
                    PopupMenu_File->popup(browser->ListView1->viewport()->mapToGlobal(at));
                }
            });
}

void BrowserPanel::SetPlayback(std::function<void(PlayFileList&)> play,
                               std::function<void()> stop) {
    m_play = std::move(play);
    m_stopPlayback = std::move(stop);
}

void BrowserPanel::Start(const QString& folder, const QString& selectName) {
    ShowFilters();
    m_state.fileMask = FilterMask(m_state.filters, m_state.filterIndex);
    ShowHistory();
    browser->FillDrives(folder);
    if (!browser->GoToFolder(folder)) {
        browser->ShowFolder(folder);
    }
    const std::vector<FileRow>& rows = browser->fileModel->Rows();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const FileRow& row) { return row.name == selectName; });
    if (!selectName.isEmpty() && found != rows.end()) {
        SelectOnly(static_cast<int>(found - rows.begin()));
    }
}

void BrowserPanel::Close() {
    if (m_state.historyPanelOpen) {
        CloseHistoryPanel(m_state.history, m_state.historyIndex);
        m_state.historyPanelOpen = false;
    }
}

QString BrowserPanel::SelectedName() const {
    const int row = Selected();
    return row < 0 ? QString() : browser->fileModel->Rows()[static_cast<size_t>(row)].name;
}

void BrowserPanel::ShowFilters() {
    // The list changes while the panel edits it; the mask in force changes only on closing.
    const QString mask = m_state.fileMask;
    QStringList masks;
    for (int i = 0; i < m_state.filters.size(); ++i) {
        masks << FilterMask(m_state.filters, i);
    }
    browser->SetFilters(m_state.filters, masks, m_state.filterIndex);
    m_state.fileMask = mask;
}

void BrowserPanel::ShowHistory() {
    const QSignalBlocker blocker(ComboBox_D_EDIT);
    ComboBox_D_EDIT->clear();
    ComboBox_D_EDIT->addItems(m_state.history);
    ComboBox_D_EDIT->setCurrentIndex(m_state.historyIndex);
    ColorBtn3->setEnabled(!m_state.historyPanelOpen);
}

int BrowserPanel::Count() const {
    return static_cast<int>(browser->fileModel->Rows().size());
}

int BrowserPanel::Selected() const {
    return browser->ListView1->SelectedRow();
}

void BrowserPanel::SelectOnly(int row) {
    browser->ListView1->SelectOnly(row);
}

QString BrowserPanel::Path(int row) const {
    return browser->FilePath(row);
}

QString BrowserPanel::Weight(int row) const {
    return browser->fileModel->Rows().at(static_cast<size_t>(row)).weight;
}

void BrowserPanel::SetWeight(int row, const QString& text) {
    browser->fileModel->Rows().at(static_cast<size_t>(row)).weight = text;
}

void BrowserPanel::Click() {
    ListView1Click();
}

void BrowserPanel::ListView1Click() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    const BusyCursor wait;
    m_flags.stopRequested = false;
    if (Count() == 0) {
        return;
    }
    const int row = std::max(Selected(), 0);
    m_browser.RefreshRow(browser->fileModel->Rows()[static_cast<size_t>(row)]);
    browser->fileModel->RowChanged(row);
    if (m_play) {
        m_play(*this);
    }
}

void BrowserPanel::Btn_KAKU_EDITClick() {
    if (m_busy.Busy()) {
        return;
    }
    Edit_KAKU->setText(m_state.filters.value(m_state.filterIndex));
    Panel_KAKU_EDIT->show();
    Edit_KAKU->setFocus();
}

void BrowserPanel::Btn_KAKU_HENKOClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    if (ChangeFilterEntry(m_state.filters, m_state.filterIndex, Edit_KAKU->text(), m_messenger)) {
        ShowFilters();
    }
}

void BrowserPanel::Btn_KAKU_NEWClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    m_state.filterIndex = AddFilterEntry(m_state.filters);
    Edit_KAKU->setText(m_state.filters.value(m_state.filterIndex));
    ShowFilters();
}

void BrowserPanel::Btn_KAKU_DELClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    if (DeleteFilterEntry(m_state.filters, m_state.filterIndex, m_messenger)) {
        Edit_KAKU->setText(m_state.filters.value(m_state.filterIndex));
        ShowFilters();
    }
}

void BrowserPanel::Btn_KAKU_CANCELClick() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    Panel_KAKU_EDIT->hide();
    browser->ComboBox_KAKUChange(m_state.filterIndex);
}

void BrowserPanel::ColorBtn3Click() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    RegisterHistoryFolder(m_state.history, m_state.currentPath);
    m_state.historyIndex = 0;
    ShowHistory();
}

void BrowserPanel::Button_HISClick() {
    if (m_busy.Busy() || m_state.historyPanelOpen) {
        return;
    }
    m_state.historyIndex = OpenHistoryPanel(m_state.history, m_state.currentPath);
    m_state.historyPanelOpen = true;
    ShowHistory();
    Panel_D_EDIT->show();
}

void BrowserPanel::ComboBox_D_EDITChange(int index) {
    const PanelBusy::Scope busy(m_busy);
    if (!busy || index < 0) {
        return;
    }
    m_state.historyIndex = index;
    const QString folder = m_browser.PickHistory();
    ShowHistory();
    if (!folder.isEmpty()) {
        browser->ShowFolder(folder);
    }
}

void BrowserPanel::ColorBtn7Click() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    if (DeleteHistoryEntry(m_state.history, m_state.historyIndex, m_messenger)) {
        ShowHistory();
    }
}

void BrowserPanel::ColorBtn9Click() {
    const PanelBusy::Scope busy(m_busy);
    if (!busy) {
        return;
    }
    Panel_D_EDIT->hide();
    Close();
    ShowHistory();
}

void BrowserPanel::Btn_SENTAKClick() {
    browser->ListView1->setFocus();
}

void BrowserPanel::P_File_DEL_FILEClick() {
    const PanelBusy::Scope busy(m_busy);
    const std::vector<int> rows = browser->ListView1->SelectedRows();
    if (!busy || rows.empty()) {
        return;
    }
    if (m_stopPlayback) {
        m_stopPlayback();
    }
    QStringList paths;
    for (int row : rows) {
        paths << Path(row);
    }
    const std::vector<bool> gone = DeleteFilesFromDisk(paths, m_messenger);
    std::vector<FileRow>& listed = browser->fileModel->Rows();
    for (size_t i = rows.size(); i-- > 0;) {
        if (gone[i]) {
            listed.erase(listed.begin() + rows[i]);
        }
    }
    browser->fileModel->Changed();
}

} // namespace veskar
