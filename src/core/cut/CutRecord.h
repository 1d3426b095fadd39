#pragma once

#include <optional>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/timelists/TimeMs.h"
#include "core/wav/WavInfo.h"

namespace veskar {

class Messenger;
class TextViewer;

/// The commands that ask for the record to be shown. With `MF_No_Memo` ticked only the first
/// three still open the viewer; every other request just writes the file.
enum class RecordRequest {
    MF_KIROKU,    ///< "カット記録一覧表示."
    MF_KIROKUCLR, ///< "カット記録を削除する..." (shown one last time before it is emptied)
    MainWindow,   ///< the main window closing
    CutRun,       ///< the end of a cut run
    DirectCut,    ///< the direct one-time cut
};

/// `CutRecord`: one line per written segment file since start-up, oldest first. It lives in
/// memory only; "CUT$$$$.TXT" in the work folder is a copy written for showing.
class CutRecord {
public:
    static constexpr char kFileName[] = "CUT$$$$.TXT";
    /// Reported for any failure while the record file is written or shown.
    static constexpr char kShowError[] = "CUT一覧ｴﾗｰ：メモリーが確保できません";

    const QStringList& Lines() const { return m_lines; }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    void Add(const QString& line) { m_lines << line; }
    void Clear() { m_lines.clear(); }

    /// The line of a file that reads back as WAV: "%5s%11s%12.0n %s %s" of the reader's
    /// formatCode, lengthText, the file size already formatted with thousands separators, the
    /// file name and its folder (with the trailing separator). Widths are minimum widths,
    /// right-aligned; longer texts are kept whole, and a length or size that fills its width
    /// is still set off by one blank.
    static QString FullLine(const QString& formatCode, const QString& lengthText,
                            const QString& fileSizeText, const QString& fileName,
                            const QString& folder);

    /// FullLine of a file the reader accepted.
    static QString FullLine(const WavInfo& info);

    /// The line of a written file that does not read back: the date "yy/mm/dd ddd hh:mm:ss ",
    /// two blanks, the length (minutes "m" five-digit ms with `MO_FUN`, else seconds "s"
    /// three-digit ms; "---s" when no length is known), two blanks and the path.
    static QString ShortLine(const QDateTime& now, std::optional<TimeMs> lengthMs, bool minutes,
                             const QString& path);

    /// The text of "CUT$$$$.TXT" (CR LF line ends): title with the date, the count line,
    /// dashes, the lines, dashes.
    QString FileText(const QDateTime& now) const;

private:
    QStringList m_lines;
};

/// "yy/mm/dd ddd hh:mm:ss " with the English day names "Sun".."Sat" whatever the locale
/// (the final blank is part of the format).
QString RecordDateText(const QDateTime& time);

/// `ShowCutRecord`: when the record holds a line, writes workDir + "CUT$$$$.TXT" (replacing
/// it; the folder is created if missing) and, unless noMemo suppresses it for this request,
/// asks the viewer to show it. Any failure is reported with `CutRecord::kShowError`; the
/// record itself is never changed. Returns true when nothing failed.
bool ShowCutRecord(const CutRecord& record, RecordRequest request, bool noMemo,
                   const QString& workDir, const QDateTime& now, TextViewer& viewer,
                   Messenger& messenger);

/// `MF_KIROKUCLRClick`: asks (timed, default No) and, on Yes, shows the record one last time
/// and empties it (kept when it could not be shown); on No says that nothing was deleted.
void ClearCutRecord(CutRecord& record, const QString& workDir, const QDateTime& now,
                    TextViewer& viewer, Messenger& messenger);

/// `MF_CUT_TXTClick`: shows the record file of an earlier session as it is, without writing.
bool ShowLastCutRecordFile(const QString& workDir, TextViewer& viewer, Messenger& messenger);

/// Enabled state of the record items when the file menu `MFile0` opens.
struct RecordMenuState {
    bool cutTxtEnabled = false;    ///< `MF_CUT_TXT` "前回のカット一覧再表示..."
    bool kirokuEnabled = false;    ///< `MF_KIROKU`
    bool kirokuClrEnabled = false; ///< `MF_KIROKUCLR`
};
RecordMenuState PrepareRecordMenu(const CutRecord& record, const QString& workDir);

} // namespace veskar
