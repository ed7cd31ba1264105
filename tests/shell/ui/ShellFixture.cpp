#include "ShellFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PasswordDialog.h"

namespace shelltest {

void ThenInModal(QWidget& window, std::function<void()> interact, int tries) {
    QTimer::singleShot(0, [&window, interact, tries] {
        if (!window.isVisible() && tries > 0) return ThenInModal(window, interact, tries - 1);
        interact();
        if (window.isVisible()) {
            ADD_FAILURE() << window.objectName().toStdString() << " stayed open";
            window.hide();
        }
    });
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

records::CompanyRecord SampleCompany(const std::string& number, const std::string& name) {
    records::CompanyRecord company;
    company.SetNewCompanyValues(number);
    company.setName(name);
    company.setBackgroundBitmapOn(false);
    company.setBackgroundBitmap("");
    return company;
}

namespace {

template <typename Use>
void WithCompanyFile(Use use) {
    engine::Engine engine;
    engine.InitEngine(0, 30);
    testsupport::ScriptedPrompts silent;
    company::CompanyFile file(engine, silent);
    if (!std::filesystem::exists("Company.DAT")) {
        ASSERT_TRUE(file.file().Create());
    }
    ASSERT_TRUE(file.Open());
    use(file);
    EXPECT_TRUE(file.Close());
}

}  // namespace

void AddCompanies(const std::vector<records::CompanyRecord>& companies) {
    WithCompanyFile([&](company::CompanyFile& file) {
        for (const auto& company : companies) {
            int32_t recordNumber = 0;
            ASSERT_TRUE(file.Add(company, recordNumber));
        }
    });
}

records::CompanyRecord StoredCompany(const std::string& number) {
    records::CompanyRecord company;
    WithCompanyFile([&](company::CompanyFile& file) {
        const auto found = file.Find(number);
        ASSERT_TRUE(found.has_value()) << "company " << number;
        company = found->second;
    });
    return company;
}

void UpdateStoredCompany(const records::CompanyRecord& company) {
    WithCompanyFile([&](company::CompanyFile& file) {
        const auto found = file.Find(company.number());
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(file.Modify(found->first, company, found->second),
                  engine::UpdateOutcome::Written);
    });
}

void AnswerPasswordPrompts(std::vector<std::optional<std::string>> texts) {
    if (texts.empty()) return;
    QTimer::singleShot(0, [texts]() mutable {
        auto* prompt = qobject_cast<shell::ui::TPWDlg*>(QApplication::activeModalWidget());
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
    AddCompanies({company});
    ASSERT_TRUE(company::WriteLastCompany(company));
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
