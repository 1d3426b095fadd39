#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "support/WavBuilder.h"

namespace veskar::test {

/// A temporary folder for generated WAV files, removed with the object.
class WavFiles {
public:
    /// Writes the built file under name and returns its path (empty when it cannot be written).
    QString Write(const QString& name, const WavBuilder& builder);
    /// Writes these bytes under name and returns its path.
    QString WriteBytes(const QString& name, const QByteArray& bytes);
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return m_dir.path() + QLatin1Char('/'); }

private:
    QTemporaryDir m_dir;
};

} // namespace veskar::test
