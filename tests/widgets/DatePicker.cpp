// TCalForm: the date picker returns the date chosen by OK, by a double click, or nothing.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "support/ui/WindowDriving.h"
#include "widgets/DatePicker.h"

namespace {

using widgets::TCalForm;

using testsupport::Click;
using testsupport::ThenInModal;

TEST(DatePicker, OkReturnsTheInitialDateAndRestoresTheCaption) {
    TCalForm form;
    QString captionWhileOpen;
    ThenInModal(form, [&] {
        captionWhileOpen = form.windowTitle();
        Click(form, "OKBtn");
    });
    const auto picked = form.Pick("Invoice Date", {2024, 2, 29});
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, (base::Date{2024, 2, 29}));
    EXPECT_EQ(captionWhileOpen, "Invoice Date");
    EXPECT_EQ(form.windowTitle(), "Date Selection");

    ThenInModal(form, [&] { Click(form, "CancelBtn"); });
    EXPECT_FALSE(form.Pick("", {2024, 5, 1}).has_value());
}

TEST(DatePicker, MonthAndYearListsFollowAndMoveThePage) {
    TCalForm form;
    form.SetSelectedDate({2024, 1, 31});
    auto* months = form.findChild<QComboBox*>("MonthList");
    auto* years = form.findChild<QSpinBox*>("YearList");
    EXPECT_EQ(months->currentText(), "January");
    EXPECT_EQ(years->value(), 2024);

    // January 31 moved to February keeps the day where it can: the last day of the month.
    months->setCurrentIndex(1);
    EXPECT_EQ(form.SelectedDate(), (base::Date{2024, 2, 29}));
    years->setValue(2023);
    EXPECT_EQ(form.SelectedDate(), (base::Date{2023, 2, 28}));

    form.findChild<QCalendarWidget*>("Calendar")->setCurrentPage(2025, 12);
    EXPECT_EQ(months->currentText(), "December");
    EXPECT_EQ(years->value(), 2025);
}

}  // namespace
