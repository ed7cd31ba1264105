#include "shell/ui/CompanyOptionsFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "shell/ui/RecordText.h"

namespace shell::ui {

namespace {

using R = records::CompanyRecord;

struct TextField {
    const char* control;
    std::string (R::*get)() const;
    void (R::*set)(std::string_view);
};

struct BoolField {
    const char* control;
    bool (R::*get)() const;
    void (R::*set)(bool);
};

// A one-letter text edited by a check box or by the second of two radio buttons: checked means
// `on`, unchecked `off`.
struct ChoiceField {
    const char* control;
    const char* otherRadio;  // the first radio button of the pair, or nullptr for a check box
    std::string (R::*get)() const;
    void (R::*set)(std::string_view);
    const char* on;
    const char* off;
};

constexpr TextField kPageEdits[] = {
    {"CName", &R::name, &R::setName},
    {"CoNumb", &R::number, &R::setNumber},
    {"CAdd1", &R::address1, &R::setAddress1},
    {"CAdd2", &R::address2, &R::setAddress2},
    {"CAdd3", &R::address3, &R::setAddress3},
    {"CAdd4", &R::address4, &R::setAddress4},
    {"ExtraAdd1", &R::address5, &R::setAddress5},
    {"TaxCRate", &R::taxRate, &R::setTaxRate},
    {"TaxName", &R::taxHeading, &R::setTaxHeading},
    {"CEmailAdd", &R::email, &R::setEmail},
    {"CEMailHost", &R::smtpServer, &R::setSmtpServer},
    {"ELineSpace", &R::envelopeLineSpacing, &R::setEnvelopeLineSpacing},
    {"LMarSet", &R::envelopeLeftMargin, &R::setEnvelopeLeftMargin},
    {"TopMarSet", &R::envelopeTopMargin, &R::setEnvelopeTopMargin},
    {"SendAddLeft", &R::envelopeSendAddressLeft, &R::setEnvelopeSendAddressLeft},
    {"CAVal1", &R::agingDays1, &R::setAgingDays1},
    {"CAVal2", &R::agingDays2, &R::setAgingDays2},
    {"CAVal3", &R::agingDays3, &R::setAgingDays3},
    {"CACap1", &R::agingCaption1, &R::setAgingCaption1},
    {"CACap2", &R::agingCaption2, &R::setAgingCaption2},
    {"CACap3", &R::agingCaption3, &R::setAgingCaption3},
    {"LineWidthVal", &R::lineWidth, &R::setLineWidth},
    {"BigBxTop", &R::boxTop, &R::setBoxTop},
    {"TopFormMar", &R::formTopMargin, &R::setFormTopMargin},
    {"LeftFormMar", &R::formLeftMargin, &R::setFormLeftMargin},
    {"MaxLines", &R::maxLines, &R::setMaxLines},
    {"PushAddr", &R::moveAddressesRight, &R::setMoveAddressesRight},
    {"CNxtCustNo", &R::nextCustomerNumber, &R::setNextCustomerNumber},
    {"NextIno", &R::nextInvoiceNumber, &R::setNextInvoiceNumber},
    {"DefInvQuan", &R::defaultQuantity, &R::setDefaultQuantity},
    {"NumCpys", &R::numberOfCopies, &R::setNumberOfCopies},
    {"SM1", &R::salesMessage1, &R::setSalesMessage1},
    {"SM2", &R::salesMessage2, &R::setSalesMessage2},
    {"SM3", &R::salesMessage3, &R::setSalesMessage3},
    {"SM4", &R::salesMessage4, &R::setSalesMessage4},
};

constexpr TextField kHeaderEdits[] = {
    {"InvCapData", &R::invoiceCaption, &R::setInvoiceCaption},
    {"StmntCapData", &R::statementCaption, &R::setStatementCaption},
    {"PackSHeadData", &R::packingSlipCaption, &R::setPackingSlipCaption},
    {"FCHeadData", &R::fileCopyCaption, &R::setFileCopyCaption},
    {"PrCdhead", &R::productCodeHeader, &R::setProductCodeHeader},
    {"QuanHead", &R::quantityHeader, &R::setQuantityHeader},
    {"DescHead", &R::descriptionHeader, &R::setDescriptionHeader},
    {"Edit8", &R::unitCostHeader, &R::setUnitCostHeader},
    {"ExtHead", &R::extensionHeader, &R::setExtensionHeader},
    {"MemoHeadr", &R::memoHeader, &R::setMemoHeader},
    {"StmntNote", &R::statementNote, &R::setStatementNote},
    {"EBShipCap", &R::shippingCaption, &R::setShippingCaption},
};

// File names shown in labels.
constexpr TextField kFileLabels[] = {
    {"PicName", &R::backgroundBitmap, &R::setBackgroundBitmap},
    {"BmpNameText", &R::logoBitmap, &R::setLogoBitmap},
};

constexpr BoolField kChecks[] = {
    {"CalcTaxes", &R::calculateTaxes, &R::setCalculateTaxes},
    {"DefToEMail", &R::defaultOutputEmail, &R::setDefaultOutputEmail},
    {"CBEMailLines", &R::emailLines, &R::setEmailLines},
    {"EMInclCust", &R::emailWithoutAddress, &R::setEmailWithoutAddress},
    {"PCoAddr", &R::printReturnAddress, &R::setPrintReturnAddress},
    {"HorLCB", &R::verticalLines, &R::setVerticalLines},
    {"VLineCB", &R::horizontalLines, &R::setHorizontalLines},
    {"SBoxCB", &R::statementBox, &R::setStatementBox},
    {"IBoxCB", &R::invoiceBox, &R::setInvoiceBox},
    {"CAgeCB", &R::customerAgingOnForms, &R::setCustomerAgingOnForms},
    {"ShadeCB", &R::shading, &R::setShading},
    {"CheckBox5", &R::letterheadStyle, &R::setLetterheadStyle},
    {"SMsgCB", &R::salesMessageOnForms, &R::setSalesMessageOnForms},
    {"PConICB", &R::productCodesOnInvoices, &R::setProductCodesOnInvoices},
    {"MoveDwnCB", &R::moveDownTotals, &R::setMoveDownTotals},
    {"UseBmpCB", &R::printLogo, &R::setPrintLogo},
    {"CNameOnForm", &R::omitCompanyAddress, &R::setOmitCompanyAddress},
    {"AgeRecap", &R::showAgingChart, &R::setShowAgingChart},
    {"SHints", &R::showHints, &R::setShowHints},
    {"ACBillAdd", &R::copyBillingToShipping, &R::setCopyBillingToShipping},
    {"AuditCB", &R::auditTrail, &R::setAuditTrail},
    {"CBbu", &R::promptBackupOnExit, &R::setPromptBackupOnExit},
    {"PrintDupOnInv", &R::printDuplicateInvoice, &R::setPrintDuplicateInvoice},
    {"YYMMonInv", &R::yearMonthPrefix, &R::setYearMonthPrefix},
    {"PFlag", &R::printNewInvoices, &R::setPrintNewInvoices},
    {"PSlip", &R::printPackingSlip, &R::setPrintPackingSlip},
    {"FileCpy", &R::printFileCopy, &R::setPrintFileCopy},
    {"CpyToLQue", &R::labelQueueOnNewInvoice, &R::setLabelQueueOnNewInvoice},
    {"BatchLabels", &R::labelQueueOnBatchPrint, &R::setLabelQueueOnBatchPrint},
    {"BigInvNo", &R::omitLargeInvoiceNumber, &R::setOmitLargeInvoiceNumber},
    {"TCBitmaps", &R::backgroundBitmapOn, &R::setBackgroundBitmapOn},
};

constexpr ChoiceField kChoices[] = {
    {"LandSCB", nullptr, &R::envelopeOrientation, &R::setEnvelopeOrientation, "L", "P"},
    {"UseShipAdd", nullptr, &R::envelopeAddress, &R::setEnvelopeAddress, "S", "B"},
    {"DDMMYY", "MMDDYY", &R::dateFormat, &R::setDateFormat, "D", "M"},
    {"DMemo", "DProd", &R::defaultInvoiceType, &R::setDefaultInvoiceType, "M", "P"},
};

template <typename Control>
Control& Find(const QWidget& root, const char* name) {
    auto* control = root.findChild<Control*>(name);
    Q_ASSERT(control != nullptr);
    return *control;
}

}  // namespace

void FillCompanyOptions(QWidget& pages, QWidget& headers, const records::CompanyRecord& record) {
    for (const TextField& field : kPageEdits) {
        Find<QLineEdit>(pages, field.control).setText(ToRecordText((record.*field.get)()));
    }
    for (const TextField& field : kHeaderEdits) {
        Find<QLineEdit>(headers, field.control).setText(ToRecordText((record.*field.get)()));
    }
    for (const TextField& field : kFileLabels) {
        Find<QLabel>(pages, field.control).setText(ToRecordText((record.*field.get)()));
    }
    for (const BoolField& field : kChecks) {
        Find<QCheckBox>(pages, field.control).setChecked((record.*field.get)());
    }
    for (const ChoiceField& field : kChoices) {
        const bool on = (record.*field.get)() == field.on;
        if (field.otherRadio == nullptr) {
            Find<QCheckBox>(pages, field.control).setChecked(on);
        } else {
            Find<QRadioButton>(pages, field.control).setChecked(on);
            Find<QRadioButton>(pages, field.otherRadio).setChecked(!on);
        }
    }
    Find<QComboBox>(pages, "DFTerms").setCurrentText(ToRecordText(record.defaultTerms()));
}

void ReadCompanyOptions(const QWidget& pages, const QWidget& headers,
                        records::CompanyRecord& record) {
    for (const TextField& field : kPageEdits) {
        (record.*field.set)(FromRecordText(Find<QLineEdit>(pages, field.control).text()));
    }
    for (const TextField& field : kHeaderEdits) {
        (record.*field.set)(FromRecordText(Find<QLineEdit>(headers, field.control).text()));
    }
    for (const TextField& field : kFileLabels) {
        (record.*field.set)(FromRecordText(Find<QLabel>(pages, field.control).text()));
    }
    for (const BoolField& field : kChecks) {
        (record.*field.set)(Find<QCheckBox>(pages, field.control).isChecked());
    }
    for (const ChoiceField& field : kChoices) {
        const QAbstractButton& control =
            field.otherRadio == nullptr
                ? static_cast<QAbstractButton&>(Find<QCheckBox>(pages, field.control))
                : Find<QRadioButton>(pages, field.control);
        (record.*field.set)(control.isChecked() ? field.on : field.off);
    }
    record.setDefaultTerms(FromRecordText(Find<QComboBox>(pages, "DFTerms").currentText()));
}

}  // namespace shell::ui
