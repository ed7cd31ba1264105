#include "customers/ui/CustomerManager.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QToolBar>

#include "base/Windows1252.h"
#include "customers/CustomerTexts.h"
#include "customers/Envelope.h"
#include "customers/ui/CustomerDialog.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"
#include "widgets/WindowPrint.h"

namespace customers::ui {

namespace {

constexpr char kCaption[] = "Customer Manager";
constexpr char kEMailCaption[] = "Customer Manager - (E-Mail Mode)";
constexpr char kHint[] = "Right-click mouse or select from menu bar.";
constexpr char kSelectHint[] = "Double-click or press <enter> to select.";

}  // namespace

TDemoForm::TDemoForm(CustomerManagerServices services, TEditDlg& dialog, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      companies_(services_.engine, services_.prompts, &services_.statusWindow),
      flow_(services_.engine, companies_, services_.prompts, services_.state, services_.clock),
      editor_(
          [&dialog](company::EditPurpose purpose, records::CustomerRecord& record,
                    const CustomerCheck& check) { return dialog.Execute(purpose, record, check); }),
      frame_(*this, services_.prompts, "FvcBrowser1") {
    setObjectName("DemoForm");
    setWindowTitle(kCaption);
    setModal(true);

    widgets::TFvcBrowser& browser = frame_.browser();
    browser.OnBuildRow = [this](widgets::TFvcBrowser&, widgets::RowRec& row) {
        row.text = base::Win1252ToUtf8(CustomerBrowserRow(rowRecord_));
    };
    browser.OnRowChanged = [this](widgets::TFvcBrowser&) { ShowCount(); };
    browser.OnDblClick = [this](widgets::TFvcBrowser&) { SelectClick(); };
    frame_.SetListKeys([this] { DeleteClick(); }, [this] { SelectClick(); });
    // Keys hold upper-case text, so the incremental search looks for the upper-case letter.
    browser.OnKeyPress = [](widgets::TFvcBrowser&, QChar& ch) { ch = widgets::KeyCase(ch); };
    BuildCommands();
    resize(980, 520);
}

TDemoForm::~TDemoForm() = default;

void TDemoForm::BuildCommands() {
    widgets::ManagerFrame& f = frame_;
    QAction* add = f.Action("NewItem", "&New", [this] { NewClick(); });
    QAction* edit = f.Action("EditItem", "&Edit", [this] { EditClick(); });
    QAction* remove = f.Action("DeleteItem", "&Delete", [this] { DeleteClick(); });
    QAction* find = f.Action("FindItem", "&Find", [this] { FindClick(); });
    QAction* list = f.Action("ListItem", "Customer &List", [this] { CustomerListClick(); });
    QAction* queue =
        f.Action("LabelQueueItem", "&Add to Label Queue", [this] { AddToLabelQueueClick(); });
    QAction* envelope =
        f.Action("EnvelopeItem", "&Print Envelope", [this] { PrintEnvelopeClick(); });
    QAction* close = f.Action("CloseItem", "&Close", [this] { reject(); });
    // The statement commands stay disabled until the statement windows are handed in.
    QAction* statement =
        f.Action("ViewStatementItem", "&View / Print", [this] { StmtPrinClick(); });
    QAction* popupStatement = f.Action("StatementItem", "&Statement", [this] { StmtPrinClick(); });
    QAction* batch = f.Action("BatchPrintItem", "&Batch Print", [this] { BatchPrinButnClick(); });
    statementActions_ = {statement, popupStatement, batch};
    for (QAction* later : statementActions_) later->setEnabled(false);

    QMenu* customer = f.menuBar().addMenu("&Customer");
    customer->addActions({add, edit, remove});
    customer->addSeparator();
    customer->addActions({find, list});
    customer->addSeparator();
    customer->addActions({queue, envelope});
    customer->addSeparator();
    customer->addAction(close);

    QMenu& popup = f.popup();
    popup.addActions({add, edit, remove});
    popup.addSeparator();
    popup.addActions({find, list});
    popup.addSeparator();
    popup.addActions({popupStatement, queue, envelope});
    popup.addSeparator();
    popup.addAction(close);

    QMenu* statements = f.menuBar().addMenu("&Statements");
    statements->addActions({statement, batch});

    QMenu* display = f.menuBar().addMenu("&Display");
    byName_ = f.Action("ByNameItem", "By &Name", [this] { ByNameClick(); });
    byNumber_ = f.Action("ByNumberItem", "By N&umber", [this] { ByNumberClick(); });
    byName_->setCheckable(true);
    byNumber_->setCheckable(true);
    display->addActions({byName_, byNumber_});
    f.AddPrintWindow(*display, [this] { PrintWindowClick(); });

    QAction* overview = f.AddHelpMenu([this] { services_.showHelp("CustomerManager"); });

    f.AddRecordTools(add, edit, remove, find);
    f.Tool(list, "ListBtn", "Customer List");
    f.Tool(envelope, "EnvelopeBtn", "Print Envelope");
    f.toolBar().addSeparator();
    f.Tool(statement, "StatementBtn", "View/Print Statement");
    f.Tool(batch, "BatchPrintBtn", "Batch Print Statements");
    f.toolBar().addSeparator();
    f.Tool(overview, "HelpBtn", "Help");
    f.Tool(close, "CloseBtn", "Close");
}

CustomerManagerResult TDemoForm::Execute(CustomerManagerUse use) {
    if (!flow_.Open()) return {true, false};
    picked_ = false;
    FormShow(use);
    exec();
    frame_.browser().DetachDataSource();
    flow_.Close();
    return {false, picked_};
}

void TDemoForm::FormShow(CustomerManagerUse use) {
    const company::ProgramState& state = services_.state;
    setWindowTitle(state.defaultOutput == company::PrintedOutput::EMail ? kEMailCaption : kCaption);
    widgets::TFvcBrowser& browser = frame_.browser();
    browser.SetHeader(QString::fromStdString(CustomerBrowserHeader()));
    browser.AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        services_.engine, flow_.fileBlock(), company::KeyNumber(flow_.order()), "", "",
        rowRecord_.bytes()));
    ShowCount();
    frame_.hintPanel().setText(use == CustomerManagerUse::Browse ? kHint : kSelectHint);
    byName_->setChecked(flow_.order() == CustomerOrder::ByName);
    byNumber_->setChecked(flow_.order() == CustomerOrder::ByNumber);

