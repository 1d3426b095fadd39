#include "core/play/PlayModes.h"

namespace veskar {

QStringList CutPlayModeItems() {
    return {"end", "ゾーン", "連続", "スキップ", "リピート", "OFF"};
}

QStringList SpecialModeItems() {
    return {"Start 5", "end　5", "無E100", "無S100", "前後 5s", "OFF"};
}

QStringList FilePlayModeEntries() {
    return {"OFF", "連続再生", "逆連再生", "単独再生", "ランダム", "シャッフル"};
}

QStringList FileSpecialModeEntries() {
    return {"OFF", "イントロ10", "前後5秒", "２倍", "５倍", "１０倍"};
}

int FilePlayModeFromText(const QString& text) {
    const int index = static_cast<int>(FilePlayModeEntries().indexOf(text));
    return index > 0 ? index : 1;
}

int ProbeItemCount(ProbeMenu menu) {
    switch (menu) {
    case ProbeMenu::Start:
    case ProbeMenu::End:
        return 12;
    case ProbeMenu::SilentEnd:
    case ProbeMenu::SilentStart:
        return 6;
    case ProbeMenu::Edge:
        return 9;
    }
    return 0;
}

int DefaultProbeItem(ProbeMenu menu) {
    switch (menu) {
    case ProbeMenu::Start:
    case ProbeMenu::End:
        return 5;
    case ProbeMenu::SilentEnd:
    case ProbeMenu::SilentStart:
        return 1;
    case ProbeMenu::Edge:
        return 4;
    }
    return 0;
}

TimeMs ProbeItemMs(ProbeMenu menu, int item) {
    if (item < 0 || item >= ProbeItemCount(menu)) {
        item = DefaultProbeItem(menu);
    }
    switch (menu) {
    case ProbeMenu::Start:
    case ProbeMenu::End:
        if (item == 0) {
            return 1000;
        }
        return item <= 9 ? item * 100 : (item - 8) * 1000;
    case ProbeMenu::SilentEnd:
    case ProbeMenu::SilentStart:
        return item == 0 ? 50 : item * 100;
    case ProbeMenu::Edge: {
        static const int kSeconds[] = {1, 2, 3, 4, 5, 7, 10, 15, 20};
        return kSeconds[item] * 1000;
    }
    }
    return 0;
}

QString ProbeCaption(ProbeMenu menu, int item) {
    const TimeMs ms = ProbeItemMs(menu, item);
    switch (menu) {
    case ProbeMenu::Start:
    case ProbeMenu::End: {
        const QString value = ms % 1000 == 0 ? " " + QString::number(ms / 1000) + "s"
                                             : (" " + QString::number(ms)).right(4);
        return (menu == ProbeMenu::Start ? "S" : "E") + value;
    }
    case ProbeMenu::SilentEnd:
    case ProbeMenu::SilentStart:
        return (menu == ProbeMenu::SilentEnd ? QString("無E") : QString("無S")) +
               (QString::number(ms) + " ").left(3);
    case ProbeMenu::Edge:
        return "前後" + QString::number(ms / 1000).rightJustified(2) + "s";
    }
    return {};
}

SpecialMode ProbeMenuMode(ProbeMenu menu) {
    switch (menu) {
    case ProbeMenu::Start:
        return SpecialMode::StartProbe;
    case ProbeMenu::End:
        return SpecialMode::EndProbe;
    case ProbeMenu::SilentEnd:
        return SpecialMode::SilentEndProbe;
    case ProbeMenu::SilentStart:
        return SpecialMode::SilentStartProbe;
    case ProbeMenu::Edge:
        return SpecialMode::Edges;
    }
    return SpecialMode::Off;
}

void ApplyProbeItem(ProbeLengths& lengths, ProbeMenu menu, int item) {
    const TimeMs ms = ProbeItemMs(menu, item);
    switch (menu) {
    case ProbeMenu::Start:
        lengths.startMs = ms;
        break;
    case ProbeMenu::End:
        lengths.endMs = ms;
        break;
    case ProbeMenu::SilentEnd:
        lengths.silentEndMs = ms;
        break;
    case ProbeMenu::SilentStart:
        lengths.silentStartMs = ms;
        break;
    case ProbeMenu::Edge:
        lengths.edgeMs = ms;
        break;
    }
}

int FileModeSeconds(int index) {
    static const int kSeconds[kFileModeSecondsCount] = {30, 20, 15, 10, 7, 5, 4, 3, 2, 1};
    if (index < 0 || index >= kFileModeSecondsCount) {
        return 10;
    }
    return kSeconds[index];
}

namespace {

QStringList SecondsItems(int defaultIndex) {
    QStringList items;
    for (int i = 0; i < kFileModeSecondsCount; ++i) {
        QString item = QString::number(FileModeSeconds(i));
        if (i == defaultIndex) {
            item += " (初期値)";
        }
        items << item;
    }
    return items;
}

} // namespace

QStringList IntroMenuItems() {
    return SecondsItems(kDefaultIntroIndex);
}

QStringList EdgeMenuItems() {
    return SecondsItems(kDefaultEdgeIndex);
}

QString IntroEntryCaption(int index) {
    return "イントロ" + QString::number(FileModeSeconds(index));
}

QString IntroMenuCaption(int index) {
    return IntroEntryCaption(index) + "(&I)";
}

QString EdgeEntryCaption(int index) {
    return "前後 " + QString::number(FileModeSeconds(index)) + "s";
}

QString EdgeMenuCaption(int index) {
    return EdgeEntryCaption(index) + "(&F)";
}

void PlayModePreset::Choose(int item) {
    if (item >= 0 && item < kItems) {
        m_item = item;
    }
}

std::optional<CutPlayMode> PlayModePreset::ModeAtStartup() const {
    if (m_item < 1) {
        return std::nullopt;
    }
    return static_cast<CutPlayMode>(m_item - 1);
}

std::optional<CutPlayMode> PlayModePreset::ModeForNewFile() const {
    if (m_startOnly) {
        return std::nullopt;
    }
    return ModeAtStartup();
}

QString PlayModePreset::Title() {
    return "ファイル切り替え時の初期設定メニュー";
}

QStringList PlayModePreset::ItemCaptions() {
    return QStringList{"変更しない"} + CutPlayModeItems();
}

QString PlayModePreset::StartOnlyCaption() {
    return "起動時のみ";
}

} // namespace veskar
