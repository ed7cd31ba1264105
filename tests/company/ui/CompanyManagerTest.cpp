// The Company Manager window over its flow: the commands reach the flow from menus, keys and the
// list, the dialog edits what the flow hands it, and the visit's result goes back to the caller.
// The rules themselves are tested without a window in tests/company/CompanyManagerFlowTest.
#include "company/ui/CompanyManager.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "base/Windows1252.h"
#include "company/ui/CompanyOptions.h"
#include "company/ui/HeaderForm.h"
#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"

namespace company::ui {
namespace {

using Ending = company::CompanyManagerResult::Ending;
using testsupport::Click;
using testsupport::FileBytes;
using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

class CompanyManagerTest : public ::testing::Test {
protected:
    CompanyManagerTest() { std::ofstream("ZRTERMS.DAT", std::ios::binary) << "Net 30 Days\r\n"; }

    // The first company is the current one.
    void Companies(const std::vector<std::pair<std::string, std::string>>& companies) {
        std::vector<records::CompanyRecord> records;
        for (const auto& [number, name] : companies)
            records.push_back(testsupport::SampleCompany(number, name));
        testsupport::AddCompanies(records);
        w.state.currentCompany = records.front();
    }

    company::CompanyManagerResult Run(const std::function<void()>& interact) {
        ThenInModal(manager_, interact);
        return manager_.Execute();
    }

    QLineEdit& OptionsEdit(const char* name) { return Find<QLineEdit>(options_, name); }
    void GoTo(const std::string& name) {
        manager_.browser().PositionAtKey(base::Win1252Upper(name));
    }
    QString CountText() { return Find<QLabel>(manager_, "CountPanel").text(); }

    testsupport::TestWindowContext w;
    int passwordChecks_ = 0;
    THeaderForm headers_{w.prompts, w.context.showHelp};
    TCompSet options_{company::PaymentTermsIn(w.files), w.prompts, headers_, w.context.showHelp};
    widgets::TFindBox findBox_{w.engine, w.prompts, w.context.showHelp};
    widgets::TListWindow listWindow_{
        w.prompts, [] { return std::make_shared<testsupport::RecordingCanvas>(); }};
    TListComps manager_{
        {w.engine, w.prompts, w.clock, w.state, w.printer, w.statusWindow, w.context.showHelp},
        options_,
        findBox_,
        listWindow_,
        [this] {
            ++passwordChecks_;
            return true;
        }};
};

TEST_F(CompanyManagerTest, ANewCompanyIsTypedIntoTheDialogAndChosenWithEnter) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}, {"4", "Delta Marine"}});
    const company::CompanyManagerResult result = Run([&] {
        EXPECT_EQ(CountText(), "Companies: 3");
        ThenInModal(options_, [&] {
            EXPECT_EQ(options_.windowTitle(), "New Company");
            EXPECT_EQ(OptionsEdit("CoNumb").text(), "4");
            OptionsEdit("CName").setText("Harbour Trading");
            w.prompts.ExpectInform("Company Number",
                                   "This Company number already exists. Enter another number.");
            Click(options_, "OKBtn");
            OptionsEdit("CoNumb").setText("5");
            Click(options_, "OKBtn");
        });
        Trigger(manager_, "AddItem");
        EXPECT_EQ(CountText(), "Companies: 4");
        // The new company is the current row and can be chosen in the same visit.
        QTest::keyClick(&manager_.browser(), Qt::Key_Return);
    });
    EXPECT_EQ(result.ending, Ending::Chosen);
    EXPECT_FALSE(result.currentCompanySaved);
    EXPECT_EQ(w.state.selectedCompany.name(), "Harbour Trading");
    EXPECT_EQ(testsupport::StoredCompany("5")->name(), "Harbour Trading");
}

TEST_F(CompanyManagerTest, SavingTheCurrentCompanyIsPartOfTheResult) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const company::CompanyManagerResult result = Run([&] {
        ThenInModal(options_, [&] {
            EXPECT_EQ(options_.windowTitle(), "Edit Company");
            EXPECT_TRUE(OptionsEdit("CoNumb").isReadOnly());
            OptionsEdit("CAdd1").setText("1 New Street");
            Click(options_, "OKBtn");
        });
        Trigger(manager_, "EditItem");
        GoTo("Brook Ltd");
        Trigger(manager_, "SetDefaultItem");
    });
    EXPECT_EQ(result.ending, Ending::Chosen);
    EXPECT_TRUE(result.currentCompanySaved);
    EXPECT_EQ(passwordChecks_, 1);
    EXPECT_EQ(w.state.selectedCompany.name(), "Brook Ltd");
    EXPECT_EQ(testsupport::StoredCompany("1")->address1(), "1 New Street");
}

// The guards before a deletion are tested with the flow.
TEST_F(CompanyManagerTest, TheDeleteKeyDeletesTheRowItIsOn) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const company::CompanyManagerResult result = Run([&] {
        GoTo("Brook Ltd");
        w.prompts.ExpectYesNo("Please Confirm",
                              "If you delete this company, all invoices and payments will also "
                              "be removed. ALL company data will be deleted! Data for other "
                              "companies will NOT be removed. Continue?",
                              true);
        QTest::keyClick(&manager_.browser(), Qt::Key_Delete);
        EXPECT_EQ(CountText(), "Companies: 1");
        Trigger(manager_, "CloseItem");
    });
    EXPECT_EQ(result.ending, Ending::Closed);
    EXPECT_FALSE(result.switchNeeded());
    EXPECT_FALSE(testsupport::StoredCompany("2"));
}

TEST_F(CompanyManagerTest, CancelledDialogsLeaveTheCompanyFileAsItWas) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const std::string data = FileBytes("Company.DAT");
    const std::string index = FileBytes("Company.IX");
    const company::CompanyManagerResult result = Run([&] {
        ThenInModal(options_, [&] {
            w.prompts.ExpectFont(base::FontChoice{"Liberation Mono"});
            Click(options_, "BrowFontDlg");
            OptionsEdit("CName").setText("Renamed");
            Click(options_, "CancelBtn");
        });
        Trigger(manager_, "EditItem");
        ThenInModal(options_, [&] {
            OptionsEdit("CName").setText("Never Added");
            Click(options_, "CancelBtn");
        });
        Trigger(manager_, "AddItem");
        EXPECT_EQ(CountText(), "Companies: 2");
        Trigger(manager_, "CloseItem");
    });
    EXPECT_FALSE(result.switchNeeded());
    EXPECT_EQ(FileBytes("Company.DAT"), data);
    EXPECT_EQ(FileBytes("Company.IX"), index);
}

TEST_F(CompanyManagerTest, TheCompanyListIsShownInTheListWindow) {
    Companies({{"1", "Acme Supply Co"}});
    Run([&] {
        ThenInModal(listWindow_, [&] {
            EXPECT_EQ(listWindow_.windowTitle(), "Company List by Name");
            listWindow_.reject();
        });
        w.prompts.ExpectMessage(
            "Company List",
            "The companies will be sorted by name. Would you rather sort by company number?",
            base::PromptAnswer::No);
        Trigger(manager_, "ListItem");
        EXPECT_FALSE(w.statusWindow.isVisible());
        Trigger(manager_, "CloseItem");
    });
}

TEST_F(CompanyManagerTest, ACompanyFileThatCannotBeOpenedEndsTheVisit) {
    std::filesystem::create_directory("Company.DAT");
    w.prompts.ExpectMessage("KT Invorra Pro", "Unable to open company database",
                            base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_EQ(manager_.Execute().ending, Ending::CannotOpen);
}

}  // namespace
}  // namespace company::ui
