// TStatForm: the rebuild status lines change only every 50 records read.
#include <gtest/gtest.h>

#include "widgets/StatusWindow.h"

namespace {

using widgets::TStatForm;

TEST(StatusWindow, ProgressLinesChangeOnlyAtMultiplesOfFifty) {
    TStatForm form;
    form.RebuildStarted("Invoices");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Invoices");
    for (int32_t read = 1; read <= 49; ++read) form.RebuildProgress(0, read, read);
    EXPECT_EQ(form.Line(1), "Working...");
    EXPECT_EQ(form.Line(2), "");

    form.RebuildProgress(2, 50, 48);
    EXPECT_EQ(form.Line(1), "Key number: 2");
    EXPECT_EQ(form.Line(2), "Records read: 50");
    EXPECT_EQ(form.Line(3), "Records written: 48");

    form.RebuildProgress(2, 51, 49);
    EXPECT_EQ(form.Line(2), "Records read: 50");
    form.RebuildProgress(3, 100, 97);
    EXPECT_EQ(form.Line(1), "Key number: 3");
    EXPECT_EQ(form.Line(3), "Records written: 97");
    form.RebuildFinished();
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
