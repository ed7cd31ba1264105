#include "invoicing/ui/InvoiceEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <chrono>

#include "base/Dates.h"
#include "base/Text.h"
#include "invoicing/ui/InvoiceGrid.h"
#include "widgets/RecordText.h"

namespace invoicing::ui {
namespace {

constexpr char kShown[] = ",0.00";

QString Text(const std::string& recordText) {
    return widgets::ToRecordText(recordText);
}

void ShowAmount(QLabel& label, base::Decimal amount) {
    label.setText(QString::fromStdString(amount.Format(kShown)));
    label.setStyleSheet(amount < base::Decimal() ? "color: red" : "");
}

}  // namespace

TProdInv::TProdInv(InvoiceEntryServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      flow_(services_.engine, services_.prompts, services_.state, services_.clock) {
    setObjectName("ProdInv");
    setWindowTitle("Product Invoice");
    setModal(true);
    BuildControls();
    resize(1060, 740);
}

TProdInv::~TProdInv() = default;

std::optional<PostedInvoice> TProdInv::ExecuteAdd(InvoiceFiles& files) {
    const records::CompanyRecord& c = company();
    setWindowTitle(
        Text("Add Invoice - Company: " + base::Trim(c.name()) + " - #" + base::Trim(c.code())));
    return Run(files, flow_.BeginAdd());
}

std::optional<PostedInvoice> TProdInv::ExecuteEdit(InvoiceFiles& files,
                                                   const StoredInvoice& stored) {
    const std::optional<InvoiceDraft> draft = flow_.BeginEdit(files, stored);
    if (!draft) return std::nullopt;
    setWindowTitle("Edit Invoice");
    return Run(files, *draft);
}

bool TProdInv::PrintTicked() const {
    return printFlag_->isEnabled() && printFlag_->isChecked();
}

std::optional<PostedInvoice> TProdInv::Run(InvoiceFiles& files, const InvoiceDraft& draft) {
    files_ = &files;
    posted_.reset();
    const bool adding = flow_.mode() == EntryMode::Add;
    const base::DateOrder order = base::EntryDateOrder(company().dateFormat());
    date_->setInputMask(order == base::DateOrder::YearFirst ? "9999/99/99;_" : "99/99/9999;_");
    dateOrder_->setText(order == base::DateOrder::DayFirst    ? "Dy/Mo/Year:"
                        : order == base::DateOrder::YearFirst ? "Year/Mo/Dy:"
                                                              : "Mo/Dy/Year:");
    const std::vector<std::string> captions = AgingCaptions(company());
    for (int i = 0; i < 4; ++i) agingCaptions_[i]->setText(Text(captions[i]));
    terms_->clear();
    for (const std::string& term : flow_.Terms()) terms_->addItem(Text(term));
    mode_->setText(adding ? "Add Mode" : "Edit Mode");
    customers_->setEnabled(adding);
    lineItems_->setEnabled(adding);
    memoForm_->setEnabled(adding);
    // A new invoice is printed by the Invoice Manager once it is posted; an edit prints nothing.
    printFlag_->setChecked(adding && company().printNewInvoices());
    printFlag_->setEnabled(adding);
    number_->setEnabled(!flow_.NumberLocked());
    if (!TimerRunning()) {
        startTime_->clear();
        elapsedTime_->clear();
        hours_->clear();
    }
    ShowCustomer(flow_.customer());
    Show(draft);
    grid_->GoToCell(1, kCodeColumn);
    if (adding)
        customers_->setFocus();
    else if (flow_.NumberLocked())
        notes_->setFocus();
    else
        number_->setFocus();
    exec();
    files_ = nullptr;
    return posted_;
}

bool TProdInv::TimerRunning() const {
    return tick_->isActive();
}

void TProdInv::Show(const InvoiceDraft& draft) {
    number_->setText(Text(draft.number));
    date_->setText(Text(draft.date));
    terms_->setEditText(Text(draft.terms));
    notes_->setText(Text(draft.notes));
    keyCode_->setText(Text(draft.keyCode));
    statementNote_->setText(Text(draft.statementNote));
    (draft.form == InvoiceForm::Memo ? memoForm_ : lineItems_)->setChecked(true);
    grid_->ShowLines(draft.lines, company());
    widgets::ShowMemoRecordText(*memo_, draft.memo.text);
    memoDescription_->setText(Text(draft.memo.description));
    memoQuantity_->setText(Text(draft.memo.quantity));
    if (draft.form == InvoiceForm::Memo) {
        net_->setText(Text(draft.memo.net));
        tax_->setText(Text(draft.memo.tax));
    }
    paid_->setText(Text(draft.paid));
    const bool exempt = flow_.customer() && PanelOf(*flow_.customer()).taxExempt;
    taxBox_->setText(exempt ? "Tax Exempt" : Text(TaxBoxText(company())));
    taxBox_->setEnabled(!exempt);
    taxBox_->setChecked(draft.tax && !exempt);
    ShowForm(draft.form);
    ShowTotals();
}

void TProdInv::ShowCustomer(const std::optional<records::CustomerRecord>& customer) {
    const CustomerPanel panel = customer ? PanelOf(*customer) : CustomerPanel{};
    customerName_->setText(Text(panel.name));
    customerNumber_->setText(Text(panel.number));
    shortName_->setText(Text(panel.shortName));
    balance_->setText(Text(panel.balance));
    balance_->setStyleSheet(panel.negativeBalance ? "color: red" : "");
    creditLimit_->setText(Text(panel.creditLimit));
    for (int i = 0; i < 4; ++i) aging_[i]->setText(Text(panel.aging[i]));
}

InvoiceForm TProdInv::Form() const {
    return memoForm_->isChecked() ? InvoiceForm::Memo : InvoiceForm::Product;
}

void TProdInv::ShowForm(InvoiceForm form) {
    const bool memo = form == InvoiceForm::Memo;
    body_->setCurrentIndex(memo ? 1 : 0);
    net_->setReadOnly(!memo);
    tax_->setReadOnly(!memo);
    for (QWidget* tool : productTools_) tool->setEnabled(!memo);
    taxHint_->setVisible(memo);
}

InvoiceDraft TProdInv::Typed() const {
    const auto text = [](const QLineEdit* edit) { return widgets::FromRecordText(edit->text()); };
    InvoiceDraft draft;
    draft.customer = flow_.customer() ? base::Trim(flow_.customer()->number()) : "";
    draft.number = text(number_);
    draft.date = text(date_);
    draft.terms = widgets::FromRecordText(terms_->currentText());
    draft.notes = text(notes_);
    draft.keyCode = text(keyCode_);
    draft.statementNote = text(statementNote_);
    draft.form = Form();
    draft.lines = grid_->Lines();
    draft.memo.text = widgets::FromRecordText(memo_->toPlainText());
    draft.memo.description = text(memoDescription_);
    draft.memo.quantity = text(memoQuantity_);
    draft.memo.net = text(net_);
    draft.memo.tax = text(tax_);
    draft.tax = taxBox_->isChecked();
    draft.paid = text(paid_);
    return draft;
}

void TProdInv::ShowTotals() {
    const InvoiceDraft draft = Typed();
    const InvoiceTotals totals = ComputeTotals(draft, company());
    if (draft.form == InvoiceForm::Product) {
        net_->setText(QString::fromStdString(totals.net.Format(kShown)));
        tax_->setText(QString::fromStdString(totals.tax.Format(kShown)));
    }
    taxHint_->setText(Text(MemoTaxHint(draft, company())));
    ShowAmount(*total_, totals.total);
    ShowAmount(*balanceDue_, totals.balanceDue);
}

void TProdInv::OKButtonClick() {
    if (files_ == nullptr) return;
    InvoiceDraft draft = Typed();
    const EntryOutcome outcome = flow_.Ok(*files_, draft);
    memoQuantity_->setText(Text(draft.memo.quantity));
    if (const auto* failure = std::get_if<InvoiceFailure>(&outcome)) {
        ShowFailure(*failure);
        return;
    }
    posted_ = std::get<PostedInvoice>(outcome);
    accept();
}

void TProdInv::ShowFailure(const InvoiceFailure& failure) {
    if (!failure.answered && !failure.text.empty())
        services_.prompts.Warn(failure.caption, failure.text);
    if (failure.control == "StringGrid1" && failure.row > 0) {
        grid_->GoToCell(failure.row, failure.column);
        return;
    }
    if (failure.control.empty()) return;
    if (auto* control = findChild<QWidget*>(QString::fromStdString(failure.control)))
        control->setFocus();
}

void TProdInv::CustomersClick() {
    const std::optional<records::CustomerRecord> picked = services_.pickCustomer();
    if (!picked) return;
    InvoiceDraft draft = Typed();
    ShowCustomer(picked);
    flow_.TakeCustomer(*picked, draft);
    terms_->setEditText(Text(draft.terms));
    const bool exempt = PanelOf(*picked).taxExempt;
    taxBox_->setText(exempt ? "Tax Exempt" : Text(TaxBoxText(company())));
    taxBox_->setEnabled(!exempt);
    taxBox_->setChecked(draft.tax && !exempt);
    ShowTotals();
}

void TProdInv::FindProductClick() {
    FindProduct(grid_->CurrentLine());
}

void TProdInv::FindProduct(int row) {
    const DraftLine line = grid_->Line(row);
    const auto picked = services_.pickProduct(line.code, line.description);
    if (!picked) return;
    grid_->SetLine(row, LineOfProduct(*picked, line, company(), true));
    grid_->GoToCell(row, kQuantityColumn);
}

void TProdInv::ProductEntered(int row) {
    const DraftLine line = grid_->Line(row);
    const ProductLookup found = flow_.LookUpProduct(line.code);
    if (found.product) {
        grid_->SetLine(row, LineOfProduct(*found.product, line, company(), false));
        grid_->GoToCell(row, kQuantityColumn);
    } else if (found.openManager) {
        FindProduct(row);
    } else {
        grid_->GoToCell(row, kCodeColumn);
    }
}

void TProdInv::DeleteLineClick() {
    const int row = grid_->CurrentLine();
    grid_->SetLine(row, DraftLine::Blank(company()));
    grid_->GoToCell(row, kCodeColumn);
}

void TProdInv::MakeNoteClick() {
    const int row = grid_->CurrentLine();
    grid_->SetLine(row, DraftLine::Comment(""));
    grid_->GoToCell(row, kDescriptionColumn);
    grid_->editItem(grid_->item(row - 1, kDescriptionColumn));
}

void TProdInv::UndoAllClick() {
    grid_->ShowLines({}, company());
    if (Form() == InvoiceForm::Memo) {
        memo_->clear();
        for (QLineEdit* amount : {net_, tax_, paid_}) amount->setText("0.00");
    }
    ShowTotals();
}

void TProdInv::ImportClick() {
    InvoiceDraft draft = Typed();
    if (!flow_.LoadLines(draft)) return;
    Show(draft);
}

void TProdInv::ExportClick() {
    (void)flow_.SaveLines(Typed());
}

void TProdInv::CalbuttonClick() {
    const base::DateOrder order = base::EntryDateOrder(company().dateFormat());
    const std::optional<base::Date> typed =
        base::ParseDate(widgets::FromRecordText(date_->text()), order);
    const std::optional<base::Date> picked =
        services_.prompts.PickDate("Invoice Date", typed ? *typed : services_.clock.Now().date);
    if (picked) date_->setText(QString::fromStdString(base::FormatDate(*picked, order)));
}

void TProdInv::TimeBtnClick() {
    if (TimerRunning()) {
        tick_->stop();
        timeButton_->setText("&Start");
        timeButton_->setStyleSheet("");
        return;
    }
    stopwatch_.start();
    tick_->start();
    timeButton_->setText("&Stop");
    timeButton_->setStyleSheet("color: red");
    startTime_->setText(QString::fromStdString(ClockText(services_.clock.Now())));
    ShowStopwatch();
}

void TProdInv::ShowStopwatch() {
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::milliseconds(stopwatch_.elapsed()));
    const StopwatchTexts texts = StopwatchTextsOf(elapsed);
    elapsedTime_->setText(QString::fromStdString(texts.elapsed));
    hours_->setText(QString::fromStdString(texts.hours));
}

}  // namespace invoicing::ui
