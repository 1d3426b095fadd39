#pragma once

#include <functional>

#include <QDateTime>
#include <QString>

#include "core/cut/DirectCut.h"
#include "core/host/Host.h"

namespace veskar {

class CutRecord;
class CutTarget;
class TextViewer;
struct SharedFlags;

/// What the direct-cut commands work with besides the file.
struct DirectCutServices {
    Host host;
    SharedFlags& flags;
    CutRecord& record;
    TextViewer& viewer;
    QString workDir;     ///< where "CUT$$$$.TXT" is written
    bool noMemo = false; ///< `MF_No_Memo`
    QDateTime now;       ///< the time of the record's lines
};

/// `P_1TIME_CUTClick` without its window work: asks (timed, default No), then keeps of the cut
/// file only the segment that starts at the target list's first selected line, records it and
/// shows the record. True when it ran to its end: the window then chooses the cut file again,
/// keeping the record's pending state.
bool DirectCutCommand(const QString& cutFile, const CutTarget& target, DirectCutRecord& state,
                      DirectCutServices& services);

/// `P_1TIME_RESETClick`: the complete restore; once the file is restored, chooseAgain makes it
/// the cut file again before the user is told.
void RestoreCommand(const QString& cutFile, DirectCutRecord& state, Host host,
                    const SharedFlags& flags, const std::function<void()>& chooseAgain);

/// `PCM_FUKUGENClick`: the forced restore, after a question (timed, default No); as
/// RestoreCommand otherwise.
void ForceRestoreCommand(const QString& cutFile, const DirectCutRecord& state, Host host,
                         const SharedFlags& flags, const std::function<void()>& chooseAgain);

} // namespace veskar
