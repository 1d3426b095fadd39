#include "core/wav/WorkArea.h"

#include <atomic>
#include <cstring>
#include <new>

namespace veskar {

namespace {

std::atomic<int64_t> g_limit{-1};

bool CanObtain(int size) {
    const int64_t limit = g_limit.load();
    if (limit >= 0 && size > limit) {
        return false;
    }
    std::unique_ptr<uint8_t[]> probe(new (std::nothrow) uint8_t[size]);
    return probe != nullptr;
}

} // namespace

WorkAreaProbe ProbeWorkArea() {
    for (int size : {kLargeWorkArea, kSmallWorkArea}) {
        if (CanObtain(size)) {
            return {size, false};
        }
    }
    return {0, true};
}

void SetWorkAreaLimit(int64_t bytes) {
    g_limit.store(bytes);
}

int64_t WorkAreaLimit() {
    return g_limit.load();
}

std::unique_ptr<uint8_t[]> AllocateWorkArea(int size) {
    std::unique_ptr<uint8_t[]> area(new (std::nothrow) uint8_t[size + kWorkAreaSlack]);
    if (area) {
        std::memset(area.get() + size, 0, kWorkAreaSlack);
    }
    return area;
}

} // namespace veskar
