// The payment terms editor's rules: the list order, the checks of an entry and of Delete, and
// the file written on close.
#include "company/TermEditorFlow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "company/PaymentTerms.h"
#include "support/DataFolder.h"

namespace company {
namespace {

using Terms = std::vector<std::string>;

class TermEditorFlowTest : public ::testing::Test, protected testsupport::DataFolder {
protected:
    void Load(const std::string& content) {
        std::ofstream(kPaymentTermsFile, std::ios::binary) << content;
        flow.Load();
    }

    TermEditorFlow flow{files, prompts};
};

TEST_F(TermEditorFlowTest, TermsSortAsTheyReadWithLetterCaseBreakingTies) {
    Load("net 30\r\nNet 10\r\n_Special\r\nCOD\r\ncod\r\nNet 30\r\n");
    EXPECT_EQ(flow.terms(), (Terms{"_Special", "COD", "cod", "Net 10", "Net 30", "net 30"}));
}

TEST_F(TermEditorFlowTest, EntriesTakeTheirPlaceAndAnEmptyOneIsRefused) {
    Load("COD\r\nNet 30 Days\r\n");
    struct Case {
        const char* name;
        std::function<bool()> entry;
        bool accepted;
        Terms after;
    };
    const Case cases[] = {
        {"add", [&] { return flow.Add("  Net 10 "); }, true, {"  Net 10 ", "COD", "Net 30 Days"}},
        {"add a term already there",
         [&] { return flow.Add("COD"); },
         true,
         {"COD", "COD", "Net 30 Days"}},
        {"replace", [&] { return flow.Replace(0, "Net 60"); }, true, {"Net 30 Days", "Net 60"}},
        {"add empty", [&] { return flow.Add(""); }, false, {"COD", "Net 30 Days"}},
        {"replace with empty", [&] { return flow.Replace(1, ""); }, false, {"COD", "Net 30 Days"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        flow.Load();
        if (!c.accepted)
            prompts.ExpectInform("Invalid Payment Term", "You do not have any text entered.");
        EXPECT_EQ(c.entry(), c.accepted);
        prompts.Verify();
        EXPECT_EQ(flow.terms(), c.after);
    }
}

TEST_F(TermEditorFlowTest, DeleteKeepsTheLastTerm) {
    Load("COD\r\nNet 30 Days\r\n");
    EXPECT_FALSE(flow.Delete(std::nullopt));  // none selected
    EXPECT_TRUE(flow.Delete(0));
    EXPECT_EQ(flow.terms(), Terms{"Net 30 Days"});
    prompts.ExpectInform("Delete Payment Term", "You must have at least on payment term.");
    EXPECT_FALSE(flow.Delete(0));
    EXPECT_EQ(flow.terms(), Terms{"Net 30 Days"});
}

// Nothing reaches the file before the editor closes.
TEST_F(TermEditorFlowTest, CloseWritesTheListAndReportsAFailedWrite) {
    Load("Net 30 Days\r\n");
    ASSERT_TRUE(flow.Add("COD"));
    EXPECT_EQ(LoadPaymentTerms(files), Terms{"Net 30 Days"});
    flow.Close();
    EXPECT_EQ(LoadPaymentTerms(files), (Terms{"COD", "Net 30 Days"}));

    ASSERT_TRUE(flow.Add("Net 10"));
    files.FailWrite(1, engine::FaultInjectingFileSystem::Repeat::FromThenOn);
    prompts.ExpectWarn("Edit Payment Terms",
                       "The payment terms could not be saved to \"ZRTERMS.DAT\". Check that the "
                       "data folder can be written to.");
    flow.Close();
    files.Clear();
    EXPECT_EQ(LoadPaymentTerms(files), (Terms{"COD", "Net 30 Days"}));
}

}  // namespace
}  // namespace company
