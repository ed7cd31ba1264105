#include "company/ui/HeaderForm.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "base/PromptService.h"
#include "company/ui/FontSample.h"
#include "widgets/RecordText.h"

namespace company::ui {

namespace {

// The edit's length comes with the field it is bound to (CompanyOptionsFields); `width` is the
// characters it shows.
struct HeaderText {
    const char* label;
    const char* control;
    int width;
};

constexpr HeaderText kCaptionHeaders[] = {
    {"Invoices:", "InvCapData", 25},
    {"Statements:", "StmntCapData", 25},
    {"Packing Slip:", "PackSHeadData", 25},
    {"File/Remittance Copy:", "FCHeadData", 25},
};

constexpr HeaderText kColumnHeaders[] = {
    {"Product Code:", "PrCdhead", 15},    {"Quantity:", "QuanHead", 15},
    {"Description:", "DescHead", 32},     {"Unit Cost:", "Edit8", 15},
    {"Extention:", "ExtHead", 15},        {"Memo Header:", "MemoHeadr", 36},
    {"Statement Note:", "StmntNote", 36}, {"Shipping Caption:", "EBShipCap", 25},
};

struct FontBlock {
    const char* button;
    const char* sample;
};

constexpr FontBlock kFontBlocks[] = {
    {"Form Body Text", "Body Text"},
    {"Caption Headers", "Captions"},
    {"Company Address", "Company Address"},
    {"Customer Address", "Customer Address"},
    {"Aging Analysis", "Aging"},
    {"Sales Message", "Sales Message Text"},
};

QGroupBox* TextGroup(const QString& title, const HeaderText* begin, const HeaderText* end,
                     QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const HeaderText* text = begin; text != end; ++text) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(text->control);
        widgets::AcceptOnlyRecordText(*edit);
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * text->width + 12);
        form->addRow(text->label, edit);
    }
    return group;
}

}  // namespace

THeaderForm::THeaderForm(base::PromptService& prompts, std::function<void(const QString&)> showHelp,
                         QWidget* parent)
    : QDialog(parent), prompts_(prompts), showHelp_(std::move(showHelp)) {
    setObjectName("HeaderForm");
    setWindowTitle("Headers, Fonts and Colors");
    setModal(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(TextGroup("Form Caption Headers:", std::begin(kCaptionHeaders),
                               std::end(kCaptionHeaders), this));
    texts->addWidget(TextGroup("Invoice Column Headers:", std::begin(kColumnHeaders),
                               std::end(kColumnHeaders), this));

    auto* fontGroup = new QGroupBox("Fonts/Colors:", this);
    auto* fontGrid = new QGridLayout(fontGroup);
    for (int block = 0; block < 6; ++block) {
        auto* button = new QPushButton(kFontBlocks[block].button, fontGroup);
        button->setObjectName(QString("FontBtn%1").arg(block + 1));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, block] { FontBtnClick(block); });
        samples_[block] = new QLabel(kFontBlocks[block].sample, fontGroup);
        samples_[block]->setObjectName(QString("FontSample%1").arg(block + 1));
        samples_[block]->setMinimumWidth(200);
        fontGrid->addWidget(button, block, 0);
        fontGrid->addWidget(samples_[block], block, 1);
    }
    fontGrid->setRowStretch(6, 1);

    auto* okBtn = new QPushButton("&Ok", this);
    okBtn->setObjectName("OKBtn");
    okBtn->setDefault(true);
    auto* helpBtn = new QPushButton("Help", this);
    helpBtn->setObjectName("HelpBtn");
    helpBtn->setAutoDefault(false);
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpBtn, &QPushButton::clicked, this, [this] { showHelp_("HFC"); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(helpBtn);

    auto* right = new QVBoxLayout;
    right->addWidget(fontGroup, 1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(texts, 3);
    layout->addLayout(right, 2);
}

void THeaderForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void THeaderForm::FormShow() {
    for (int block = 0; block < 6; ++block) ShowSample(block);
}

void THeaderForm::ShowSample(int block) {
    ShowFontSample(*samples_[block], fonts_[block]);
}

void THeaderForm::FontBtnClick(int block) {
    const auto chosen = prompts_.ChooseFont(fonts_[block].ToChoice(), false);
    if (!chosen) return;
    auto font = records::FontSpec::FromChoice(*chosen);
    if (!font) return;  // a family name the record cannot hold
    font->name = font->name.substr(0, records::kFontSpecNameSize);
    fonts_[block] = *font;
    ShowSample(block);
}

}  // namespace company::ui
