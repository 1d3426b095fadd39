#include "support/TestHome.h"

#include <cstdlib>
#include <string>

#include <QDir>
#include <QFileInfo>

namespace veskar::test {

namespace {
std::string g_home;

// A PulseAudio client finds its server and cookie through the home folder when no runtime
// folder is set. Point it at them before the home folder moves, so the audio tests still reach
// the server that scripts/start-audio started.
void KeepSoundServerReachable() {
    const QString realHome = QDir::homePath();
    const QString configHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME")
                                   ? qEnvironmentVariable("XDG_CONFIG_HOME")
                                   : realHome + "/.config";
    const QDir pulseConfig(configHome + "/pulse");
    if (!qEnvironmentVariableIsSet("PULSE_COOKIE") && pulseConfig.exists("cookie")) {
        ::setenv("PULSE_COOKIE", pulseConfig.filePath("cookie").toLocal8Bit().constData(), 1);
    }
    if (qEnvironmentVariableIsSet("PULSE_SERVER") || qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        return;
    }
    for (const QFileInfo& runtime :
         pulseConfig.entryInfoList({"*-runtime"}, QDir::System | QDir::AllEntries)) {
        const QString socket = runtime.canonicalFilePath() + "/native";
        if (QFileInfo::exists(socket)) {
            ::setenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit().constData(), 1);
            return;
        }
    }
}
} // namespace

void IsolateHome() {
    KeepSoundServerReachable();
    char pattern[] = "/tmp/pirvan-test-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    if (!dir) {
        std::abort();
    }
    g_home = dir;
    const std::string config = g_home + "/.config";
    const std::string data = g_home + "/.local/share";
    const std::string veskar = g_home + "/veskar";
    QDir().mkpath(QString::fromStdString(config));
    QDir().mkpath(QString::fromStdString(data));
    QDir().mkpath(QString::fromStdString(veskar));
    ::setenv("HOME", g_home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    ::setenv("VESKAR_HOME", veskar.c_str(), 1);
    // Number and date texts must not depend on the locale of the machine running the tests.
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::setenv("LANG", "C.UTF-8", 1);
}

QString TestHomeDir() {
    return QString::fromStdString(g_home);
}

} // namespace veskar::test
