// The Company Manager's commands without a window: the dialog and the password prompt are
// functions, the prompts are scripted, the files real.
#include "company/CompanyManagerFlow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/DataFolder.h"
#include "support/Samples.h"

namespace company {
namespace {

namespace fs = std::filesystem;
using Ending = CompanyManagerResult::Ending;

constexpr char kDeleteQuestion[] =
    "If you delete this company, all invoices and payments will also be removed. ALL company data "
    "will be deleted! Data for other companies will NOT be removed. Continue?";
constexpr char kCurrentNotDeleted[] =
    "You are trying to delete the current default company. You need to have another company open "
    "to delete this one.";
constexpr char kListQuestion[] =
    "The companies will be sorted by name. Would you rather sort by company number?";

// What the dialog saw when it was shown.
struct DialogSeen {
    company::EditPurpose purpose;
    records::CompanyRecord record;
};

class CompanyManagerFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    CompanyManagerFlowTest() { engine.InitEngine(0, 30); }

    // Companies with their receivables; the first one is current.
    void Companies(const std::vector<std::pair<std::string, std::string>>& companies) {
        std::vector<records::CompanyRecord> records;
        for (const auto& [number, name] : companies) {
            records.push_back(testsupport::SampleCompany(number, name));
            records.back().setReceivablesTotal("150.00");
        }
        testsupport::AddCompanies(records);
        state.currentCompany = records.front();
        ASSERT_TRUE(flow.Open());
    }

    int32_t RecordOf(const std::string& number) {
        const auto row = flow.RowOfNumber(number);
        EXPECT_TRUE(row) << "company " << number;
        return row ? row->recordNumber : 0;
    }

    // A dialog that records what it was shown, applies `change` and saves (or cancels).
    CompanyEditor Dialog(std::function<void(records::CompanyRecord&)> change, bool save = true) {
        return [this, change, save](company::EditPurpose purpose, records::CompanyRecord& record,
                                    const company::CompanyNumberTaken& numberTaken) {
            dialogs.push_back({purpose, record});
            numberTakenAnswers.push_back(numberTaken(record.number()));
            change(record);
            return save;
        };
    }

    std::optional<records::CompanyRecord> Stored(const std::string& number) {
        flow.Close(false);
        const auto stored = testsupport::StoredCompany(number);
        EXPECT_TRUE(flow.Open());
        return stored;
    }

    base::FixedClock clock{{{2024, 3, 5}, 14, 7, 0}};
    ProgramState state;
    CompanyFile file{engine, prompts};
    int passwordChecks = 0;
    bool passwordRight = true;
    CompanyManagerFlow flow{file, files, prompts, state, clock, [this] {
                                ++passwordChecks;
                                return passwordRight;
                            }};
    std::vector<DialogSeen> dialogs;
    std::vector<bool> numberTakenAnswers;
};

TEST_F(CompanyManagerFlowTest, NewCompanyIsProposedTheCountPlusOneAndInheritsTheForms) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}, {"4", "Delta Marine"}});
    state.currentCompany.setInvoiceCaption("BILL");
    state.currentCompany.setNextInvoiceNumber("5000");

    const company::ManagerUpdate update = flow.Add(Dialog([](records::CompanyRecord& record) {
        record.setNumber("5");
        record.setName("Harbour Trading");
        record.setNumberOfCopies("9");
        record.setMoveAddressesRight("");
        record.setPrintLogo(false);
        record.setLogoBitmap("logo.bmp");
    }));

    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].purpose, company::EditPurpose::Add);
    // Three companies on file: number 4 is proposed although it is taken.
    EXPECT_EQ(dialogs[0].record.number(), "4");
    EXPECT_EQ(numberTakenAnswers, std::vector<bool>{true});
    EXPECT_EQ(dialogs[0].record.nextInvoiceNumber(), "100");
    EXPECT_TRUE(update.reread);
    ASSERT_TRUE(update.current);
    EXPECT_EQ(update.current->key, "HARBOUR TRADING" + std::string(15, ' '));
    EXPECT_EQ(flow.CountText(), "Companies: 4");

    const auto added = Stored("5");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->invoiceCaption(), "BILL");
    EXPECT_EQ(added->receivablesTotal(), "0.00");
    EXPECT_EQ(added->numberOfCopies(), "1");
    EXPECT_EQ(added->moveAddressesRight(), "0");
    EXPECT_EQ(added->logoBitmap(), "");
    // Adding a company is not a change of the current one.
    EXPECT_FALSE(flow.Close(false).currentCompanySaved);
}

