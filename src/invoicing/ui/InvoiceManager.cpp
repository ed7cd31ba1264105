#include "invoicing/ui/InvoiceManager.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "base/Text.h"
#include "base/Windows1252.h"
#include "invoicing/ui/BatchPrintDialog.h"
#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceView.h"
#include "invoicing/ui/QuickView.h"
#include "invoicing/ui/RepeatSetupDialog.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"
#include "widgets/WindowPrint.h"

namespace invoicing::ui {

namespace {

constexpr char kCaption[] = "Invoice Manager";
constexpr char kEMailCaption[] = "Invoice Manager - (E-Mail Mode)";
constexpr char kHint[] = "Right-click mouse or select from menu bar.";
constexpr int kInvoiceNumberColumn = 1;  // of the find dialog's invoice columns
constexpr char kPrintTitle[] = "Print Invoice";

// The copies of one print run on the program's printer, as one print job.
class PrinterSink : public PrintSink {
public:
    explicit PrinterSink(QPrinter& printer) : canvas_(printer) { canvas_.JoinDocuments(); }
    bool Print(const PrintedCopy&, const std::function<bool(base::Canvas&)>& draw) override {
        return draw(canvas_);
    }

private:
    widgets::PrinterCanvas canvas_;
};

// The hourglass for as long as it lives.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

struct OrderItem {
    InvoiceOrder order;
    const char* name;
    const char* caption;
};
constexpr OrderItem kOrderItems[] = {
    {InvoiceOrder::ByNumber, "ByNumberItem", "By Invoice &Number"},
    {InvoiceOrder::ByCustomer, "ByCustomerItem", "By &Customer Number"},
    {InvoiceOrder::ByDate, "ByDateItem", "By Invoice &Date"},
    {InvoiceOrder::ByKeyCode, "ByKeyCodeItem", "By &Key Code"},
    {InvoiceOrder::ByType, "ByTypeItem", "By &Transaction Type"},
    {InvoiceOrder::ByDatePaid, "ByDatePaidItem", "By Date &Paid"},
};

}  // namespace

Tinvlist::Tinvlist(InvoiceManagerServices services, TQView& quickView, Trtedit& view,
                   TProdInv& entry, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      quickView_(quickView),
      view_(view),
      entry_(entry),
      batch_(new TInvBatch(services_.prompts, this)),
      repeat_(new TRepeatForm(services_.prompts, services_.showHelp, this)),
      flow_(services_.engine, services_.prompts, services_.state, services_.clock),
      frame_(*this, services_.prompts, "InvBrowser1") {
    setObjectName("invlist");
    setWindowTitle(kCaption);
    setModal(true);

    receivables_ = new QLabel(this);
    receivables_->setObjectName("ARLabel");
    receivables_->setFont(frame_.title().font());
    filterLabel_ = new QLabel(this);
    filterLabel_->setObjectName("FilterLabel");
    filterLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    filterLabel_->setMinimumWidth(260);
    frame_.AddToTitleRow(receivables_);
    frame_.AddToTitleRow(filterLabel_);
    timerPanel_ = new QLabel(this);
    timerPanel_->setObjectName("TimerPanel");
    frame_.AddStatusPanel(timerPanel_);
    setAutoFillBackground(true);

    widgets::TFvcBrowser& browser = frame_.browser();
    browser.OnBuildRow = [this](widgets::TFvcBrowser&, widgets::RowRec& row) {
        row.text = base::Win1252ToUtf8(InvoiceBrowserRow(rowRecord_));
    };
    browser.OnDblClick = [this](widgets::TFvcBrowser&) { CustomerDataClick(); };
    frame_.SetListKeys([this] { DeleteClick(); }, [this] { CustomerDataClick(); });
    // Keys hold upper-case text, so the incremental search looks for the upper-case letter.
    browser.OnKeyPress = [](widgets::TFvcBrowser&, QChar& ch) { ch = widgets::KeyCase(ch); };
    BuildCommands();
    resize(1000, 540);
}

Tinvlist::~Tinvlist() = default;

void Tinvlist::BuildCommands() {
    widgets::ManagerFrame& f = frame_;
    QAction* remove = f.Action("DeleteItem", "&Delete", [this] { DeleteClick(); });
    QAction* find = f.Action("FindItem", "&Find", [this] { FindClick(); });
    QAction* customerData =
        f.Action("CustomerDataItem", "C&ustomer Data", [this] { CustomerDataClick(); });
    QAction* filter = f.Action("FilterItem", "Filter On/Off", [this] { FilterClick(); });
    QAction* close = f.Action("CloseItem", "&Close", [this] { reject(); });
    QAction* add = f.Action("NewItem", "&New", [this] { NewClick(); });
    QAction* edit = f.Action("EditItem", "&Edit", [this] { EditClick(); });
    QAction* view = f.Action("ViewItem", "&View", [this] { ViewClick(); });
    QAction* print = f.Action("PrintItem", "&Print", [this] { PrintClick(); });
    QAction* batch = f.Action("BatchPrintItem", "&Batch Print", [this] { BatchPrintClick(); });
    QAction* repeat = f.Action("RepeatItem", "&Repeat Billing Setup", [this] { RepeatClick(); });

    QMenu* invoice = f.menuBar().addMenu("&Invoice");
    invoice->addActions({add, edit, remove});
    invoice->addSeparator();
    invoice->addActions({find, customerData});
    invoice->addSeparator();
    invoice->addActions({view, print, batch});
    invoice->addSeparator();
    invoice->addAction(repeat);
    invoice->addSeparator();
    invoice->addAction(close);

    QMenu& popup = f.popup();
    popup.addActions({add, edit, remove});
    popup.addSeparator();
    popup.addActions({find, customerData});
    popup.addSeparator();
    popup.addActions({view, print});
    popup.addSeparator();
    popup.addAction(close);

    QMenu* display = f.menuBar().addMenu("&Display");
    auto* exclusive = new QActionGroup(this);
    for (const OrderItem& item : kOrderItems) {
        QAction* action =
            f.Action(item.name, item.caption, [this, order = item.order] { SetOrder(order); });
        action->setCheckable(true);
        exclusive->addAction(action);
        display->addAction(action);
        orders_.emplace_back(item.order, action);
    }
    f.AddPrintWindow(*display, [this] { PrintWindowClick(); });

    QAction* overview = f.AddHelpMenu([this] { services_.showHelp("InvoiceManager"); });

    f.AddRecordTools(add, edit, remove, find);
    f.Tool(view, "ViewBtn", "View");
    f.Tool(print, "PrintBtn", "Print");
    f.Tool(customerData, "CustomerDataBtn", "Customer Data");
    f.Tool(batch, "BatchPrintBtn", "Batch Print");
    f.toolBar().addSeparator();
    f.Tool(filter, "FilterBtn", "Filter On/Off");
    f.toolBar().addSeparator();
    f.Tool(overview, "HelpBtn", "Help");
    f.Tool(close, "CloseBtn", "Close");
}

bool Tinvlist::Execute() {
    if (!flow_.Open()) return false;
    FormShow();
    exec();
    frame_.browser().DetachDataSource();
    flow_.Close();
    return true;
}

void Tinvlist::FormShow() {
    const company::ProgramState& state = services_.state;
    setWindowTitle(state.defaultOutput == company::PrintedOutput::EMail ? kEMailCaption : kCaption);
    frame_.ShowManagersFont(state.currentCompany.managersFont());
    frame_.browser().SetHeader(QString::fromStdString(InvoiceBrowserHeader()));
    AttachList();
    ShowHeaderPanel();
    ShowFilter(InvoiceManagerFlow::FilterClosed());
    frame_.hintPanel().setText(kHint);
    PositionOn(flow_.StartRow());
    ShowCount();
    ShowTimer();
    frame_.browser().setFocus();
}

void Tinvlist::AttachList() {
    const InvoiceListSource source = flow_.Source();
    frame_.browser().AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        services_.engine, flow_.fileBlock(), source.keyNumber, source.range.low, source.range.high,
        rowRecord_.bytes()));
}

