#include "products/ui/ProductManager.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "base/Windows1252.h"
#include "products/ProductTexts.h"
#include "products/ui/ProductDialog.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"
#include "widgets/WindowPrint.h"

namespace products::ui {

namespace {

constexpr char kCaption[] = "Product Manager";
constexpr char kHint[] = "Right-click mouse or select from menu bar.";
constexpr char kSelectHint[] = "Double-click or press <enter> to select.";

}  // namespace

TEditProd::TEditProd(ProductManagerServices services, TUpdProd& dialog, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      editor_(
          [&dialog](company::EditPurpose purpose, records::ProductRecord& record,
                    const ProductCheck& check) { return dialog.Execute(purpose, record, check); }),
      frame_(*this, services_.prompts, "ProdBrowser"),
      browser_(&frame_.browser()) {
    setObjectName("EditProd");
    setWindowTitle(kCaption);
    setModal(true);

    browser_->OnBuildRow = [this](widgets::TFvcBrowser&, widgets::RowRec& row) {
        row.text = base::Win1252ToUtf8(ProductBrowserRow(rowRecord_));
    };
    browser_->OnDblClick = [this](widgets::TFvcBrowser&) { SelectClick(); };
    frame_.SetListKeys([this] { DeleteClick(); }, [this] { SelectClick(); });
    // Keys hold upper-case text, so the incremental search looks for the upper-case letter.
    browser_->OnKeyPress = [](widgets::TFvcBrowser&, QChar& ch) { ch = widgets::KeyCase(ch); };
    BuildCommands();
}

TEditProd::~TEditProd() = default;

void TEditProd::BuildCommands() {
    widgets::ManagerFrame& f = frame_;
    QMenu* product = f.menuBar().addMenu("&Product");
    QAction* add = f.Action("NewItem", "&New", [this] { NewClick(); });
    QAction* edit = f.Action("EditItem", "&Edit", [this] { EditClick(); });
    QAction* remove = f.Action("DeleteItem", "&Delete", [this] { DeleteClick(); });
    QAction* find = f.Action("FindItem", "&Find", [this] { FindClick(); });
    QAction* list = f.Action("ListItem", "Product &List", [this] { ProductListClick(); });
    QAction* close = f.Action("CloseItem", "&Close", [this] { reject(); });
    for (QMenu* menu : {product, &f.popup()}) {
        menu->addActions({add, edit, remove});
        menu->addSeparator();
        menu->addActions({find, list});
        menu->addSeparator();
        menu->addAction(close);
    }

    QMenu* display = f.menuBar().addMenu("&Display");
    byCode_ = f.Action("ByCodeItem", "By &Code", [this] { ByCodeClick(); });
    byDescription_ =
        f.Action("ByDescriptionItem", "By &Description", [this] { ByDescriptionClick(); });
    byCode_->setCheckable(true);
    byDescription_->setCheckable(true);
    display->addActions({byCode_, byDescription_});
    QAction* print = f.AddPrintWindow(*display, [this] { PrintWindowClick(); });

    QAction* overview = f.AddHelpMenu([this] { services_.showHelp("ProductManager"); });

    f.AddRecordTools(add, edit, remove, find);
    f.Tool(list, "ListBtn", "Product List");
    f.toolBar().addSeparator();
    f.Tool(byCode_, "ByCodeBtn", "By Code");
    f.Tool(byDescription_, "ByDescriptionBtn", "By Description");
    f.toolBar().addSeparator();
    f.Tool(print, "PrintBtn", "Print Window");
    f.Tool(overview, "HelpBtn", "Help");
    f.Tool(close, "CloseBtn", "Close");
}

ProductManagerResult TEditProd::Execute(const records::CompanyRecord& company,
                                        const std::optional<ProductPick>& pick) {
    company_ = company;
    file_ = std::make_unique<ProductFile>(services_.engine, company_.code(), services_.prompts,
                                          &services_.statusWindow);
    flow_ = std::make_unique<ProductManagerFlow>(*file_, services_.engine.fileSystem(),
                                                 services_.prompts, company_, services_.clock);
    selected_.reset();
    ProductManagerResult result;
    if (!flow_->Open()) {
        result.cannotOpen = true;
    } else {
        FormShow(pick);
        exec();
        browser_->DetachDataSource();
        flow_->Close();
        result.selected = selected_;
    }
    flow_.reset();
    file_.reset();
    return result;
}

void TEditProd::FormShow(const std::optional<ProductPick>& pick) {
    flow_->SetOrder(order_);
    browser_->SetHeader(QString::fromStdString(ProductBrowserHeader()));
    browser_->AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
        services_.engine, flow_->fileBlock(), company::KeyNumber(order_), "", "",
        rowRecord_.bytes()));
    frame_.countPanel().setText(QString::fromStdString(flow_->CountText()));
    frame_.hintPanel().setText(pick ? kSelectHint : kHint);
    byCode_->setChecked(order_ == ProductOrder::ByCode);
    byDescription_->setChecked(order_ == ProductOrder::ByDescription);

