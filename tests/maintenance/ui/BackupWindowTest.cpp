// The backup and conversion windows driven by keys: the backup written from the typed file with
// the gauge at its end, and a wrong version-1 file refused from the path box. Their rules are
// tested without a window in tests/maintenance.

#include "maintenance/ui/BackupWindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "maintenance/ui/ConversionWindow.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace maintenance::ui {
namespace {

using testsupport::Activate;
using testsupport::Find;
using testsupport::ThenInModal;

class MaintenanceWindowTest : public ::testing::Test {
protected:
    MaintenanceWindowTest() {
        w.engine.InitEngine(0, 30);
        std::ofstream("Company.DAT") << "company";
        std::ofstream("LastCo.Dat") << "last";
    }
    // Saves a picture of the window for a person to look at, when asked to.
    static void Picture(QWidget& window, const char* name) {
        if (const char* folder = std::getenv("KT_WINDOW_PICTURES"))
            window.grab().save(QString(folder) + "/" + name + ".png");
    }

    testsupport::TestWindowContext w;
    testsupport::TempDir elsewhere;
    std::vector<QString> topics;
    const std::function<void(const QString&)> showHelp = [this](const QString& topic) {
        topics.push_back(topic);
    };
};

TEST_F(MaintenanceWindowTest, BackupWalkedByKeys) {
    BackupFlow flow(w.engine, w.prompts, w.state, w.clock, std::filesystem::current_path());
    TKTBkUp window({flow, w.prompts, w.statusWindow, showHelp}, "");
    const std::string archive = (elsewhere.path() / "Books.zip").string();
    w.prompts.ExpectMessage("Please Confirm", "Ready to backup files to " + archive + "?",
                            base::PromptAnswer::Ok);
    w.prompts.ExpectInform("KT Backup", "Backup complete. 2 files were copied.");
    ThenInModal(window, [&] {
        Activate(window);
        EXPECT_EQ(Find<QLabel>(window, "Label4").text(), kReadyStatus);
        QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);  // the file box
        QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(archive));
        // Out of the file box, whose Alt+B moves a word back.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);  // a mnemonic clicks a moment later
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Find<QProgressBar>(window, "Gauge1").value() == 100; }));
        EXPECT_EQ(Find<QLabel>(window, "Label4").text(), kReadyStatus);
        Picture(window, "backup");
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    });
    EXPECT_FALSE(window.Execute());
    EXPECT_TRUE(std::filesystem::exists(archive));
}

TEST_F(MaintenanceWindowTest, ConversionRefusesAnotherFileTypedIntoThePath) {
    VersionOneImportFlow flow(w.engine, w.prompts, w.clock);
    TCZR window({flow, w.prompts, w.statusWindow, showHelp});
    w.prompts.ExpectMessage("KT Invorra PRO Version 1 Conversion",
                            "You must select the COMPANY.DAT file from the Invorra PRO Version "
                            "1.x directory.",
                            base::PromptAnswer::Ok);
    ThenInModal(window, [&] {
        Activate(window);
        QLineEdit& path = Find<QLineEdit>(window, "OldPath");
        EXPECT_TRUE(path.hasFocus());
        QTest::keyClicks(&path, "/old/notes.txt");
        QTest::keyClick(&path, Qt::Key_Return);
        Picture(window, "conversion");
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }));
    });
    EXPECT_FALSE(window.Execute());
}

}  // namespace
}  // namespace maintenance::ui