void Tinvlist::ShowHeaderPanel() {
    const records::CompanyRecord& company = services_.state.currentCompany;
    frame_.title().setText(widgets::ToRecordText(CompanyTitle(company)));
    receivables_->setText(widgets::ToRecordText(ReceivablesText(company)));
}

void Tinvlist::ShowFilter(const InvoiceFilterView& view) {
    filterLabel_->setText(widgets::ToRecordText(view.label));
    // Red on white stays readable on the highlight colour the window takes while filtering.
    filterLabel_->setStyleSheet(view.on ? "color: red; background: white; font-weight: bold; "
                                          "padding: 2px 6px"
                                        : "color: black; padding: 2px 6px");
    // While the list holds one customer's records, it walks them by customer number.
    for (const auto& [order, action] : orders_) {
        action->setChecked(order == flow_.order());
        action->setEnabled(!view.on);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Window, view.on ? colours.color(QPalette::Highlight)
                                               : QPalette().color(QPalette::Window));
    setPalette(colours);
}

void Tinvlist::ShowCount() {
    frame_.countPanel().setText(QString::fromStdString(flow_.CountText()));
}

void Tinvlist::PositionOn(const std::optional<InvoiceRow>& row) {
    if (row) frame_.browser().PositionAtKey(row->key, row->recordNumber);
}

void Tinvlist::NewClick() {
    const std::optional<PostedInvoice> posted = entry_.ExecuteAdd(flow_.files());
    ShowPosted(posted);
    if (posted && entry_.PrintTicked()) Print(base::Trim(posted->header.invoiceNumber()));
}

void Tinvlist::EditClick() {
    const auto record = flow_.EditableRecord(frame_.browser().CurrentRecordNumber());
    if (record) ShowPosted(entry_.ExecuteEdit(flow_.files(), *record));
}

void Tinvlist::ShowPosted(const std::optional<PostedInvoice>& posted) {
    ShowTimer();
    if (!posted) return;
    frame_.browser().Refresh();
    PositionOn(flow_.RowOf(posted->recordNumber));
    ShowCount();
    ShowHeaderPanel();
    frame_.hintPanel().setText(widgets::ToRecordText(posted->status));
}