TEST_F(CompanyManagerFlowTest, AddThatTheFileRefusesIsReportedAndChangesNothing) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const auto numbers = {"2", ""};  // a duplicate key; a cancelled dialog
    for (const std::string number : numbers) {
        if (!number.empty())
            prompts.ExpectMessage("KT Invorra Pro", "Add operation failed", base::PromptAnswer::Ok,
                                  base::PromptIcon::Error);
        const company::ManagerUpdate update = flow.Add(Dialog(
            [&](records::CompanyRecord& record) { record.setNumber(number); }, !number.empty()));
        prompts.Verify();
        EXPECT_FALSE(update.reread) << number;
        EXPECT_FALSE(update.current) << number;
        EXPECT_EQ(flow.CountText(), "Companies: 2");
    }
}

TEST_F(CompanyManagerFlowTest, EditKeepsTheNumberAndTellsWhenTheCurrentCompanyWasSaved) {
    struct Case {
        const char* name;
        std::string row;  // the company on the list's current row; empty: none
        bool passwordRight;
        bool save;
        int dialogsShown;
        bool currentSaved;
    };
    const Case cases[] = {
        {"no row", "", true, true, 0, false},       {"wrong password", "1", false, true, 0, false},
        {"cancelled", "1", true, false, 1, false},  {"current saved", "1", true, true, 1, true},
        {"other saved", "2", true, true, 1, false},
    };
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    flow.Close(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        passwordRight = c.passwordRight;
        ASSERT_TRUE(flow.Open());
        const int32_t row = c.row.empty() ? 0 : RecordOf(c.row);
        const company::ManagerUpdate update = flow.Edit(
            row, Dialog([](records::CompanyRecord& record) { record.setAddress1("1 New Street"); },
                        c.save));
        EXPECT_EQ(static_cast<int>(dialogs.size()), c.dialogsShown);
        if (c.dialogsShown == 1) {
            EXPECT_EQ(dialogs[0].purpose, company::EditPurpose::Edit);
            EXPECT_FALSE(numberTakenAnswers.back());  // the number is fixed: never taken
        }
        EXPECT_EQ(update.current.has_value(), c.save && c.dialogsShown == 1);
        EXPECT_EQ(update.current ? update.current->recordNumber : row, row);
        EXPECT_FALSE(update.reread);
        EXPECT_EQ(flow.Close(false).currentCompanySaved, c.currentSaved);
        if (c.save && c.dialogsShown == 1) {
            const auto stored = testsupport::StoredCompany(c.row);
            EXPECT_EQ(stored->address1(), "1 New Street");
            // Invoicing and payments keep the total; an edit leaves it.
            EXPECT_EQ(stored->receivablesTotal(), "150.00");
        }
    }
}

TEST_F(CompanyManagerFlowTest, DeleteRunsItsGuardsInOrderBeforeTouchingAnything) {
    struct Case {
        const char* name;
        std::string row;
        bool passwordRight;
        bool askedAndAnswered;  // the question is shown and answered Yes
        bool deleted;
    };
    const Case cases[] = {
        {"no row", "", true, false, false},           {"wrong password", "2", false, false, false},
        {"current company", "1", true, false, false}, {"answered no", "2", true, false, false},
        {"answered yes", "2", true, true, true},
    };
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream("2C.DAT") << "data";  // which files go is tested with the company file set
        passwordRight = c.passwordRight;
        const int passwordsBefore = passwordChecks;
        if (c.row == "1") prompts.ExpectInform("Delete Company", kCurrentNotDeleted);
        if (c.row == "2" && c.passwordRight)
            prompts.ExpectYesNo("Please Confirm", kDeleteQuestion, c.askedAndAnswered);
        const company::ManagerUpdate update = flow.Delete(c.row.empty() ? 0 : RecordOf(c.row));
        prompts.Verify();
        EXPECT_EQ(passwordChecks - passwordsBefore, c.row.empty() ? 0 : 1);
        EXPECT_EQ(update.reread, c.deleted);
        EXPECT_EQ(flow.RowOfNumber("2").has_value(), !c.deleted);
        EXPECT_EQ(fs::exists("2C.DAT"), !c.deleted);
    }
}

