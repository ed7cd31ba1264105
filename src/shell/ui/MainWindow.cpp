#include "shell/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/Dates.h"
#include "base/Decimal.h"
#include "base/Text.h"
#include "company/CompanySwitch.h"
#include "company/Password.h"
#include "company/StartupFlow.h"
#include "company/ui/PasswordDialog.h"
#include "shell/ui/AboutBox.h"
#include "shell/ui/AgingChartPanel.h"
#include "shell/ui/BackgroundArea.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/Resources.h"
#include "shell/ui/ToolbarIcons.h"
#include "widgets/DatePicker.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RecordText.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {

namespace {

constexpr char kCaption[] = "KT Invorra PRO";
constexpr char kReady[] = "Ready.";

// Lets pending paints run without letting the user start another command meanwhile.
void LetPaintsRun() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

TMainForm::TMainForm(engine::Engine& engine, base::PromptService& prompts, const base::Clock& clock,
                     QPrinter& printer, QWidget* parent)
    : QMainWindow(parent),
      engine_(engine),
      prompts_(prompts),
      clock_(clock),
      startup_(engine, prompts, state_, clock),
      rebuild_(engine, prompts, state_, clock),
      statusWindow_(std::make_unique<widgets::TStatForm>()),
      calendar_(std::make_unique<widgets::TCalForm>()) {
    setObjectName("TMainForm");
    setWindowTitle(kCaption);
    setWindowIcon(ProgramIcon());

    context_ = std::make_unique<WindowContext>(
        WindowContext{engine_, prompts_, clock_, state_, printer, *statusWindow_, this,
                      [this](const QString& topic) { ShowHelpTopic(topic); },
                      [this](const QString& text) { SetStatusText(text); }});
    passwordDialog_ = std::make_unique<company::ui::TPWDlg>(
        [this](const QString& topic) { ShowHelpTopic(topic); });

    BuildMenus();
    BuildToolbar();
    BuildPanels();
    BuildStatusBar();

    SetCommandHandler(Command::PrinterSetup, [this] { PrinterSetupClick(); });
    SetCommandHandler(Command::Exit, [this] { close(); });
    SetCommandHandler(Command::Calculator, [this] { CalculatorClick(); });
    SetCommandHandler(Command::ViewCalendar, [this] { ViewCalendarClick(); });
    SetCommandHandler(Command::PasswordSetup, [this] { PasswordSetupClick(); });
    SetCommandHandler(Command::RebuildDataFiles, [this] { RebuildDataFilesClick(); });
    SetCommandHandler(Command::HelpTopics, [this] { ShowHelpTopic("Contents"); });
    SetCommandHandler(Command::HowToUseHelp, [this] { ShowHelpTopic("HowToUseHelp"); });
    SetCommandHandler(Command::FrequentAskedQuestions,
                      [this] { ShowHelpTopic("Frequent Asked Questions"); });
    SetCommandHandler(Command::About, [this] { AboutClick(); });
    SetCommandHandler(Command::HomePage, [this] { HomeButtonClick(); });

    qApp->installEventFilter(this);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    timer_->start();
    Timer1Timer();
}

TMainForm::~TMainForm() {
    delete helpWindow_;
}

// ---- building the window ------------------------------------------------------------------------

void TMainForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("Tools1");
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    for (const MenuItemInfo& item : MenuItems()) {
        QMenu* menu = item.menu == Menu::File    ? file
                      : item.menu == Menu::Tools ? tools
                      : item.menu == Menu::Help  ? help
                                                 : nullptr;
        if (!menu) continue;
        if (item.separatorBefore && !menu->isEmpty()) menu->addSeparator();
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(item.objectName);
        action->setStatusTip(item.hint);
        action->setToolTip(item.hint);
        action->setShortcut(item.shortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, c = item.command] { RunCommand(c); });
        actions_[item.command].push_back(action);
    }
}

