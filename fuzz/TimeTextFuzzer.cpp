// The time texts of the lists (ParseTime, FormatTime), the times of the command line
// (ParseTimeArgument) and the integer fields of the silence panel over any text: whatever is
// accepted is a time a list can hold, and every time a list writes reads back as itself.
#include <QString>

#include "FuzzSupport.h"
#include "cli/TimeArgument.h"
#include "core/timelists/TimeText.h"
#include "core/wav/SilenceSettings.h"

namespace veskar::fuzz {
namespace {

// The list texts of t for a file of lengthMs, in both forms, read back as t by both readers.
void WrittenTimesReadBack(TimeMs t, TimeMs lengthMs) {
    TimeFormat format;
    format.SetFileLength(lengthMs);
    for (bool minutes : {false, true}) {
        format.SetMinutesMode(minutes);
        const QString text = format.FormatTime(t);
        FUZZ_CHECK(ParseTime(text) == t);
        if (minutes && text.indexOf('.') <= 6) {
            FUZZ_CHECK(cli::ParseTimeArgument(text) == t);
        }
    }
    FUZZ_CHECK(cli::ParseTimeArgument(QString::number(t)) == t);
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<TimeMs> t = ParseTime(text)) {
        FUZZ_CHECK(*t >= 0);
        fuzz::WrittenTimesReadBack(*t, *t);
    }
    if (const std::optional<TimeMs> t = cli::ParseTimeArgument(text)) {
        FUZZ_CHECK(*t >= 0);
        fuzz::WrittenTimesReadBack(*t, *t / 2 + 1);
    }
    FieldInteger(text);
    return 0;
}
