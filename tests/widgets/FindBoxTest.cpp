// TFindBox over real company files: the search text rules, each matching record listed once in
// record order, the modes' columns, the status texts, sorting and picking.
#include "widgets/FindBox.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "customers/CustomerRecord.h"
#include "engine/FaultInjectingFileSystem.h"
#include "invoicing/CompanyDataFiles.h"
#include "products/ProductRecord.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

using widgets::FindMode;
using widgets::TFindBox;

class FindBoxTest : public ::testing::Test {
protected:
    FindBoxTest()
        : chdir_(dir_.path()),
          faults_(engine::PosixFileSystem()),
          engine_(faults_),
          box_(engine_, prompts_, nullptr) {
        engine_.InitEngine(0, 30);
    }
    ~FindBoxTest() override {
        if (fb_) engine_.CloseFileBlock(fb_);
    }

    void AddCustomers(const std::vector<customers::CustomerRecord>& records) {
        testsupport::AddRecords(engine_, customers::CustomerFileDescription("1"), records);
    }

    void Open(FindMode mode, const std::string& block) {
        engine_.OpenFileBlock(fb_, block);
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        box_.Prepare(mode, "Find Customer", fb_);
        box_.show();
    }

    void Search(const QString& text) {
        auto* edit = box_.findChild<QLineEdit*>("FindText");
        edit->clear();
        QTest::keyClicks(edit, text);
        box_.findChild<QPushButton*>("FindBtn")->click();
    }

    QTreeWidget* List() { return box_.findChild<QTreeWidget*>("ListView1"); }

    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            texts.push_back(List()->topLevelItem(i)->text(column).toStdString());
        return texts;
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    engine::FaultInjectingFileSystem faults_;
    engine::Engine engine_;
    engine::FileBlockHandle fb_ = nullptr;
    testsupport::ScriptedPrompts prompts_;
    TFindBox box_;
};

customers::CustomerRecord Customer(const char* number, const char* name, const char* line3 = "") {
    customers::CustomerRecord c = testsupport::SampleCustomer(number, name);
    c.setBilling3(line3);
    return c;
}

TEST(FindSearchText, IsTrimmedUpperCasedAndCutToTenCharacters) {
    EXPECT_EQ(widgets::FindSearchText("  smithers ltd  "), "SMITHERS L");
    EXPECT_EQ(widgets::FindSearchText("m\xC3\xBCller"), "M\xDCLLER");  // Windows-1252
    EXPECT_EQ(widgets::FindSearchText("   "), "");
    EXPECT_EQ(widgets::FindSearchText("\xE2\x86\x92"), "");  // an arrow no record can hold
}

TEST_F(FindBoxTest, CustomersMatchingInAnyFieldAreListedOnceInRecordOrder) {
    AddCustomers({Customer("C1", "Smithers Ltd"), Customer("C2", "Jones & Co", "12 Smith Street"),
                  Customer("C3", "Brown Bakery"), Customer("C4", "Smith", "1 Smith Square")});
    Open(FindMode::Cust, "1C");
    EXPECT_EQ(box_.windowTitle(), "Find Customer");
    EXPECT_EQ(box_.status(), "Enter the text to search for then select Find button...");
    EXPECT_EQ(List()->headerItem()->text(0), "Customer Name");
    EXPECT_EQ(List()->headerItem()->text(6), "Address Line 4");

    Search("smith");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Smithers Ltd", "Jones & Co", "Smith"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"C1", "C2", "C4"}));
    EXPECT_EQ(Column(5), (std::vector<std::string>{"", "12 Smith Street", "1 Smith Square"}));
    EXPECT_EQ(box_.status(),
              "Search Complete. Found 3 items.  Double-click on first column to find matching "
              "record.");
}

TEST_F(FindBoxTest, OnlyTheFirstTenCharactersOfTheTextAreSought) {
    AddCustomers({Customer("C1", "Smithers Limited"), Customer("C2", "Smithers")});
    Open(FindMode::Cust, "1C");
    Search("smithers lxy");  // 12 characters; "SMITHERS L" is sought
    EXPECT_EQ(Column(1), (std::vector<std::string>{"C1"}));
}

TEST_F(FindBoxTest, EmptyFileReportsThatNothingWasFound) {
    AddCustomers(std::vector<customers::CustomerRecord>{});
    Open(FindMode::Cust, "1C");
    prompts_.ExpectMessage("Text to Find", "No matching items were found.", base::PromptAnswer::Ok);
    Search("smith");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(box_.status(), "No items were found.");
}

