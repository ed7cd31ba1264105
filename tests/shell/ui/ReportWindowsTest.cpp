// "&Report  Wizard..." and the Reports toolbar button open the Report Wizard.
#include "shell/ui/ReportWindows.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include "ShellFixture.h"
#include "shell/ui/MainWindow.h"
#include "statements/ui/ReportWizard.h"
#include "support/ui/WindowDriving.h"

namespace shell::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

using ReportWindowsTest = shelltest::ShellTest;

TEST_F(ReportWindowsTest, TheCommandAndTheButtonOpenTheWizard) {
    TMainForm& main = StartedWindow();
    EXPECT_FALSE(main.IsCommandEnabled(Command::ReportWizard));
    ReportWindows reportWindows(main);
    ASSERT_TRUE(main.IsCommandEnabled(Command::ReportWizard));
    statements::ui::TRptSelect& wizard = reportWindows.wizard();
    int opened = 0;
    const auto closeWhenShown = [&] {
        ThenInModal(wizard, [&] {
            ++opened;
            EXPECT_EQ(Find<QListWidget>(wizard, "ListBox1").currentRow(), 0);
            Click(wizard, "CancelBut");
        });
    };
    closeWhenShown();
    QTest::mouseClick(&Find<QToolButton>(main, "RepButn"), Qt::LeftButton);
    closeWhenShown();
    main.CommandAction(Command::ReportWizard)->trigger();
    EXPECT_EQ(opened, 2);
}

}  // namespace
}  // namespace shell::ui