    frame_.ShowManagersFont(company_.managersFont());
    frame_.title().setText(widgets::ToRecordText(company_.name() + " - #" + company_.code()));
    if (pick) PositionOn(flow_->SelectStart(pick->code, pick->description));
    browser_->setFocus();
}

void TEditProd::PositionOn(const std::optional<company::ManagerRow>& row) {
    if (row) browser_->PositionAtKey(row->key, row->recordNumber);
}

void TEditProd::ShowUpdate(const company::ManagerUpdate& update) {
    if (update.reread) {
        browser_->Refresh();
        frame_.countPanel().setText(QString::fromStdString(flow_->CountText()));
    }
    PositionOn(update.current);
}

void TEditProd::NewClick() {
    ShowUpdate(flow_->Add(editor_));
}

void TEditProd::EditClick() {
    ShowUpdate(flow_->Edit(browser_->CurrentRecordNumber(), editor_));
}

void TEditProd::DeleteClick() {
    ShowUpdate(flow_->Delete(browser_->CurrentRecordNumber()));
}

void TEditProd::SelectClick() {
    selected_ = flow_->Choose(browser_->CurrentRecordNumber());
    accept();
}

void TEditProd::SetOrder(company::ManagerOrder order) {
    order_ = order;
    flow_->SetOrder(order);
    byCode_->setChecked(order == ProductOrder::ByCode);
    byDescription_->setChecked(order == ProductOrder::ByDescription);
    const int32_t current = browser_->CurrentRecordNumber();
    browser_->SetKeyNumber(company::KeyNumber(order));
    if (current != 0) PositionOn(flow_->RowOf(current));
}

void TEditProd::ByCodeClick() {
    SetOrder(ProductOrder::ByCode);
}

void TEditProd::ByDescriptionClick() {
    SetOrder(ProductOrder::ByDescription);
}

void TEditProd::ProductListClick() {
    const std::optional<company::ManagerOrder> order = flow_->AskListOrder();
    if (!order) return;
    widgets::TStatForm& status = services_.statusWindow;
    status.ShowStatus("Product List");
    status.SetLines("", "Preparing list...", "");
    const std::optional<company::ManagerReport> report = flow_->ListReport(*order);
    status.HideStatus();
    if (!report) return;
    services_.listWindow.ShowList(
        QString::fromStdString(report->caption), "Product", base::Win1252ToUtf8(report->text),
        company_.managersFont().ToChoice(), base::Win1252ToUtf8(report->csv));
}

void TEditProd::FindClick() {
    if (services_.findBox.Find(records::RecordKind::Product, "Find Product", flow_->fileBlock()) !=
        QDialog::Accepted)
        return;
    // The dialog's columns are UTF-8; the code is looked up as record text.
    const auto code = services_.findBox.SelectedColumn(0);
    const auto recordText = code ? base::Utf8ToWin1252(*code) : std::nullopt;
    if (recordText) PositionOn(flow_->RowOfCode(*recordText));
}

void TEditProd::PrintWindowClick() {
    widgets::PrintWindowPicture(*this, services_.printer, services_.prompts, kCaption);
}

}  // namespace products::ui
