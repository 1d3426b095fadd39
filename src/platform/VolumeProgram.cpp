#include "platform/VolumeProgram.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "core/host/Messenger.h"

namespace veskar {

namespace {

const QString kStartFailed = QStringLiteral("ﾎﾞﾘｭｰﾑ： ﾎﾞﾘｭｰﾑ表示に失敗しました・・・");
const QString kNotFound = QStringLiteral("ボリュームコントロールが、見つかりません・・・");

/// Running and not yet reaped: a zombie's /proc entry stays until its parent waits for it.
bool IsRunning(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close > 0 && line.mid(close + 2, 1) != "Z";
}

} // namespace

VolumeProgram::VolumeProgram(Messenger& messenger, QString program, QObject* parent)
    : QObject(parent), m_messenger(messenger), m_program(std::move(program)) {
    m_watch.setInterval(kWatchMs);
    m_watch.setSingleShot(true);
    connect(&m_watch, &QTimer::timeout, this, &VolumeProgram::Check);
}

void VolumeProgram::Start(bool recordingView) {
    m_recordingView = recordingView;
    const QString path = QStandardPaths::findExecutable(m_program);
    const QStringList args = recordingView ? QStringList{QStringLiteral("--tab=4")} : QStringList{};
    if (path.isEmpty() || !QProcess::startDetached(path, args, {}, &m_pid)) {
        m_messenger.ShowTimedMessage(kStartFailed, 1);
        return;
    }
    m_watch.start();
}

void VolumeProgram::Check() {
    if (IsRunning(m_pid)) {
        return;
    }
    // The program ended before it could show: unless the user aborts, it is tried again.
    if (m_messenger.ShowErrorFor(kNotFound, kMissingSeconds, Messenger::Abort) != Messenger::Abort) {
        Start(m_recordingView);
    }
}

} // namespace veskar
