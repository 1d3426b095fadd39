#include "gui/dialogs/TDIR2VIEWForm.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/browser/FolderPaths.h"
#include "core/host/Messenger.h"
#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/main/HintButton.h"

namespace veskar {

namespace {

constexpr QSize kFormSize(820, 540);

QPushButton* MakeButton(const char* name, const QString& caption, const QString& hint,
                        QWidget* parent) {
    auto* button = MakeHintButton(name, caption, hint, parent);
    button->setFixedWidth(40);
    return button;
}

} // namespace

TDIR2VIEWForm::TDIR2VIEWForm(bool fileMode, Messenger& messenger, QWidget* parent)
    : QDialog(parent), m_fileMode(fileMode), m_messenger(messenger),
      m_browser(m_state, messenger, QDir::homePath()) {
    setObjectName("TDIR2VIEWForm");
    setWindowTitle(QStringLiteral("フォルダーの参照"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    m_state.folderViewMode = 0;
    m_browser.SetFolderErrorTail(QStringLiteral("別のフォルダーを選択して下さい☆"));

    browser = new FolderBrowserView(m_browser, m_pump, m_flags, this);
    Button_HF = MakeButton("Button_HF", "HF", "前のフォルダーに戻ります", this);
    Button_BF = MakeButton("Button_BF", "BF", "親フォルダーに移動します", this);
    Button_NF = MakeButton("Button_NF", "NF", "新しいフォルダーを作成します", this);
    Button_DF = MakeButton("Button_DF", "DF", "表示中のフォルダーを削除します", this);
    Edit_Folder = new QLineEdit(this);
    Edit_Folder->setObjectName("Edit_Folder");
    Edit_Folder->setReadOnly(fileMode);
    connect(Button_HF, &QPushButton::clicked, this, &TDIR2VIEWForm::Button_HFClick);
    connect(Button_BF, &QPushButton::clicked, this, &TDIR2VIEWForm::Button_BFClick);
    connect(Button_NF, &QPushButton::clicked, this, &TDIR2VIEWForm::Button_NFClick);
    connect(Button_DF, &QPushButton::clicked, this, &TDIR2VIEWForm::Button_DFClick);
    // A folder typed into the box is gone to with Enter.
    connect(Edit_Folder, &QLineEdit::returnPressed, this,
            [this] { browser->GoToFolder(Edit_Folder->text()); });
    connect(browser, &FolderBrowserView::FolderShown, this, &TDIR2VIEWForm::FolderShown);
    connect(browser, &FolderBrowserView::FileActivated, this, &TDIR2VIEWForm::FileClicked);

    Panel_Edit_File = new QWidget(this);
    Panel_Edit_File->setObjectName("Panel_Edit_File");
    Edit_File = new QLineEdit(Panel_Edit_File);
    Edit_File->setObjectName("Edit_File");
    auto* fileRow = new QHBoxLayout(Panel_Edit_File);
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(new QLabel(QStringLiteral("ファイル名"), Panel_Edit_File));
    fileRow->addWidget(Edit_File, 1);
    Panel_Edit_File->setVisible(fileMode);

    ColorBtn1 = new QPushButton(QStringLiteral("設定"), this);
    ColorBtn1->setObjectName("ColorBtn1");
    ColorBtn1->setDefault(true);
    ColorBtn2 = new QPushButton(QStringLiteral("中止"), this);
    ColorBtn2->setObjectName("ColorBtn2");
    ColorBtn2->setAutoDefault(false);
    connect(ColorBtn1, &QPushButton::clicked, this, &TDIR2VIEWForm::ColorBtn1Click);
    connect(ColorBtn2, &QPushButton::clicked, this, &TDIR2VIEWForm::ColorBtn2Click);

    auto* top = new QHBoxLayout;
    for (QPushButton* button : {Button_HF, Button_BF, Button_NF, Button_DF}) {
        top->addWidget(button);
    }
    top->addWidget(Edit_Folder, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Panel_Edit_File, 1);
    bottom->addWidget(ColorBtn1);
    bottom->addWidget(ColorBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(browser, 1);
    layout->addLayout(bottom);
    resize(kFormSize);
}

void TDIR2VIEWForm::Start(const QString& start, const QString& filter, const QString& fileName) {
    QStringList captions;
    QStringList masks;
    for (const DialogFilter& entry : DialogFilters(filter)) {
        captions << entry.caption;
        masks << entry.mask;
    }
    browser->SetFilters(captions, masks, 0);
    browser->FillDrives(start);
    browser->ShowFolder(start);
    Edit_File->setText(QFileInfo(fileName).fileName());
    (m_fileMode ? Edit_File : Edit_Folder)->setFocus();
}

void TDIR2VIEWForm::SetStandardColor(bool standard) {
    const QColor base =
        standard ? palette().color(QPalette::Base) : palette().color(QPalette::Window);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             browser->ListBox1, browser->TreeView1, browser->ListView1, Edit_Folder, Edit_File}) {
        QPalette colours = widget->palette();
        colours.setColor(QPalette::Base, base);
        widget->setPalette(colours);
    }
}

QString TDIR2VIEWForm::Folder() const {
    return m_state.currentPath;
}

void TDIR2VIEWForm::FolderShown(const QString& folder) {
    Edit_Folder->setText(folder);
    m_steps.Shown(folder);
    Button_HF->setEnabled(m_steps.CanGoBack());
}

void TDIR2VIEWForm::FileClicked() {
    const QString path = browser->FilePath(browser->ListView1->SelectedRow());
    if (!path.isEmpty()) {
        Edit_File->setText(path);
    }
}

void TDIR2VIEWForm::Button_HFClick() {
    const QString folder = m_steps.Back();
    if (!folder.isEmpty()) {
        browser->ShowFolder(folder);
    }
    Button_HF->setEnabled(m_steps.CanGoBack());
}

void TDIR2VIEWForm::Button_BFClick() {
    const QString parent = QFileInfo(m_state.currentPath).path();
    if (parent != m_state.currentPath) {
        browser->ShowFolder(parent);
    }
}

void TDIR2VIEWForm::Button_NFClick() {
    TSNBoxDlg input;
    input.SetTitle(NewFolderCaption(m_state.currentPath));
    input.SetSourceHandle(this);
    if (input.Execute(QStringLiteral("新規作成フォルダー名を入力して下さい☆")) != Messenger::Ok) {
        return;
    }
    const QString made = MakeNewFolder(m_state.currentPath, input.SNText(), m_messenger);
    if (!made.isEmpty()) {
        browser->ShowFolder(made);
    }
}

void TDIR2VIEWForm::Button_DFClick() {
    const QString parent = DeleteFolder(m_state.currentPath, m_messenger);
    if (!parent.isEmpty()) {
        browser->ShowFolder(parent);
    }
}

void TDIR2VIEWForm::ColorBtn1Click() {
    if (!m_fileMode) {
        m_chosen = BrowserFolderText(Edit_Folder->text());
        done(Messenger::Ok);
        return;
    }
    const FileChoice choice = ChooseFile(Edit_File->text(), Edit_Folder->text(), m_defaultExt);
    if (!choice.error.isEmpty()) {
        m_messenger.ShowMessage(choice.error);
        return;
    }
    if (m_overwriteQuestion && !MayOverwrite(choice.path, m_messenger)) {
        return;
    }
    m_chosen = choice.path;
    done(Messenger::Ok);
}

void TDIR2VIEWForm::ColorBtn2Click() {
    done(Messenger::Abort);
}

} // namespace veskar
