#pragma once
// TMainForm: the main window. Menus and toolbar open every other window, the banner shows the
// current company, the status bar the clock, the side panels the default printed output and the
// aging chart. It owns the program state and the shared windows (status window, help, password
// prompt) and runs start-up, the company switch and the exit path.
//
// Other windows plug in with SetCommandHandler (one line per command: the command's menu item and
// toolbar buttons become enabled and open the window) and reach the program through context().

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "company/CompanyManagerFlow.h"
#include "company/ProgramState.h"
#include "company/StartupFlow.h"
#include "receivables/DataFileRebuildFlow.h"
#include "shell/ui/MainCommands.h"
#include "shell/ui/WindowContext.h"

class QAction;
class QLabel;
class QRadioButton;
class QTimer;

namespace company::ui {
class TPWDlg;
}

namespace widgets {
class TStatForm;
class TCalForm;
}  // namespace widgets

namespace shell::ui {

class HelpWindow;
class AgingChartPanel;
class BackgroundArea;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(engine::Engine& engine, base::PromptService& prompts, const base::Clock& clock,
              QPrinter& printer, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- start-up, in this order -------------------------------------------------------------
    // Creation: company::StartupFlow's start (the engine, the current company, the date checks),
    // then the banner and background. False when the program must end ("LastCo.Dat" missing).
    bool FormCreate();
    // First showing: the password (false when wrong or cancelled: the program ends without the
    // close query), the default output, the daily aging.
    bool FormShow();

    // ---- for other windows ---------------------------------------------------------------------
    // Gives a command its window: its menu item and toolbar buttons become enabled and run
    // `handler` (after hiding the aging chart where the command asks for it).
    void SetCommandHandler(Command command, std::function<void()> handler);
    bool IsCommandEnabled(Command command) const;
    QAction* CommandAction(Command command) const;

    // The company switch: `showCompanyManager` shows the Company Manager modally and gives back
    // how the visit ended. When that needs a switch the company is made current, applied (date
    // format, banner, background, output panel) and aged when due.
    void SwitchCompany(const std::function<company::CompanyManagerResult()>& showCompanyManager);

    // Installs the receivables' aging run: daily runs at start-up and after a company switch, and
    // the "&Aging Chart" command (the run is told whether the user asked for it).
    void InstallAgingRun(std::function<void(company::ProgramState&, bool forceChart)> run);
    AgingChartPanel& agingChart();

    // After the data files were replaced (a restore): the current company as read again is
    // applied (date format, banner, background, output panel).
    void CompanyReplaced();

    // The password check: true when no password is set or the right one was typed.
    bool CheckPassword();

    WindowContext& context() { return *context_; }
    company::ProgramState& state() { return state_; }
    widgets::TStatForm& statusWindow() { return *statusWindow_; }
    HelpWindow& helpWindow();

    void SetStatusText(const QString& text);
    QString StatusText() const;
    void ShowHelpTopic(const QString& topic);

    // What the banner and output panel show (for tests and the screenshot).
    QString BannerText() const;
    QString SystemModeText() const;

    // The home page the "Home" button opens.
    static QString HomePageAddress();
    // The calculators tried in turn by "Windows &Calculator".
    static const std::vector<QString>& CalculatorPrograms();
    // Starts the first of them found; "Windows Calculator not found." when none is.
    void CalculatorClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildPanels();
    void BuildStatusBar();
    void RunCommand(Command command);
    void EnableCommand(Command command, bool enabled);

    void ApplyCompany();
    void ApplyBannerAndBackground();
    void ApplyDefaultOutput();
    void OutputChoiceClick();
    void RunDailyAging(bool forceChart);
    void Timer1Timer();

    // Commands this window carries out itself.
    void PrinterSetupClick();
    void ViewCalendarClick();
    void PasswordSetupClick();
    void RebuildDataFilesClick();
    void AgingChartClick();
    void HomeButtonClick();
    void AboutClick();

    engine::Engine& engine_;
    base::PromptService& prompts_;
    const base::Clock& clock_;
    company::ProgramState state_;
    company::StartupFlow startup_;
    receivables::DataFileRebuildFlow rebuild_;

    std::unique_ptr<widgets::TStatForm> statusWindow_;
    std::unique_ptr<WindowContext> context_;
    std::unique_ptr<company::ui::TPWDlg> passwordDialog_;
    std::unique_ptr<widgets::TCalForm> calendar_;
    HelpWindow* helpWindow_ = nullptr;  // made when first needed

    std::map<Command, std::function<void()>> handlers_;
    std::map<Command, std::vector<QAction*>> actions_;  // menu item and toolbar buttons

    BackgroundArea* background_ = nullptr;
    QLabel* banner_ = nullptr;
    QLabel* systemMode_ = nullptr;
    QRadioButton* printerChoice_ = nullptr;
    QRadioButton* emailChoice_ = nullptr;
    AgingChartPanel* chart_ = nullptr;
    QLabel* clockPanel_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QTimer* timer_ = nullptr;
    bool terminating_ = false;  // ending without the close query
    bool showHints_ = true;
};

}  // namespace shell::ui