    const records::CompanyRecord& company = state.currentCompany;
    frame_.ShowManagersFont(company.managersFont());
    frame_.title().setText(widgets::ToRecordText(company.name() + " - #" + company.code()));
    if (use == CustomerManagerUse::SelectPicked && state.pickedCustomer)
        PositionOn(flow_.RowOfPicked(*state.pickedCustomer));
    browser.setFocus();
}

std::optional<records::CustomerRecord> TDemoForm::CurrentCustomer() {
    return flow_.CustomerAt(frame_.browser().CurrentRecordNumber());
}

void TDemoForm::ShowCount() {
    frame_.countPanel().setText(QString::fromStdString(flow_.CountText()));
}

void TDemoForm::PositionOn(const std::optional<company::ManagerRow>& row) {
    if (row) frame_.browser().PositionAtKey(row->key, row->recordNumber);
}

void TDemoForm::ShowUpdate(const company::ManagerUpdate& update) {
    if (update.reread) {
        frame_.browser().Refresh();
        ShowCount();
    }
    PositionOn(update.current);
}

void TDemoForm::NewClick() {
    ShowUpdate(flow_.Add(editor_));
}

void TDemoForm::EditClick() {
    ShowUpdate(flow_.Edit(frame_.browser().CurrentRecordNumber(), editor_));
}

void TDemoForm::DeleteClick() {
    ShowUpdate(flow_.Delete(frame_.browser().CurrentRecordNumber()));
}

