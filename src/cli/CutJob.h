#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "cli/Command.h"
#include "core/cut/CutMenu.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"

namespace veskar {
class ProgressBox;
class RegisteredList;
} // namespace veskar

namespace veskar::cli {

/// What the commands that cut share: the source, the folder and how files are named.
struct CutJob {
    QString file;
    QString outDir;
    QString naming = QStringLiteral("short"); ///< long, short or 8.3
    bool minutes = false;
    QStringList labels = DefaultColorTagNames();
};

/// The list texts of the file's lines, which follow its length as in the window. A file that
/// cannot be read gets the widths of no file; the run reports it.
TimeFormat CutTimeFormat(const QString& file, bool minutes);

/// One written piece: its range and where it went.
struct WrittenPiece {
    TimeMs startMs = 0;
    TimeMs endMs = 0;
    QString path;
    QString recordLine;
};

/// How a cut went: exit status Success only when every chosen line was written.
struct CutOutcome {
    int exitCode = Failure;
    std::vector<WrittenPiece> written;
};

/// What a cut prints on out besides the files it writes.
struct CutPrinting {
    bool records = true; ///< each record line as its file is written
    bool summary = true; ///< "カット終了☆☆☆" / "お疲れ様☆☆☆" or nothing cut
    /// Called before each record line, e.g. to take a progress line off the terminal.
    std::function<void()> beforeRecord;
};

/// Cuts the chosen lines of registered into the job's folder (made when missing); every
/// message of the system goes to err. progress, when given, shows how far the run got.
CutOutcome RunCutJob(CommandContext& context, const CutJob& job, CutCommand command,
                     RegisteredList& registered, const TimeFormat& format,
                     CutPrinting printing = {}, ProgressBox* progress = nullptr);

/// Parses --naming; false after the usage error.
bool ParseNaming(CommandContext& context, const QString& naming);

} // namespace veskar::cli
