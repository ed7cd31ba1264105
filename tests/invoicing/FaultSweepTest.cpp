// Every write of a posting fails in turn: the posting reports failure and leaves the data folder
// byte for byte as it was, and the current company as it was; or, for the one write the engine
// can do without (the free-list link of an index page the tree let go of), it completes with the
// records and balances of a posting without failures. One difference is allowed after a failed
// add: the invoice, detail and memo records it added and took back again leave their slots
// on the data files' free lists (the engine gives a deleted slot to the next add), so for those
// three files the live records and every key order are compared instead of the bytes. The same
// holds for the indexes of the invoice files, which the window keeps open: a write that fails
// while the posting writes them back at its end leaves pages of the posting on disk, taken back
// in memory and written again when the files are closed.
#include <set>

#include "invoicing/InterestCharges.h"
#include "invoicing/InvoicingFixture.h"
#include "invoicing/RepeatBilling.h"

namespace invoicing::testing {
namespace {

using Files = testsupport::FolderFiles;
using Post = std::function<std::optional<PostedInvoice>(InvoicePostings&, InvoiceFiles&)>;

class FaultSweepTest : public InvoicingFixture {
protected:
    FaultSweepTest() {
        InvoiceDraft open = Draft("1001",
                                  {{"P1", "2", "Widget", "12.50", "Y"},
                                   {"P2", "1", "Gadget", "3", "N"},
                                   DraftLine::Comment("Thank you")},
                                  "5");
        open.date = "10/01/2026";
        EXPECT_TRUE(Add(open));
        EXPECT_TRUE(Add(Memo("1002", "80", "Work done")));
    }

    // Runs `post` with write `nth` of the posting failing (0: none); true when it succeeded.
    // `writes` gets the number of writes the posting made.
    bool Run(int64_t nth, const Post& post, int64_t& writes) {
        AnsweringPrompts answering;
        InvoiceFiles invoiceFiles(engine, answering, "1");
        EXPECT_TRUE(invoiceFiles.Open());
        InvoicePostings postings(invoiceFiles, state, clock);
        const int64_t before = files.writes();
        if (nth > 0) files.FailWrite(nth);
        const bool posted = post(postings, invoiceFiles).has_value();
        writes = files.writes() - before;
        files.Clear();
        EXPECT_TRUE(invoiceFiles.Close());
        return posted;
    }

    void PutBack(const Files& folder) { testsupport::PutBackFolder(dir.path(), folder); }

    // The live records of the invoice, detail, memo and customer files in the order of each of
    // their keys, with their record numbers, and the stored company.
    std::vector<std::string> LiveRecords() {
        std::vector<std::string> image;
        const auto walk = [&]<typename R>(records::RecordKind kind, int keys) {
            engine::RecordFile<R> file(engine, File(kind), prompts);
            EXPECT_TRUE(file.Open());
            for (int key = 1; key <= keys; ++key) {
                EXPECT_EQ(
                    file.ForEach(key,
                                 [&](const engine::KeyEntry<R>& entry) {
                                     const auto bytes = entry.record.bytes();
                                     image.push_back(
                                         std::to_string(entry.recordNumber) + entry.key +
                                         std::string(reinterpret_cast<const char*>(bytes.data()),
                                                     bytes.size()));
                                 }),
                    engine::ErrorClass::None);
            }
            EXPECT_TRUE(file.Close());
        };
        walk.template operator()<records::InvoiceRecord>(records::RecordKind::Invoice, 6);
        walk.template operator()<records::InvoiceLineRecord>(records::RecordKind::InvoiceLine, 2);
        walk.template operator()<records::InvoiceMemoRecord>(records::RecordKind::InvoiceMemo, 1);
        walk.template operator()<records::CustomerRecord>(records::RecordKind::Customer, 2);
        const records::CompanyRecord company = *testsupport::StoredCompany("1");
        image.emplace_back(reinterpret_cast<const char*>(company.data()), company.kSize);
        return image;
    }

