#include "shell/ui/CompanyManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ShellFixture.h"
#include "base/Windows1252.h"
#include "company/CompanyFile.h"
#include "company/CompanySwitch.h"
#include "company/StarterData.h"
#include "shell/ui/CompanyOptions.h"
#include "shell/ui/HeaderForm.h"
#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"
#include "widgets/StatusWindow.h"

namespace shell::ui {
namespace {

namespace fs = std::filesystem;
using Outcome = TListComps::Outcome;
using shelltest::FileBytes;
using shelltest::ThenInModal;

class CompanyManagerTest : public ::testing::Test {
protected:
    CompanyManagerTest() : chdir_(dir_.path()) {
        engine_.InitEngine(0, 30);
        std::ofstream("ZRTERMS.DAT", std::ios::binary) << "Net 30 Days\r\n";
        std::ofstream(company::kBackgroundTileFile, std::ios::binary)
            << company::BackgroundTileBitmap();
    }

    // The first company is the current one.
    void AddCompanies(const std::vector<std::pair<std::string, std::string>>& companies) {
        std::vector<records::CompanyRecord> records;
        for (const auto& [number, name] : companies) {
            records.push_back(testsupport::SampleCompany(number, name));
            records.back().setReceivablesTotal("150.00");
        }
        testsupport::AddRecords(engine_, records::CompanyFileDescription(), records);
        state_.currentCompany = records.front();
    }

    Outcome Run(const std::function<void()>& interact) {
        ThenInModal(manager_, interact);
        return manager_.Execute();
    }

    void Trigger(const char* action) { manager_.findChild<QAction*>(action)->trigger(); }
    void Click(QWidget& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QLineEdit& OptionsEdit(const char* name) { return *options_.findChild<QLineEdit*>(name); }

    void GoTo(const std::string& name) {
        manager_.browser().PositionAtKey(base::Win1252Upper(name));
    }
    QString CountText() { return manager_.findChild<QLabel*>("CountPanel")->text(); }
    std::optional<records::CompanyRecord> Stored(const std::string& number) {
        company::CompanyFile file(engine_, prompts_);
        EXPECT_TRUE(file.Open());
        const auto found = file.Find(number);
        EXPECT_TRUE(file.Close());
        return found ? std::optional(found->second) : std::nullopt;
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    engine::Engine engine_;
    testsupport::ScriptedPrompts prompts_;
    base::FixedClock clock_{{{2024, 3, 5}, 14, 7, 0}};
    company::ProgramState state_;
    QPrinter printer_;
    widgets::TStatForm status_;
    widgets::WindowContext context_{engine_,
                                    prompts_,
                                    clock_,
                                    state_,
                                    printer_,
                                    status_,
                                    nullptr,
                                    [](const QString&) {},
                                    [](const QString&) {}};
    int passwordChecks_ = 0;
    THeaderForm headers_{prompts_, context_.showHelp};
    TCompSet options_{state_, prompts_, headers_, context_.showHelp};
    widgets::TFindBox findBox_{engine_, prompts_, context_.showHelp};
    widgets::TListWindow listWindow_{
        prompts_, [] { return std::make_shared<testsupport::RecordingCanvas>(); }};
    TListComps manager_{context_, options_, findBox_, listWindow_, [this] {
                            ++passwordChecks_;
                            return true;
                        }};
};

TEST_F(CompanyManagerTest, NewCompanyInheritsFormSettingsButStartsFromNewValues) {
    AddCompanies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}, {"4", "Delta Marine"}});
    records::CompanyRecord& current = state_.currentCompany;
    current.setInvoiceCaption("BILL");
    current.setBodyFont({"Liberation Serif", 11, records::kBlack, records::kItalic});
    current.setEnvelopeLeftMargin("250");
    current.setNextInvoiceNumber("5000");
    current.setReceivablesTotal("812.40");

    const Outcome outcome = Run([&] {
        ThenInModal(options_, [&] {
            EXPECT_EQ(options_.windowTitle(), "New Company");
            // Three companies on file: number 4 is proposed although it is taken.
            EXPECT_EQ(OptionsEdit("CoNumb").text(), "4");
            OptionsEdit("CName").setText("Harbour Trading");
            prompts_.ExpectInform("Company Number",
                                  "This Company number already exists. Enter another number.");
            Click(options_, "OKBtn");
            OptionsEdit("CoNumb").setText("5");
            Click(options_, "OKBtn");
        });
        Trigger("AddItem");
        EXPECT_EQ(CountText(), "Companies: 4");
        // The new company is the current row and can be chosen in the same visit.
        QTest::keyClick(&manager_.browser(), Qt::Key_Return);
    });
    EXPECT_EQ(outcome, Outcome::Ok);
    EXPECT_FALSE(state_.companyChanged);
    EXPECT_EQ(state_.selectedCompany.number(), "5");

