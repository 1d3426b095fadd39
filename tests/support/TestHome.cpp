#include "support/TestHome.h"

#include <cstdlib>
#include <string>

#include <QDir>

namespace veskar::test {

namespace {
std::string g_home;
}

void IsolateHome() {
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
}

QString TestHomeDir() { return QString::fromStdString(g_home); }

} // namespace veskar::test