    // `adding`: the posting adds records, whose slots a rollback leaves free.
    void Sweep(const Post& post, bool adding = false) {
        std::set<std::string> comparedByRecords{"1I.IX", "1D.IX", "1M.IX"};
        if (adding) comparedByRecords.insert({"1I.DAT", "1D.DAT", "1M.DAT"});
        const std::vector<std::string> live = LiveRecords();
        const Files before = FolderBytes();
        const records::CompanyRecord current = state.currentCompany;
        int64_t writes = 0;
        ASSERT_TRUE(Run(0, post, writes));
        ASSERT_GT(writes, 3);
        const std::vector<std::string> posted = LiveRecords();
        const records::CompanyRecord after = state.currentCompany;
        for (int64_t nth = 1; nth <= writes; ++nth) {
            SCOPED_TRACE("write " + std::to_string(nth) + " of " + std::to_string(writes));
            PutBack(before);
            state.currentCompany = current;
            int64_t made = 0;
            if (Run(nth, post, made)) {
                EXPECT_TRUE(LiveRecords() == posted);
                EXPECT_TRUE(state.currentCompany == after);
                continue;
            }
            EXPECT_EQ(testsupport::DifferingFiles(before, FolderBytes(), comparedByRecords),
                      std::vector<std::string>{});
            EXPECT_TRUE(LiveRecords() == live);
            EXPECT_TRUE(state.currentCompany == current);
        }
    }
};

TEST_F(FaultSweepTest, EveryWriteOfAddEditAndDelete) {
    InvoiceDraft product =
        Draft("1003", {{"P1", "1", "Widget", "40", "Y"}, {"P3", "4", "Bolts", "0.25", "N"}}, "10");
    product.customer = "B2";
    const struct {
        const char* name;
        bool adding;
        Post post;
    } cases[] = {
        {"add product", true, [&](InvoicePostings& p, InvoiceFiles&) { return p.Add(product); }},
        {"add memo", true,
         [](InvoicePostings& p, InvoiceFiles&) { return p.Add(Memo("1003", "75", "Text")); }},
        {"edit renumbered, fewer lines, another date", false,
         [](InvoicePostings& p, InvoiceFiles& f) {
             return p.Edit(*f.FindInvoice("1001"),
                           Draft("1009", {{"P1", "3", "Widget", "12.50", "Y"}}, "7"));
         }},
        {"edit memo", false,
         [](InvoicePostings& p, InvoiceFiles& f) {
             return p.Edit(*f.FindInvoice("1002"), Memo("1002", "95", "Other text"));
         }},
        {"delete product", false,
         [](InvoicePostings& p, InvoiceFiles& f) { return p.Delete(*f.FindInvoice("1001")); }},
        {"delete memo", false,
         [](InvoicePostings& p, InvoiceFiles& f) { return p.Delete(*f.FindInvoice("1002")); }},
    };
    const Files start = FolderBytes();
    const records::CompanyRecord current = state.currentCompany;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PutBack(start);
        state.currentCompany = current;
        Sweep(c.post, c.adding);
    }
}

TEST_F(FaultSweepTest, EveryWriteOfRepeatBillingAndInterest) {
    const auto posted = [](bool done) {
        return done ? std::optional(PostedInvoice{}) : std::nullopt;
    };
    const Post makeMaster = [&](InvoicePostings&, InvoiceFiles& f) {
        RepeatBilling billing(f, state, clock);
        return posted(
            billing.Setup(*f.FindInvoice("1002"), {1, RepeatUnit::Months, kToday}).has_value());
    };
    {
        SCOPED_TRACE("memo invoice 1002 made a master");
        Sweep(makeMaster);
    }
    int64_t writes = 0;
    ASSERT_TRUE(Run(0, makeMaster, writes));
    {
        SCOPED_TRACE("an invoice generated from master 1002");
        Sweep(
            [&](InvoicePostings&, InvoiceFiles& f) {
                RepeatBilling billing(f, state, clock);
                const auto due = billing.Search(kToday);
                return posted(billing.Generate(due->masters, {kToday, "Monthly Service", true, {}})
                                  .generated.size() == 1);
            },
            true);
    }
    {
        SCOPED_TRACE("an interest invoice for A1");
        InterestSettings settings;
        settings.date = "12/06/2026";
        InterestCharges scanning(engine, prompts, state, clock);
        const auto scan =
            scanning.Scan(std::get<InterestRates>(ReadInterestRates(settings)), settings.over);
        ASSERT_EQ(scan->rows.size(), 1u);
        Sweep(
            [&](InvoicePostings&, InvoiceFiles& f) {
                InterestCharges charges(f.engine(), f.prompts(), state, clock);
                return posted(charges.Generate(f, *scan, settings, true).created == 1);
            },
            true);
    }
}

}  // namespace
}  // namespace invoicing::testing
