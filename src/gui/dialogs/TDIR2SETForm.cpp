#include "gui/dialogs/TDIR2SETForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/host/Messenger.h"
#include "core/settings/FolderRegistration.h"
#include "core/settings/Paths.h"
#include "gui/dialogs/DialogPlacement.h"
#include "gui/dialogs/TDIR2OPENDLG.h"

namespace veskar {

TDIR2SETForm::TDIR2SETForm(const QString& dirName, const QString& registered, Messenger& messenger,
                           QWidget* parent)
    : QDialog(parent), m_dirName(dirName), m_registered(registered), m_messenger(messenger) {
    setObjectName("TDIR2SETForm");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setToolTip(QStringLiteral("設定されたフォルダーでは、ファイルの削除／上書きが実行されます"
                              "　十分注意して設定してね☆"));

    Label1 = new QLabel(dirName + QStringLiteral("ﾌｫﾙﾀﾞｰの設定："), this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(dirName + QStringLiteral("ﾌｫﾙﾀﾞｰでは"), this);
    Label2->setObjectName("Label2");
    Label3 = new QLabel(QStringLiteral("ファイルの上書き／削除が実行されます。"), this);
    Label3->setObjectName("Label3");
    Label4 = new QLabel(QStringLiteral("ファイルの無いフォルダーを設定して下さい☆"), this);
    Label4->setObjectName("Label4");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setToolTip(QStringLiteral("設定フォルダー名"));
    Edit1->setMinimumWidth(420);

    const auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    Button1 = makeButton("Button1", QStringLiteral("初期値"));
    Button2 = makeButton("Button2", QStringLiteral("参照"));
    connect(Button1, &QPushButton::clicked, this, &TDIR2SETForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDIR2SETForm::Button2Click);
    QHBoxLayout* buttonRow = MakeSetCancelRow(this, Btn_SET, Btn_CANCEL);
    // "中止" says so before it tries to close, and the close may be refused.
    disconnect(Btn_CANCEL, &QPushButton::clicked, nullptr, nullptr);
    connect(Btn_SET, &QPushButton::clicked, this, &TDIR2SETForm::Btn_SETClick);
    connect(Btn_CANCEL, &QPushButton::clicked, this, &TDIR2SETForm::Btn_CANCELClick);
    buttonRow->insertWidget(0, Button1);

    auto* editRow = new QHBoxLayout;
    editRow->addWidget(Edit1, 1);
    editRow->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(Label1);
    layout->addLayout(editRow);
    auto* warning = new QHBoxLayout;
    warning->addWidget(Label2);
    warning->addWidget(Label3);
    warning->addStretch(1);
    layout->addLayout(warning);
    layout->addWidget(Label4);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDIR2SETForm::SetStandardColor(bool standard) {
    Edit1->setAutoFillBackground(!standard);
    Edit1->setPalette(standard ? QPalette() : palette());
}

void TDIR2SETForm::Button1Click() {
    Edit1->setText(DefaultSettingFolder(m_dirName));
}

void TDIR2SETForm::Button2Click() {
    TDIR2OPENDLG dialog(m_messenger);
    dialog.setObjectName("DIR2OPENDLG_REF");
    dialog.SetSourceHandle(this);
    dialog.SetTitle(QStringLiteral("フォルダーの参照"));
    dialog.SetDirectory(FolderToBrowse(Edit1->text(), m_dirName));
    if (dialog.ExecuteFolder() == Messenger::Ok) {
        Edit1->setText(dialog.Directory());
    }
}

void TDIR2SETForm::Btn_CANCELClick() {
    m_messenger.ShowMessage(QStringLiteral("変更を中止します"));
    done(Messenger::Cancel);
}

void TDIR2SETForm::Btn_SETClick() {
    QString folder;
    if (RegisterFolder(Edit1->text(), m_messenger, folder) == FolderRegistration::Registered) {
        m_registered = folder;
        done(Messenger::Ok);
    }
}

void TDIR2SETForm::done(int result) {
    if (IsFolderNotSet(m_registered)) {
        m_messenger.ShowMessage(
            QStringLiteral("データを登録しないと終了出来ません\n初期値を登録して下さい☆☆☆"));
        return;
    }
    QDialog::done(result);
}

} // namespace veskar
