#pragma once

#include <optional>

#include <QObject>
#include <QString>

#include "core/host/SharedFlags.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

/// How a play ended. The numbers are the codes the completion handlers test.
enum class PlayResult : int { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };

/// Which completion handler a play reports to: plays started on the cut screen go to the
/// cut-screen handler, plays started while the file screen is shown to the file-screen handler.
enum class PlayRoute : int { CutScreen = 0, FileScreen = 1 };

/// The format of the open file as the device reports it.
struct WaveFormat {
    int sampleRate = 0; ///< frames per second
    int bitsPerSample = 0;
    int channels = 0;
    bool operator==(const WaveFormat&) const = default;
};

/// The audio output the play engine drives: one file open at a time, queried in whole
/// milliseconds, played a range at a time with one completion per play.
///
/// Contract kept here for every implementation:
/// - every play that started (PlayRange returned true) ends with exactly one PlayEnded: 1 when
///   its range has been heard, 2 when a later PlayRange replaced it, 4 when Stop or Close ended
///   it, 8 when the output failed;
/// - PlayEnded is always delivered as a queued event on the device's thread, never from inside
///   the call that caused it, so a handler may call the device again freely;
/// - while `shutdownStop` is set, Open, the queries and PlayRange do nothing and fail; Stop and
///   Close still work, so the close sequence can silence the output.
class WaveDevice : public QObject {
    Q_OBJECT
public:
    explicit WaveDevice(const SharedFlags& flags, QObject* parent = nullptr);
    ~WaveDevice() override;

    /// Opens a PCM WAV file; an open file is closed first (its play ends as aborted). Fails when
    /// the file is missing or not uncompressed PCM the device can play.
    bool Open(const QString& path);
    /// Length of the open file in whole ms: frames × 1000 / rate, rounded down.
    std::optional<TimeMs> QueryLength();
    std::optional<WaveFormat> QueryFormat();
    /// The current position in ms: where the running play is, or where the last one stopped
    /// or ended; 0 right after Open.
    std::optional<TimeMs> QueryPosition();
    /// Starts playing fromMs..toMs and returns at once. fromMs < 0 starts at the current
    /// position, toMs < 0 plays to the end. Fails (and no completion follows) when nothing is
    /// open or the range lies outside the file or runs backwards.
    bool PlayRange(TimeMs fromMs, TimeMs toMs, PlayRoute route);
    /// Halts the running play (aborted); the position stays where it was.
    void Stop();
    /// Stops and releases the file.
    void Close();
    void StopAndClose() {
        Stop();
        Close();
    }

    bool IsOpen() const { return m_open; }
    bool IsPlaying() const { return m_running.has_value(); }

signals:
    void PlayEnded(veskar::PlayRoute route, veskar::PlayResult result);

protected:
    // What an implementation provides. These are only called in a consistent state: the file
    // calls only while a file is open, StartRange with a range inside the file.
    virtual bool OpenFile(const QString& path) = 0;
    virtual void CloseFile() = 0;
    virtual TimeMs LengthMs() const = 0;
    virtual WaveFormat Format() const = 0;
    virtual TimeMs PositionMs() const = 0;
    /// Starts the output; fromMs <= toMs <= LengthMs().
    virtual bool StartRange(TimeMs fromMs, TimeMs toMs) = 0;
    /// Silences the output and keeps the position; called by every Stop, with or without a
    /// running play.
    virtual void StopOutput() = 0;

    /// Called by the implementation when the running play has been heard to its end
    /// (Successful) or its output broke down (Failure). Calls for a play that already ended are
    /// ignored, which keeps the one-completion rule in one place.
    void EndPlay(PlayResult result);

private:
    bool Blocked() const { return m_flags.shutdownStop; }
    void Post(PlayRoute route, PlayResult result);
    void EndRunning(PlayResult result);

    const SharedFlags& m_flags;
    bool m_open = false;
    std::optional<PlayRoute> m_running;
};

} // namespace veskar

Q_DECLARE_METATYPE(veskar::PlayRoute)
Q_DECLARE_METATYPE(veskar::PlayResult)
