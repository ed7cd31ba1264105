// The aging run is one posting. While it runs on one desk a second desk posting invoices to the
// same company comes wholly before or after it, so the company's total stays the sum of the
// customers' balances and of the open items; and a run killed half way is undone.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "company/PostingRecovery.h"
#include "engine/Journal.h"
#include "receivables/AgingRun.h"
#include "receivables/OpenItems.h"
#include "receivables/Posting.h"
#include "receivables/ReceivablesFixture.h"
#include "support/AnsweringPrompts.h"
#include "support/ForwardingFileSystem.h"

namespace receivables::testing {
namespace {

// The files of the aging desk, with a look at the moments the run opens a file and writes one.
struct FileHooks {
    std::function<void()> beforeOpen = [] {};
    std::function<void(const std::string& path)> afterWrite = [](const std::string&) {};
};

class HookedFile final : public engine::File {
public:
    HookedFile(std::unique_ptr<engine::File> inner, std::string path, const FileHooks& hooks)
        : inner_(std::move(inner)), path_(std::move(path)), hooks_(hooks) {}

    int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) override {
        return inner_->Read(offset, buffer, size, bytesRead);
    }
    int Write(int64_t offset, const void* buffer, int64_t size, int64_t& bytesWritten) override {
        const int result = inner_->Write(offset, buffer, size, bytesWritten);
        hooks_.afterWrite(path_);
        return result;
    }
    int Size(int64_t& size) override { return inner_->Size(size); }
    int Truncate(int64_t size) override { return inner_->Truncate(size); }
    int Flush() override { return inner_->Flush(); }
    int Close() override { return inner_->Close(); }

private:
    std::unique_ptr<engine::File> inner_;
    std::string path_;
    const FileHooks& hooks_;
};

class HookedFiles final : public testsupport::ForwardingFileSystem {
public:
    explicit HookedFiles(const FileHooks& hooks) : hooks_(hooks) {}

    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        hooks_.beforeOpen();
        std::unique_ptr<engine::File> opened;
        const int result = ForwardingFileSystem::Open(path, mode, opened);
        if (opened) file = std::make_unique<HookedFile>(std::move(opened), path, hooks_);
        return result;
    }

private:
    const FileHooks& hooks_;
};

class AgingRunPostingTest : public ReceivablesFixture {
protected:
    AgingRunPostingTest() {
        records::CustomerRecord ames = testsupport::SampleCustomer("A1", "Ames Hardware");
        ames.setBalance("25.00");
        records::CustomerRecord birch = testsupport::SampleCustomer("B2", "Birch Books");
        birch.setBalance("60.00");
        AddCustomers({ames, birch});
        AddItems({Item("A1", 40, "25.00"), Item("B2", 100, "60.00")});
        // The fixture's engine is the other desk; it gives up at once on a file the run holds.
        engine.SetSharingWait({std::chrono::milliseconds(1), false});
    }

    // An invoice of 10.00 for A1 added at the other desk, as the invoice postings add one.
    void PostAtOtherDesk() {
        InvoiceFile invoices(engine, File(records::RecordKind::Invoice), otherPrompts);
        Posting posting(engine, otherPrompts, state, clock);
        const records::InvoiceRecord item = Item("A1", 0, "10.00");
        if (posting.Begin("adding invoice " + item.invoiceNumber(), {&invoices.block()}) &&
            AddRecord(posting.log(), "The invoice could not be written.", invoices, item) &&
            posting.MoveItem("A1", D("10.00"), kToday) && posting.Commit())
            ++posted;
        else
            ++refused;
    }

    // The aging run of a desk of its own, over files with `hooks`.
    AgingRunResult AgeAtDesk(const FileHooks& hooks, testsupport::AnsweringPrompts& agingPrompts) {
        HookedFiles agingFiles(hooks);
        engine::Engine agingDesk(agingFiles);
        agingDesk.InitEngine(0, 30);
        company::ProgramState agingState = state;
        return CalculateAging(agingDesk, agingPrompts, agingState, clock, false);
    }

    testsupport::AnsweringPrompts otherPrompts;
    int posted = 0;
    int refused = 0;
};

TEST_F(AgingRunPostingTest, APostingOfAnotherDeskIsNeverLostFromTheCompanyTotal) {
    testsupport::AnsweringPrompts agingPrompts;
    const AgingRunResult result = AgeAtDesk({[this] { PostAtOtherDesk(); }}, agingPrompts);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(agingPrompts.shown, std::vector<std::string>{});
    // The other desk got through before the run took its files, and was turned away while the
    // run held them.
    EXPECT_GT(posted, 0);
    EXPECT_GT(refused, 0);

    base::Decimal balances;
    for (const records::CustomerRecord& customer : StoredCustomers())
        balances += customer.balanceAmount();
    base::Decimal open;
    for (const records::InvoiceRecord& item :
         Stored<records::InvoiceRecord>(records::RecordKind::Invoice))
        open += item.balanceDueAmount();
    const auto money = [](const base::Decimal& amount) { return amount.Format("0.00"); };
    EXPECT_EQ(money(open), money(D("85.00") + D("10.00") * base::Decimal::FromInteger(posted)));
    EXPECT_EQ(money(balances), money(open));
    EXPECT_EQ(money(testsupport::StoredCompany("1")->receivablesTotalAmount()), money(open));
}

TEST_F(AgingRunPostingTest, ARunKilledHalfWayIsUndoneAtTheNextOpen) {
    const std::vector<std::string> owedBefore = Owed(0);
    const records::CompanyRecord companyBefore = *testsupport::StoredCompany("1");
    // A child process ages A1, writes the first bytes of B2 and dies without a word.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int customerWrites = 0;
        FileHooks hooks;
        hooks.afterWrite = [&customerWrites](const std::string& path) {
            if (path.ends_with("1C.DAT") && ++customerWrites == 2) _exit(0);
        };
        testsupport::AnsweringPrompts agingPrompts;
        (void)AgeAtDesk(hooks, agingPrompts);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(std::filesystem::exists(engine::kJournalFileName));

    prompts.ExpectMessage("KT Invorra Pro",
                          "The last posting was interrupted and has been undone: the aging run.",
                          base::PromptAnswer::Ok, base::PromptIcon::Information);
    EXPECT_EQ(company::RecoverInterruptedPosting(engine, prompts),
              company::RecoveryOutcome::Undone);
    EXPECT_EQ(Owed(0), owedBefore);
    EXPECT_EQ(*testsupport::StoredCompany("1"), companyBefore);
}

}  // namespace
}  // namespace receivables::testing
