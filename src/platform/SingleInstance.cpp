#include "platform/SingleInstance.h"

#include <unistd.h>

#include <algorithm>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include "core/settings/SettingsStore.h"

namespace veskar {

namespace {

// A hand-over is one line of JSON answered by one empty line once it has been handled.
constexpr qint64 kMaxHandOverBytes = 64 * 1024;

} // namespace

SingleInstance::SingleInstance(const QString& windowClass, QObject* parent) : QObject(parent) {
    const QByteArray store = SettingsStore().FileName().toUtf8();
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(store, QCryptographicHash::Sha1).toHex().left(12));
    m_basePath = QDir::temp().filePath(
        QStringLiteral("veskar-%1-%2-%3").arg(windowClass).arg(::getuid()).arg(key));
}

SingleInstance::~SingleInstance() = default;

QByteArray SingleInstance::HandOverLine(const QStringList& arguments) {
    return QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact);
}

bool SingleInstance::Claim() {
    auto lock = std::make_unique<QLockFile>(m_basePath + ".lock");
    // Only a dead holder makes the lock stale, however long it ran.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    m_lock = std::move(lock);
    // The socket of a holder that crashed is left behind; it is ours to replace now.
    QLocalServer::removeServer(m_basePath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
    // Without the socket a later start cannot hand over, but it still sees the lock and ends.
    m_server->listen(m_basePath);
    return true;
}

bool SingleInstance::HeldElsewhere() const {
    if (m_lock) {
        return false;
    }
    QLockFile probe(m_basePath + ".lock");
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    return probe.error() == QLockFile::LockFailedError;
}

bool SingleInstance::HandOver(const QStringList& arguments, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The holder takes the lock a moment before it listens; try again until it does.
    for (;;) {
        socket.connectToServer(m_basePath);
        if (socket.waitForConnected(
                static_cast<int>(std::min<qint64>(deadline.remainingTime(), 500)))) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(50);
    }
    socket.write(HandOverLine(arguments) + '\n');
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    return true;
}

void SingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxHandOverBytes) {
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(kMaxHandOverBytes).chopped(1);
            QStringList arguments;
            for (const QJsonValue& value : QJsonDocument::fromJson(line).array()) {
                if (value.isString()) {
                    arguments << value.toString();
                }
            }
            emit ArgumentsReceived(arguments);
            socket->write("\n");
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

} // namespace veskar
