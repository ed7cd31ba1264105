// "SAVELINE.SAV" and "SAVEMEMO.SAV": their fixed columns, reading back what was written, and the
// messages of saving and loading.
#include "invoicing/SavedLines.h"

#include "base/Text.h"
#include "invoicing/InvoicingFixture.h"

namespace invoicing::testing {
namespace {

constexpr char kReplaced[] =
    "The saved lines file has been replaced with the current invoice lines.";

class SavedLinesTest : public InvoicingFixture {
protected:
    std::vector<std::string> FileLines(const char* name) {
        std::vector<std::string> lines;
        const std::string text = testsupport::FileBytes(dir.path() / name);
        for (size_t start = 0, end; start < text.size(); start = end + 2) {
            end = text.find("\r\n", start);
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }
};

TEST_F(SavedLinesTest, RowsGoToFixedColumnsAndComeBack) {
    InvoiceDraft draft = Draft("1", {{"P1", "2.5", std::string(40, 'd'), "0.25", "Y"},
                                     DraftLine::Comment("Note"),
                                     {"P3", "1,000", "Bolts", "1", "N"}});
    draft.notes = std::string(70, 'n');
    draft.statementNote = std::string(30, 's');
    draft.keyCode = "KEY1";
    prompts.ExpectInform("Saved Lines File", kReplaced);
    ASSERT_TRUE(SaveLines(files, prompts, draft, state.currentCompany));
    const std::vector<std::string> lines = FileLines(kSavedLinesFile);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0],
              "1  P1         2.5        " + std::string(32, 'd') + " 0.25       Y 0.63        ");
    EXPECT_EQ(lines[3].substr(0, 15), "4" + std::string(13, ' ') + "1");  // a blank row
    EXPECT_EQ(lines[100], std::string(60, 'n') + std::string(25, 's') + "KEY1");

    InvoiceDraft loaded;
    ASSERT_TRUE(LoadLines(files, prompts, loaded));
    ASSERT_EQ(loaded.lines.size(), 3u);
    EXPECT_EQ(loaded.lines[0].description, std::string(32, 'd'));
    EXPECT_EQ(loaded.lines[1].description, "Note");
    EXPECT_EQ(loaded.lines[2].quantity, "1,000");
    EXPECT_EQ((std::vector<std::string>{loaded.notes, loaded.statementNote, loaded.keyCode}),
              (std::vector<std::string>{std::string(60, 'n'), std::string(25, 's'), "KEY1"}));
}

TEST_F(SavedLinesTest, AShortMemoStillPutsTheNotesOnLine27) {
    InvoiceDraft draft = Memo("1", "80.5", "First line\n" + std::string(100, 'w'));
    draft.notes = "Notes";
    draft.memo.quantity = "3";
    prompts.ExpectInform("Saved Lines File", kReplaced);
    ASSERT_TRUE(SaveLines(files, prompts, draft, state.currentCompany));
    const std::vector<std::string> lines = FileLines(kSavedMemoFile);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[2], std::string(26, 'w'));  // wrapped, not cut
    EXPECT_EQ(lines[26], base::PadRight("Notes", 85) + "None");

    InvoiceDraft loaded = Memo("2", "0", "");
    ASSERT_TRUE(LoadLines(files, prompts, loaded));
    EXPECT_EQ(loaded.memo.text,
              draft.memo.text.substr(0, 11) + std::string(74, 'w') + "\n" + std::string(26, 'w'));
    EXPECT_EQ(
        (std::vector<std::string>{loaded.notes, loaded.memo.description, loaded.memo.quantity}),
        (std::vector<std::string>{"Notes", "Consulting", "3"}));
}

TEST_F(SavedLinesTest, ReplacedIsShownOnlyAfterTheFileWasWritten) {
    std::string text;
    for (int i = 0; i < 26; ++i) text += "line\n";
    InvoiceDraft memo = Memo("1", "1", text);
    prompts.ExpectYesNo("Saved Lines File",
                        "The memo text takes 27 lines; only the first 25 are kept. Continue?",
                        false);
    EXPECT_FALSE(SaveLines(files, prompts, memo, state.currentCompany));

    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn);
    prompts.ExpectMessage("Saved Lines File", "The saved lines file could not be written.",
                          base::PromptAnswer::Ok, base::PromptIcon::Error);
    EXPECT_FALSE(SaveLines(files, prompts, Draft("1", {}), state.currentCompany));
    files.Clear();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / kSavedLinesFile));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / kSavedMemoFile));

    InvoiceDraft draft;
    prompts.ExpectInform("Load Saved Lines", "You have not created a saved lines file.");
    EXPECT_FALSE(LoadLines(files, prompts, draft));
    prompts.ExpectInform("Load Saved Memo", "You have not created a saved memo file.");
    EXPECT_FALSE(LoadLines(files, prompts, memo));
}

}  // namespace
}  // namespace invoicing::testing
