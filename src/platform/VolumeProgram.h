#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace veskar {

class Messenger;

/// Starts the desktop's own volume program (pavucontrol) beside the window and watches that it
/// came up: a program that ended by the next tick is reported, and started again unless the user
/// aborts.
class VolumeProgram : public QObject {
    Q_OBJECT
public:
    static constexpr int kWatchMs = 1000;
    static constexpr int kMissingSeconds = 5;

    explicit VolumeProgram(Messenger& messenger, QString program = QStringLiteral("pavucontrol"),
                           QObject* parent = nullptr);

    /// recordingView: open on the input devices.
    void Start(bool recordingView = false);
    bool Watching() const { return m_watch.isActive(); }

private:
    void Check();

    Messenger& m_messenger;
    QString m_program;
    bool m_recordingView = false;
    qint64 m_pid = 0;
    QTimer m_watch;
};

} // namespace veskar
