#include "support/RunCli.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace veskar::test {

CliResult RunSplit(const QStringList& args, int timeoutMs) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("LANG", "C.UTF-8");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PIRVAN_SPLIT_PATH), args);
    CliResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace veskar::test
