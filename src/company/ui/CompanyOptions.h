#pragma once
// TCompSet: the Company Options dialog ("New Company" / "Edit Company"). Eight pages edit every
// option of a company record; "&Save" runs the checks and copies the controls back into the
// record; the caller writes the record to the company file.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "company/CompanyManagerFlow.h"
#include "company/CompanyOptionsCheck.h"
#include "company/PaymentTerms.h"
#include "records/CompanyRecord.h"

class QLabel;
class QTabWidget;

namespace base {
class PromptService;
}

namespace company::ui {

class THeaderForm;

class TCompSet : public QDialog {
    Q_OBJECT
public:
    // `paymentTerms` gives the terms the default terms are chosen from.
    TCompSet(company::PaymentTermsReader paymentTerms, base::PromptService& prompts,
             THeaderForm& headers, std::function<void(const QString& topic)> showHelp,
             QWidget* parent = nullptr);

    // Shows the dialog modally for `record` (already holding the values to show). True when the
    // user saved: `record` then holds the dialog's values (not yet normalised). `numberTaken`
    // looks a typed company number up in the company file. A company::CompanyEditor.
    bool Execute(company::EditPurpose purpose, records::CompanyRecord& record,
                 const company::CompanyNumberTaken& numberTaken);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class FontRole { Envelope, Managers, Editor };

    void FormShow();
    void OKBtnClick();
    void HelpBtnClick();
    void BitmapBtnClick();
    void LogoBitmapBtnClick();
    void FontBtnClick(FontRole role);
    std::optional<QString> ChooseBitmap(const QString& current);
    void ShowFonts();
    bool ShowBackgroundPreview();
    void ShowFailure(const company::CompanyOptionsFailure& failure);
    records::FontSpec& Font(FontRole role);

    company::PaymentTermsReader paymentTerms_;
    base::PromptService& prompts_;
    THeaderForm& headers_;
    std::function<void(const QString&)> showHelp_;
    company::EditPurpose purpose_ = company::EditPurpose::Edit;
    company::CompanyNumberTaken numberTaken_;
    records::FontSpec envelopeFont_, managersFont_, editorFont_;
    QTabWidget* pages_;
    QLabel* preview_;
};

}  // namespace company::ui
