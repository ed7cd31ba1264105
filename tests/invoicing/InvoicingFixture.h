#pragma once
// Company 1 (tax 10 %, next invoice 1001, month-first dates), customers A1, A10 and B2 with
// nothing owed, and empty invoice files. Postings run on the invoice files opened around each
// call, as the Invoice Manager holds them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "invoicing/InvoiceChecks.h"
#include "invoicing/InvoiceDraft.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoicePostings.h"
#include "receivables/PostingWrites.h"
#include "records/RecordTypes.h"
#include "support/AnsweringPrompts.h"
#include "support/CompanyOneFixture.h"
#include "support/FolderImage.h"

namespace invoicing::testing {

using testsupport::AnsweringPrompts;

class InvoicingFixture : public testsupport::CompanyOneFixture {
protected:
    InvoicingFixture()
        : CompanyOneFixture([](records::CompanyRecord& company) {
              company.setCalculateTaxes(true);
              company.setTaxRate("10");
              company.setNextInvoiceNumber("1001");
              company.setDateFormat("M");
              company.setDefaultQuantity("1");
              company.setReceivablesTotal("0.00");
          }) {
        testsupport::AddRecords(
            engine, File(records::RecordKind::Customer),
            std::vector<records::CustomerRecord>{testsupport::SampleCustomer("A1", "Ames Hardware"),
                                                 testsupport::SampleCustomer("A10", "Ames Ten"),
                                                 testsupport::SampleCustomer("B2", "Brook Ltd")});
        for (const auto kind : {records::RecordKind::Invoice, records::RecordKind::InvoiceLine,
                                records::RecordKind::InvoiceMemo})
            testsupport::AddRecords(engine, File(kind), std::vector<records::InvoiceRecord>{});
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

    std::vector<records::InvoiceRecord> Invoices() {
        return Stored<records::InvoiceRecord>(records::RecordKind::Invoice);
    }
    std::vector<records::InvoiceLineRecord> Lines() {
        return Stored<records::InvoiceLineRecord>(records::RecordKind::InvoiceLine, 2);
    }
    std::vector<records::InvoiceMemoRecord> Memos() {
        return Stored<records::InvoiceMemoRecord>(records::RecordKind::InvoiceMemo);
    }
    // Every file of the data folder with its bytes.
    testsupport::FolderFiles FolderBytes() const { return testsupport::FolderBytes(dir.path()); }
};

}  // namespace invoicing::testing
