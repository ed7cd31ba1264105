#pragma once
// "Today" and "now" come from a Clock handed to whoever needs them, so that aging, date presets
// and timers are exact in tests on any day.

#include <chrono>

namespace base {

struct Date {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend auto operator<=>(const Date&, const Date&) = default;
};

struct DateTime {
    Date date;
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;  // local time
    Date Today() const { return Now().date; }
};

// The computer's local time.
Clock& SystemClock();

// A clock that stands still until it is set; for tests.
class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime now) : now_(now) {}
    DateTime Now() const override { return now_; }
    void Set(DateTime now) { now_ = now; }

private:
    DateTime now_;
};

}  // namespace base
