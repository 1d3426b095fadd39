#pragma once

#include <QString>
#include <QStringList>

#include "core/host/Messenger.h"
#include "core/host/SharedFlags.h"
#include "core/play/WaveDevice.h"

namespace veskar {

/// The text of the cut file's information box: path, size, date and attributes, the format the
/// wave device reports (formatText, see QueryDeviceFormat), then one line per note (see
/// WavInfoNotes). The size and date lines stay empty when the file does not exist.
QString CutFileInfoText(const QString& path, const QString& formatText,
                        const QStringList& notes = {});

/// The file information line of a started play (Edit_File_Disp): the path, ten spaces, the
/// format text, ten spaces, then the size (thousands separators, width 8), two spaces, the
/// date "yy/mm/dd hh:mm:ss ddd", two spaces and the attributes "RSHA" (a space for each one
/// absent). Size, date and attributes stay empty when the file cannot be found.
QString PlayFileInfoLine(const QString& path, const QString& formatText);

/// What a double click on the file name field does, without the wait cursor: asks the query
/// device for the format, reads the file's notes, and shows the information box, unless a stop is
/// pending or the window is closing.
void ShowCutFileInfo(const QString& path, WaveDevice& query, WaveDevice& player,
                     const SharedFlags& flags, Messenger& messenger);

} // namespace veskar
