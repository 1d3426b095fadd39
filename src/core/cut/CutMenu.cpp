#include "core/cut/CutMenu.h"

namespace veskar {

TimeMs LastLineStepMs(CutListKind list) {
    switch (list) {
    case CutListKind::ListBox_C:
    case CutListKind::ListBox_ALL:
        return -1;
    case CutListKind::ListBox_1ms:
        return 1;
    case CutListKind::ListBox_10ms:
        return 10;
    case CutListKind::ListBox_100ms:
        return 100;
    case CutListKind::ListBox_1s:
        return 1000;
    case CutListKind::ListBox_10s:
        return 10000;
    case CutListKind::ListBox_60s:
        return 60000;
    }
    return -1;
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

QString ListCaption(CutListKind list) {
    switch (list) {
    case CutListKind::ListBox_C:
        return QStringLiteral("登録リストのカット");
    case CutListKind::ListBox_ALL:
        return QStringLiteral("等間隔リストのカット");
    case CutListKind::ListBox_1ms:
        return QStringLiteral("1msリストのカット");
    case CutListKind::ListBox_10ms:
        return QStringLiteral("10msリストのカット");
    case CutListKind::ListBox_100ms:
        return QStringLiteral("100msリストのカット");
    case CutListKind::ListBox_1s:
        return QStringLiteral("1sリストのカット");
    case CutListKind::ListBox_10s:
        return QStringLiteral("10sリストのカット");
    case CutListKind::ListBox_60s:
        return QStringLiteral("60sリストのカット");
    }
    return {};
}

} // namespace

CutMenuState PrepareCutMenu(CutListKind list, bool startTimesEnabled, bool directCutPending) {
    CutMenuState state;
    state.title = ListCaption(list) + QStringLiteral("、メニュー(&X)");
    state.colorItemsVisible = list == CutListKind::ListBox_C;
    state.colorItemsEnabled = state.colorItemsVisible && startTimesEnabled;
    state.oneTimeCutEnabled = !directCutPending;
    state.oneTimeResetEnabled = directCutPending;
    return state;
}

} // namespace veskar
