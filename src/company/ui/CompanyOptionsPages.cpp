#include "company/ui/CompanyOptionsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/RecordText.h"

namespace company::ui {

namespace {

// Builds the controls of one page; every control gets its field's name.
class PageBuilder {
public:
    explicit PageBuilder(QWidget* page) : page_(page) {}

    // The length comes with the field the edit is bound to (CompanyOptionsFields).
    QLineEdit* Edit(const char* name, int widthInChars = 0) {
        auto* edit = new QLineEdit(page_);
        edit->setObjectName(name);
        widgets::AcceptOnlyRecordText(*edit);
        if (widthInChars > 0) {
            edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * (widthInChars + 2) + 8);
        }
        return edit;
    }

    QLineEdit* Digits(const char* name, int maxDigits) {
        QLineEdit* edit = Edit(name, maxDigits + 2);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QString("\\d{0,%1}").arg(maxDigits)), edit));
        return edit;
    }

    QCheckBox* Check(const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, page_);
        box->setObjectName(name);
        return box;
    }

    QRadioButton* Radio(const char* name, const QString& caption) {
        auto* radio = new QRadioButton(caption, page_);
        radio->setObjectName(name);
        return radio;
    }

    QPushButton* Button(const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, page_);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    }

    QLabel* Label(const QString& text, const char* name = nullptr) {
        auto* label = new QLabel(text, page_);
        label->setTextFormat(Qt::PlainText);
        if (name != nullptr) label->setObjectName(name);
        return label;
    }

    // An edit followed by a hint in grey.
    QWidget* WithHint(QWidget* field, const QString& hint) {
        auto* row = new QWidget(page_);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(field);
        QLabel* label = Label(hint);
        label->setEnabled(false);
        layout->addWidget(label);
        layout->addStretch();
        return row;
    }

    QGroupBox* Group(const QString& title) {
        auto* group = new QGroupBox(title, page_);
        return group;
    }

private:
    QWidget* page_;
};

QFormLayout* Form(QWidget* parent) {
    auto* form = new QFormLayout(parent);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return form;
}

// A font button with the sample label that shows its font.
QWidget* FontRow(PageBuilder& b, QWidget* page, const char* button, const QString& caption,
                 const char* sample, const QString& sampleText) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* fontButton = b.Button(button, caption);
    fontButton->setMinimumWidth(190);
    layout->addWidget(fontButton);
    QLabel* label = b.Label(sampleText, sample);
    label->setMinimumWidth(220);
    layout->addWidget(label, 1);
    return row;
}

QWidget* AddressTaxesPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    QFormLayout* form = Form(page);
    form->addRow("Company Name:", b.Edit("CName"));
    form->addRow("Company Number:", b.Edit("CoNumb", 7));
    form->addRow("Address Line 1:", b.Edit("CAdd1"));
    form->addRow("Address Line 2:", b.Edit("CAdd2"));
    form->addRow("Address Line 3:", b.Edit("CAdd3"));
    form->addRow("Address Line 4:", b.Edit("CAdd4"));
    form->addRow("Phone:", b.Edit("ExtraAdd1"));
    form->addRow("", b.Check("CalcTaxes", "Calculate Taxes"));
    form->addRow("Tax Rate:", b.WithHint(b.Edit("TaxCRate", 8), "( Example: 8.125 )"));
    form->addRow("Tax Heading:", b.Edit("TaxName", 12));
    return page;
}

QWidget* EMailPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    QFormLayout* form = Form(page);
    form->addRow("Company E-Mail Address:", b.Edit("CEmailAdd"));
    form->addRow("Outgoing Mail Server (SMTP):", b.Edit("CEMailHost"));
    QLabel* caution = b.Label("( Caution: See online help )");
    caution->setEnabled(false);
    form->addRow("", caution);
    form->addRow("", b.Check("DefToEMail", "Default Output to E-Mail"));
    form->addRow("", b.Check("CBEMailLines", "Lines On E-Mail Invoices"));
    form->addRow("", b.Check("EMInclCust", "Include customers without e-mail address"));
    return page;
}

