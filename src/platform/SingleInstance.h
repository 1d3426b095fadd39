#pragma once

#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLockFile;

namespace veskar {

/// One window of a kind per user and settings store. The kind (the window class name, e.g.
/// "TKOTAN_VESKAR") is held by a lock file; its holder listens on a local socket beside it, and
/// a second start hands its command-line arguments over there instead of opening a window. The
/// names include the settings file, so a test run with its own home never meets the user's
/// running program.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& windowClass, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Takes the kind for this process and starts listening for hand-overs. False when another
    /// running process holds it.
    bool Claim();
    /// True while another running process holds the kind.
    bool HeldElsewhere() const;

    /// Hands arguments to the process holding the kind and waits until it has handled them,
    /// at most timeoutMs (the holder may still be starting). True when it took them.
    bool HandOver(const QStringList& arguments, int timeoutMs = 5000) const;

    /// The line a hand-over carries: the arguments as a JSON array, so that any path (one with
    /// "?" or a line break in it too) arrives whole.
    static QByteArray HandOverLine(const QStringList& arguments);

signals:
    /// A later start handed its arguments over; none when it gave none or sent what no start
    /// of ours sends.
    void ArgumentsReceived(const QStringList& arguments);

private:
    void AcceptConnection();

    QString m_basePath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace veskar
