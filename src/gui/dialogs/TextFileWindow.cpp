#include "gui/dialogs/TextFileWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace veskar {

namespace {
// Wide enough for a line of the cut record: format, length, size, name and folder.
constexpr QSize kStartSize(760, 420);
} // namespace

TextFileWindow::TextFileWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("TextFileWindow");
    setModal(false);
    resize(kStartSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(Memo);
}

bool TextFileWindow::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    Memo->setPlainText(QString::fromUtf8(bytes));
    setWindowTitle(QFileInfo(path).fileName());
    return true;
}

bool WindowTextViewer::ShowTextFile(const QString& path) {
    if (m_desktop.ShowTextFile(path)) {
        return true;
    }
    if (!m_window) {
        m_window = new TextFileWindow(m_parent);
    }
    if (!m_window->Load(path)) {
        return false;
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

} // namespace veskar
