#include "company/ui/CompanyOptionsFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cstring>

#include "widgets/RecordText.h"

namespace company::ui {

namespace {

using base::FieldKind;

constexpr CompanyOptionsBinding kBindings[] = {
    // Address/Taxes, E-Mail
    {"CName", "name"},
    {"CoNumb", "number"},
    {"CAdd1", "address1"},
    {"CAdd2", "address2"},
    {"CAdd3", "address3"},
    {"CAdd4", "address4"},
    {"ExtraAdd1", "address5"},
    {"CalcTaxes", "calculateTaxes"},
    {"TaxCRate", "taxRate"},
    {"TaxName", "taxHeading"},
    {"CEmailAdd", "email"},
    {"CEMailHost", "smtpServer"},
    {"DefToEMail", "defaultOutputEmail"},
    {"CBEMailLines", "emailLines"},
    {"EMInclCust", "emailWithoutAddress"},
    // Envelopes/Aging
    {"ELineSpace", "envelopeLineSpacing"},
    {"LMarSet", "envelopeLeftMargin"},
    {"TopMarSet", "envelopeTopMargin"},
    {"SendAddLeft", "envelopeSendAddressLeft"},
    {"LandSCB", "envelopeOrientation", "L", "P"},
    {"UseShipAdd", "envelopeAddress", "S", "B"},
    {"PCoAddr", "printReturnAddress"},
    {"CAVal1", "agingDays1"},
    {"CAVal2", "agingDays2"},
    {"CAVal3", "agingDays3"},
    {"CACap1", "agingCaption1"},
    {"CACap2", "agingCaption2"},
    {"CACap3", "agingCaption3"},
    // Forms Setup
    {"HorLCB", "verticalLines"},
    {"VLineCB", "horizontalLines"},
    {"SBoxCB", "statementBox"},
    {"IBoxCB", "invoiceBox"},
    {"CAgeCB", "customerAgingOnForms"},
    {"ShadeCB", "shading"},
    {"CheckBox5", "letterheadStyle"},
    {"SMsgCB", "salesMessageOnForms"},
    {"PConICB", "productCodesOnInvoices"},
    {"MoveDwnCB", "moveDownTotals"},
    {"UseBmpCB", "printLogo"},
    {"BmpNameText", "logoBitmap"},
    {"LineWidthVal", "lineWidth"},
    {"BigBxTop", "boxTop"},
    {"TopFormMar", "formTopMargin"},
    {"LeftFormMar", "formLeftMargin"},
    {"MaxLines", "maxLines"},
    {"PushAddr", "moveAddressesRight"},
    {"CNameOnForm", "omitCompanyAddress"},
    // General
    {"CNxtCustNo", "nextCustomerNumber"},
    {"DDMMYY", "dateFormat", "D", "M", "MMDDYY"},
    {"AgeRecap", "showAgingChart"},
    {"SHints", "showHints"},
    {"ACBillAdd", "copyBillingToShipping"},
    {"AuditCB", "auditTrail"},
    {"CBbu", "promptBackupOnExit"},
    // Invoices
    {"NextIno", "nextInvoiceNumber"},
    {"PrintDupOnInv", "printDuplicateInvoice"},
    {"DefInvQuan", "defaultQuantity"},
    {"DFTerms", "defaultTerms"},
    {"YYMMonInv", "yearMonthPrefix"},
    {"PFlag", "printNewInvoices"},
    {"DMemo", "defaultInvoiceType", "M", "P", "DProd"},
    {"PSlip", "printPackingSlip"},
    {"FileCpy", "printFileCopy"},
    {"CpyToLQue", "labelQueueOnNewInvoice"},
    {"BatchLabels", "labelQueueOnBatchPrint"},
    {"NumCpys", "numberOfCopies"},
    {"BigInvNo", "omitLargeInvoiceNumber"},
    // Sales Message
    {"SM1", "salesMessage1"},
    {"SM2", "salesMessage2"},
    {"SM3", "salesMessage3"},
    {"SM4", "salesMessage4"},
    // System Graphics
    {"TCBitmaps", "backgroundBitmapOn"},
    {"PicName", "backgroundBitmap"},
    // The headers dialog
    {"InvCapData", "invoiceCaption"},
    {"StmntCapData", "statementCaption"},
    {"PackSHeadData", "packingSlipCaption"},
    {"FCHeadData", "fileCopyCaption"},
    {"PrCdhead", "productCodeHeader"},
    {"QuanHead", "quantityHeader"},
    {"DescHead", "descriptionHeader"},
    {"Edit8", "unitCostHeader"},
    {"ExtHead", "extensionHeader"},
    {"MemoHeadr", "memoHeader"},
    {"StmntNote", "statementNote"},
    {"EBShipCap", "shippingCaption"},
};

// The field's value as the controls see it. Flags and Y/N texts are check boxes; every other
// kind is text.
bool IsBoolean(const base::FieldInfo& field) {
    return field.kind == FieldKind::Flag || field.kind == FieldKind::YesNo;
}

std::string TextOf(const records::CompanyRecord& record, const base::FieldInfo& field) {
    return base::ReadText(record.data(), field.offset, field.size);
}

void SetText(records::CompanyRecord& record, const base::FieldInfo& field, std::string_view text) {
    base::WriteText(record.data(), field.offset, field.size, text);
}

bool FlagOf(const records::CompanyRecord& record, const base::FieldInfo& field) {
    if (field.kind == FieldKind::Flag) return record.data()[field.offset] != 0;
    return TextOf(record, field) == "Y";
}

void SetFlag(records::CompanyRecord& record, const base::FieldInfo& field, bool on) {
    if (field.kind == FieldKind::Flag)
        record.data()[field.offset] = on ? 1 : 0;
    else
        SetText(record, field, on ? "Y" : "N");
}

// The control of a binding, under whichever of the two dialogs holds it.
template <typename Control>
Control* Find(const QWidget& pages, const QWidget& headers, const char* name) {
    if (auto* control = pages.findChild<Control*>(name)) return control;
    return headers.findChild<Control*>(name);
}

QLineEdit* EditOf(const QWidget& pages, const QWidget& headers, const char* name) {
    if (auto* box = Find<QComboBox>(pages, headers, name)) return box->lineEdit();
    return Find<QLineEdit>(pages, headers, name);
}

}  // namespace

std::span<const CompanyOptionsBinding> CompanyOptionsBindings() {
    return kBindings;
}

const base::FieldInfo* CompanyOptionsField(const CompanyOptionsBinding& binding) {
    const auto& fields = records::CompanyRecord::Fields();
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const base::FieldInfo& f) {
        return std::strcmp(f.name, binding.field) == 0;
    });
    return found == fields.end() ? nullptr : &*found;
}

