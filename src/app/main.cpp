// kt-invorra: the program. Options: --data DIR (the data folder, default the current folder) and
// --screenshot FILE (draw the windows shown after start-up into FILE and end).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Screenshot.h"
#include "engine/Engine.h"
#include "shell/ui/AgingRunner.h"
#include "shell/ui/BillingWizards.h"
#include "shell/ui/CompanyWindows.h"
#include "shell/ui/CorrespondenceWindows.h"
#include "shell/ui/CustomerWindows.h"
#include "shell/ui/InvoiceWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MaintenanceWindows.h"
#include "shell/ui/PaymentWindows.h"
#include "shell/ui/ProductWindows.h"
#include "shell/ui/ReportWindows.h"
#include "shell/ui/Resources.h"
#include "shell/ui/SingleInstance.h"
#include "shell/ui/Splash.h"
#include "shell/ui/StatementWindows.h"
#include "widgets/QtPromptService.h"

namespace {

enum ExitCode { kOk = 0, kNoDataFiles = 1, kBadArguments = 2, kRefused = 3 };

struct Options {
    QString dataFolder;
    QString screenshot;
};

Options ParseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription("KT Invorra Pro: billing and accounts receivable.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption data("data", "The data folder (default: the current folder).", "DIR");
    const QCommandLineOption screenshot(
        "screenshot", "Draw the windows shown after start-up into FILE (PNG) and end.", "FILE");
    parser.addOption(data);
    parser.addOption(screenshot);
    parser.process(app);
    Options options{parser.isSet(data) ? parser.value(data) : QDir::currentPath(),
                    parser.value(screenshot)};
    if (!options.screenshot.isEmpty())
        options.screenshot = QDir::current().absoluteFilePath(options.screenshot);
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No display name: on X11 and Wayland Qt would append it to the title of every window and
    // message box ("Company Manager — KT Invorra Pro"). Each window carries its own caption.
    QApplication::setApplicationName("kt-invorra");
    QApplication::setApplicationVersion(KT_VERSION);
    QApplication::setWindowIcon(shell::ui::ProgramIcon());

    const Options options = ParseOptions(app);
    if (!QDir::setCurrent(options.dataFolder)) {
        std::fprintf(stderr, "kt-invorra: cannot open the data folder %s\n",
                     qPrintable(options.dataFolder));
        return kBadArguments;
    }

    auto instance = std::make_unique<shell::ui::SingleInstance>(QDir::currentPath());
    if (instance->Claim() != shell::ui::SingleInstance::Outcome::First) return kOk;

    engine::Engine engine;
    QPrinter printer(QPrinter::HighResolution);
    widgets::QtPromptService prompts(printer);
    base::Clock& clock = base::SystemClock();
    shell::ui::TMainForm mainForm(engine, prompts, clock, printer);
    std::unique_ptr<QSplashScreen> splash = shell::ui::ShowSplash();
    shell::ui::CompanyWindows companyWindows(mainForm);
    shell::ui::CustomerWindows customerWindows(mainForm, companyWindows);
    shell::ui::ProductWindows productWindows(mainForm, companyWindows);
    shell::ui::InvoiceWindows invoiceWindows(mainForm, companyWindows, customerWindows,
                                             productWindows);
    shell::ui::PaymentWindows paymentWindows(mainForm, customerWindows);
    shell::ui::BillingWizards billingWizards(mainForm);
    shell::ui::StatementWindows statementWindows(mainForm, customerWindows, invoiceWindows);
    shell::ui::ReportWindows reportWindows(mainForm);
    shell::ui::MaintenanceWindows maintenanceWindows(mainForm);
    shell::ui::CorrespondenceWindows correspondenceWindows(mainForm, customerWindows,
                                                           invoiceWindows);
    mainForm.InstallAgingRun([&mainForm](company::ProgramState& state, bool forceChart) {
        shell::ui::RunAgingWithChart(mainForm.context(), mainForm.agingChart(), state, forceChart);
    });
    splash.reset();
    QObject::connect(instance.get(), &shell::ui::SingleInstance::activationRequested, &mainForm,
                     [&mainForm] {
                         if (mainForm.isMinimized()) mainForm.showNormal();
                         mainForm.raise();
                         mainForm.activateWindow();
                     });

    if (!options.screenshot.isEmpty()) {
        app::ScheduleScreenshot(options.screenshot, [&](int exitCode) {
            if (exitCode == 0)
                std::printf("Screenshot saved to %s\n", qPrintable(options.screenshot));
            std::fflush(stdout);
            // The picture may be taken inside a modal dialog of start-up; end here, with every
            // file closed, rather than unwinding through it.
            engine.ExitEngine();
            instance.reset();
            std::_Exit(exitCode);
        });
    }

    if (!mainForm.FormCreate()) return kNoDataFiles;
    mainForm.show();
    if (!mainForm.FormShow()) {
        engine.ExitEngine();
        return kRefused;
    }
    return app.exec();
}
