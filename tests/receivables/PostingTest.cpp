// One posting: its files held all or none, the balance step through the customer and company
// files, the undo of a failed step, and the journal that undoes a posting its process never
// finished.
#include "receivables/Posting.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "company/PostingRecovery.h"
#include "engine/BlockFile.h"
#include "engine/Journal.h"
#include "receivables/ReceivablesFixture.h"

namespace receivables::testing {
namespace {

class PostingTest : public ReceivablesFixture {
protected:
    PostingTest() {
        records::CustomerRecord customer = testsupport::SampleCustomer("A1", "Ames Hardware");
        customer.setBalance("100.00");
        customer.setAging2("100.00");
        AddCustomers({customer, testsupport::SampleCustomer("A10", "Ames Ten")});
    }

    bool Move(std::string_view number, const char* amount, long daysOld) {
        Posting posting(engine, prompts, state, clock);
        return posting.Begin("moving", {}) &&
               posting.MoveItem(number, D(amount), base::AddDays(kToday, -daysOld)) &&
               posting.Commit();
    }

    static bool JournalLeft() { return std::filesystem::exists(engine::kJournalFileName); }

    // Changes company 1 as the company file holds it, which every posting starts from.
    void StoreCompany(const std::function<void(records::CompanyRecord&)>& change) {
        company::CompanyFile companies(engine, prompts);
        ASSERT_TRUE(companies.Open());
        const auto stored = companies.Find("1");
        ASSERT_TRUE(stored);
        records::CompanyRecord edited = stored->second;
        change(edited);
        EXPECT_NE(companies.Modify(stored->first, edited, stored->second),
                  engine::UpdateOutcome::Failed);
        ASSERT_TRUE(companies.Close());
    }
};

TEST_F(PostingTest, TheAmountGoesToTheCategoryOfTheItemsAge) {
    struct Case {
        long daysOld;
        const char* amount;
        std::vector<std::string> customer;  // balance, categories 1..4
        const char* companyTotal;
    };
    const Case cases[] = {
        {0, "25.50", {"125.50", "25.50", "100.00", "0.00", "0.00"}, "26.50"},
        {45, "-100.00", {"25.50", "25.50", "0.00", "0.00", "0.00"}, "-73.50"},
        {91, "10.00", {"35.50", "25.50", "0.00", "0.00", "10.00"}, "-63.50"},
        {-3, "-25.50", {"10.00", "0.00", "0.00", "0.00", "10.00"}, "-89.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.daysOld);
        ASSERT_TRUE(Move("a1 ", c.amount, c.daysOld));
        EXPECT_EQ(Owed(0), c.customer);
        EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), c.companyTotal);
        EXPECT_EQ(state.currentCompany.receivablesTotal(), c.companyTotal);
        EXPECT_FALSE(JournalLeft());
    }
    EXPECT_EQ(StoredCustomers()[1].balance(), "0.00");
}

TEST_F(PostingTest, AStepThatFailsChangesNothing) {
    const std::vector<std::string> before = Owed(0);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* number;
        const char* amount;
        std::string caption;
        std::string message;
    };
    const Case cases[] = {
        {"unknown customer", [] {}, "A", "5.00", "KT Invorra Pro", "Customer A is not on file."},
        {"customer amount too large", [] {}, "A1", "99999999.00", "KT Invorra Pro",
         "This posting would make customer A1's aging amounts larger than the field can hold "
         "(9,999,999.99)."},
        {"company total too large",
         [this] {
             StoreCompany([](records::CompanyRecord& c) { c.setReceivablesTotal("9000000.00"); });
         },
         "A10", "1000000.00", "KT Invorra Pro",
         "This posting would make company 1's receivables total larger than the field can hold "
         "(9,999,999.99)."},
        {"company file not written",
         [this] {
             files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn,
                             engine::FaultInjectingFileSystem::Kind::Error, "Company.DAT");
         },
         "A1", "5.00", "KT Invorra Pro",
         "The receivables of company 1 could not be written to the company file."},
        {"bad aging days", [this] { state.currentCompany.setAgingDays3(""); }, "A1", "5.00",
         "KT Invorra Pro", kBadAgingDaysText},
    };
    const records::CompanyRecord company = *testsupport::StoredCompany("1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        const records::CompanyRecord arranged = *testsupport::StoredCompany("1");
        prompts.ExpectMessage(c.caption, c.message, base::PromptAnswer::Ok,
                              base::PromptIcon::Error);
        EXPECT_FALSE(Move(c.number, c.amount, 10));
        files.Clear();
        EXPECT_EQ(Owed(0), before);
        EXPECT_EQ(StoredCustomers()[1].balance(), "0.00");
        EXPECT_EQ(*testsupport::StoredCompany("1"), arranged);
        EXPECT_FALSE(JournalLeft());
        StoreCompany([&company](records::CompanyRecord& c) { c = company; });
        state.currentCompany = company;
    }
}

TEST_F(PostingTest, AFileAnotherOpenerHoldsIsWaitedForThenGivenUp) {
    engine.SetSharingWait({std::chrono::milliseconds(30), true});
    engine::BlockFile otherDesk(engine, File(records::RecordKind::Customer), prompts);
    ASSERT_TRUE(otherDesk.Open());
    prompts.ExpectYesNo("Information", "The files are in use.  Abort?", false,
                        base::PromptIcon::Information);
    prompts.ExpectYesNo("Information", "The files are in use.  Abort?", true,
                        base::PromptIcon::Information);
    prompts.ExpectMessage("KT Invorra Pro", "Unable to open databases: 9932",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(Move("A1", "5.00", 0));
    // All or none: the company file, taken first, was given back while waiting.
    company::CompanyFile companies(engine, prompts);
    EXPECT_TRUE(companies.Open());
    EXPECT_TRUE(companies.Close());
    ASSERT_TRUE(otherDesk.Close());
    EXPECT_EQ(Owed(0)[0], "100.00");
}

TEST_F(PostingTest, APostingItsProcessNeverFinishedIsUndoneAtTheNextOpen) {
    // A child process writes half a posting and dies without a word.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        Posting posting(engine, prompts, state, clock);
        const bool half =
            posting.Begin("moving 5.00 for A1", {}) && posting.MoveItem("A1", D("5.00"), kToday);
        _exit(half ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(JournalLeft());
    {
        prompts.ExpectMessage("KT Invorra Pro",
                              "The last posting was interrupted and has not been undone yet. "
                              "Open the company again to undo it.",
                              base::PromptAnswer::Ok, base::PromptIcon::Error);
        Posting posting(engine, prompts, state, clock);
        EXPECT_FALSE(posting.Begin("moving again", {}));
    }
    prompts.ExpectMessage("KT Invorra Pro",
                          "The last posting was interrupted and has been undone: moving 5.00 for "
                          "A1.",
                          base::PromptAnswer::Ok, base::PromptIcon::Information);
    EXPECT_EQ(company::RecoverInterruptedPosting(engine, prompts),
              company::RecoveryOutcome::Undone);
    EXPECT_FALSE(JournalLeft());
    EXPECT_EQ(Owed(0)[0], "100.00");
    EXPECT_EQ(testsupport::StoredCompany("1")->receivablesTotal(), "1.00");
    EXPECT_EQ(company::RecoverInterruptedPosting(engine, prompts),
              company::RecoveryOutcome::NothingLeft);
}

}  // namespace
}  // namespace receivables::testing
