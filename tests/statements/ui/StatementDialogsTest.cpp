// "Statement Selection" and "Batch Print Statements" driven by keys: the choices made reach the
// batch, the batch size is preset to every statement, corrected, or refused with the dialog left
// open.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "statements/ui/BatchStatementDialog.h"
#include "statements/ui/StatementSelectionDialog.h"
#include "support/ScriptedPrompts.h"
#include "support/ui/WindowDriving.h"

namespace statements::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

TEST(StatementSelectionDialog, ArrowKeysChooseTheBalancesAndTheActivity) {
    std::vector<QString> topics;
    TSelStmnt dialog([&topics](const QString& topic) { topics.push_back(topic); });
    ThenInModal(dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), "Statement Selection");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "RBAll").isChecked());
        EXPECT_TRUE(Find<QRadioButton>(dialog, "RBActAll").isChecked());
        // Down twice: over 60 days; Tab to the activity, Down: only unpaid.
        testsupport::Activate(dialog);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Down})
            QTest::keyClick(dialog.focusWidget(), key);
        Click(dialog, "HelpBtn");
        Click(dialog, "OKBtn");
    });
    const std::optional<BatchChoice> choice = dialog.Execute();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->selection, BalanceSelection::Over60);
    EXPECT_TRUE(choice->unpaidOnly);
    EXPECT_EQ(topics, (std::vector<QString>{"GetStatement"}));
    ThenInModal(dialog, [&] { QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape); });
    EXPECT_FALSE(dialog.Execute());
}

TEST(BatchStatementDialog, AsksTheBatchSize) {
    const BatchDialogTexts texts{"Last Batch Run: 11/30/2026",
                                 "There are 12 statements to be e-mailed.", "&E-Mail"};
    const struct {
        const char* typed;  // nothing: the preset size is kept
        bool refused;       // the message, then Cancel
        bool cancel;
        std::optional<size_t> size;
    } cases[] = {
        {nullptr, false, false, 12}, {"5", false, false, 5}, {"0", false, false, 1},
        {"50", false, false, 12},    {"", true, false, {}},  {"3", false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(preset)");
        testsupport::ScriptedPrompts prompts;
        if (c.refused) prompts.ExpectWarn("Number to Batch Print", kBatchSizeNeeded);
        TBatchStWin dialog(prompts);
        ThenInModal(dialog, [&] {
            EXPECT_EQ(dialog.windowTitle(), "Batch Print Statements");
            EXPECT_EQ(Find<QLabel>(dialog, "LastRunLabel").text(), "Last Batch Run: 11/30/2026");
            EXPECT_EQ(Find<QLabel>(dialog, "CountLabel").text(),
                      "There are 12 statements to be e-mailed.");
            EXPECT_EQ(Find<QPushButton>(dialog, "OKBtn").text(), "&E-Mail");
            auto& size = Find<QLineEdit>(dialog, "EMBNum");
            EXPECT_EQ(size.text(), "12");
            EXPECT_EQ(dialog.focusWidget(), &size);
            if (c.typed) {
                size.clear();
                QTest::keyClicks(&size, c.typed);
            }
            if (c.cancel) return QTest::keyClick(&size, Qt::Key_Escape);
            QTest::keyClick(&size, Qt::Key_Return);
            if (!c.refused) return;
            EXPECT_TRUE(dialog.isVisible());
            Click(dialog, "CancelBtn");
        });
        EXPECT_EQ(dialog.Execute(texts, 12), c.size);
    }
}

}  // namespace
}  // namespace statements::ui
