#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veskar::test {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString Out() const { return QString::fromUtf8(out); }
    QString Err() const { return QString::fromUtf8(err); }
};

/// Runs the built pirvan-split with these arguments (C.UTF-8 locale) and collects its output.
CliResult RunSplit(const QStringList& args, int timeoutMs = 60000);

} // namespace veskar::test
