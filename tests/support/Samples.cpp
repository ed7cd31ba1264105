#include "support/Samples.h"

#include <gtest/gtest.h>

#include "base/Dates.h"
#include "base/Decimal.h"
#include "base/Text.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/StarterData.h"
#include "engine/BlockFile.h"
#include "records/RecordTypes.h"
#include "support/ScriptedPrompts.h"

namespace testsupport {

namespace {

std::string Amount(const base::Decimal& value) {
    return value.Format("0.00");
}

records::InvoiceRecord InvoiceHeader(const records::CompanyRecord& company,
                                     const records::CustomerRecord& customer,
                                     std::string_view number, const base::Date& date) {
    records::InvoiceRecord header;
    header.setInvoiceNumber(base::Win1252Upper(number));
    header.setTypeCode("I");
    header.setKeyCode("None");
    header.setCustomerNumber(customer.number());
    header.setCompanyCode(company.code());
    header.setDocumentDate(base::FormatDate(date, base::EntryDateOrder(company.dateFormat())),
                           date);
    header.setTerms(customer.terms());
    header.setShortName(customer.shortName());
    return header;
}

void SetAmounts(records::InvoiceRecord& header, const base::Decimal& net,
                const base::Decimal& tax) {
    const base::Decimal total = net + tax;
    header.setNet(Amount(net));
    header.setTax(Amount(tax));
    header.setTotal(Amount(total));
    header.setPaid("0.00");
    header.setBalanceDue(Amount(total));
}

records::InvoiceLineRecord Line(const records::InvoiceRecord& header, std::string_view kind,
                                std::string_view productCode, const records::LineColumns& columns) {
    records::InvoiceLineRecord line;
    line.setColumns(columns);
    line.setKind(kind);
    line.setCompanyCode(header.companyCode());
    line.setInvoiceNumber(header.invoiceNumber());
    line.setInvoiceDate(header.sortDate());
    line.setProductCode(base::Trim(base::CutTo(productCode, 10)));
    line.setCustomerNumber(header.customerNumber());
    line.setShortName(header.shortName());
    return line;
}

}  // namespace

records::CompanyRecord SampleCompany(std::string_view number, std::string_view name) {
    records::CompanyRecord company = company::StarterCompany();
    company.setNumber(number);
    company.setName(name);
    company.setAddress1(name);
    company.setAddress2("100 Commerce Way");
    company.setAddress3("Springfield, IL 62701");
    company.setAddress5("(217) 555-0100");
    company.setTaxRate("8.125");
    company.setTaxHeading("Sales Tax:");
    company.setBackgroundBitmapOn(false);
    company.setBackgroundBitmap("");
    return company;
}

namespace {

template <typename Use>
void WithCompanyFile(Use use) {
    engine::Engine engine;
    engine.InitEngine(0, 30);
    ScriptedPrompts silent;
    company::CompanyFile file(engine, silent);
    if (!engine.fileSystem().Exists("Company.DAT")) {
        ASSERT_TRUE(file.file().Create());
    }
    ASSERT_TRUE(file.Open());
    use(file);
    ASSERT_TRUE(file.Close());
}

}  // namespace

void AddCompanies(const std::vector<records::CompanyRecord>& companies) {
    WithCompanyFile([&](company::CompanyFile& file) {
        for (const records::CompanyRecord& company : companies) {
            int32_t recordNumber = 0;
            ASSERT_TRUE(file.Add(company, recordNumber)) << "company " << company.number();
        }
    });
}

std::optional<records::CompanyRecord> StoredCompany(std::string_view number) {
    std::optional<records::CompanyRecord> company;
    WithCompanyFile([&](company::CompanyFile& file) {
        if (const auto found = file.Find(number)) company = found->second;
    });
    return company;
}

void UpdateStoredCompany(const records::CompanyRecord& company) {
    WithCompanyFile([&](company::CompanyFile& file) {
        const auto found = file.Find(company.number());
        ASSERT_TRUE(found.has_value()) << "company " << company.number();
        EXPECT_EQ(file.Modify(found->first, company, found->second),
                  engine::UpdateOutcome::Written);
    });
}

records::CustomerRecord SampleCustomer(std::string_view number, std::string_view name) {
    records::CustomerRecord customer;
    customer.SetNewCustomerValues();
    customer.setNumber(number);
    customer.setName(name);
    customer.setShortName(base::Win1252Upper(base::CutTo(name, 10)));
    customer.setTerms("Net 30 Days");
    customer.setCreditLimit("0.00");
    customer.setBilling1("12 Market Street");
    customer.setBilling2("Springfield, IL 62704");
    customer.setShipping1("12 Market Street");
    customer.setShipping2("Springfield, IL 62704");
    customer.setPhone1("(217) 555-0142");
    customer.setNotesOnInvoices(false);
    customer.setNotesOnStatements(false);
    return customer;
}

records::ProductRecord SampleProduct(std::string_view code, std::string_view description,
                                     std::string_view price, bool taxable) {
    records::ProductRecord product;
    product.setCode(code);
    product.setDescription(description);
    product.setPrice(price);
    product.setTaxable(taxable);
    product.setSetupDate("01/02/2024");
    product.setLastChangedDate("01/02/2024");
    return product;
}

SampleInvoice SampleProductInvoice(const records::CompanyRecord& company,
                                   const records::CustomerRecord& customer, std::string_view number,
                                   const base::Date& date, const std::vector<SampleLine>& lines) {
    SampleInvoice invoice{InvoiceHeader(company, customer, number, date), {}, std::nullopt};
    invoice.header.setForm("P");
    base::Decimal net, taxable;
    for (const SampleLine& line : lines) {
        const base::Decimal extension =
            (base::Decimal::ParseOrZero(line.quantity) * base::Decimal::ParseOrZero(line.unitPrice))
                .Rounded(2);
        net += extension;
        if (line.taxable) taxable += extension;
        invoice.lines.push_back(Line(invoice.header, "P", line.productCode,
                                     {line.quantity, line.description, line.unitPrice,
                                      line.taxable ? "Y" : "N", Amount(extension)}));
    }
    const base::Decimal rate = base::Decimal::ParseOrZero(company.taxRate());
    const base::Decimal tax =
        company.calculateTaxes()
            ? (taxable * rate).DividedBy(base::Decimal::FromInteger(100))->Rounded(2)
            : base::Decimal();
    SetAmounts(invoice.header, net, tax);
    return invoice;
}

SampleInvoice SampleMemoInvoice(const records::CompanyRecord& company,
                                const records::CustomerRecord& customer, std::string_view number,
                                const base::Date& date, std::string_view net,
                                std::string_view description,
                                const std::vector<std::string>& memoText) {
    SampleInvoice invoice{InvoiceHeader(company, customer, number, date), {}, std::nullopt};
    invoice.header.setForm("M");
    const base::Decimal amount = base::Decimal::ParseOrZero(net);
    SetAmounts(invoice.header, amount, base::Decimal());
    invoice.lines.push_back(
        Line(invoice.header, "M", "Memo",
             {"1", std::string(description), Amount(amount), "M", Amount(amount)}));
    records::InvoiceMemoRecord memo;
    memo.setInvoiceNumber(invoice.header.invoiceNumber());
    memo.setLines(memoText);
    invoice.memo = memo;
    return invoice;
}

void AddRecords(engine::Engine& engine, const engine::FileDescription& file,
                const std::vector<std::span<const std::byte>>& records) {
    if (!engine.IsInitialised()) engine.InitEngine(0, 30);
    ScriptedPrompts noPrompts;
    engine::BlockFile block(engine, file, noPrompts);
    if (!engine.fileSystem().Exists(file.name + ".DAT")) {
        ASSERT_TRUE(block.Create()) << file.name;
    }
    ASSERT_TRUE(block.Open()) << file.name;
    for (const std::span<const std::byte> record : records) {
        int32_t recordNumber = 0;
        ASSERT_TRUE(block.Add(record, recordNumber)) << file.name << " err " << engine.error();
    }
    ASSERT_TRUE(block.Close()) << file.name;
}

void AddInvoice(engine::Engine& engine, std::string_view companyCode,
                const SampleInvoice& invoice) {
    AddRecords(engine, records::RecordTypeOf(records::RecordKind::Invoice).Describe(companyCode),
               std::vector<records::InvoiceRecord>{invoice.header});
    AddRecords(engine,
               records::RecordTypeOf(records::RecordKind::InvoiceLine).Describe(companyCode),
               invoice.lines);
    if (invoice.memo)
        AddRecords(engine,
                   records::RecordTypeOf(records::RecordKind::InvoiceMemo).Describe(companyCode),
                   std::vector<records::InvoiceMemoRecord>{*invoice.memo});
}

}  // namespace testsupport