// The five large buttons stand in a bar on the left, text under their pictures; the small
// buttons, pictures only, in the bar across the top.
void TMainForm::BuildToolbar() {
    QToolBar* large = new QToolBar("Managers", this);
    large->setObjectName("ManagerBar");
    large->setIconSize(QSize(32, 32));
    large->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::LeftToolBarArea, large);
    QToolBar* small = new QToolBar("Toolbar", this);
    small->setObjectName("SpeedBar");
    small->setIconSize(QSize(22, 22));
    small->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, small);
    for (QToolBar* bar : {large, small}) bar->setMovable(false);

    for (const ToolButtonInfo& info : ToolButtons()) {
        QToolBar* bar = info.large ? large : small;
        auto* action =
            new QAction(ToolbarIcon(info.command), info.large ? info.text : info.hint, this);
        action->setObjectName(QString(info.objectName) + "Action");
        action->setToolTip(info.hint);
        action->setStatusTip(info.hint);
        action->setEnabled(false);
        // The mnemonic of a tool button's text is not a shortcut by itself.
        if (info.large) action->setShortcut(QKeySequence::mnemonic(info.text));
        bar->addAction(action);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        button->setObjectName(info.objectName);
        if (info.large) button->setMinimumWidth(84);
        connect(action, &QAction::triggered, this, [this, c = info.command] { RunCommand(c); });
        actions_[info.command].push_back(action);
    }
}

void TMainForm::BuildPanels() {
    background_ = new BackgroundArea(this);
    setCentralWidget(background_);

    banner_ = new QLabel(background_);
    banner_->setObjectName("CompanyLabel");
    banner_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    banner_->setTextFormat(Qt::PlainText);
    auto* top = new QFrame(background_);
    top->setObjectName("Panel1");
    top->setFrameShape(QFrame::StyledPanel);
    top->setAutoFillBackground(true);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(16, 8, 16, 8);
    topLayout->addWidget(banner_);

    auto* output = new QGroupBox("Default Printed Output", background_);
    output->setObjectName("OutputPanel");
    output->setAutoFillBackground(true);
    systemMode_ = new QLabel(output);
    systemMode_->setObjectName("SysModeLabel");
    printerChoice_ = new QRadioButton("Pri&nter or Fax", output);
    printerChoice_->setObjectName("PrintRB");
    emailChoice_ = new QRadioButton("&E-Mail", output);
    emailChoice_->setObjectName("EMailRB");
    auto* outputHelp = new QPushButton("Help", output);
    outputHelp->setObjectName("EMHelpBtn");
    auto* sendMail = new QPushButton("Send E-mail Message", output);
    sendMail->setObjectName("SendEMailBtn");
    sendMail->setEnabled(false);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(systemMode_);
    outputLayout->addWidget(printerChoice_);
    outputLayout->addWidget(emailChoice_);
    outputLayout->addWidget(outputHelp);
    outputLayout->addWidget(sendMail);
    printerChoice_->setChecked(true);
    OutputChoiceClick();
    connect(printerChoice_, &QRadioButton::clicked, this, &TMainForm::OutputChoiceClick);
    connect(emailChoice_, &QRadioButton::clicked, this, &TMainForm::OutputChoiceClick);
    connect(outputHelp, &QPushButton::clicked, this, [this] { ShowHelpTopic("EMMode"); });
    // The button follows the "Send E-Mail &Message" command, enabled when its window exists.
    auto* sendAction = new QAction(this);
    sendAction->setEnabled(false);
    connect(sendAction, &QAction::changed, sendMail,
            [sendMail, sendAction] { sendMail->setEnabled(sendAction->isEnabled()); });
    connect(sendMail, &QPushButton::clicked, this,
            [this] { RunCommand(Command::SendEMailMessage); });
    actions_[Command::SendEMailMessage].push_back(sendAction);

    chart_ = new AgingChartPanel(background_);
    chart_->hide();
    connect(chart_, &AgingChartPanel::closeRequested, this, [this] {
        chart_->hide();
        SetStatusText(kReady);
    });
    connect(chart_, &AgingChartPanel::helpRequested, this, [this] { ShowHelpTopic("AgingChart"); });

    auto* side = new QVBoxLayout;
    side->addWidget(output);
    side->addSpacing(12);
    side->addWidget(chart_);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addStretch();
    body->addLayout(side);
    auto* layout = new QVBoxLayout(background_);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(top);
    layout->addSpacing(12);
    layout->addLayout(body, 1);
}

void TMainForm::BuildStatusBar() {
    clockPanel_ = new QLabel(this);
    clockPanel_->setObjectName("StatusPanel1");
    clockPanel_->setMinimumWidth(300);
    statusPanel_ = new QLabel(kReady, this);
    statusPanel_->setObjectName("StatusPanel2");
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(clockPanel_);
    statusBar()->addWidget(statusPanel_, 1);
}

// ---- commands
// ------------------------------------------------------------------------------------

