#include "cli/TimeArgument.h"

#include <cstdint>

#include <QRegularExpression>

#include "cli/Command.h"
#include "core/timelists/StartColors.h"

namespace veskar::cli {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerMinute = 60 * kMsPerSecond;
constexpr int64_t kMsPerHour = 60 * kMsPerMinute;

std::optional<TimeMs> Checked(int64_t ms) {
    return ms <= INT32_MAX ? std::optional<TimeMs>(static_cast<TimeMs>(ms)) : std::nullopt;
}

} // namespace

std::optional<TimeMs> ParseTimeArgument(const QString& text) {
    // The digit counts keep every part well inside 64 bits; the sum is checked against TimeMs.
    static const QRegularExpression kWholeMs(QStringLiteral("^[0-9]{1,10}$"));
    static const QRegularExpression kListForm(QStringLiteral("^([0-9]{1,6})\\.([0-9]{5})$"));
    // Hours and minutes (two digits), or minutes alone; then seconds and up to three decimals.
    static const QRegularExpression kClock(QStringLiteral(
        "^(?:([0-9]{1,3}):([0-9]{2})|([0-9]{1,5})):([0-9]{2})(?:\\.([0-9]{1,3}))?$"));

    if (kWholeMs.match(text).hasMatch()) {
        return Checked(text.toLongLong());
    }
    if (const auto list = kListForm.match(text); list.hasMatch()) {
        const int64_t msInMinute = list.captured(2).toLongLong();
        if (msInMinute >= kMsPerMinute) {
            return std::nullopt;
        }
        return Checked(list.captured(1).toLongLong() * kMsPerMinute + msInMinute);
    }
    const auto clock = kClock.match(text);
    if (!clock.hasMatch()) {
        return std::nullopt;
    }
    const bool hours = clock.hasCaptured(1);
    const int64_t minutes = (hours ? clock.captured(2) : clock.captured(3)).toLongLong();
    const int64_t seconds = clock.captured(4).toLongLong();
    if ((hours && minutes >= 60) || seconds >= 60) {
        return std::nullopt;
    }
    // ".5" is half a second: the decimals are filled up to milliseconds.
    const int64_t ms = clock.captured(5).leftJustified(3, QLatin1Char('0')).toLongLong();
    return Checked((hours ? clock.captured(1).toLongLong() * kMsPerHour : 0) +
                   minutes * kMsPerMinute + seconds * kMsPerSecond + ms);
}

QString NotATimeMessage(const QString& text) {
    return "\"" + text +
           "\" is not a time; give whole ms (71000), minutes.ms as the lists write it "
           "(1.11000), m:ss[.fff] (1:11) or h:mm:ss[.fff] (0:01:11)";
}

// TIME[:TAG]. A tag is one character, so two digits after the last ":" are the seconds of a
// clock time: "1:11" is 1 min 11 s, "1:11:2" the same time in red.
bool AddTimeArgument(CommandContext& context, const QString& arg, std::vector<TimeArg>& times) {
    const qsizetype colon = arg.lastIndexOf(':');
    const bool tagged = colon >= 0 && arg.size() - colon <= 2;
    const QString timeText = tagged ? arg.left(colon) : arg;
    const QString tag = tagged ? arg.mid(colon + 1) : QString();
    const std::optional<TimeMs> ms = ParseTimeArgument(timeText);
    if (!ms) {
        UsageError(context, NotATimeMessage(timeText));
        return false;
    }
    if (!tag.isEmpty() && StartColorCode(tag) == 0) {
        UsageError(context, "the tag of \"" + arg + "\" is not one of 1..6");
        return false;
    }
    times.push_back({*ms, tag});
    return true;
}

} // namespace veskar::cli