    const auto added = Stored("5");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->name(), "Harbour Trading");
    EXPECT_EQ(added->receivablesTotal(), "0.00");
    EXPECT_EQ(added->invoiceCaption(), "BILL");
    EXPECT_EQ(added->bodyFont(), current.bodyFont());
    EXPECT_EQ(added->envelopeLeftMargin(), "250");
    EXPECT_EQ(added->nextInvoiceNumber(), "100");
    EXPECT_EQ(added->editorFont(),
              (records::FontSpec{"Arial", 10, records::kBlue, records::kBold}));
}

TEST_F(CompanyManagerTest, EditedCurrentCompanyStaysCurrentWhenAnotherIsSetAsDefault) {
    AddCompanies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const Outcome outcome = Run([&] {
        ThenInModal(options_, [&] {
            EXPECT_EQ(options_.windowTitle(), "Edit Company");
            EXPECT_TRUE(OptionsEdit("CoNumb").isReadOnly());
            OptionsEdit("CAdd1").setText("1 New Street");
            Click(options_, "OKBtn");
        });
        Trigger("EditItem");
        GoTo("Brook Ltd");
        Trigger("SetDefaultItem");
    });
    EXPECT_EQ(outcome, Outcome::Ok);
    EXPECT_EQ(passwordChecks_, 1);
    EXPECT_TRUE(state_.companyChanged);
    EXPECT_EQ(Stored("1")->address1(), "1 New Street");
    // An edit keeps the receivables total that invoicing and payments maintain.
    EXPECT_EQ(Stored("1")->receivablesTotal(), "150.00");

    ASSERT_TRUE(company::AcceptCompanyManagerChoice(engine_, prompts_, state_, "1", clock_));
    EXPECT_EQ(state_.currentCompany.number(), "1");
    EXPECT_EQ(state_.currentCompany.address1(), "1 New Street");
}

TEST_F(CompanyManagerTest, TheCurrentCompanyCannotBeDeletedAndOthersTakeTheirFiles) {
    AddCompanies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}, {"12", "Cedar Works"}});
    for (const char* name : {"2C.DAT", "2C.IX", "2P.DAT", "2I.IX", "2M.DAT", "12C.DAT"}) {
        std::ofstream(name) << "data";
    }
    const Outcome outcome = Run([&] {
        GoTo("Acme Supply Co");
        prompts_.ExpectInform("Delete Company",
                              "You are trying to delete the current default company. You need to "
                              "have another company open to delete this one.");
        QTest::keyClick(&manager_.browser(), Qt::Key_Delete);
        EXPECT_EQ(CountText(), "Companies: 3");

        GoTo("Brook Ltd");
        const std::string question =
            "If you delete this company, all invoices and payments will also be removed. ALL "
            "company data will be deleted! Data for other companies will NOT be removed. "
            "Continue?";
        prompts_.ExpectYesNo("Please Confirm", question, true);
        Trigger("DeleteItem");
        EXPECT_EQ(CountText(), "Companies: 2");
        Trigger("CloseItem");
    });
    EXPECT_EQ(outcome, Outcome::Closed);
    EXPECT_EQ(passwordChecks_, 2);
    EXPECT_FALSE(Stored("2"));
    for (const char* name : {"2C.DAT", "2C.IX", "2P.DAT", "2I.IX", "2M.DAT"}) {
        EXPECT_FALSE(fs::exists(name)) << name;
    }
    EXPECT_TRUE(fs::exists("12C.DAT"));
}

TEST_F(CompanyManagerTest, CancelledDialogsLeaveTheCompanyFileAsItWas) {
    AddCompanies({{"1", "Acme Supply Co"}, {"2", "Brook Ltd"}});
    const std::string data = FileBytes("Company.DAT");
    const std::string index = FileBytes("Company.IX");
    const base::FontChoice mono{"Liberation Mono"};
    Run([&] {
        ThenInModal(options_, [&] {
            prompts_.ExpectFont(mono);
            Click(options_, "BrowFontDlg");
            OptionsEdit("CName").setText("Renamed");
            Click(options_, "CancelBtn");
        });
        Trigger("EditItem");
        ThenInModal(options_, [&] {
            OptionsEdit("CName").setText("Never Added");
            Click(options_, "CancelBtn");
        });
        Trigger("AddItem");
        EXPECT_EQ(CountText(), "Companies: 2");
        Trigger("CloseItem");
    });
    EXPECT_EQ(FileBytes("Company.DAT"), data);
    EXPECT_EQ(FileBytes("Company.IX"), index);
    EXPECT_FALSE(state_.companyChanged);
}

TEST_F(CompanyManagerTest, ACompanyFileThatCannotBeOpenedIsReported) {
    fs::create_directory("Company.DAT");
    prompts_.ExpectMessage("KT Invorra Pro", "Unable to open company database",
                           base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_EQ(manager_.Execute(), Outcome::CannotOpen);
}

}  // namespace
}  // namespace shell::ui
