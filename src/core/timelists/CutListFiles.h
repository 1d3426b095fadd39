#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

/// `CutFileBase`: the file name of a WAV file without its folder and its last extension
/// ("/a/Tape1.part.wav" gives "Tape1.part"). Its cut lists are kept under this base, so two
/// files of one name in different folders share them.
QString CutFileBase(const QString& wavPath);

/// The files in dir that belong to base: base + ".ARS", ".STA", ".IND" and every base +
/// "CL_" + three characters + ".ARS" or ".STA", those that exist.
QStringList CutListFilesOf(const QString& dir, const QString& base);

/// `DeleteAllCutLists`: removes every file of CutListFilesOf. Returns those that could not be
/// removed.
QStringList DeleteAllCutLists(const QString& dir, const QString& base);

} // namespace veskar
