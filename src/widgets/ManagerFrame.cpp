#include "widgets/ManagerFrame.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "widgets/DataBrowser.h"
#include "widgets/PrinterCanvas.h"

namespace widgets {

ManagerFrame::ManagerFrame(QDialog& window, base::PromptService& prompts, const char* browserName)
    : window_(window) {
    menuBar_ = new QMenuBar(&window);
    toolBar_ = new QToolBar(&window);
    toolBar_->setObjectName("ToolBar");
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    popup_ = new QMenu(&window);

    title_ = new QLabel(&window);
    title_->setObjectName("TitleLabel");
    title_->setTextFormat(Qt::PlainText);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    title_->setFont(titleFont);

    browser_ = new TFvcBrowser(prompts, &window);
    browser_->setObjectName(browserName);
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(browser_, &QWidget::customContextMenuRequested, &window,
                     [this](const QPoint& at) { popup_->popup(browser_->mapToGlobal(at)); });

    auto* statusBar = new QStatusBar(&window);
    statusBar_ = statusBar;
    statusBar->setSizeGripEnabled(false);
    countPanel_ = new QLabel(statusBar);
    countPanel_->setObjectName("CountPanel");
    countPanel_->setMinimumWidth(140);
    hintPanel_ = new QLabel(statusBar);
    hintPanel_->setObjectName("HintPanel");
    statusBar->addWidget(countPanel_);
    statusBar->addWidget(hintPanel_, 1);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(toolBar_);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 6);
    titleRow_ = new QHBoxLayout;
    titleRow_->addWidget(title_, 1);
    body->addLayout(titleRow_);
    body->addWidget(browser_, 1);
    layout->addLayout(body, 1);
    layout->addWidget(statusBar);
    window.resize(760, 480);
}

QAction* ManagerFrame::Action(const char* name, const QString& caption,
                              std::function<void()> handler) {
    auto* item = new QAction(caption, &window_);
    item->setObjectName(name);
    if (handler) QObject::connect(item, &QAction::triggered, &window_, std::move(handler));
    return item;
}

void ManagerFrame::Tool(QAction* command, const char* name, const QString& text) {
    auto* button = new QAction(text, toolBar_);
    button->setObjectName(name);
    // A disabled command disables its button too.
    button->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
    QObject::connect(button, &QAction::triggered, command, &QAction::trigger);
    toolBar_->addAction(button);
}

QAction* ManagerFrame::AddPrintWindow(QMenu& display, std::function<void()> handler) {
    display.addSeparator();
    QAction* print = Action("PrintWindowItem", "Print &Window", std::move(handler));
    display.addAction(print);
    return print;
}

QAction* ManagerFrame::AddHelpMenu(std::function<void()> overview) {
    QAction* item = Action("OverviewItem", "&Overview", std::move(overview));
    menuBar_->addMenu("&Help")->addAction(item);
    return item;
}

void ManagerFrame::AddRecordTools(QAction* add, QAction* edit, QAction* remove, QAction* find) {
    Tool(add, "NewBtn", "New");
    Tool(edit, "EditBtn", "Edit");
    Tool(remove, "DeleteBtn", "Delete");
    toolBar_->addSeparator();
    Tool(find, "FindBtn", "Find");
}

void ManagerFrame::AddToTitleRow(QWidget* widget) {
    titleRow_->addWidget(widget);
}

void ManagerFrame::SetListKeys(std::function<void()> onDelete, std::function<void()> onEnter) {
    browser_->OnKeyDown = [onDelete = std::move(onDelete), onEnter = std::move(onEnter)](
                              TFvcBrowser&, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Delete) {
            key = 0;
            onDelete();
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            onEnter();
        }
    };
}

void ManagerFrame::AddStatusPanel(QWidget* panel) {
    statusBar_->addPermanentWidget(panel);
}

void ManagerFrame::ShowManagersFont(const records::FontSpec& font) {
    browser_->setFont(PrinterCanvas::ToColumnFont(font.ToChoice()));
    browser_->SetTextColor(PrinterCanvas::ToQColor(font.color));
}

}  // namespace widgets
