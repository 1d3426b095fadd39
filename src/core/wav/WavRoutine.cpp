#include "core/wav/WavRoutine.h"

namespace veskar {

namespace {

constexpr char kNotCovered[] = "圧縮データは対象外です";
constexpr char kCannotConvert[] = "圧縮データは変換できません";

} // namespace

const RoutineTraits& TraitsOf(WavRoutine routine) {
    static const RoutineTraits fileReader{"GW", true, true, ReadUnit::Bytes40ms, true, kNotCovered};
    static const RoutineTraits intervalPeaks{"GPT", false,      false, ReadUnit::OneSecond,
                                             true,  kNotCovered};
    static const RoutineTraits silences{"GWM", false,      false, ReadUnit::OneSecond,
                                        true,  kNotCovered};
    static const RoutineTraits listLevels{"GWPD", false,      false, ReadUnit::OneSecond,
                                          true,   kNotCovered};
    static const RoutineTraits rangePeak{"GWP", false,      false, ReadUnit::OneSecond,
                                         true,  kNotCovered};
    static const RoutineTraits chopCut{"BG", false,         true, ReadUnit::Bytes40ms,
                                       true, kCannotConvert};
    static const RoutineTraits directCut{"MW", false, false, ReadUnit::None, true, kCannotConvert};
    // Restoring puts back what a direct cut removed, so a file whose data the cut emptied must
    // still open.
    static const RoutineTraits restore{"MW", false, false, ReadUnit::None, false, kCannotConvert};
    static const RoutineTraits envelope{"GOV", false,      false, ReadUnit::OneSecond,
                                        true,  kNotCovered};
    switch (routine) {
    case WavRoutine::FileReader:
        return fileReader;
    case WavRoutine::IntervalPeaks:
        return intervalPeaks;
    case WavRoutine::SilenceDetection:
        return silences;
    case WavRoutine::ListLevels:
        return listLevels;
    case WavRoutine::RangePeak:
        return rangePeak;
    case WavRoutine::ChopCut:
        return chopCut;
    case WavRoutine::DirectCut:
        return directCut;
    case WavRoutine::Restore:
        return restore;
    case WavRoutine::Envelope:
        return envelope;
    }
    return fileReader;
}

QString SiteMessage(const QString& body, const QString& siteCode) {
    return body + QStringLiteral("・・・") + siteCode;
}

QString SiteMessage(const QString& body, WavRoutine routine) {
    return SiteMessage(body, SiteCode(routine));
}

} // namespace veskar
