#include "engine/Positions.h"

#include <algorithm>

namespace engine {
namespace {

constexpr int64_t kMax31 = 0x7FFFFFFF;

}  // namespace

int32_t RecordToPositionOf(int32_t record, int32_t recordCount, int32_t scale) {
    const int64_t steps = static_cast<int64_t>(scale) + 1;
    int64_t n = static_cast<int64_t>(recordCount) + 1;
    int64_t r = std::max<int32_t>(record, 0);
    while (steps * n > kMax31) {
        n >>= 1;
        r >>= 1;
    }
    // The shift can bring n down to 0; the divisor stays at least 1.
    n = std::max<int64_t>(n, 1);
    return static_cast<int32_t>(std::min<int64_t>(steps * r / n, scale));
}

int32_t PositionToRecordOf(int32_t position, int32_t recordCount, int32_t scale) {
    const int64_t steps = static_cast<int64_t>(scale) + 1;
    const int64_t n = static_cast<int64_t>(recordCount) + 1;
    const int64_t b = n / steps;
    const int64_t product = static_cast<int64_t>(position) * n;
    const int64_t start = product > kMax31 ? b * position : product / steps;
    return static_cast<int32_t>(start + b - b / 2);
}

int AssumedItems(int capacity) {
    return capacity - capacity / 4;
}

int32_t KeyToPositionOf(int c0, int r0, int c1, int r1, int e, int32_t scale) {
    const int64_t share = static_cast<int64_t>(e) + 1;
    int64_t p = 1;
    if (!(r1 == 1 && r0 == 0)) {
        const int64_t halves = 2 * static_cast<int64_t>(r1) * share / std::max(c1, 1);
        p = (halves + 1) / 2 + share * r0;
    }
    const int64_t result = p * (static_cast<int64_t>(scale) + 1) / (share * (c0 + 1));
    return static_cast<int32_t>(std::min<int64_t>(result, scale));
}

RootSlot RootSlotOf(int c0, int e, int32_t position, int32_t scale) {
    const int64_t share = static_cast<int64_t>(e) + 1;
    const int64_t total = share * (c0 + 1);
    const int64_t h = total / scale;
    int64_t u = total * position / (static_cast<int64_t>(scale) + 1) + h - h / 2;
    if (u >= total) u = total - 1;
    return RootSlot{static_cast<int>(u / share), static_cast<int>(u % share)};
}

int ChildItemOf(int q, int r, int c1, int e) {
    if (r == 2 && q == 0) return std::min(2, std::max(c1, 1));
    const int64_t halves = 2 * static_cast<int64_t>(r) * c1 / std::max(e, 1);
    return static_cast<int>(std::clamp<int64_t>((halves + 1) / 2, 1, std::max(c1, 1)));
}

}  // namespace engine
