#include "core/timelists/TimeLists.h"

#include <algorithm>

#include "core/host/EventPump.h"
#include "core/host/Messenger.h"

namespace veskar {

namespace {

const QString kListFull = QStringLiteral("登録数が範囲を超えました。");
const QString kNoTimes = QStringLiteral("タイムがありません・・・");
const QString kNoPosition = QStringLiteral("再生位置の取得に失敗しました・・・");
const QString kFillFailed = QStringLiteral("タイムの細分化に失敗しました・・・");
const QString kEmptySource = QStringLiteral("リストに登録データがありません・・・");
const QString kSelectData = QStringLiteral("データを選択して下さい☆☆☆");
const QString kZoneForced =
    QStringLiteral("「PLAY Mode」は「ゾーン」再生に、強制変更されました☆☆☆");

} // namespace

TimeLists::TimeLists() {
    for (int level = 0; level < kSubdivisionLevels; ++level) {
        slotLevels[level].assign(static_cast<size_t>(SubdivisionSlotCount(level)), -1);
    }
}

void TimeLists::ChooseFile(TimeMs lengthMs) {
    format.SetFileLength(lengthMs);
    for (auto& levels : intervalLevels) {
        levels.clear();
    }
    intervalIndex = IntervalIndexForMs(intervalMs);
    registered.ResetOverflow();
}

bool TimeLists::BuildIntervalList(int index, Messenger& messenger, EventPump& pump) {
    pump.ProcessEvents();
    intervalIndex = index;
    intervalMs = IntervalMsForIndex(index);
    if (!veskar::BuildIntervalList(format, intervalMs, interval)) {
        messenger.ShowMessage(kListFull);
        return false;
    }
    return true;
}

bool TimeLists::RebuildTimeLists(Messenger& messenger, EventPump& pump) {
    const bool built = BuildIntervalList(intervalIndex, messenger, pump);
    for (auto& list : subdivisions) {
        list.Clear();
    }
    registered.RewriteTexts([this](const QString& text) {
        const auto t = ParseTime(text);
        return t ? format.FormatTime(*t) : text;
    });
    return built;
}

template <typename List>
TimeLists::SubdivideResult TimeLists::SubdivideFromLine(int topLevel, List& source,
                                                        SpecialMode specialMode,
                                                        Messenger& messenger, EventPump& pump) {
    if (source.IsEmpty()) {
        messenger.ShowTimedMessage(kNoTimes, Messenger::Ok);
        return SubdivideResult::NoLines;
    }
    const int line = std::max(source.Lines().Current(), 0);
    source.SelectOnly(line);
    return SubdivideFromText(topLevel, source.Lines().Text(line), specialMode, messenger, pump);
}

namespace {
// TimeList and RegisteredList answer the same questions for SubdivideFromLine.
struct TimeListSource {
    TimeList& list;
    bool IsEmpty() const { return list.IsEmpty(); }
    const TimeList& Lines() const { return list; }
    void SelectOnly(int line) { list.SelectOnly(line); }
};
} // namespace

TimeLists::SubdivideResult TimeLists::SubdivideFromList(int topLevel, TimeList& source,
                                                        SpecialMode specialMode,
                                                        Messenger& messenger, EventPump& pump) {
    TimeListSource wrapped{source};
    return SubdivideFromLine(topLevel, wrapped, specialMode, messenger, pump);
}

TimeLists::SubdivideResult
TimeLists::SubdivideFromRegistered(SpecialMode specialMode, Messenger& messenger, EventPump& pump) {
    return SubdivideFromLine(kTopSubdivisionLevel, registered, specialMode, messenger, pump);
}

TimeLists::SubdivideResult
TimeLists::SubdivideFromPosition(const std::optional<QString>& queriedPosition,
                                 const QString& positionLabel, SpecialMode specialMode,
                                 Messenger& messenger, EventPump& pump) {
    const QString base = PositionBaseText(queriedPosition, positionLabel);
    if (base.isEmpty()) {
        messenger.ShowTimedMessage(kNoPosition, Messenger::Ok);
        return SubdivideResult::NoPosition;
    }
    return SubdivideFromText(kTopSubdivisionLevel, base, specialMode, messenger, pump);
}

TimeLists::SubdivideResult TimeLists::SubdivideFromText(int topLevel, const QString& baseText,
                                                        SpecialMode specialMode,
                                                        Messenger& messenger, EventPump& pump) {
    const auto base = ParseTime(baseText);
    if (!base) {
        messenger.ShowTimedMessage(kFillFailed, Messenger::Ok);
        return SubdivideResult::FillFailed;
    }
    for (int level = topLevel; level >= 0; --level) {
        if (level >= kSubdivisionLevels ||
            !FillSubdivision(format, level, topLevel, *base, specialMode, subdivisions[level],
                             &pump)) {
            messenger.ShowTimedMessage(kFillFailed, Messenger::Ok);
            return SubdivideResult::FillFailed;
        }
    }
    return SubdivideResult::Filled;
}

TimeLists::RegisterResult TimeLists::RegisterLines(const TimeList& source, bool withColor,
                                                   Messenger& messenger, const QStringList* marks) {
    if (source.IsEmpty()) {
        messenger.ShowTimedMessage(kEmptySource, Messenger::Ok);
        return RegisterResult::EmptySource;
    }
    // A silence list colours only its song starts, and always shows them in a colour.
    const QString colorTag = marks != nullptr ? SongStartTag(withColor, startColors)
                                              : RegistrationTag(withColor, startColors);
    int registeredCount = 0;
    for (const int line : source.SelectedIndexes()) {
        QString tag = colorTag;
        if (marks != nullptr && (line >= marks->size() || marks->at(line).isEmpty())) {
            tag.clear();
        }
        const auto result =
            registered.InsertRegisteredTime(source.Text(line), tag, startColors.startTimesEnabled);
        if (result != RegisteredList::InsertResult::Full) {
            ++registeredCount;
        }
    }
    if (registeredCount == 0) {
        messenger.ShowTimedMessage(kSelectData, Messenger::Ok);
        return RegisterResult::NothingSelected;
    }
    return RegisterResult::Registered;
}

TimeLists::RegisterResult TimeLists::RegisterPosition(bool withColor,
                                                      const std::optional<QString>& queriedPosition,
                                                      const QString& positionLabel,
                                                      Messenger& messenger) {
    const auto t = ParseTime(PositionBaseText(queriedPosition, positionLabel));
    if (!t) {
        messenger.ShowTimedMessage(kNoPosition, Messenger::Ok);
        return RegisterResult::NoPosition;
    }
    const auto result = registered.InsertRegisteredTime(format.FormatTime(*t),
                                                        RegistrationTag(withColor, startColors),
                                                        startColors.startTimesEnabled);
    return result == RegisteredList::InsertResult::Full ? RegisterResult::Full
                                                        : RegisterResult::Registered;
}

int TimeLists::DeleteSelected(CutPlayMode& playMode, Messenger& messenger) {
    const bool forceZone = playMode == CutPlayMode::Continuous || playMode == CutPlayMode::Skip;
    if (forceZone) {
        playMode = CutPlayMode::Zone;
    }
    const int deleted = registered.DeleteSelected();
    if (forceZone) {
        messenger.ShowTimedMessage(kZoneForced, Messenger::Ok);
    }
    return deleted;
}

void TimeLists::SetStartColor(int code) {
    registered.SetTagOfSelected(code >= 1 && code < kStartColorCount ? QString::number(code)
                                                                     : QString());
}

std::optional<int> TimeLists::IntervalLineLevel(int line,
                                                const LevelDisplayOptions& options) const {
    if (!options.colorLevels || intervalIndex < 0 || intervalIndex >= kIntervalChoices ||
        line < 0) {
        return std::nullopt;
    }
    const auto& levels = intervalLevels[static_cast<size_t>(intervalIndex)];
    if (static_cast<size_t>(line) >= levels.size() || levels[static_cast<size_t>(line)] <= -99) {
        return std::nullopt;
    }
    return levels[static_cast<size_t>(line)];
}

std::optional<int> TimeLists::SubdivisionLineLevel(int level, int line,
                                                   const LevelDisplayOptions& options) const {
    if (!options.colorLevels || level < 0 || level >= kSubdivisionLevels || line < 0 ||
        (level == 4 && !options.color10s) || (level == 5 && !options.color60s)) {
        return std::nullopt;
    }
    const auto& levelSlots = slotLevels[static_cast<size_t>(level)];
    if (static_cast<size_t>(line) >= levelSlots.size() ||
        levelSlots[static_cast<size_t>(line)] < 0) {
        return std::nullopt;
    }
    return levelSlots[static_cast<size_t>(line)];
}

std::vector<int> TimeLists::LevelsToMeasure(int topLevel, const LevelDisplayOptions& options) {
    std::vector<int> levels;
    if (!options.colorLevels) {
        return levels;
    }
    if (options.color60s && topLevel == 5) {
        levels.push_back(5);
    }
    if (options.color10s && topLevel >= 4) {
        levels.push_back(4);
    }
    for (int level = std::min(topLevel, 3); level >= 0; --level) {
        levels.push_back(level);
    }
    return levels;
}

QString PositionBaseText(const std::optional<QString>& queriedPosition,
                         const QString& positionLabel) {
    return queriedPosition.value_or(positionLabel + QStringLiteral("000")).trimmed();
}

} // namespace veskar
