#include "core/timelists/StartColors.h"

namespace veskar {

namespace {

constexpr StartColorStyle kStyles[kStartColorCount] = {
    {0, 0},               // none: never used
    {0x0000FF, 0xFFFFFF}, // blue, white text
    {0xFF0000, 0xFFFFFF}, // red, white text
    {0x00FF00, 0x000000}, // lime, black text
    {0xFFFF00, 0x000000}, // yellow, black text
    {0x00FFFF, 0x000000}, // aqua, black text
    {0xFF00FF, 0xFFFFFF}, // pink (fuchsia), white text
};

bool IsColor(int code) {
    return code >= 1 && code < kStartColorCount;
}

} // namespace

int StartColorCode(QStringView tag) {
    if (tag.isEmpty()) {
        return 0;
    }
    const int code = tag.front().unicode() - u'0';
    return IsColor(code) ? code : 0;
}

std::optional<StartColorStyle> StartColorStyleOf(int code) {
    if (!IsColor(code)) {
        return std::nullopt;
    }
    return kStyles[code];
}

QString StartColorWord(int code) {
    static const char16_t* const words[kStartColorCount] = {u"無印", u"青",   u"赤",    u"緑",
                                                            u"黄色", u"水色", u"ピンク"};
    return code >= 0 && code < kStartColorCount ? QString::fromUtf16(words[code]) : QString();
}

QChar StartColorKey(int code) {
    static constexpr char keys[kStartColorCount + 1] = "NBRGYMP";
    return code >= 0 && code < kStartColorCount ? QChar(keys[code]) : QChar();
}

QStringList DefaultColorTagNames() {
    return {QString(),
            QStringLiteral("Blue"),
            QStringLiteral("Red"),
            QStringLiteral("Lime"),
            QStringLiteral("Yellow"),
            QStringLiteral("Aqua"),
            QStringLiteral("Pink")};
}

StartColorSettings DefaultStartColorSettings() {
    StartColorSettings settings;
    settings.colorTagNames = DefaultColorTagNames();
    return settings;
}

QString RegistrationTag(bool withColor, const StartColorSettings& settings) {
    if (withColor && settings.startTimesEnabled && IsColor(settings.defaultStartColor)) {
        return QString::number(settings.defaultStartColor);
    }
    return QString();
}

int SongStartColor(const StartColorSettings& settings) {
    return settings.startTimesEnabled && IsColor(settings.defaultStartColor)
               ? settings.defaultStartColor
               : 1;
}

QString SongStartTag(bool withColor, const StartColorSettings& settings) {
    if (withColor && settings.startTimesEnabled) {
        return QString::number(SongStartColor(settings));
    }
    return QString();
}

std::optional<uint32_t> ContinuousTargetColor(const StartColorSettings& settings) {
    if (!settings.startTimesEnabled || !IsColor(settings.continuousTarget)) {
        return std::nullopt;
    }
    return kStyles[settings.continuousTarget].background;
}

QString ContinuousTargetItemCaption(int target) {
    if (!IsColor(target)) {
        return QStringLiteral("スタートタイムすべて(&L)");
    }
    return StartColorWord(target) + QStringLiteral("のみ(&") + StartColorKey(target) + u')';
}

QString ContinuousTargetMenuCaption(int target) {
    QString chosen = QStringLiteral("すべて");
    if (IsColor(target)) {
        const QString item = ContinuousTargetItemCaption(target);
        chosen = item.left(item.indexOf(u'('));
    }
    return QStringLiteral("連続再生対象選択　") + chosen + QStringLiteral(" (&R)");
}

QString ClassificationItemCaption(int code, const QString& name) {
    return StartColorWord(code) + QStringLiteral(" > ") + name + QStringLiteral("(&") +
           StartColorKey(code) + u')';
}

QString ClassificationInputTitle() {
    return QStringLiteral("色別、分類名(ファイル名の最後に付加)　　　　　　　　");
}

} // namespace veskar
