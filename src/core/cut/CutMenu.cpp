#include "core/cut/CutMenu.h"

#include "core/timelists/StartColors.h"
#include "core/timelists/Subdivision.h"

namespace veskar {

TimeMs LastLineStepMs(TimeListId list) {
    const int level = SubdivisionLevelOf(list);
    return level < 0 ? -1 : SubdivisionStepMs(level);
}

CutCommand ColorCutCommand(int code) {
    static constexpr CutCommand kCommands[] = {
        CutCommand::WAV_CUT_ST,      CutCommand::WAV_CUT_ST_Blue,   CutCommand::WAV_CUT_ST_Red,
        CutCommand::WAV_CUT_ST_Lime, CutCommand::WAV_CUT_ST_Yellow, CutCommand::WAV_CUT_ST_Aqua,
        CutCommand::WAV_CUT_ST_Pink};
    return code >= 1 && code < kStartColorCount ? kCommands[code] : kCommands[0];
}

bool CutTakesLine(const QString& colorFilter, const QString& tag, bool selected) {
    if (colorFilter.isEmpty()) {
        return selected;
    }
    return colorFilter == "@" ? !tag.isEmpty() : tag == colorFilter;
}

int CutLabelIndex(const QString& tag) {
    bool isNumber = false;
    const int number = tag.toInt(&isNumber);
    return isNumber && number >= 0 && number < kStartColorCount ? number : 0;
}

QString ColorFilterOf(CutCommand command) {
    switch (command) {
    case CutCommand::WAV_CUT:
    case CutCommand::WAV_CUT_ALL:
        return {};
    case CutCommand::WAV_CUT_ST:
        return QStringLiteral("@");
    case CutCommand::WAV_CUT_ST_Blue:
        return QStringLiteral("1");
    case CutCommand::WAV_CUT_ST_Red:
        return QStringLiteral("2");
    case CutCommand::WAV_CUT_ST_Lime:
        return QStringLiteral("3");
    case CutCommand::WAV_CUT_ST_Yellow:
        return QStringLiteral("4");
    case CutCommand::WAV_CUT_ST_Aqua:
        return QStringLiteral("5");
    case CutCommand::WAV_CUT_ST_Pink:
        return QStringLiteral("6");
    }
    return {};
}

namespace {

QString ListCaption(TimeListId list) {
    const int level = SubdivisionLevelOf(list);
    if (level >= 0) {
        return QString::fromLatin1(SubdivisionCaption(level)) + QStringLiteral("リストのカット");
    }
    if (list == TimeListId::Interval) {
        return QStringLiteral("等間隔リストのカット");
    }
    return QStringLiteral("登録リストのカット");
}

} // namespace

CutMenuState PrepareCutMenu(TimeListId list, bool startTimesEnabled, bool directCutPending) {
    CutMenuState state;
    state.title = ListCaption(list) + QStringLiteral("、メニュー(&X)");
    state.colorItemsVisible = list == TimeListId::Registered;
    state.colorItemsEnabled = state.colorItemsVisible && startTimesEnabled;
    state.oneTimeCutEnabled = !directCutPending;
    state.oneTimeResetEnabled = directCutPending;
    return state;
}

} // namespace veskar
