#include "support/WavFiles.h"

#include <QFile>

namespace veskar::test {

QString WavFiles::Write(const QString& name, const WavBuilder& builder) {
    return WriteBytes(name, builder.Build());
}

QString WavFiles::WriteBytes(const QString& name, const QByteArray& bytes) {
    const QString path = Path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        return {};
    }
    return path;
}

} // namespace veskar::test