void Tinvlist::ShowTimer() {
    timerPanel_->setText(entry_.TimerRunning() ? "Timer running..." : "Timer off");
}

void Tinvlist::DeleteClick() {
    ShowUpdate(flow_.Delete(frame_.browser().CurrentRecordNumber()));
}

void Tinvlist::RepeatClick() {
    repeat_->SetDateOrder(base::EntryDateOrder(services_.state.currentCompany.dateFormat()));
    ShowUpdate(flow_.RepeatSetup(
        frame_.browser().CurrentRecordNumber(),
        [this](const RepeatSetupView& view, RepeatScheduleEntry& entry,
               const RepeatScheduleCheck& check) { return repeat_->Execute(view, entry, check); }));
}

void Tinvlist::ShowUpdate(const InvoiceListUpdate& update) {
    if (!update.reread) return;
    frame_.browser().Refresh();
    ShowCount();
    ShowHeaderPanel();
    if (!update.status.empty()) frame_.hintPanel().setText(widgets::ToRecordText(update.status));
}

void Tinvlist::FindClick() {
    widgets::TFindBox& findBox = services_.findBox;
    if (findBox.Find(records::RecordKind::Invoice, "Find Invoice/Payment", flow_.fileBlock()) !=
        QDialog::Accepted)
        return;
    // The dialog's columns are UTF-8; the number is looked up as record text.
    const auto number = findBox.SelectedColumn(kInvoiceNumberColumn);
    const auto recordText = number ? base::Utf8ToWin1252(*number) : std::nullopt;
    if (recordText) PositionOn(flow_.RowAtNumber(*recordText));
}

void Tinvlist::CustomerDataClick() {
    const std::optional<QuickViewValues> values =
        flow_.QuickView(frame_.browser().CurrentRecordNumber());
    if (values) quickView_.Execute(*values);
}

void Tinvlist::ViewClick() {
    if (const auto number = flow_.NumberOf(frame_.browser().CurrentRecordNumber())) View(*number);
}

void Tinvlist::PrintClick() {
    if (const auto number = flow_.NumberOf(frame_.browser().CurrentRecordNumber())) Print(*number);
}

void Tinvlist::BatchPrintClick() {
    PrinterSink printer(services_.printer);
    DispatchContext context = flow_.Dispatch(printer, services_.mail);
    widgets::TStatForm& progress = services_.progress;
    std::optional<WaitCursor> waiting;
    const BatchPrintSteps steps{[this](const BatchPrintTexts& texts, size_t collected) {
                                    return batch_->Execute(texts, collected);
                                },
                                [this] { return services_.prompts.PrintDialog(kPrintTitle); },
                                [&](std::string_view line) {
                                    if (!waiting) {
                                        waiting.emplace();
                                        progress.ShowStatus("E-Mail Mode");
                                    }
                                    progress.SetLines("", widgets::ToRecordText(std::string(line)),
                                                      "");
                                },
                                [&] {
                                    progress.HideStatus();
                                    waiting.reset();
                                }};
    ShowOutput(BatchPrintCommand(context, steps));
}

void Tinvlist::View(const std::string& number) {
    if (const auto document = flow_.Document(number))
        view_.Execute(*document, services_.state.currentCompany);
}

void Tinvlist::Print(const std::string& number) {
    PrintCommandResult result;
    {
        PrinterSink printer(services_.printer);
        DispatchContext context = flow_.Dispatch(printer, services_.mail);
        std::optional<WaitCursor> waiting;
        result = PrintCommand(context, number, [&] {
            const bool chosen = services_.prompts.PrintDialog(kPrintTitle);
            if (chosen) waiting.emplace();
            return chosen;
        });
    }  // the print job ends here
    ShowOutput(result.status);
    if (result.viewInstead) View(number);
}

void Tinvlist::ShowOutput(const std::string& status) {
    if (status.empty()) return;
    frame_.browser().Refresh();
    frame_.hintPanel().setText(widgets::ToRecordText(status));
}

void Tinvlist::FilterClick() {
    widgets::TFvcBrowser& browser = frame_.browser();
    const int32_t current = browser.CurrentRecordNumber();
    const InvoiceFilterView view = flow_.SwitchFilter(current);
    AttachList();
    PositionOn(flow_.RowOf(current));
    ShowFilter(view);
    frame_.hintPanel().setText(widgets::ToRecordText(view.hint));
}

void Tinvlist::SetOrder(InvoiceOrder order) {
    flow_.SetOrder(order);
    widgets::TFvcBrowser& browser = frame_.browser();
    const int32_t current = browser.CurrentRecordNumber();
    browser.SetKeyNumber(static_cast<int>(order));
    PositionOn(flow_.RowOf(current));
}

void Tinvlist::PrintWindowClick() {
    widgets::PrintWindowPicture(*this, services_.printer, services_.prompts, kCaption);
}

}  // namespace invoicing::ui
