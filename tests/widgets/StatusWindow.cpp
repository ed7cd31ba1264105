// TStatForm: the rebuild status lines change only every 50 records read, and changed lines are
// painted at most every 50 ms, the last ones before the window goes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>

#include "widgets/StatusWindow.h"

namespace {

using namespace std::chrono_literals;
using widgets::TStatForm;

// A clock the test moves by hand.
struct ManualClock {
    std::chrono::steady_clock::time_point now{};
    TStatForm::Clock function() {
        return [this] { return now; };
    }
};

// Counts the paints of one control.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

TEST(StatusWindow, ProgressLinesChangeOnlyAtMultiplesOfFifty) {
    ManualClock clock;
    TStatForm form(nullptr, clock.function());
    form.RebuildStarted("Invoices");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Invoices");
    const auto progress = [&](int key, int32_t read, int32_t written) {
        clock.now += 1s;  // slow enough for every change to show
        form.RebuildProgress(key, read, written);
    };
    for (int32_t read = 1; read <= 49; ++read) progress(0, read, read);
    EXPECT_EQ(form.Line(1), "Working...");
    EXPECT_EQ(form.Line(2), "");

    progress(2, 50, 48);
    EXPECT_EQ(form.Line(1), "Key number: 2");
    EXPECT_EQ(form.Line(2), "Records read: 50");
    EXPECT_EQ(form.Line(3), "Records written: 48");

    progress(2, 51, 49);
    EXPECT_EQ(form.Line(2), "Records read: 50");
    progress(3, 100, 97);
    EXPECT_EQ(form.Line(1), "Key number: 3");
    EXPECT_EQ(form.Line(3), "Records written: 97");
    form.RebuildFinished();
    EXPECT_FALSE(form.isVisible());
}

TEST(StatusWindow, ChangedLinesArePaintedAtMostEveryFiftyMilliseconds) {
    ManualClock clock;
    TStatForm form(nullptr, clock.function());
    form.RebuildStarted("Customers");
    QApplication::processEvents();
    PaintCounter paints(form.findChild<QLabel*>("Label2"));

    const struct {
        std::chrono::milliseconds at;
        int32_t read;
        const char* shown;  // Label2 afterwards
        bool painted;
    } steps[] = {
        {0ms, 49, "", false},                    // nothing changed
        {0ms, 50, "Records read: 50", true},     // the first lines after showing: at once
        {10ms, 100, "Records read: 50", false},  // too soon after the last paint
        {49ms, 101, "Records read: 50", false},
        {50ms, 102, "Records read: 100", true},  // the waiting lines, without a new change
        {400ms, 103, "Records read: 100", false},
        {410ms, 150, "Records read: 150", true},
        {420ms, 200, "Records read: 150", false},
    };
    for (const auto& step : steps) {
        clock.now = std::chrono::steady_clock::time_point{} + step.at;
        const int before = paints.count;
        form.RebuildProgress(0, step.read, step.read);
        EXPECT_EQ(form.Line(2), step.shown) << "record " << step.read;
        EXPECT_EQ(paints.count > before, step.painted) << "record " << step.read;
    }

    // The run ends within 50 ms of the last paint; its last lines are still shown.
    const int before = paints.count;
    form.RebuildFinished();
    EXPECT_EQ(form.Line(2), "Records read: 200");
    EXPECT_GT(paints.count, before);
    EXPECT_FALSE(form.isVisible());
}

// A caller that shows the window, sets its lines and then works without calling again must not
// leave the window with stale lines.
TEST(StatusWindow, LinesSetJustAfterShowingAreShownAtOnce) {
    ManualClock clock;
    TStatForm form(nullptr, clock.function());
    form.ShowStatus("Company List");
    form.SetLines("", "Preparing list...", "");
    EXPECT_EQ(form.Line(2), "Preparing list...");
    form.HideStatus();

    form.ShowStatus("Company List");  // shown again at the same instant
    form.SetLines("", "Sorting...", "");
    EXPECT_EQ(form.Line(2), "Sorting...");
    form.HideStatus();
}

}  // namespace
