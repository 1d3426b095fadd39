// Label tracks and cue sheets from other programs: any bytes either read as pieces a list can
// hold or are refused whole; what is read goes into a registered list that stays sorted and
// unique, or is refused leaving the list as it was; and written out again, the times read back.
#include <algorithm>

#include "FuzzSupport.h"
#include "core/timelists/CutPointFiles.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"

namespace veskar::fuzz {
namespace {

std::vector<TimeMs> Starts(const std::vector<CutPoint>& points) {
    std::vector<TimeMs> starts;
    for (const CutPoint& point : points) {
        starts.push_back(point.startMs);
    }
    return starts;
}

void CheckImport(const std::vector<CutPoint>& points, TimeMs lengthMs) {
    TimeFormat format;
    format.SetFileLength(lengthMs);
    RegisteredList list;
    list.InsertRegisteredTime(format.FormatTime(lengthMs / 2), "3", true);
    const QString refusal =
        ImportCutPoints(points, lengthMs, format, DefaultColorTagNames(), true, list);
    if (!refusal.isEmpty()) {
        FUZZ_CHECK(list.Count() == 1);
        return;
    }
    for (int i = 0; i + 1 < list.Count(); ++i) {
        FUZZ_CHECK(list.Text(i) < list.Text(i + 1));
    }
    FUZZ_CHECK(list.Tags().size() == list.Count());
    for (const CutPoint& point : points) {
        FUZZ_CHECK(point.startMs <= lengthMs);
        FUZZ_CHECK(list.Lines().IndexOf(format.FormatTime(point.startMs)) >= 0);
    }
}

} // namespace
} // namespace veskar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace veskar;
    const CutPointRead read = ReadCutPoints(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    FUZZ_CHECK(read.error.isEmpty() != read.points.empty());
    for (const CutPoint& point : read.points) {
        FUZZ_CHECK(point.startMs >= 0);
        FUZZ_CHECK(point.endMs == -1 || point.endMs > point.startMs);
    }
    if (read.points.empty()) {
        return 0;
    }
    const CutPointRead labels = ReadCutPoints(WriteLabelTrack(read.points));
    FUZZ_CHECK(labels.points.size() == read.points.size());
    for (size_t i = 0; i < read.points.size(); ++i) {
        FUZZ_CHECK(labels.points[i].startMs == read.points[i].startMs);
        FUZZ_CHECK(labels.points[i].endMs == read.points[i].endMs);
    }
    FUZZ_CHECK(fuzz::Starts(ReadCutPoints(WriteCueSheet(read.points, "a.wav")).points) ==
               fuzz::Starts(read.points));
    const TimeMs longest =
        std::max_element(read.points.begin(), read.points.end(),
                         [](const CutPoint& a, const CutPoint& b) { return a.startMs < b.startMs; })
            ->startMs;
    fuzz::CheckImport(read.points, longest);
    fuzz::CheckImport(read.points, longest / 2 + 1);
    return 0;
}
