#include "records/CompanyRecord.h"

#include "base/Text.h"

namespace records {

const std::vector<base::FieldInfo>& CompanyRecord::Fields() {
    static const std::vector<base::FieldInfo> fields = {
        KT_COMPANY_RECORD_FIELDS(KT_RECORD_FIELD_INFO)};
    return fields;
}

std::string CompanyRecord::code() const {
    return base::CutTo(base::Trim(number()), 5);
}

const KeyTable<CompanyRecord>& CompanyRecord::Keys() {
    static const KeyTable<CompanyRecord> keys = {
        .keys = {{5, kUnique, &CompanyRecord::number}, {30, kDuplicates, &CompanyRecord::name}},
        .addOrder = {1, 2},
        .updateOrder = {1, 2}};
    return keys;
}

void CompanyRecord::SetNewCompanyValues(std::string_view newNumber) {
    setName("");
    setNumber(newNumber);
    setReceivablesTotalAmount(base::Decimal());
    for (auto set :
         {&CompanyRecord::setAddress1, &CompanyRecord::setAddress2, &CompanyRecord::setAddress3,
          &CompanyRecord::setAddress4, &CompanyRecord::setAddress5,
          &CompanyRecord::setSalesMessage1, &CompanyRecord::setSalesMessage2,
          &CompanyRecord::setSalesMessage3, &CompanyRecord::setSalesMessage4,
          &CompanyRecord::setEmail, &CompanyRecord::setSmtpServer})
        (this->*set)("");
    setBackgroundBitmapOn(true);
    setBackgroundBitmap("ktt8.bmp");
    setTaxRate("0.000");
    setCalculateTaxes(true);
    setDefaultTerms("Net 30 Days");
    setNextInvoiceNumber("100");
    setDefaultQuantity("1.00");
    setPrintDuplicateInvoice(false);
    setDateFormat("M");
    setYearMonthPrefix(false);
    setNextCustomerNumber("1");
    setEditorFont(FontSpec{"Arial", 10, kBlue, kBold});
    setManagersFont(FontSpec{"Courier New", 10, kBlack, 0});
    setShowAgingChart(true);
    setDefaultInvoiceType("P");
    setCopyBillingToShipping(true);
    setShowHints(true);
    setPrintPackingSlip(false);
    setPrintFileCopy(false);
    for (auto set : {&CompanyRecord::setLastAgingDate, &CompanyRecord::setLastInterestRunDate,
                     &CompanyRecord::setLastStatementRunDate,
                     &CompanyRecord::setLastRepeatBillingDate, &CompanyRecord::setStatementNote})
        (this->*set)(" ");
    setNumberOfCopies("1");
    setPrintReturnAddress(true);
    setEmailLines(true);
    setShippingCaption("Deliver To:");
    setAgingDays1("30");
    setAgingDays2("60");
    setAgingDays3("90");
    setAgingCaption1("Current:");
    setAgingCaption2("31-60:");
    setAgingCaption3("61-90:");
}

}  // namespace records
