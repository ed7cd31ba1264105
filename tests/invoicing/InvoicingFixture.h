#pragma once
// A data folder with company 1 current (tax 10 %, aging limits 30/60/90, next invoice 1001,
// month-first dates), customers A1, A10 and B2 with nothing owed, empty invoice files, and the
// clock at 6 December 2026, 10:30. Postings run on the invoice files opened around each call, as
// the Invoice Manager holds them.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "company/ProgramState.h"
#include "engine/FaultInjectingFileSystem.h"
#include "engine/RecordFile.h"
#include "invoicing/InvoiceChecks.h"
#include "invoicing/InvoiceDraft.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoicePostings.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "support/AnsweringPrompts.h"
#include "support/FolderImage.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace invoicing::testing {

using testsupport::AnsweringPrompts;

class InvoicingFixture : public ::testing::Test {
protected:
    static constexpr base::Date kToday{2026, 12, 6};

    InvoicingFixture() {
        records::CompanyRecord company = testsupport::SampleCompany("1");
        company.setAgingDays1("30");
        company.setAgingDays2("60");
        company.setAgingDays3("90");
        company.setCalculateTaxes(true);
        company.setTaxRate("10");
        company.setNextInvoiceNumber("1001");
        company.setDateFormat("M");
        company.setDefaultQuantity("1");
        company.setReceivablesTotal("0.00");
        testsupport::AddCompanies({company});
        state.currentCompany = *testsupport::StoredCompany("1");
        state.ApplyDateFormat(clock);
        engine.InitEngine(0, 30);
        testsupport::AddRecords(
            engine, File(records::RecordKind::Customer),
            std::vector<records::CustomerRecord>{testsupport::SampleCustomer("A1", "Ames Hardware"),
                                                 testsupport::SampleCustomer("A10", "Ames Ten"),
                                                 testsupport::SampleCustomer("B2", "Brook Ltd")});
        for (const auto kind : {records::RecordKind::Invoice, records::RecordKind::InvoiceLine,
                                records::RecordKind::InvoiceMemo})
            testsupport::AddRecords(engine, File(kind), std::vector<records::InvoiceRecord>{});
    }

    static engine::FileDescription File(records::RecordKind kind) {
        return records::RecordTypeOf(kind).Describe("1");
    }

    // A product invoice of customer A1 dated today with these rows.
    static InvoiceDraft Draft(std::string number, std::vector<DraftLine> lines,
                              std::string paid = "0.00") {
        InvoiceDraft draft;
        draft.customer = "A1";
        draft.number = std::move(number);
        draft.date = "12/06/2026";
        draft.lines = std::move(lines);
        draft.paid = std::move(paid);
        return draft;
    }

    static InvoiceDraft Memo(std::string number, std::string net, std::string text) {
        InvoiceDraft draft = Draft(std::move(number), {});
        draft.form = InvoiceForm::Memo;
        draft.memo = {std::move(text), "Consulting", "1", std::move(net), "0.00"};
        return draft;
    }

    // The checks' view of the files: customers by FindCustomer, numbers in `invoiceFiles`.
    InvoiceCheckContext CheckContext(base::PromptService& asked, InvoiceFiles& invoiceFiles,
                                     std::string editedNumber = "",
                                     base::Decimal editedTotal = {}) {
        return {
            state.currentCompany,
            std::move(editedNumber),
            editedTotal,
            [this, &asked](const std::string& number) -> std::optional<records::CustomerRecord> {
                if (auto found = receivables::FindCustomer(engine, asked, "1", number))
                    return found->record;
                return std::nullopt;
            },
            [&invoiceFiles](const std::string& number) {
                return invoiceFiles.FindInvoice(number).has_value();
            },
            files,
            asked};
    }

    // Runs `post` on the invoice files opened for it with `prompts`.
    template <typename Post>
    auto Posting(base::PromptService& prompts, Post post) {
        InvoiceFiles files(engine, prompts, "1");
        EXPECT_TRUE(files.Open());
        InvoicePostings postings(files, state, clock);
        auto result = post(postings, files);
        EXPECT_TRUE(files.Close());
        return result;
    }
    std::optional<PostedInvoice> Add(const InvoiceDraft& draft) {
        return Posting(prompts, [&](InvoicePostings& p, InvoiceFiles&) { return p.Add(draft); });
    }
    std::optional<PostedInvoice> Edit(const std::string& number, const InvoiceDraft& draft) {
        return Posting(prompts, [&](InvoicePostings& p, InvoiceFiles& files) {
            return p.Edit(*files.FindInvoice(number), draft);
        });
    }
    std::optional<PostedInvoice> Delete(const std::string& number) {
        return Posting(prompts, [&](InvoicePostings& p, InvoiceFiles& files) {
            return p.Delete(*files.FindInvoice(number));
        });
    }

    template <typename R>
    std::vector<R> Stored(records::RecordKind kind, int keyNumber = 1) {
        std::vector<R> found;
        engine::RecordFile<R> file(engine, File(kind), prompts);
        EXPECT_TRUE(file.Open());
        EXPECT_EQ(
            file.ForEach(keyNumber, [&](const auto& entry) { found.push_back(entry.record); }),
            engine::ErrorClass::None);
        EXPECT_TRUE(file.Close());
        return found;
    }
    std::vector<records::InvoiceRecord> Invoices() {
        return Stored<records::InvoiceRecord>(records::RecordKind::Invoice);
    }
    std::vector<records::InvoiceLineRecord> Lines() {
        return Stored<records::InvoiceLineRecord>(records::RecordKind::InvoiceLine, 2);
    }
    std::vector<records::InvoiceMemoRecord> Memos() {
        return Stored<records::InvoiceMemoRecord>(records::RecordKind::InvoiceMemo);
    }
    // By number: A1, A10, B2.
    std::vector<records::CustomerRecord> Customers() {
        return Stored<records::CustomerRecord>(records::RecordKind::Customer, 2);
    }
    // Balance and the four aging amounts of a customer.
    std::vector<std::string> Owed(int index) {
        const records::CustomerRecord c = Customers()[index];
        return {c.balance(), c.aging1(), c.aging2(), c.aging3(), c.aging4()};
    }

    // Every file of the data folder with its bytes.
    testsupport::FolderFiles FolderBytes() const { return testsupport::FolderBytes(dir.path()); }

    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
    engine::Engine engine{files};
    testsupport::ScriptedPrompts prompts;
    base::FixedClock clock{{kToday, 10, 30, 0}};
    company::ProgramState state;
};

}  // namespace invoicing::testing