void TDemoForm::SelectClick() {
    std::optional<records::CustomerRecord> customer = CurrentCustomer();
    if (!customer) return;
    services_.state.pickedCustomer = std::move(customer);
    picked_ = true;
    accept();
}

void TDemoForm::SetOrder(company::ManagerOrder order) {
    flow_.SetOrder(order);
    byName_->setChecked(order == CustomerOrder::ByName);
    byNumber_->setChecked(order == CustomerOrder::ByNumber);
    widgets::TFvcBrowser& browser = frame_.browser();
    const int32_t current = browser.CurrentRecordNumber();
    browser.SetKeyNumber(company::KeyNumber(order));
    if (current != 0) PositionOn(flow_.RowOf(current));
}

void TDemoForm::ByNameClick() {
    SetOrder(CustomerOrder::ByName);
}

void TDemoForm::ByNumberClick() {
    SetOrder(CustomerOrder::ByNumber);
}

void TDemoForm::CustomerListClick() {
    const std::optional<CustomerListChoice> choice = flow_.AskListChoice();
    if (!choice) return;
    widgets::TStatForm& status = services_.statusWindow;
    status.ShowStatus("Customer List");
    status.SetLines("", "Preparing list...", "");
    const std::optional<company::ManagerReport> report = flow_.ListReport(*choice);
    status.HideStatus();
    if (!report) return;
    services_.listWindow.ShowList(
        QString::fromStdString(report->caption), "Customer", base::Win1252ToUtf8(report->text),
        services_.state.currentCompany.managersFont().ToChoice(), base::Win1252ToUtf8(report->csv));
}

void TDemoForm::FindClick() {
    if (services_.findBox.Find(records::RecordKind::Customer, "Find Customer", flow_.fileBlock()) !=
        QDialog::Accepted)
        return;
    // The dialog's columns are UTF-8; the number is looked up as record text.
    const auto number = services_.findBox.SelectedColumn(1);
    const auto recordText = number ? base::Utf8ToWin1252(*number) : std::nullopt;
    if (recordText) PositionOn(flow_.RowOfNumber(*recordText));
}

void TDemoForm::AddToLabelQueueClick() {
    const std::optional<records::CustomerRecord> customer = CurrentCustomer();
    if (!customer) return;
    frame_.hintPanel().setText(
        widgets::ToRecordText(services_.state.printQueue.AddCustomer(*customer)));
}

void TDemoForm::PrintEnvelopeClick() {
    const std::optional<records::CustomerRecord> customer = CurrentCustomer();
    if (!customer) return;
    const records::CompanyRecord& company = services_.state.currentCompany;
    const std::optional<EnvelopeLayout> layout = ReadEnvelopeLayout(company, services_.prompts);
    if (!layout) return;
    QPrinter& printer = services_.printer;
    if (layout->landscape) printer.setPageOrientation(QPageLayout::Landscape);
    std::optional<std::string> status;
    {
        widgets::PrinterCanvas canvas(printer);
        status = PrintEnvelope(canvas, *layout, company, *customer);
    }
    // Other print jobs expect the printer upright.
    if (layout->landscape) printer.setPageOrientation(QPageLayout::Portrait);
    if (status) frame_.hintPanel().setText(QString::fromStdString(*status));
}

void TDemoForm::SetStatementCommands(CustomerStatementCommands commands) {
    statements_ = std::move(commands);
    for (QAction* action : statementActions_) action->setEnabled(true);
}

void TDemoForm::StmtPrinClick() {
    const std::optional<records::CustomerRecord> customer = CurrentCustomer();
    if (!customer || !statements_.show) return;
    statements_.show(flow_.customerFile(), *customer);
}

void TDemoForm::BatchPrinButnClick() {
    if (!statements_.batch) return;
    statements_.batch(flow_.customerFile(), [this](std::string_view status) {
        frame_.hintPanel().setText(widgets::ToRecordText(std::string(status)));
    });
}

void TDemoForm::PrintWindowClick() {
    widgets::PrintWindowPicture(*this, services_.printer, services_.prompts, kCaption);
}

}  // namespace customers::ui
