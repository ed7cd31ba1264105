// The main window's Repeat and Interest toolbar buttons and their menu commands open the Repeat
// Billing Wizard and the Interest Wizard.
#include "shell/ui/BillingWizards.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "invoicing/ui/InterestWizard.h"
#include "invoicing/ui/RepeatBillingWizard.h"
#include "shell/ui/MainWindow.h"
#include "support/ui/WindowDriving.h"

namespace shell::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

using BillingWizardsTest = shelltest::ShellTest;

TEST_F(BillingWizardsTest, ToolbarButtonsAndMenuCommandsOpenTheWizards) {
    TMainForm& main = StartedWindow();
    BillingWizards wizards(main);
    ASSERT_TRUE(main.IsCommandEnabled(Command::RepeatBillingWizard));
    ASSERT_TRUE(main.IsCommandEnabled(Command::InterestWizard));

    int opened = 0;
    const auto closeRepeat = [&] {
        ++opened;
        EXPECT_EQ(Find<QLabel>(wizards.repeat(), "StatusLabel").text(),
                  "Last generated invoices were dated: ");
        Click(wizards.repeat(), "CancelBtn");
    };
    const auto closeInterest = [&] {
        ++opened;
        EXPECT_EQ(Find<QLabel>(wizards.interest(), "Label3").text(),
                  "Enter above options then select scan button...");
        Click(wizards.interest(), "CanButn");
    };
    ThenInModal(wizards.repeat(), closeRepeat);
    QTest::mouseClick(&Find<QToolButton>(main, "RepeatButn"), Qt::LeftButton);
    ThenInModal(wizards.repeat(), closeRepeat);
    Trigger(main, "RepeatBillingWizard1");
    ThenInModal(wizards.interest(), closeInterest);
    QTest::mouseClick(&Find<QToolButton>(main, "IntButn"), Qt::LeftButton);
    ThenInModal(wizards.interest(), closeInterest);
    Trigger(main, "InterestWizard1");
    EXPECT_EQ(opened, 4);
}

}  // namespace
}  // namespace shell::ui