void TMainForm::SetCommandHandler(Command command, std::function<void()> handler) {
    const bool enabled = static_cast<bool>(handler);
    handlers_[command] = std::move(handler);
    EnableCommand(command, enabled);
}

void TMainForm::EnableCommand(Command command, bool enabled) {
    for (QAction* action : actions_[command]) action->setEnabled(enabled);
}

bool TMainForm::IsCommandEnabled(Command command) const {
    const auto found = handlers_.find(command);
    return found != handlers_.end() && found->second;
}

QAction* TMainForm::CommandAction(Command command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() || found->second.empty() ? nullptr : found->second.front();
}

void TMainForm::RunCommand(Command command) {
    const auto found = handlers_.find(command);
    if (found == handlers_.end() || !found->second) return;
    const MenuItemInfo& info = MenuItemOf(command);
    if (info.hidesChart) {
        if (info.setsReady) SetStatusText(kReady);
        chart_->hide();
        LetPaintsRun();
    }
    found->second();
}

// ---- start-up
// ------------------------------------------------------------------------------------

bool TMainForm::FormCreate() {
    const company::StartOutcome outcome = startup_.Start();
    if (outcome == company::StartOutcome::NoDataFiles) return false;
    if (outcome == company::StartOutcome::Ready) {
        showHints_ = state_.currentCompany.showHints();
        ApplyBannerAndBackground();
    }
    if (const QScreen* screen = QApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    chart_->hide();
    return true;
}

bool TMainForm::FormShow() {
    if (!CheckPassword()) {
        terminating_ = true;
        return false;
    }
    ApplyDefaultOutput();
    RunDailyAging(false);
    return true;
}

// ---- the company
// ---------------------------------------------------------------------------------

// A company not set up yet shows company::kNotSetUpName and no picture. Otherwise the banner takes
// the editor font; a missing picture file leaves the plain colour (start-up has switched it off
// and said so).
void TMainForm::ApplyBannerAndBackground() {
    records::CompanyRecord& company = state_.currentCompany;
    if (!company::IsSetUp(company)) {
        company::MarkNotSetUp(company);
        banner_->setFont(QFont());
        banner_->setStyleSheet({});
        banner_->setText(company::kNotSetUpName);
        background_->SetPicture(QPixmap());
        return;
    }
    const base::FontChoice font = company.editorFont().ToChoice();
    banner_->setFont(widgets::PrinterCanvas::ToQFont(font));
    banner_->setStyleSheet(
        QString("color: %1;").arg(widgets::PrinterCanvas::ToQColor(font.color).name()));
    banner_->setText(widgets::ToRecordText(base::Trim(company.name())) +
                     "\n     Number: " + widgets::ToRecordText(base::Trim(company.number())));

    const std::string file = base::Trim(company.backgroundBitmap());
    QPixmap picture;
    if (file.size() > 1) picture.load(widgets::ToRecordText(file));
    background_->SetPicture(company.backgroundBitmapOn() ? picture : QPixmap());
}

void TMainForm::ApplyDefaultOutput() {
    if (state_.currentCompany.defaultOutputEmail())
        emailChoice_->setChecked(true);
    else
        printerChoice_->setChecked(true);
    OutputChoiceClick();
}

void TMainForm::OutputChoiceClick() {
    const bool email = emailChoice_->isChecked();
    state_.defaultOutput =
        email ? company::PrintedOutput::EMail : company::PrintedOutput::PrinterOrFax;
    systemMode_->setText(email ? "System Mode: E-Mail" : "System Mode: Printer / Fax");
}

void TMainForm::ApplyCompany() {
    ApplyBannerAndBackground();
    ApplyDefaultOutput();
    background_->update();
    LetPaintsRun();
}

void TMainForm::SwitchCompany(
    const std::function<company::CompanyManagerResult()>& showCompanyManager) {
    chart_->hide();
    SetStatusText(kReady);
    LetPaintsRun();
    const company::CompanyManagerResult result = showCompanyManager();
    if (!result.switchNeeded() ||
        !company::SwitchToChosenCompany(engine_, prompts_, state_, result, clock_))
        return;
    ApplyCompany();
    RunDailyAging(false);
}

void TMainForm::RunDailyAging(bool forceChart) {
    state_.RunAgingIfDue(forceChart);
}

void TMainForm::InstallAgingRun(std::function<void(company::ProgramState&, bool)> run) {
    state_.runAging = std::move(run);
    SetCommandHandler(Command::AgingChart,
                      state_.runAging ? std::function<void()>([this] { AgingChartClick(); })
                                      : std::function<void()>());
}

AgingChartPanel& TMainForm::agingChart() {
    return *chart_;
}

void TMainForm::AgingChartClick() {
    if (state_.currentCompany.receivablesTotalAmount().IsZero()) {
        prompts_.Message("Aging Chart", "You do not have any open invoices.",
                         base::PromptIcon::Information, base::PromptButtons::Ok);
    } else if (chart_->isVisible()) {
        prompts_.Message("Aging Chart", "The Aging Chart is currently showing.",
                         base::PromptIcon::Information, base::PromptButtons::Ok);
    } else {
        state_.runAging(state_, true);
    }
}

void TMainForm::CompanyReplaced() {
    ApplyCompany();
}

// ---- password
// ------------------------------------------------------------------------------------

bool TMainForm::CheckPassword() {
    return company::CheckPassword(
        engine_.fileSystem(), prompts_, [this](const std::string& caption, bool helpVisible) {
            return passwordDialog_->Ask(QString::fromStdString(caption), helpVisible);
        });
}

void TMainForm::PasswordSetupClick() {
    company::PasswordSetup(
        engine_.fileSystem(), prompts_, [this](const std::string& caption, bool helpVisible) {
            return passwordDialog_->Ask(QString::fromStdString(caption), helpVisible);
        });
}

// ---- the other commands
// --------------------------------------------------------------------------

void TMainForm::PrinterSetupClick() {
    prompts_.PrinterSetup();
}

const std::vector<QString>& TMainForm::CalculatorPrograms() {
    static const std::vector<QString> programs = {"gnome-calculator", "kcalc",     "galculator",
                                                  "qalculate-gtk",    "mate-calc", "xcalc"};
    return programs;
}

void TMainForm::CalculatorClick() {
    for (const QString& program : CalculatorPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    prompts_.Message(kCaption, "Windows Calculator not found.", base::PromptIcon::Warning,
                     base::PromptButtons::Ok);
}

void TMainForm::ViewCalendarClick() {
    calendar_->ViewCalendar(clock_.Today(), this);
}

void TMainForm::RebuildDataFilesClick() {
    const bool rebuilt = rebuild_.RebuildAll(*statusWindow_);
    LetPaintsRun();
    rebuild_.Finish(rebuilt);
}

QString TMainForm::HomePageAddress() {
    return "https://www.kt-invorra.example/";
}

void TMainForm::HomeButtonClick() {
    if (prompts_.AskYesNo("Internet Home Page",
                          "This feature will connect you to the internet and take you to our home "
                          "page. You must have an internet connection on this computer. Continue?"))
        QDesktopServices::openUrl(QUrl(HomePageAddress()));
}

void TMainForm::AboutClick() {
    TAboutBox about(this);
    about.exec();
}

// ---- help, status, clock
// -------------------------------------------------------------------------

HelpWindow& TMainForm::helpWindow() {
    if (!helpWindow_) helpWindow_ = new HelpWindow();
    return *helpWindow_;
}

void TMainForm::ShowHelpTopic(const QString& topic) {
    helpWindow().ShowTopic(topic);
}

void TMainForm::SetStatusText(const QString& text) {
    statusPanel_->setText(text);
}

QString TMainForm::StatusText() const {
    return statusPanel_->text();
}

QString TMainForm::BannerText() const {
    return banner_->text();
}

QString TMainForm::SystemModeText() const {
    return systemMode_->text();
}

void TMainForm::Timer1Timer() {
    clockPanel_->setText(QString::fromStdString(base::FormatLongDateTime(clock_.Now())));
}

// The company's "show button hints" option holds for the whole run, in every window.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !showHints_) return true;
    return QMainWindow::eventFilter(watched, event);
}

// ---- exit
// ----------------------------------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!terminating_ && !startup_.MayExit()) {
        event->ignore();
        return;
    }
    if (!terminating_ && startup_.OffersBackupOnExit() &&
        IsCommandEnabled(Command::BackupDataFiles))
        handlers_[Command::BackupDataFiles]();
    timer_->stop();
    startup_.Stop();
    if (helpWindow_) helpWindow_->close();
    background_->SetPicture(QPixmap());
    event->accept();
}

}  // namespace shell::ui
