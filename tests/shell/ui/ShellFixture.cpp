#include "ShellFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "company/LastCompany.h"
#include "company/ui/PasswordDialog.h"
#include "shell/ui/MainWindow.h"

namespace shelltest {

void AnswerPasswordPrompts(std::vector<std::optional<std::string>> texts) {
    if (texts.empty()) return;
    QTimer::singleShot(0, [texts]() mutable {
        auto* prompt = qobject_cast<company::ui::TPWDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(prompt, nullptr) << "no password prompt is shown";
        const std::optional<std::string> text = texts.front();
        texts.erase(texts.begin());
        AnswerPasswordPrompts(texts);  // armed before this prompt closes
        if (text) {
            QTest::keyClicks(prompt->findChild<QLineEdit*>("Password"),
                             QString::fromStdString(*text));
            prompt->findChild<QPushButton*>("OKBtn")->click();
        } else {
            prompt->findChild<QPushButton*>("CancelBtn")->click();
        }
    });
}

ShellTest::ShellTest() : printer(std::make_unique<QPrinter>()) {}

ShellTest::~ShellTest() {
    if (window) {
        window->hide();
        window.reset();
    }
}

void ShellTest::MakeDataFolder(const records::CompanyRecord& company) {
    testsupport::AddCompanies({company});
    ASSERT_TRUE(company::WriteLastCompany(files, company));
}

shell::ui::TMainForm& ShellTest::NewMainWindow() {
    window.reset();
    if (engine.IsInitialised()) engine.ExitEngine();
    window = std::make_unique<shell::ui::TMainForm>(engine, prompts, clock, *printer);
    return *window;
}

shell::ui::TMainForm& ShellTest::StartedWindow() {
    MakeDataFolder();
    auto& w = NewMainWindow();
    EXPECT_TRUE(w.FormCreate());
    EXPECT_TRUE(w.FormShow());
    return w;
}

}  // namespace shelltest
