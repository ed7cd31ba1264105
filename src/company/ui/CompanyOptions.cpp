#include "company/ui/CompanyOptions.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "base/PromptService.h"
#include "company/PaymentTerms.h"
#include "company/ui/CompanyOptionsFields.h"
#include "company/ui/CompanyOptionsPages.h"
#include "company/ui/FontSample.h"
#include "company/ui/HeaderForm.h"
#include "widgets/RecordText.h"

namespace company::ui {

namespace {

constexpr int kBitmapNameLength = 250;

QPushButton* DialogButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TCompSet::TCompSet(company::PaymentTermsReader paymentTerms, base::PromptService& prompts,
                   THeaderForm& headers, std::function<void(const QString&)> showHelp,
                   QWidget* parent)
    : QDialog(parent),
      paymentTerms_(std::move(paymentTerms)),
      prompts_(prompts),
      headers_(headers),
      showHelp_(std::move(showHelp)) {
    setObjectName("CompSet");
    setWindowTitle("Company Options");
    setModal(true);

    pages_ = BuildCompanyOptionsPages(this);
    preview_ = pages_->findChild<QLabel*>("BitmapPreview");

    auto* okBtn = DialogButton("&Save", "OKBtn", this);
    okBtn->setDefault(true);
    auto* cancelBtn = DialogButton("&Cancel", "CancelBtn", this);
    auto* helpBtn = DialogButton("Help", "HelpBtn", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    buttons->addWidget(helpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // Wide enough to show every page's tab.
    setMinimumWidth(pages_->tabBar()->sizeHint().width() + 40);

    connect(okBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
    const auto onClick = [this](const char* name, auto handler) {
        connect(pages_->findChild<QPushButton*>(name), &QPushButton::clicked, this, handler);
    };
    onClick("BitmapBtn", [this] { BitmapBtnClick(); });
    onClick("LogoBitmapBtn", [this] { LogoBitmapBtnClick(); });
    onClick("HeadersBtn", [this] { headers_.exec(); });
    onClick("EnvFont", [this] { FontBtnClick(FontRole::Envelope); });
    onClick("BrowFontDlg", [this] { FontBtnClick(FontRole::Managers); });
    onClick("FontDialog1", [this] { FontBtnClick(FontRole::Editor); });
}

bool TCompSet::Execute(company::EditPurpose purpose, records::CompanyRecord& record,
                       const company::CompanyNumberTaken& numberTaken) {
    using Purpose = company::EditPurpose;
    purpose_ = purpose;
    numberTaken_ = numberTaken;
    setWindowTitle(purpose == Purpose::Add ? "New Company" : "Edit Company");

    headers_.fonts() = {record.bodyFont(),           record.captionFont(),
                        record.companyAddressFont(), record.customerAddressFont(),
                        record.agingFont(),          record.salesMessageFont()};
    envelopeFont_ = record.envelopeFont();
    managersFont_ = record.managersFont();
    editorFont_ = record.editorFont();
    FillCompanyOptions(*pages_, headers_, record);
    pages_->findChild<QLineEdit*>("CoNumb")->setReadOnly(purpose == Purpose::Edit);
    ShowFonts();
    if (!ShowBackgroundPreview() && purpose == Purpose::Edit &&
        record.backgroundBitmap().size() > 1) {
        prompts_.Inform("Edit Company",
                        "Background bitmap image no longer exists. Use the Graphics tab to select "
                        "another bitmap if desired.");
    }

    if (exec() != QDialog::Accepted) return false;
    ReadCompanyOptions(*pages_, headers_, record);
    const FormFonts& fonts = headers_.fonts();
    record.setBodyFont(fonts[0]);
    record.setCaptionFont(fonts[1]);
    record.setCompanyAddressFont(fonts[2]);
    record.setCustomerAddressFont(fonts[3]);
    record.setAgingFont(fonts[4]);
    record.setSalesMessageFont(fonts[5]);
    record.setEnvelopeFont(envelopeFont_);
    record.setManagersFont(managersFont_);
    record.setEditorFont(editorFont_);
    return true;
}

void TCompSet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TCompSet::FormShow() {
    auto* terms = pages_->findChild<QComboBox*>("DFTerms");
    const QString stored = terms->currentText();
    terms->clear();
    for (const std::string& term : paymentTerms_()) terms->addItem(widgets::ToRecordText(term));
    terms->setCurrentText(stored);
    pages_->setCurrentIndex(static_cast<int>(company::CompanyOptionsPage::AddressTaxes));
    pages_->findChild<QLineEdit*>("CName")->setFocus();
}

void TCompSet::OKBtnClick() {
    const auto edit = [this](const char* name) { return pages_->findChild<QLineEdit*>(name); };
    const auto text = [&](const char* name) { return widgets::FromRecordText(edit(name)->text()); };
    const company::CompanyOptionsVerdict verdict =
        company::CheckCompanyOptions({text("CEmailAdd"), text("CName"), text("CoNumb"),
                                      text("CAVal1"), text("CAVal2"), text("CAVal3")},
                                     purpose_ == company::EditPurpose::Add, numberTaken_);
    edit("CoNumb")->setText(widgets::ToRecordText(verdict.fields.number));
    edit("CAVal1")->setText(widgets::ToRecordText(verdict.fields.aging1));
    edit("CAVal2")->setText(widgets::ToRecordText(verdict.fields.aging2));
    edit("CAVal3")->setText(widgets::ToRecordText(verdict.fields.aging3));
    for (const company::CompanyOptionsFailure& failure : verdict.failures) ShowFailure(failure);
    if (verdict.passed()) accept();
}

void TCompSet::ShowFailure(const company::CompanyOptionsFailure& failure) {
    prompts_.Inform(failure.caption, failure.text);
    pages_->setCurrentIndex(static_cast<int>(failure.page));
    pages_->findChild<QWidget*>(QString::fromStdString(failure.control))->setFocus();
}

void TCompSet::HelpBtnClick() {
    showHelp_(
        CompanyOptionsHelpTopic(static_cast<company::CompanyOptionsPage>(pages_->currentIndex())));
}

std::optional<QString> TCompSet::ChooseBitmap(const QString& current) {
    const auto chosen =
        prompts_.OpenFileName("Bitmap Image", current.toStdString(), "Bitmap File (*.bmp)");
    if (!chosen) return std::nullopt;
    const QString name = QString::fromStdString(*chosen);
    // A name cut to fit, or with characters the record cannot hold, would name another file.
    if (name.size() > kBitmapNameLength ||
        widgets::FromRecordText(name).size() != size_t(name.size())) {
        prompts_.Warn("Bitmap Image",
                      "The name of this file is too long or holds characters the company file "
                      "cannot keep. Choose a file with a shorter, plain name.");
        return std::nullopt;
    }
    return name;
}

void TCompSet::BitmapBtnClick() {
    auto* name = pages_->findChild<QLabel*>("PicName");
    if (const auto chosen = ChooseBitmap(name->text())) {
        name->setText(*chosen);
        ShowBackgroundPreview();
    }
}

void TCompSet::LogoBitmapBtnClick() {
    auto* name = pages_->findChild<QLabel*>("BmpNameText");
    if (const auto chosen = ChooseBitmap(name->text())) name->setText(*chosen);
}

bool TCompSet::ShowBackgroundPreview() {
    const QString name = pages_->findChild<QLabel*>("PicName")->text();
    const QPixmap picture(name);
    preview_->setVisible(!picture.isNull());
    if (!picture.isNull()) {
        preview_->setPixmap(picture.scaled(preview_->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation));
    }
    return !picture.isNull();
}

records::FontSpec& TCompSet::Font(FontRole role) {
    switch (role) {
        case FontRole::Envelope:
            return envelopeFont_;
        case FontRole::Managers:
            return managersFont_;
        case FontRole::Editor:
            break;
    }
    return editorFont_;
}

void TCompSet::FontBtnClick(FontRole role) {
    records::FontSpec& font = Font(role);
    const auto chosen = prompts_.ChooseFont(font.ToChoice(), role == FontRole::Managers);
    if (!chosen) return;
    if (auto stored = records::FontSpec::FromChoice(*chosen)) font = *stored;
    ShowFonts();
}

void TCompSet::ShowFonts() {
    ShowFontSample(*pages_->findChild<QLabel*>("EnvFontSample"), envelopeFont_);
    ShowFontSample(*pages_->findChild<QLabel*>("BrowFontSample"), managersFont_);
    ShowFontSample(*pages_->findChild<QLabel*>("EditorFontSample"), editorFont_);
}

}  // namespace company::ui
