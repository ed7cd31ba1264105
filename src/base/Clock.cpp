#include "base/Clock.h"

#include <ctime>

namespace base {

namespace {
class LocalClock : public Clock {
public:
    DateTime Now() const override {
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return DateTime{{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour, tm.tm_min,
                        tm.tm_sec};
    }
};
}  // namespace

Clock& SystemClock() {
    static LocalClock clock;
    return clock;
}

}  // namespace base
