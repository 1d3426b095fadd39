#pragma once

#include <array>
#include <optional>

#include <QPoint>
#include <QString>

#include "core/settings/Paths.h"

namespace veskar {

/// The values the settings store keeps, as the window holds them in force. Every field starts at
/// the default a missing or invalid stored value gets, so a default-constructed Settings is what
/// a first start reads. Values whose control the window does not have yet are carried through
/// unchanged from start-up to close.
struct Settings {
    // Read at form creation.
    std::optional<QPoint> position; ///< "FP": left and top of the window; none: centred
    QString saveDir = QString::fromLatin1(kFolderNotSet); ///< "SAVE_DIR" (`SaveDir`)

    // Read during the deferred start-up.
    QString chopDir = QString::fromLatin1(kFolderNotSet); ///< "BG_DIR" (`ChopDir`)
    bool minutes = true;                                  ///< "FUN": times in minutes
    QString filterText;                           ///< "KAKU_S": selected extension filter entry
    int folderViewMode = 1;                       ///< "DirNo": 0 folder tree, else folder list
    QString currentPath = DefaultBrowserFolder(); ///< "CPath" (`CurrentPath`)
    int memoryIndex = -1;                         ///< "M_Index"
    bool miniHelp = true;                         ///< "minihelp"
    bool standardBackColor = false;               ///< "BackColor"
    bool noMemo = false;           ///< "No_Memo": the cut record is not shown after a run
    bool memorySort = false;       ///< "M_SORT"
    bool startTimesEnabled = true; ///< "Start_TM"
    int continuousTarget = 0;      ///< "RENZOKU", 0..6
    int defaultStartColor = 0;     ///< "PTS", 0..6
    bool fileOnly = false;         ///< "FileOnly"
    bool autoName = true;          ///< "AUTO_NAME": short generated names
    bool auto83 = false;           ///< "AUTO_83": 8.3 generated names
    bool chopAuto83 = false;       ///< "PBG_AUTO_83"
    int chopMinutes = 15;          ///< "TBM", 1..1000
    bool kotanColor = true;        ///< "KOTAN_COLOR"
    bool saveName = false;         ///< "SAVE_NAME": the user names every split file
    bool listRightClickOff = true; ///< "TSR_MUKOU"
    int overviewHeight = 100;      ///< "OV_H": the overview strip's height, 0 hidden
    QString dirText;               ///< "DIR_Text": file row reselected at start
    int startProbeItem = 5;        ///< "ST5", 0..11
    int endProbeItem = 5;          ///< "EN5", 0..11
    int silentEndProbeItem = 1;    ///< "ME1", 0..5
    int silentStartProbeItem = 1;  ///< "MS1", 0..5
    int edgeProbeItem = 4;         ///< "SE5", 0..8
    QString preset16;              ///< "TL16_S": selected 16-bit silence preset
    QString preset08;              ///< "TL08_S": selected 8-bit silence preset
    bool color1s = true;           ///< "1sColor"
    bool color10s = false;         ///< "10sColor"
    bool color60s = false;         ///< "60sColor"
    int playModePreset = 2;        ///< "Play_Mode", 0..6
    bool playModeStartOnly = true; ///< "PM_START"
    QString memoryListName;        ///< "M_Fn" (`MemoryListName`); empty: the first list
    QString filePlayModeText;      ///< "PLAY_M": selected ComboBox_PM entry text
    std::array<int, 3> cutMasterPresets{8, 10, 20};  ///< "VMM0".."VMM2"
    std::array<int, 3> cutWavePresets{8, 10, 20};    ///< "VWM0".."VWM2"
    std::array<int, 3> fileMasterPresets{8, 10, 20}; ///< "VM0".."VM2"
    std::array<int, 3> fileWavePresets{8, 10, 20};   ///< "VW0".."VW2"
    int introIndex = 3;                              ///< "TPM_I", 0..9
    int edgeIndex = 5;                               ///< "TPM_FE", 0..9
    bool cutSpeedUp = true;                          ///< "MO_CS_UP"
    bool numericLevels = true;                       ///< "MO_SL_OUT"
    int screenAtClose = 1;    ///< "ST_DFF": 0 the split screen, else the file screen
    int introStartS = 0;      ///< "I_ST", seconds, not negative
    int introEndS = 10;       ///< "I_EN", seconds, above introStartS
    int chopRateItem = 7;     ///< "TWR", 0..8
    int chopBitsItem = 1;     ///< "TWB", 0..1
    int chopChannelsItem = 1; ///< "TWC", 0..1
    QString group;            ///< "Group": program group chosen at setup

    bool operator==(const Settings&) const = default;
};

/// The silence fields of the older program version, taken over once at start-up.
struct OlderSilenceFields {
    QString recognition = QStringLiteral("500");     ///< "Ninshiki_Time"
    std::array<std::optional<QString>, 6> durations; ///< "EMT0".."EMT5", when numeric
    std::array<std::optional<QString>, 6> levels;    ///< "EML0".."EML5", when numeric
};

} // namespace veskar
