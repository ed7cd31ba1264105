#include "company/ui/TermEditor.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include <QApplication>

#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace company::ui {
namespace {

class TermEditorTest : public ::testing::Test {
protected:
    TermEditorTest() : chdir_(dir_.path()) {}

    void WriteTerms(const std::string& content) {
        std::ofstream(dir_.file("ZRTERMS.DAT"), std::ios::binary) << content;
    }
    std::string FileContent() const { return testsupport::FileBytes(dir_.file("ZRTERMS.DAT")); }
    void Open() {
        editor_.show();
        QApplication::processEvents();
    }
    void Click(const char* name) {
        QTest::mouseClick(editor_.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QLineEdit& Edit() { return *editor_.findChild<QLineEdit*>("TermEdit"); }
    void Type(const QString& text) { QTest::keyClicks(&Edit(), text); }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    testsupport::ScriptedPrompts prompts_;
    QString helpTopic_;
    TTermEdit editor_{TermEditorFlow(engine::PosixFileSystem(), prompts_),
                      [this](const QString& topic) { helpTopic_ = topic; }};
};

TEST_F(TermEditorTest, EditsStayInMemoryUntilCloseWritesTheSortedList) {
    WriteTerms("Net 30 Days\r\nCOD\r\ndue on receipt\r\n");
    Open();
    EXPECT_EQ(editor_.Terms(), (std::vector<std::string>{"COD", "due on receipt", "Net 30 Days"}));
    EXPECT_FALSE(Edit().isEnabled());

    Click("AddBtn");
    Type("  Net 10 ");
    Click("OkBtn");
    // A term already on the list is added a second time.
    Click("AddBtn");
    Type("COD");
    Click("OkBtn");
    EXPECT_FALSE(Edit().isEnabled());
    EXPECT_EQ(FileContent(), "Net 30 Days\r\nCOD\r\ndue on receipt\r\n");

    Click("CloseBtn");
    EXPECT_FALSE(editor_.isVisible());
    EXPECT_EQ(FileContent(), "  Net 10 \r\nCOD\r\nCOD\r\ndue on receipt\r\nNet 30 Days\r\n");
}

TEST_F(TermEditorTest, RefusesAnEmptyTermAndDeletingTheLastOne) {
    WriteTerms("COD\r\nNet 30 Days\r\n");
    Open();
    Click("AddBtn");
    prompts_.ExpectInform("Invalid Payment Term", "You do not have any text entered.");
    Click("OkBtn");
    EXPECT_TRUE(Edit().isEnabled());

    Click("DeleteBtn");
    EXPECT_EQ(editor_.Terms(), std::vector<std::string>{"Net 30 Days"});
    prompts_.ExpectInform("Delete Payment Term", "You must have at least on payment term.");
    Click("DeleteBtn");
    EXPECT_EQ(editor_.Terms(), std::vector<std::string>{"Net 30 Days"});

    Click("HelpBtn");
    EXPECT_EQ(helpTopic_, "EditTerms");
    // The edit still waits for its text; Return takes it, and Escape saves like "&Close".
    Type("Net 15");
    QTest::keyClick(&Edit(), Qt::Key_Return);
    QTest::keyClick(&editor_, Qt::Key_Escape);
    EXPECT_EQ(FileContent(), "Net 15\r\nNet 30 Days\r\n");
}

}  // namespace
}  // namespace company::ui
