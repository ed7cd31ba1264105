// The edit guards and the delete steps of the Invoice Manager, each in its order.
#include "invoicing/InvoiceGuards.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/Samples.h"
#include "support/ScriptedPrompts.h"

namespace invoicing::testing {
namespace {

struct Prompt {
    std::string caption;
    std::string text;
    base::PromptAnswer answer = base::PromptAnswer::Ok;
};

struct Case {
    const char* name;
    std::function<void(records::InvoiceRecord&, records::CompanyRecord&)> arrange;
    std::vector<Prompt> prompts;
    bool allowed;
};

records::InvoiceRecord Open() {
    records::InvoiceRecord record;
    record.setInvoiceNumber("1001");
    record.setTypeCode("I");
    record.setTotal("100.00");
    record.setPaid("0.00");
    record.setBalanceDue("100.00");
    return record;
}

void Check(const Case& c, bool (*guard)(const records::InvoiceRecord&,
                                        const records::CompanyRecord&, base::PromptService&)) {
    SCOPED_TRACE(c.name);
    records::InvoiceRecord record = Open();
    records::CompanyRecord company = testsupport::SampleCompany();
    company.setAuditTrail(false);
    c.arrange(record, company);
    testsupport::ScriptedPrompts prompts;
    for (const Prompt& p : c.prompts) prompts.ExpectMessage(p.caption, p.text, p.answer);
    EXPECT_EQ(guard(record, company, prompts), c.allowed);
}

const auto kType = [](const char* type) {
    return [type](records::InvoiceRecord& r, records::CompanyRecord&) { r.setTypeCode(type); };
};
const auto kPaid = [](const char* paid, const char* flag) {
    return [paid, flag](records::InvoiceRecord& r, records::CompanyRecord&) {
        r.setPaid(paid);
        r.setPaidFlag(flag);
    };
};
const Prompt kSure{"Delete Invoice#: 1001", "Are you sure you want to delete this record?",
                   base::PromptAnswer::Yes};

TEST(InvoiceGuards, EditGuardsInTheirOrder) {
    const Case cases[] = {
        {"open invoice", [](auto&, auto&) {}, {}, true},
        {"audit trail",
         [](records::InvoiceRecord& r, records::CompanyRecord& c) {
             c.setAuditTrail(true);
             r.setTypeCode("Z");
         },
         {{"Audit Trail", "The audit trail feature is turned on. Unable to modify record."}},
         false},
        {"partly paid",
         kType("X"),
         {{"Partial Payments",
           "This record is part of a partial-payment record and may not be edited."}},
         false},
        {"repeat master, printed, No",
         [](records::InvoiceRecord& r, records::CompanyRecord&) {
             r.setTypeCode("R");
             r.setPrinted("Y");
         },
         {{"Please Note",
           "This is a repeat billing master record.  Changes to this record will be reflected in "
           "future generated invoices."},
          {"Printed Invoice",
           "This invoice has been printed. Are you sure you want to edit this record?",
           base::PromptAnswer::No}},
         false},
        {"paid in part with the flag",
         kPaid("40.00", "P"),
         {{"Paid Item",
           "This record has been paid. You may not edit this record. You can use the "
           "Invoice-View menu option to look at this invoice."}},
         false},
        {"paid in full at entry", kPaid("100.00", "P"), {}, true},
        {"deposit",
         kType("D"),
         {{"Deposit on Account",
           "This record is a deposit. You may not edit this record, however, you can delete "
           "it."}},
         false},
        {"deposit taken",
         kType("T"),
         {{"Deposit Taken",
           "This record is a deposit which has been previously offset (taken). Unable to edit "
           "this record."}},
         false},
    };
    for (const Case& c : cases) Check(c, &MayEdit);
}

TEST(InvoiceGuards, DeleteStepsInTheirOrder) {
    const Prompt activity{"Please Note",
                          "This record has payment activity. If you delete this record the "
                          "payment data will also be removed."};
    const Case cases[] = {
        {"open invoice", [](auto&, auto&) {}, {kSure}, true},
        {"answered No",
         [](auto&, auto&) {},
         {{kSure.caption, kSure.text, base::PromptAnswer::No}},
         false},
        {"audit trail",
         [](records::InvoiceRecord&, records::CompanyRecord& c) { c.setAuditTrail(true); },
         {{"Audit Trail", "The audit trail feature is turned on. Unable to delete record."}},
         false},
        {"partial payment",
         kType("Z"),
         {{"Partial Payment Item",
           "This record is associated with a partial payment (type X or Z). Unable to delete "
           "this item."}},
         false},
        {"paid",
         kPaid("100.00", "P"),
         {{"Paid Item",
           "This record has been paid and may not be deleted. It will be deleted when you remove "
           "paid records."}},
         false},
        {"paid in part", kPaid("40.00", " "), {activity, kSure}, true},
        {"repeat master",
         kType("R"),
         {{"Please Note",
           "This is a repeat billing master record. If you delete this master record, no further "
           "invoices will be generated."},
          kSure},
         true},
        {"deposit, No",
         kType("D"),
         {{"Please Confirm",
           "You are about to delete a payment you posted as a Deposit on Account. Are you sure?",
           base::PromptAnswer::No}},
         false},
    };
    for (const Case& c : cases) Check(c, &MayDelete);
}

}  // namespace
}  // namespace invoicing::testing