TEST_F(CompanyManagerFlowTest, CompanyFilesThatCannotBeRemovedAreReported) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    fs::create_directory("2C.DAT");  // cannot be removed like a file
    std::ofstream("2C.DAT/inside") << "x";
    std::ofstream("2P.DAT") << "data";
    prompts.ExpectYesNo("Please Confirm", kDeleteQuestion, true);
    prompts.ExpectWarn("Delete Company",
                       "The company was deleted, but some of its data files could not be removed. "
                       "Their names begin with 2 followed by C, P, I, D or M; remove them from the "
                       "data folder before a new company takes this number.");
    EXPECT_TRUE(flow.Delete(RecordOf("2")).reread);
    EXPECT_FALSE(flow.RowOfNumber("2"));
    EXPECT_FALSE(fs::exists("2P.DAT"));
}

TEST_F(CompanyManagerFlowTest, ChoosingReadsTheRowIntoTheSelectedCompany) {
    Companies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    EXPECT_FALSE(flow.Choose(0));
    ASSERT_TRUE(flow.Choose(RecordOf("2")));
    EXPECT_EQ(state.selectedCompany.name(), "Brook Ltd");
    const CompanyManagerResult result = flow.Close(true);
    EXPECT_EQ(result.ending, Ending::Chosen);
    EXPECT_TRUE(result.switchNeeded());
    EXPECT_FALSE(CompanyManagerResult{}.switchNeeded());
}

TEST_F(CompanyManagerFlowTest, TheListStartsOnTheCurrentCompanyInEitherOrder) {
    Companies({{" 7", "Acme co"}, {"2", "Brook Ltd"}});
    EXPECT_EQ(flow.order(), CompanyOrder::ByName);
    EXPECT_EQ(flow.StartRow()->key, "ACME CO" + std::string(23, ' '));
    flow.SetOrder(CompanyOrder::ByNumber);
    EXPECT_EQ(flow.StartRow()->key, "7    ");
    EXPECT_EQ(flow.RowOf(flow.StartRow()->recordNumber)->key, "7    ");
}

TEST_F(CompanyManagerFlowTest, CompanyListFollowsTheAnswerAndLeavesNoReportFile) {
    struct Case {
        base::PromptAnswer answer;
        std::optional<std::string> caption;
        std::string firstCompany;
    };
    const Case cases[] = {
        {base::PromptAnswer::Yes, "Company List by Number", "Zeta Ltd"},
        {base::PromptAnswer::No, "Company List by Name", "Brook Ltd"},
        {base::PromptAnswer::Cancel, std::nullopt, ""},
    };
    Companies({{"1", "Zeta Ltd"}, {"2", "Brook Ltd"}});
    for (const Case& c : cases) {
        prompts.ExpectMessage("Company List", kListQuestion, c.answer, base::PromptIcon::Question,
                              base::PromptButtons::YesNoCancel);
        const std::optional<company::ManagerOrder> order = flow.AskListOrder();
        ASSERT_EQ(order.has_value(), c.caption.has_value());
        if (!order) continue;
        const std::optional<company::ManagerReport> report = flow.ListReport(*order);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->caption, *c.caption);
        EXPECT_TRUE(report->text.starts_with(
            "Invorra Company List\r\nDate: Tuesday, March 5, 2024, 02:07 PM\r\n"));
        EXPECT_EQ(report->text.find(c.firstCompany), report->text.find("-\r\n") + 3);
        EXPECT_FALSE(fs::exists(company::kManagerReportFile));
    }
}

TEST_F(CompanyManagerFlowTest, AReportFileThatCannotBeWrittenIsReported) {
    Companies({{"1", "Acme Supply Co"}});
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::Once,
                    engine::FaultInjectingFileSystem::Kind::Error, "TXTTEMP.TXT.new");
    prompts.ExpectMessage("KT Invorra Pro", "Unable to write the company list to TXTTEMP.TXT.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(flow.ListReport(CompanyOrder::ByName));
    EXPECT_FALSE(fs::exists(company::kManagerReportFile));
    EXPECT_FALSE(fs::exists(std::string(company::kManagerReportFile) + ".new"));
}

TEST_F(CompanyManagerFlowTest, ACompanyFileThatCannotBeOpenedIsReported) {
    fs::create_directory("Company.DAT");
    prompts.ExpectMessage("KT Invorra Pro", "Unable to open company database",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(flow.Open());
}

}  // namespace
}  // namespace company
