#pragma once

#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/play/WaveDevice.h"

namespace veskar::test {

/// A wave device with scripted files: only the paths in `files` open, each with its length and
/// format; plays are recorded and end only when the test calls Finish. The one-completion rule,
/// the queued delivery and the shutdown block are the real ones of WaveDevice.
class FakeWaveDevice : public WaveDevice {
public:
    struct File {
        TimeMs lengthMs = 10000;
        WaveFormat format{44100, 16, 2};
        bool playFails = false;
    };
    struct Play {
        QString path;
        TimeMs fromMs = 0;
        TimeMs toMs = 0;
    };

    explicit FakeWaveDevice(const SharedFlags& flags) : WaveDevice(flags) {}
    ~FakeWaveDevice() override { Close(); }

    /// Ends the running play with this result (ignored when none runs), as the output would.
    void Finish(PlayResult result) {
        if (result == PlayResult::Successful && !plays.empty()) {
            position = plays.back().toMs;
        }
        EndPlay(result);
    }

    std::map<QString, File> files;
    std::vector<Play> plays;
    /// What the device was told, in order: "open <path>", "open-failed <path>", "play <from>
    /// <to>", "stop", "close".
    QStringList log;
    QString openPath;
    TimeMs position = 0;

protected:
    bool OpenFile(const QString& path) override {
        if (files.count(path) == 0) {
            log << "open-failed " + path;
            return false;
        }
        log << "open " + path;
        openPath = path;
        position = 0;
        return true;
    }
    void CloseFile() override {
        log << "close";
        openPath.clear();
    }
    TimeMs LengthMs() const override { return files.at(openPath).lengthMs; }
    WaveFormat Format() const override { return files.at(openPath).format; }
    TimeMs PositionMs() const override { return position; }
    bool StartRange(TimeMs fromMs, TimeMs toMs) override {
        if (files.at(openPath).playFails) {
            log << "play-failed";
            return false;
        }
        log << QString("play %1 %2").arg(fromMs).arg(toMs);
        plays.push_back({openPath, fromMs, toMs});
        position = fromMs;
        return true;
    }
    void StopOutput() override { log << "stop"; }
};

} // namespace veskar::test
