// "Batch Print Invoices": the count preset to every invoice waiting, only digits typed, an empty
// count refused with the dialog left open, a larger one lowered, and Cancel ending the batch.
#include "invoicing/ui/BatchPrintDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/ScriptedPrompts.h"
#include "support/ui/WindowDriving.h"

namespace invoicing::ui {
namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::ThenInModal;

TEST(BatchPrintDialog, AsksHowManyOfTheCollectedInvoicesToPrint) {
    const BatchPrintTexts texts{{"There are 12 invoice(s) to print.",
                                 "Packing Slips are turned off.", "File Copies will be printed."},
                                "&Print"};
    const struct {
        const char* typed;  // nothing: the preset count is kept
        bool refused;       // "You need to specify the number to print.", then Cancel
        bool cancel;
        std::optional<size_t> count;
    } cases[] = {
        {nullptr, false, false, 12}, {"5", false, false, 5}, {"0x9", false, false, 9},
        {"50", false, false, 12},    {"", true, false, {}},  {"  ", true, false, {}},
        {"3", false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(preset)");
        testsupport::ScriptedPrompts prompts;
        if (c.refused)
            prompts.ExpectWarn("Print Number", "You need to specify the number to print.");
        TInvBatch dialog(prompts);
        ThenInModal(dialog, [&] {
            EXPECT_EQ(dialog.windowTitle(), "Batch Print Invoices");
            EXPECT_EQ(Find<QLabel>(dialog, "Line1").text(), "There are 12 invoice(s) to print.");
            EXPECT_EQ(Find<QLabel>(dialog, "Line3").text(), "File Copies will be printed.");
            EXPECT_EQ(Find<QPushButton>(dialog, "PrintBtn").text(), "&Print");
            auto& number = Find<QLineEdit>(dialog, "BatchNum");
            EXPECT_EQ(number.text(), "12");
            EXPECT_EQ(dialog.focusWidget(), &number);
            if (c.typed) {
                number.clear();
                QTest::keyClicks(&number, c.typed);
            }
            if (c.cancel) return Click(dialog, "CancelBtn");
            if (!c.refused) return QTest::keyClick(&number, Qt::Key_Return);
            Click(dialog, "PrintBtn");
            EXPECT_TRUE(dialog.isVisible());
            Click(dialog, "CancelBtn");
        });
        EXPECT_EQ(dialog.Execute(texts, 12), c.count);
    }
}

}  // namespace
}  // namespace invoicing::ui
