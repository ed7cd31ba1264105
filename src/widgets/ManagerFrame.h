#pragma once
// The frame every manager window is built in: menu bar and toolbar on top, a bold title over the
// data browser, and a status bar with the count panel ("Customers: 3") and the hint panel. The
// window adds its commands through the frame, so menu items, popup items and toolbar buttons of
// one command are one action.

#include <QString>
#include <functional>

#include "base/PromptService.h"
#include "records/FontSpec.h"

class QAction;
class QDialog;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QWidget;

namespace widgets {

class TFvcBrowser;

class ManagerFrame {
public:
    // Lays the frame out in `window` (which owns every control); the browser is named
    // `browserName`, the panels "CountPanel" and "HintPanel", the toolbar "ToolBar", the title
    // "TitleLabel". A right click in the browser opens popup().
    ManagerFrame(QDialog& window, base::PromptService& prompts, const char* browserName);

    TFvcBrowser& browser() const { return *browser_; }
    QLabel& title() const { return *title_; }
    QLabel& countPanel() const { return *countPanel_; }
    QLabel& hintPanel() const { return *hintPanel_; }
    QMenuBar& menuBar() const { return *menuBar_; }
    QToolBar& toolBar() const { return *toolBar_; }
    QMenu& popup() const { return *popup_; }

    // A command of the window named `name`, running `handler` when triggered (a command without
    // a handler is one the window shows disabled).
    QAction* Action(const char* name, const QString& caption, std::function<void()> handler);
    // A toolbar button named `name` that triggers `command`.
    void Tool(QAction* command, const char* name, const QString& text);

    // What every manager has: "Print &Window" at the end of its display menu, the "&Help" menu
    // with "&Overview", and the New, Edit, Delete and Find buttons that open its toolbar.
    QAction* AddPrintWindow(QMenu& display, std::function<void()> handler);
    QAction* AddHelpMenu(std::function<void()> overview);
    void AddRecordTools(QAction* add, QAction* edit, QAction* remove, QAction* find);
    // Puts `widget` on the title's line, after what is there already (the Invoice Manager's
    // receivables total and filter label).
    void AddToTitleRow(QWidget* widget);
    // The keys every manager's list shares: Delete runs `onDelete`, Enter `onEnter`.
    void SetListKeys(std::function<void()> onDelete, std::function<void()> onEnter);
    // Adds a panel at the right end of the status bar.
    void AddStatusPanel(QWidget* panel);

    // The browser's rows take the company's managers font and its colour.
    void ShowManagersFont(const records::FontSpec& font);

private:
    QDialog& window_;
    TFvcBrowser* browser_;
    QLabel* title_;
    QHBoxLayout* titleRow_;
    QLabel* countPanel_;
    QLabel* hintPanel_;
    QStatusBar* statusBar_;
    QMenuBar* menuBar_;
    QToolBar* toolBar_;
    QMenu* popup_;
};

}  // namespace widgets