QWidget* EnvelopesAgingPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QVBoxLayout(page);

    QGroupBox* envelopes = b.Group("Envelopes");
    QFormLayout* envForm = Form(envelopes);
    envForm->addRow("Envelope Font:",
                    FontRow(b, envelopes, "EnvFont", "Font", "EnvFontSample", "Envelope Font"));
    envForm->addRow("Line Spacing:", b.Edit("ELineSpace", 5));
    envForm->addRow("Left Margin:", b.Edit("LMarSet", 6));
    envForm->addRow("Top Margin:", b.Edit("TopMarSet", 6));
    envForm->addRow("Send Address Left: ", b.Edit("SendAddLeft", 6));
    envForm->addRow("", b.Check("LandSCB", "Landscape"));
    envForm->addRow("", b.Check("UseShipAdd", "Use Ship-To Address"));
    envForm->addRow("", b.Check("PCoAddr", "Print Company Return Address"));
    layout->addWidget(envelopes);

    QGroupBox* aging = b.Group("Aging Categories");
    auto* grid = new QGridLayout(aging);
    grid->addWidget(b.Label("Days"), 0, 1);
    grid->addWidget(b.Label("Caption"), 0, 2);
    const char* days[] = {"CAVal1", "CAVal2", "CAVal3"};
    const char* captions[] = {"CACap1", "CACap2", "CACap3"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(b.Label(QString("Category %1:").arg(i + 1)), i + 1, 0);
        grid->addWidget(b.Digits(days[i], 3), i + 1, 1);
        grid->addWidget(b.Edit(captions[i], 12), i + 1, 2);
    }
    grid->addWidget(b.Label("Category 4 is all items greater than category 3."), 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    layout->addWidget(aging);
    layout->addStretch();
    return page;
}

QWidget* FormsSetupPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QHBoxLayout(page);

    QGroupBox* print = b.Group("Print on Forms");
    auto* checks = new QVBoxLayout(print);
    checks->addWidget(b.Check("HorLCB", "Vertical Lines"));
    checks->addWidget(b.Check("VLineCB", "Horizontal Lines"));
    checks->addWidget(b.Check("SBoxCB", "Box Around Statements"));
    checks->addWidget(b.Check("IBoxCB", "Box Around Invoices"));
    checks->addWidget(b.Check("ShadeCB", "Shading (Laser)"));
    checks->addWidget(b.Check("CheckBox5", "Letterhead Style"));
    checks->addWidget(b.Check("PConICB", "Product Codes on Invoices"));
    checks->addWidget(b.Check("MoveDwnCB", "Move Down Totals for Blank Lines"));
    checks->addWidget(b.Check("CAgeCB", "Customer Aging on Forms"));
    checks->addWidget(b.Check("SMsgCB", "Sales Message on Forms"));
    checks->addWidget(b.Check("CNameOnForm", "Don't Print Company Name and Address"));
    checks->addWidget(b.Check("UseBmpCB", "Print Bitmap Logo"));
    QLabel* logoName = b.Label("", "BmpNameText");
    logoName->setWordWrap(true);
    logoName->setMinimumWidth(200);
    checks->addWidget(logoName);
    checks->addWidget(b.Button("LogoBitmapBtn", "Bitmap Image"), 0, Qt::AlignLeft);
    checks->addStretch();
    layout->addWidget(print);

    auto* right = new QVBoxLayout;
    QGroupBox* sizes = b.Group("Layout");
    QFormLayout* form = Form(sizes);
    form->addRow("Line Width:", b.Digits("LineWidthVal", 1));
    form->addRow("Box Top:", b.Digits("BigBxTop", 2));
    form->addRow("Top Margin:", b.Digits("TopFormMar", 2));
    form->addRow("Left Margin:", b.Digits("LeftFormMar", 2));
    form->addRow("Max Lines per Invoice:", b.Digits("MaxLines", 2));
    form->addRow("Move Addresses to Right an Additional:", b.Edit("PushAddr", 10));
    right->addWidget(sizes);
    right->addWidget(b.Button("HeadersBtn", "Headers/Fonts/Colors"));
    right->addStretch();
    layout->addLayout(right, 1);
    return page;
}

QWidget* GeneralPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QVBoxLayout(page);
    auto* number = new QFormLayout;
    number->addRow("Next Customer Number:", b.Edit("CNxtCustNo", 10));
    layout->addLayout(number);

    QGroupBox* dates = b.Group("Date Format");
    auto* dateLayout = new QVBoxLayout(dates);
    auto* radios = new QHBoxLayout;
    radios->addWidget(b.Radio("MMDDYY", "MM/DD/YY"));
    radios->addWidget(b.Radio("DDMMYY", "DD/MM/YY"));
    radios->addStretch();
    dateLayout->addLayout(radios);
    QLabel* warning = b.Label(
        "Warning! Do not change the date format if you have invoices on file! If you need to "
        "change the date format, setup a new company. See the online help for further details.");
    warning->setWordWrap(true);
    warning->setStyleSheet("color: #a00000;");
    dateLayout->addWidget(warning);
    layout->addWidget(dates);

    layout->addWidget(b.Check("AgeRecap", "Show Aging Chart after Calculation"));
    layout->addWidget(b.Check("SHints", "Show button hints (used only at startup)"));
    layout->addWidget(b.Check("ACBillAdd", "Auto-copy Billing Address to Shipping"));
    layout->addWidget(b.Check("AuditCB", "Require System Audit Trail"));
    layout->addWidget(b.Check("CBbu", "Prompt for backup on exit"));
    layout->addStretch();
    return page;
}

