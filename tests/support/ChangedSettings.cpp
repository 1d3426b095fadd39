#include "support/ChangedSettings.h"

namespace veskar::test {

Settings ChangedSettings(const QString& home) {
    Settings s;
    s.position = QPoint(0, 0);
    s.saveDir = home + "/Ünïcödé 😀/한국어/";
    s.chopDir = home + "/Ünïcödé 😀/bg/";
    s.minutes = false;
    s.filterText = "*.AIF;*.WAV";
    s.folderViewMode = 0;
    s.currentPath = home + "/音楽,1";
    s.memoryIndex = 4;
    s.miniHelp = false;
    s.standardBackColor = true;
    s.noMemo = true;
    s.memorySort = true;
    s.startTimesEnabled = false;
    s.continuousTarget = 3;
    s.defaultStartColor = 4;
    s.fileOnly = true;
    s.autoName = false;
    s.auto83 = true;
    s.chopAuto83 = true;
    s.chopMinutes = 999;
    s.kotanColor = false;
    s.saveName = true;
    s.listRightClickOff = false;
    s.overviewHeight = 0;
    s.dirText = "@take 1.wav";
    s.startProbeItem = 11;
    s.endProbeItem = 0;
    s.silentEndProbeItem = 5;
    s.silentStartProbeItem = 0;
    s.edgeProbeItem = 7;
    s.preset16 = "LP 片面";
    s.preset08 = "tape";
    s.color1s = false;
    s.color10s = true;
    s.color60s = true;
    s.playModePreset = 0;
    s.playModeStartOnly = false;
    s.memoryListName = "メモリー2";
    s.filePlayModeText = "シャッフル";
    s.cutMasterPresets = {1, 2, 3};
    s.cutWavePresets = {4, 5, 6};
    s.fileMasterPresets = {7, 8, 9};
    s.fileWavePresets = {10, 11, 12};
    s.introIndex = 9;
    s.edgeIndex = 0;
    s.cutSpeedUp = false;
    s.numericLevels = false;
    s.screenAtClose = -1;
    s.introStartS = 12;
    s.introEndS = 95;
    s.chopRateItem = 8;
    s.chopBitsItem = 0;
    s.chopChannelsItem = 0;
    return s;
}

} // namespace veskar::test
