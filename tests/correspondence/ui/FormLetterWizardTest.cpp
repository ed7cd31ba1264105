// The Form Letter Wizard: a letter typed and formatted by keys, saved as RTF and opened again, and
// merged for the queued customers into one PDF while the letter in the editor stays as it was.
// The merge, the RTF reader and the page layout are tested in tests/correspondence and tests/base.
#include "correspondence/ui/FormLetterWizard.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QTest>
#include <QTextEdit>
#include <cstdio>
#include <fstream>

#include "records/RecordTypes.h"
#include "support/CommandOutput.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"

namespace correspondence::ui {
namespace {

using testsupport::ThenInModal;

class FormLetterWizardTest : public ::testing::Test {
protected:
    FormLetterWizardTest() {
        testsupport::AddCompanies({testsupport::SampleCompany("1", "Acme Supply Co")});
        w.state.currentCompany = *testsupport::StoredCompany("1");
        testsupport::AddRecords(w.engine,
                                records::RecordTypeOf(records::RecordKind::Customer).Describe("1"),
                                std::vector{testsupport::SampleCustomer("A1", "Alpha Traders"),
                                            testsupport::SampleCustomer("B1", "Beta Mills")});
    }

    testsupport::TestWindowContext w;
    int queueShown = 0;
    TLetterWiz wizard{{{w.engine, w.prompts, w.state},
                       w.printer,
                       [this] { ++queueShown; },
                       [this](const QString& topic) { w.helpTopics.push_back(topic); }}};
};

TEST_F(FormLetterWizardTest, ATypedLetterIsSavedMergedAndLeftAsItWas) {
    const std::string rtf = (w.dir.path() / "letter.rtf").string();
    const std::string pdf = (w.dir.path() / "letters.pdf").string();
    w.printer.setOutputFormat(QPrinter::PdfFormat);
    w.printer.setOutputFileName(QString::fromStdString(pdf));
    EXPECT_EQ(wizard.windowTitle(), "Form Letter Wizard - Untitled");
    ThenInModal(wizard, [&] {
        testsupport::Activate(wizard);
        QTextEdit& editor = wizard.editor();
        QTest::keyClicks(&editor, "Dear ");
        QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClicks(&editor, "ZRCSTNAME");
        QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClicks(&editor, ",");
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, "from ZRCMPNAME; zrcstname stays.");

        // Printing with nobody queued says so and prints nothing.
        w.prompts.ExpectInform("Letter Wizard",
                               "You do not have any customer records listed in the Label print "
                               "queue.");
        QTest::keyClick(&editor, Qt::Key_P, Qt::ControlModifier);

        w.prompts.ExpectSaveFile(rtf);
        QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(wizard.windowTitle(), "Form Letter Wizard - letter.rtf");

        w.state.printQueue.Add({"A1", "", "", ""});
        w.state.printQueue.Add({"B1", "", "", ""});
        w.prompts.ExpectPrint(true, "Form Letter");
        QTest::keyClick(&editor, Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(editor.toPlainText(), "Dear ZRCSTNAME,\nfrom ZRCMPNAME; zrcstname stays.");
        EXPECT_FALSE(editor.document()->isModified());
        QPixmap picture = wizard.grab();
        picture.save(qEnvironmentVariable("KT_SCREENSHOTS", "/tmp") + "/form-letter.png");
        testsupport::Trigger(wizard, "FileExitItem");
    });
    wizard.Execute();

    std::ifstream file(rtf, std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(saved.find("\\b ZRCSTNAME"), std::string::npos) << saved;
    const std::string text = testsupport::RunCommand("pdftotext '" + pdf + "' -").output;
    EXPECT_NE(text.find("Dear Alpha Traders,"), std::string::npos) << text;
    EXPECT_NE(text.find("Dear Beta Mills,"), std::string::npos) << text;
    EXPECT_NE(text.find("from Acme Supply Co; zrcstname stays."), std::string::npos) << text;
    EXPECT_EQ(testsupport::RunCommand("pdfinfo '" + pdf + "' | grep Pages").output,
              "Pages:           2\n");
}

TEST_F(FormLetterWizardTest, AChangedLetterAsksBeforeItIsClosed) {
    ThenInModal(wizard, [&] {
        QTest::keyClicks(&wizard.editor(), "Hello");
        w.prompts.ExpectMessage("Form Letter Wizard", "Save changes to Untitled?",
                                base::PromptAnswer::Cancel);
        testsupport::Trigger(wizard, "FileExitItem");
        EXPECT_TRUE(wizard.isVisible());
        w.prompts.ExpectMessage("Form Letter Wizard", "Save changes to Untitled?",
                                base::PromptAnswer::No);
        testsupport::Trigger(wizard, "FileExitItem");
    });
    wizard.Execute();
    testsupport::Click(wizard, "BitBtn3");
    EXPECT_EQ(queueShown, 1);
}

}  // namespace
}  // namespace correspondence::ui
