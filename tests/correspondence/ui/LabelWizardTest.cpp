// The Label Wizard / Print Queue window: its wiring to the flow (start-up without a layout, Open,
// the return-address rule, the aging captions) and one walk by keys from loading the customers
// to the printed sheet. The rules themselves are tested in tests/correspondence.
#include "correspondence/ui/LabelWizard.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "correspondence/LabelLayout.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace correspondence::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;

class LabelWizardTest : public ::testing::Test {
protected:
    LabelWizardTest() {
        records::CompanyRecord company = testsupport::SampleCompany("1", "Acme Supply Co");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setAgingCaption1("Current");
        testsupport::AddCompanies({company});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        testsupport::AddRecords(w.engine,
                                records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                                std::vector{testsupport::SampleCustomer("A1", "Alpha Traders"),
                                            testsupport::SampleCustomer("B1", "Beta Mills"),
                                            testsupport::SampleCustomer("C1", "Gamma Farms")});
    }

    std::string WriteLayout() {
        LabelLayout layout;
        layout.description = "Address labels";
        layout.leftMargin = "150";
        layout.topMargin = "300";
        layout.columnsAcross = "3";
        layout.rowsDown = "10";
        layout.labelWidth = "1650";
        layout.labelHeight = "600";
        layout.font = {"Arial", 10, 0, 0};
        layout.lineWidth = "1";
        const std::string path = (w.dir.path() / "sheet.LBL").string();
        std::ofstream(path, std::ios::binary) << LabelLayoutBytes(layout);
        return path;
    }

    testsupport::TestWindowContext w;
    std::optional<records::CustomerRecord> picked;
    TLblWiz wizard{{{w.engine, w.prompts, w.state},
                    w.printer,
                    [this] { return picked; },
                    [this](const QString& topic) { w.helpTopics.push_back(topic); }}};
};

TEST_F(LabelWizardTest, WithoutALayoutOnlyOpeningOneIsOffered) {
    const std::string path = WriteLayout();
    ThenInModal(wizard, [&] {
        EXPECT_EQ(Find<QLabel>(wizard, "StatusPanel0").text(),
                  "Open a label layout file (Label Menu)...");
        EXPECT_FALSE(Find<QPushButton>(wizard, "PrnButn").isEnabled());
        EXPECT_FALSE(Find<QPushButton>(wizard, "AddOne").isEnabled());
        EXPECT_EQ(Find<QPushButton>(wizard, "zero30").text(), "Current");
        EXPECT_EQ(Find<QPushButton>(wizard, "AOver90").text(), "Over 90");
        EXPECT_EQ(Find<QLineEdit>(wizard, "LblStart").text(), "1");

        w.prompts.ExpectOpenFile(path);
        testsupport::Trigger(wizard, "Open2");
        EXPECT_EQ(Find<QLineEdit>(wizard, "LWdth").text(), "1650");
        EXPECT_EQ(Find<QLabel>(wizard, "CFName").text(), "Arial");
        EXPECT_TRUE(Find<QPushButton>(wizard, "PrnButn").isEnabled());
        EXPECT_EQ(Find<QLabel>(wizard, "StatusPanel0").text(),
                  "Ready. Add and remove records as needed or select print button.");

        // The return address brings its line, caption and bitmap along.
        EXPECT_FALSE(Find<QCheckBox>(wizard, "PLine").isEnabled());
        Find<QCheckBox>(wizard, "UseCmpAdd").click();
        EXPECT_TRUE(Find<QCheckBox>(wizard, "PLine").isEnabled());
        EXPECT_TRUE(Find<QLineEdit>(wizard, "CaptName").isEnabled());

        picked = testsupport::SampleCustomer("B1", "Beta Mills");
        testsupport::Click(wizard, "AddOne");
        EXPECT_EQ(Find<QTreeWidget>(wizard, "LabelList").topLevelItemCount(), 1);
        EXPECT_EQ(Find<QLabel>(wizard, "StatusPanel0").text(), "1 records are selected.");
        testsupport::Click(wizard, "CloseBtn");
    });
    wizard.Execute();
    EXPECT_TRUE(w.state.printQueue.pending());
}

TEST_F(LabelWizardTest, KeysLoadTheCustomersAndPrintTheirLabels) {
    std::ofstream("Lastlbl.DAT", std::ios::binary) << *LastLayoutBytes(WriteLayout());
    const std::string pdf = (w.dir.path() / "labels.pdf").string();
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(QString::fromStdString(pdf));
    ThenInModal(wizard, [&] {
        testsupport::Activate(wizard);
        testsupport::Click(wizard, "LoadAllRecs");
        auto& list = Find<QTreeWidget>(wizard, "LabelList");
        EXPECT_EQ(list.topLevelItemCount(), 3);
        EXPECT_EQ(list.topLevelItem(2)->text(1), "Gamma Farms");
        // Start at label 2: Alt+S reaches the field.
        QTest::keyClick(&wizard, Qt::Key_S, Qt::AltModifier);
        auto& start = Find<QLineEdit>(wizard, "LblStart");
        EXPECT_TRUE(start.hasFocus());
        start.selectAll();
        QTest::keyClicks(&start, "2");
        // Alt+P presses Print Labels (a button's mnemonic clicks it a moment later).
        QTest::keyClick(&start, Qt::Key_P, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return Find<QLabel>(wizard, "StatusPanel0").text() ==
                   "Complete. 3 label(s) sent to printer.";
        }));
        EXPECT_FALSE(w.state.printQueue.pending());
        QPixmap picture = wizard.grab();
        picture.save(qEnvironmentVariable("KT_SCREENSHOTS", "/tmp") + "/label-wizard.png");
        testsupport::Click(wizard, "CloseBtn");
    });
    wizard.Execute();
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

}  // namespace
}  // namespace correspondence::ui