TEST_F(FindBoxTest, DiskErrorStopsTheSearchAndIsReported) {
    AddCustomers({Customer("C1", "Smithers Ltd")});
    Open(FindMode::Cust, "1C");
    faults_.FailRead(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn);
    prompts_.ExpectMessage("KT Invorra Pro", "Class 2 error.  Isam Error 10390",
                           base::PromptAnswer::Ok, base::PromptIcon::Error);
    Search("smith");
    EXPECT_EQ(box_.status(), "The search stopped at an error.");
}

TEST_F(FindBoxTest, FindIsOfferedOnlyForANewNonBlankText) {
    AddCustomers({Customer("C1", "Smithers Ltd")});
    Open(FindMode::Cust, "1C");
    auto* find = box_.findChild<QPushButton*>("FindBtn");
    auto* edit = box_.findChild<QLineEdit*>("FindText");
    EXPECT_EQ(edit->maxLength(), 15);
    EXPECT_FALSE(find->isEnabled());
    QTest::keyClicks(edit, "   ");
    EXPECT_FALSE(find->isEnabled());
    QTest::keyClicks(edit, "smi");
    EXPECT_TRUE(find->isEnabled());
    find->click();
    EXPECT_FALSE(find->isEnabled());
    QTest::keyClicks(edit, "t");
    EXPECT_TRUE(find->isEnabled());
}

TEST_F(FindBoxTest, HeaderClickSortsAndDoubleClickPicksTheItem) {
    AddCustomers(
        {Customer("C9", "Zeta Smith"), Customer("C1", "Alpha Smith"), Customer("C5", "Mid Smith")});
    Open(FindMode::Cust, "1C");
    Search("smith");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"C9", "C1", "C5"}));
    emit List()->header()->sectionClicked(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha Smith", "Mid Smith", "Zeta Smith"}));

    // Without a selected item a double click only beeps.
    EXPECT_EQ(box_.SelectedColumn(1), std::nullopt);
    box_.ListDblClick();
    EXPECT_TRUE(box_.isVisible());
    List()->setCurrentItem(List()->topLevelItem(1));
    box_.ListDblClick();
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), QDialog::Accepted);
    EXPECT_EQ(box_.SelectedColumn(1), "C5");
}

TEST_F(FindBoxTest, ProductsAreFoundByCodeDescriptionOrPrice) {
    const engine::FileDescription file = products::ProductFileDescription("1");
    testsupport::AddRecords(engine_, file,
                            std::vector<products::ProductRecord>{
                                testsupport::SampleProduct("W-100", "Widget", "12.50"),
                                testsupport::SampleProduct("G-200", "Gadget", "7.25"),
                                testsupport::SampleProduct("S-300", "Sprocket 12.5 mm", "3.00")});
    Open(FindMode::Prod, "1P");
    EXPECT_EQ(List()->columnCount(), 3);
    EXPECT_EQ(List()->headerItem()->text(2), "Unit Price");
    Search("12.5");
    EXPECT_EQ(Column(0), (std::vector<std::string>{"W-100", "S-300"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"12.50", "3.00"}));
}

TEST_F(FindBoxTest, InvoicesShowTheirDateFirstAndAreFoundByCustomerNumber) {
    const shell::CompanyRecord company = testsupport::SampleCompany();
    const customers::CustomerRecord smith = Customer("SM01", "Smith");
    const customers::CustomerRecord jones = Customer("JO01", "Jones");
    testsupport::AddInvoice(engine_, "1",
                            testsupport::SampleMemoInvoice(company, smith, "1001", {2026, 3, 2},
                                                           "10.00", "Consulting", {"Text"}));
    testsupport::AddInvoice(engine_, "1",
                            testsupport::SampleMemoInvoice(company, jones, "1002", {2026, 3, 5},
                                                           "20.00", "Consulting", {"Text"}));
    Open(FindMode::Inv, "1I");
    EXPECT_EQ(List()->headerItem()->text(0), "Year/Mo/Dy");
    EXPECT_EQ(List()->headerItem()->text(6), "Reference/Notes/Comments");
    Search("jo01");
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1002"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"2026/03/05"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"JO01"}));
}

}  // namespace