void FillCompanyOptions(QWidget& pages, QWidget& headers, const records::CompanyRecord& record) {
    for (const CompanyOptionsBinding& binding : kBindings) {
        const base::FieldInfo& field = *CompanyOptionsField(binding);
        if (binding.on != nullptr) {
            const bool on = TextOf(record, field) == binding.on;
            Find<QAbstractButton>(pages, headers, binding.control)->setChecked(on);
            if (binding.otherRadio != nullptr)
                Find<QAbstractButton>(pages, headers, binding.otherRadio)->setChecked(!on);
        } else if (IsBoolean(field)) {
            Find<QCheckBox>(pages, headers, binding.control)->setChecked(FlagOf(record, field));
        } else if (QLineEdit* edit = EditOf(pages, headers, binding.control)) {
            edit->setMaxLength(field.size);
            edit->setText(widgets::ToRecordText(TextOf(record, field)));
        } else {
            Find<QLabel>(pages, headers, binding.control)
                ->setText(widgets::ToRecordText(TextOf(record, field)));
        }
    }
}

void ReadCompanyOptions(const QWidget& pages, const QWidget& headers,
                        records::CompanyRecord& record) {
    for (const CompanyOptionsBinding& binding : kBindings) {
        const base::FieldInfo& field = *CompanyOptionsField(binding);
        if (binding.on != nullptr) {
            const bool on = Find<QAbstractButton>(pages, headers, binding.control)->isChecked();
            SetText(record, field, on ? binding.on : binding.off);
        } else if (IsBoolean(field)) {
            SetFlag(record, field, Find<QCheckBox>(pages, headers, binding.control)->isChecked());
        } else if (const QLineEdit* edit = EditOf(pages, headers, binding.control)) {
            SetText(record, field, widgets::FromRecordText(edit->text()));
        } else {
            SetText(record, field,
                    widgets::FromRecordText(Find<QLabel>(pages, headers, binding.control)->text()));
        }
    }
}

}  // namespace company::ui
