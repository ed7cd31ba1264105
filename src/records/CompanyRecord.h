#pragma once
// One company: every company option and the running values other parts keep (receivables total,
// next and last invoice numbers, dates of the last aging, interest, statement and repeat-billing
// runs). 2736 bytes in the company file "Company" and in "LastCo.Dat". Reserved bytes are kept
// as they are read, because a new company starts as a copy of the current one.
//
// The field list below is the layout: kind, accessors, OFFSET and SIZE of every field (texts are
// 1+SIZE bytes, flags one byte 0/1, Y/N fields 1+1 texts "Y"/"N", fonts a name of SIZE characters
// with size, colour and style after it, see FontSpec.h). Bytes 0-3 belong to the engine; the
// bytes 270-271, 872-873, 930-932, 945-950, 995, 1989-1999, 2051, 2085-2087, 2097-2099,
// 2142-2152, 2155, 2158, 2210-2260, 2312-2362, 2365-2547, 2574-2610, 2619-2673, 2686-2689 and
// 2723-2735 are padding or reserved. docs/FORMAT.md has the same layout as a table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/RecordField.h"
#include "records/FontSpec.h"
#include "records/RecordKeys.h"

namespace records {

// clang-format off
#define KT_COMPANY_RECORD_FIELDS(X)                                                   \
    X(Text,  name,                      setName,                         4,  35)     \
    X(Text,  number,                    setNumber,                      40,   5)     \
    X(Money, receivablesTotal,          setReceivablesTotal,            46,  10)     \
    X(Text,  address1,                  setAddress1,                    57,  35)     \
    X(Text,  address2,                  setAddress2,                    93,  35)     \
    X(Text,  address3,                  setAddress3,                   129,  35)     \
    X(Text,  address4,                  setAddress4,                   165,  35)     \
    X(Text,  address5,                  setAddress5,                   201,  35)     \
    X(Font,  editorFont,                setEditorFont,                 237,  32)     \
    X(Flag,  backgroundBitmapOn,        setBackgroundBitmapOn,         281,   1)     \
    X(Text,  backgroundBitmap,          setBackgroundBitmap,           282, 250)     \
    X(Text,  salesMessage1,             setSalesMessage1,              533,  78)     \
    X(Text,  salesMessage2,             setSalesMessage2,              612,  78)     \
    X(Text,  salesMessage3,             setSalesMessage3,              691,  78)     \
    X(Text,  salesMessage4,             setSalesMessage4,              770,  78)     \
    X(Text,  nextInvoiceNumber,         setNextInvoiceNumber,          849,   9)     \
    X(Text,  defaultQuantity,           setDefaultQuantity,            859,   9)     \
    X(Flag,  printDuplicateInvoice,     setPrintDuplicateInvoice,      869,   1)     \
    X(Flag,  printNewInvoices,          setPrintNewInvoices,           870,   1)     \
    X(Flag,  calculateTaxes,            setCalculateTaxes,             871,   1)     \
    X(Text,  taxRate,                   setTaxRate,                    874,   6)     \
    X(Text,  defaultTerms,              setDefaultTerms,               881,  35)     \
    X(Text,  dateFormat,                setDateFormat,                 917,   1)     \
    X(YesNo, yearMonthPrefix,           setYearMonthPrefix,            919,   1)     \
    X(Text,  nextCustomerNumber,        setNextCustomerNumber,         921,   8)     \
    X(Text,  lastAgingDate,             setLastAgingDate,              933,  10)     \
    X(Flag,  showAgingChart,            setShowAgingChart,             944,   1)     \
    X(Text,  defaultInvoiceType,        setDefaultInvoiceType,         951,   1)     \
    X(Flag,  copyBillingToShipping,     setCopyBillingToShipping,      953,   1)     \
    X(Font,  managersFont,              setManagersFont,               954,  40)     \
    X(Flag,  verticalLines,             setVerticalLines,             1005,   1)     \
    X(Flag,  horizontalLines,           setHorizontalLines,           1006,   1)     \
    X(Text,  lineWidth,                 setLineWidth,                 1007,   1)     \
    X(Flag,  statementBox,              setStatementBox,              1009,   1)     \
    X(Flag,  invoiceBox,                setInvoiceBox,                1010,   1)     \
    X(Flag,  customerAgingOnForms,      setCustomerAgingOnForms,      1011,   1)     \
    X(Flag,  shading,                   setShading,                   1012,   1)     \
    X(Flag,  letterheadStyle,           setLetterheadStyle,           1013,   1)     \
    X(Flag,  salesMessageOnForms,       setSalesMessageOnForms,       1014,   1)     \
    X(Flag,  productCodesOnInvoices,    setProductCodesOnInvoices,    1015,   1)     \
    X(Flag,  moveDownTotals,            setMoveDownTotals,            1016,   1)     \
    X(Text,  boxTop,                    setBoxTop,                    1017,   2)     \
    X(Text,  formTopMargin,             setFormTopMargin,             1020,   2)     \
    X(Text,  formLeftMargin,            setFormLeftMargin,            1023,   2)     \
    X(Flag,  printLogo,                 setPrintLogo,                 1026,   1)     \
    X(Text,  logoBitmap,                setLogoBitmap,                1027, 250)     \
    X(Text,  invoiceCaption,            setInvoiceCaption,            1278,  25)     \
    X(Text,  statementCaption,          setStatementCaption,          1304,  25)     \
    X(Text,  packingSlipCaption,        setPackingSlipCaption,        1330,  25)     \
    X(Text,  fileCopyCaption,           setFileCopyCaption,           1356,  25)     \
    X(Text,  productCodeHeader,         setProductCodeHeader,         1382,  15)     \
    X(Text,  quantityHeader,            setQuantityHeader,            1398,  15)     \
    X(Text,  descriptionHeader,         setDescriptionHeader,         1414,  32)     \
    X(Text,  unitCostHeader,            setUnitCostHeader,            1447,  15)     \
    X(Text,  extensionHeader,           setExtensionHeader,           1463,  15)     \
    X(Text,  taxHeading,                setTaxHeading,                1479,  10)     \
    X(Text,  statementNote,             setStatementNote,             1490,  80)     \
    X(Flag,  printPackingSlip,          setPrintPackingSlip,          1571,   1)     \
    X(Flag,  printFileCopy,             setPrintFileCopy,             1572,   1)     \
    X(Flag,  showHints,                 setShowHints,                 1573,   1)     \
    X(Text,  lastInvoiceNumber,         setLastInvoiceNumber,         1574,   9)     \
    X(Font,  bodyFont,                  setBodyFont,                  1584,  32)     \
    X(Font,  captionFont,               setCaptionFont,               1632,  32)     \
    X(Font,  companyAddressFont,        setCompanyAddressFont,        1680,  32)     \
    X(Font,  customerAddressFont,       setCustomerAddressFont,       1728,  32)     \
    X(Font,  agingFont,                 setAgingFont,                 1776,  32)     \
    X(Font,  salesMessageFont,          setSalesMessageFont,          1824,  32)     \
    X(Text,  memoHeader,                setMemoHeader,                1872,  80)     \
    X(Text,  maxLines,                  setMaxLines,                  1953,   2)     \
    X(Text,  lastInterestRunDate,       setLastInterestRunDate,       1956,  10)     \
    X(Text,  lastStatementRunDate,      setLastStatementRunDate,      1967,  10)     \
    X(Text,  lastRepeatBillingDate,     setLastRepeatBillingDate,     1978,  10)     \
    X(Flag,  interestMarkPrinted,       setInterestMarkPrinted,       2000,   1)     \
    X(Text,  interestTerms,             setInterestTerms,             2001,  35)     \
    X(Text,  interestCategory,          setInterestCategory,          2037,   1)     \
    X(Money, interestMinimumCharge,     setInterestMinimumCharge,     2039,   5)     \
    X(Text,  interestMonthlyRate,       setInterestMonthlyRate,       2045,   5)     \
    X(Font,  envelopeFont,              setEnvelopeFont,              2052,  32)     \
    X(Text,  envelopeLineSpacing,       setEnvelopeLineSpacing,       2100,   3)     \
    X(Text,  envelopeLeftMargin,        setEnvelopeLeftMargin,        2104,   4)     \
    X(Text,  envelopeTopMargin,         setEnvelopeTopMargin,         2109,   4)     \
    X(Text,  envelopeSendAddressLeft,   setEnvelopeSendAddressLeft,   2114,   4)     \
    X(Text,  envelopeOrientation,       setEnvelopeOrientation,       2119,   1)     \
    X(Text,  envelopeAddress,           setEnvelopeAddress,           2121,   1)     \
    X(YesNo, labelQueueOnNewInvoice,    setLabelQueueOnNewInvoice,    2123,   1)     \
    X(YesNo, labelQueueOnBatchPrint,    setLabelQueueOnBatchPrint,    2125,   1)     \
    X(Text,  numberOfCopies,            setNumberOfCopies,            2127,   1)     \
    X(Text,  moveAddressesRight,        setMoveAddressesRight,        2129,  10)     \
    X(YesNo, printReturnAddress,        setPrintReturnAddress,        2140,   1)     \
    X(YesNo, omitCompanyAddress,        setOmitCompanyAddress,        2153,   1)     \
    X(YesNo, auditTrail,                setAuditTrail,                2156,   1)     \
    X(Text,  email,                     setEmail,                     2159,  50)     \
    X(Text,  smtpServer,                setSmtpServer,                2261,  50)     \
    X(YesNo, defaultOutputEmail,        setDefaultOutputEmail,        2363,   1)     \
    X(Text,  shippingCaption,           setShippingCaption,           2548,  25)     \
    X(YesNo, emailLines,                setEmailLines,                2611,   1)     \
    X(YesNo, omitLargeInvoiceNumber,    setOmitLargeInvoiceNumber,    2613,   1)     \
    X(YesNo, emailWithoutAddress,       setEmailWithoutAddress,       2615,   1)     \
    X(YesNo, promptBackupOnExit,        setPromptBackupOnExit,        2617,   1)     \
    X(Text,  agingDays1,                setAgingDays1,                2674,   3)     \
    X(Text,  agingDays2,                setAgingDays2,                2678,   3)     \
    X(Text,  agingDays3,                setAgingDays3,                2682,   3)     \
    X(Text,  agingCaption1,             setAgingCaption1,             2690,  10)     \
    X(Text,  agingCaption2,             setAgingCaption2,             2701,  10)     \
    X(Text,  agingCaption3,             setAgingCaption3,             2712,  10)
// clang-format on

class CompanyRecord : public base::FixedRecord<2736> {
public:
    KT_COMPANY_RECORD_FIELDS(KT_RECORD_ACCESSORS)

    static const std::vector<base::FieldInfo>& Fields();

    // The company code: the number trimmed, at most 5 characters; it prefixes the company's files.
    std::string code() const;

    // Key 1: the number, 5 wide, unique; key 2: the name, 30 wide, duplicates allowed; both
    // folded. Added and updated in the order 1, 2.
    static const KeyTable<CompanyRecord>& Keys();
    // Key N as Keys() forms it; empty for any other key number.
    std::string key(int keyNumber) const { return Keys().Build(*this, keyNumber); }

    // The values a new company starts with; every field not named here keeps its value (a new
    // company inherits the rest from the current one). The receivables total becomes "0.00".
    void SetNewCompanyValues(std::string_view newNumber);
};

static_assert(sizeof(CompanyRecord) == 2736);

}  // namespace records