QWidget* InvoicesPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QHBoxLayout(page);

    auto* left = new QVBoxLayout;
    QFormLayout* form = Form(nullptr);
    form->addRow("Next Invoice Number:", b.Edit("NextIno", 11));
    form->addRow("Default Quantity:", b.Edit("DefInvQuan", 11));
    auto* terms = new QComboBox(page);
    terms->setObjectName("DFTerms");
    // Editable, so a stored term that is no longer in the terms file still shows and is kept.
    terms->setEditable(true);
    terms->setInsertPolicy(QComboBox::NoInsert);
    widgets::AcceptOnlyRecordText(*terms->lineEdit());
    terms->setMinimumContentsLength(20);
    form->addRow("Default Terms:", terms);
    form->addRow("Number of Copies:", b.Digits("NumCpys", 1));
    left->addLayout(form);
    QGroupBox* type = b.Group("Default Invoice Type");
    auto* typeLayout = new QVBoxLayout(type);
    typeLayout->addWidget(b.Radio("DProd", "Line-Item Invoice"));
    typeLayout->addWidget(b.Radio("DMemo", "Memo Invoice"));
    left->addWidget(type);
    left->addStretch();
    layout->addLayout(left);

    QGroupBox* options = b.Group("Invoice Options");
    auto* checks = new QVBoxLayout(options);
    checks->addWidget(
        b.Check("PrintDupOnInv", "Print \"Duplicate Invoice\" on reprinted invoices"));
    checks->addWidget(b.Check("YYMMonInv", "Prefix invoice numbers with year and month"));
    checks->addWidget(b.Check("PFlag", "New invoices marked to print"));
    checks->addWidget(b.Check("PSlip", "Print packing slip with each invoice"));
    checks->addWidget(b.Check("FileCpy", "Print file/remittance copy with each invoice"));
    checks->addWidget(b.Check("CpyToLQue", "Copy customer to label queue on new invoices"));
    checks->addWidget(b.Check("BatchLabels", "Copy customer to label queue on batch print"));
    checks->addWidget(b.Check("BigInvNo", "Do not print large invoice numbers"));
    checks->addStretch();
    layout->addWidget(options, 1);
    return page;
}

QWidget* SalesMessagePage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(b.Label("Sales message printed on the company's forms:"));
    for (const char* name : {"SM1", "SM2", "SM3", "SM4"}) layout->addWidget(b.Edit(name));
    layout->addStretch();
    return page;
}

QWidget* SystemGraphicsPage() {
    auto* page = new QWidget;
    PageBuilder b(page);
    auto* layout = new QVBoxLayout(page);

    QGroupBox* background = b.Group("Main Screen Background");
    auto* grid = new QGridLayout(background);
    grid->addWidget(b.Check("TCBitmaps", "Main Screen Bitmap Background"), 0, 0);
    grid->addWidget(b.Button("BitmapBtn", "Bitmap Image"), 1, 0, Qt::AlignLeft);
    QLabel* name = b.Label("", "PicName");
    name->setWordWrap(true);
    grid->addWidget(name, 2, 0);
    QLabel* preview = b.Label("", "BitmapPreview");
    preview->setFixedSize(160, 110);
    preview->setFrameShape(QFrame::StyledPanel);
    preview->setAlignment(Qt::AlignCenter);
    grid->addWidget(preview, 0, 1, 3, 1);
    grid->setColumnStretch(0, 1);
    layout->addWidget(background);

    QGroupBox* fonts = b.Group("Fonts and Colors");
    auto* fontLayout = new QVBoxLayout(fonts);
    fontLayout->addWidget(FontRow(b, fonts, "BrowFontDlg", "Managers Font/Color", "BrowFontSample",
                                  "Managers Font Style"));
    fontLayout->addWidget(FontRow(b, fonts, "FontDialog1", "Invoice Editor Font/Color",
                                  "EditorFontSample", "Editor Font Style"));
    layout->addWidget(fonts);
    layout->addStretch();
    return page;
}

}  // namespace

QTabWidget* BuildCompanyOptionsPages(QWidget* parent) {
    auto* pages = new QTabWidget(parent);
    pages->setObjectName("PageControl1");
    pages->addTab(AddressTaxesPage(), "Address/Taxes");
    pages->addTab(EMailPage(), "E-Mail");
    pages->addTab(EnvelopesAgingPage(), "Envelopes/Aging");
    pages->addTab(FormsSetupPage(), "Forms Setup");
    pages->addTab(GeneralPage(), "General");
    pages->addTab(InvoicesPage(), "Invoices");
    pages->addTab(SalesMessagePage(), "Sales Message");
    pages->addTab(SystemGraphicsPage(), "System Graphics");
    return pages;
}

}  // namespace company::ui
