#include "app/TVESKAR_SETUPFM.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/host/Messenger.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "core/text/Captions.h"
#include "platform/Installation.h"

namespace veskar {

namespace {
constexpr int kProgramFieldMaxWidth = 640;
} // namespace

TVESKAR_SETUPFM::TVESKAR_SETUPFM(RunMode mode, QString programPath, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_programPath(std::move(programPath)) {
    setObjectName("TVESKAR_SETUPFM");
    const QString title = kAppTitle;
    setWindowTitle(title + QStringLiteral(" セットアップ"));
    m_box.SetTitle(title);
    m_box.SetSourceHandle(this);

    Settings stored;
    SettingsStore().ReadDeferredValues(stored);
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("%1 を登録します☆").arg(title), this));
    auto* program = new QLineEdit(m_programPath, this);
    program->setReadOnly(true);
    // The whole path where the screen allows: it is what the user checks before registering.
    program->setMinimumWidth(std::min(program->fontMetrics().horizontalAdvance(m_programPath) + 16,
                                      kProgramFieldMaxWidth));
    form->addRow(QStringLiteral("プログラム"), program);
    Edit_Group = new QLineEdit(
        stored.group.isEmpty() ? QString::fromUtf8(kDefaultGroup) : stored.group, this);
    Edit_Group->setObjectName("Edit_Group");
    form->addRow(QStringLiteral("グループ"), Edit_Group);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* install = buttons->addButton(QStringLiteral("登録"), QDialogButtonBox::AcceptRole);
    install->setObjectName("Btn_Setup");
    buttons->addButton(QStringLiteral("中止"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TVESKAR_SETUPFM::Install);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int TVESKAR_SETUPFM::Run() {
    switch (m_mode) {
    case RunMode::Normal:
        return exec() == QDialog::Accepted ? 0 : 1;
    case RunMode::Uninstall:
        return Uninstall();
    case RunMode::UninstallRefused:
        m_box.ShowMessage(QStringLiteral("ｱﾝｲﾝｽﾄｰﾙｴﾗｰ：ソフトが起動中です。\n"
                                         "終了しないとｱﾝｲﾝｽﾄｰﾙ出来ません。"));
        return 1;
    case RunMode::Uninstaller:
        // Setup placed no program files of its own, so there is nothing left to delete.
        m_box.ShowMessage(QStringLiteral("アンインストールが完了しました☆☆☆"));
        return 0;
    }
    return 1;
}

void TVESKAR_SETUPFM::Install() {
    const QString group = Edit_Group->text().trimmed();
    const QString error = InstallProgram(m_programPath, group);
    if (!error.isEmpty()) {
        m_box.ShowMessage(error);
        return;
    }
    m_box.ShowMessage(QStringLiteral("登録完了です。\n\n[ ") + group + " ]" + "\n" +
                      QStringLiteral("グループに登録しました☆☆") + "\n" +
                      QStringLiteral("お疲れ様☆☆"));
    accept();
}

int TVESKAR_SETUPFM::Uninstall() {
    const QString title = kAppTitle;
    const QString question = title + QStringLiteral("を、アンインストールしてよろしいですか？？？");
    if (m_box.AskTimedQuestion(question, Messenger::No) != Messenger::Yes) {
        return 1;
    }
    Settings stored;
    SettingsStore store;
    store.ReadDeferredValues(stored);
    RemoveShortcuts(stored.group);
    QStringList failed;
    if (m_box.AskTimedQuestion(QStringLiteral("データファイルと設定も削除しますか？"),
                               Messenger::No) == Messenger::Yes) {
        failed = RemoveDataFiles(ProgramDir());
        const QString error = store.RemoveAll();
        if (!error.isEmpty()) {
            failed << error;
        }
    }
    if (!failed.isEmpty()) {
        m_box.ShowMessage(QStringLiteral("削除できませんでした・・・\n") + failed.join('\n'));
        return 1;
    }
    m_box.ShowMessage(QStringLiteral("アンインストールが完了しました☆☆☆"));
    return 0;
}

} // namespace veskar
