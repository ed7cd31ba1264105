#include "widgets/FindBox.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "records/CustomerRecord.h"
#include "records/RecordTypes.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

using widgets::TFindBox;

class FindBoxTest : public ::testing::Test {
protected:
    FindBoxTest() : chdir_(dir_.path()), box_(engine_, prompts_, nullptr) {
        engine_.InitEngine(0, 30);
    }
    ~FindBoxTest() override {
        if (fb_) engine_.CloseFileBlock(fb_);
    }

    void AddCustomers(const std::vector<records::CustomerRecord>& records) {
        testsupport::AddRecords(
            engine_, records::RecordTypeOf(records::RecordKind::Customer).Describe("1"), records);
    }

    void Open() {
        engine_.OpenFileBlock(fb_, "1C");
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        box_.Prepare(records::RecordKind::Customer, "Find Customer", fb_);
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
    engine::Engine engine_;
    engine::FileBlockHandle fb_ = nullptr;
    testsupport::ScriptedPrompts prompts_;
    TFindBox box_;
};

records::CustomerRecord Customer(const char* number, const char* name, const char* line3 = "") {
    records::CustomerRecord c = testsupport::SampleCustomer(number, name);
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
    Open();
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
    Open();
    Search("smithers lxy");  // 12 characters; "SMITHERS L" is sought
    EXPECT_EQ(Column(1), (std::vector<std::string>{"C1"}));
}

TEST_F(FindBoxTest, EmptyFileReportsThatNothingWasFound) {
    AddCustomers(std::vector<records::CustomerRecord>{});
    Open();
    prompts_.ExpectMessage("Text to Find", "No matching items were found.", base::PromptAnswer::Ok);
    Search("smith");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_EQ(box_.status(), "No items were found.");
}

TEST_F(FindBoxTest, HeaderClickSortsAndDoubleClickPicksTheItem) {
    AddCustomers(
        {Customer("C9", "Zeta Smith"), Customer("C1", "Alpha Smith"), Customer("C5", "Mid Smith")});
    Open();
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

}  // namespace
