// The "View Invoice" window: a product invoice in its list under the company's headings, sorted
// by a click on a heading; memo invoices and deposits in the memo box; a key or a double-click
// closes it. The texts themselves are tested without a window (InvoiceViewTextsTest).
#include "invoicing/ui/InvoiceView.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include "invoicing/OutputSamples.h"
#include "support/ui/WindowDriving.h"

namespace invoicing::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;
using Texts = std::vector<std::string>;

QString Text(const Trtedit& view, const char* label) {
    return Find<QLabel>(view, label).text();
}

Texts Column(const QTreeWidget& list, int column) {
    Texts texts;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        texts.push_back(list.topLevelItem(row)->text(column).toStdString());
    return texts;
}

void ClickHeading(QTreeWidget& list, int column) {
    QHeaderView& header = *list.header();
    const QPoint middle(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                        header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, middle);
}

TEST(InvoiceView, ProductInvoiceListsItsLinesSortsByAHeadingAndClosesOnAKey) {
    const records::CompanyRecord company = testing::OutputCompany();
    const InvoiceDocument document = testing::DocumentOf(testing::ProductInvoice(company), company);
    Trtedit view;
    ThenInModal(view, [&] {
        EXPECT_EQ(view.windowTitle(), "View Invoice# 1001");
        EXPECT_EQ(Text(view, "Label1"), "Ames Hardware");
        EXPECT_EQ(Text(view, "Label24"), "Product Code Invoice");
        EXPECT_EQ(Text(view, "BalanceLabel"), "3,385.70");
        auto& list = Find<QTreeWidget>(view, "ListView1");
        EXPECT_TRUE(list.isVisible());
        EXPECT_FALSE(Find<QPlainTextEdit>(view, "Memo1").isVisible());
        EXPECT_EQ(list.headerItem()->text(5), "Sales Tax:");
        EXPECT_EQ(Column(list, 3),
                  (Texts{"Widget, large", "Brass bolts", "Thank you for your order"}));

        // Numbers sort by value (quantity 2.5 before 12), the comment line's empty cells first.
        const struct {
            int column;
            Texts order;
        } sorts[] = {{6, {"03", "02", "01"}},
                     {6, {"01", "02", "03"}},
                     {1, {"03", "02", "01"}},
                     {2, {"03", "01", "02"}}};
        for (const auto& sort : sorts) {
            ClickHeading(list, sort.column);
            EXPECT_EQ(Column(list, 0), sort.order) << "column " << sort.column;
        }

        QTest::keyClick(&view, Qt::Key_Shift);
        EXPECT_TRUE(view.isVisible());  // a modifier alone is no key yet
        QTest::keyClick(&view, Qt::Key_Down);
    });
    view.Execute(document, company);
}

// Which records show the memo box, and with what text, is the texts' rule; the window shows it.
TEST(InvoiceView, MemoInvoiceShowsTheMemoBoxAndClosesOnADoubleClick) {
    const records::CompanyRecord company = testing::OutputCompany();
    const auto memo = testsupport::SampleMemoInvoice(company, testing::OutputCustomer(), "1002",
                                                     {2026, 12, 6}, "500.00", "Consulting",
                                                     {"Consulting for November", "", "On site"});
    Trtedit view;
    ThenInModal(view, [&] {
        const auto& box = Find<QPlainTextEdit>(view, "Memo1");
        EXPECT_TRUE(box.isVisible() && box.isReadOnly());
        EXPECT_EQ(box.toPlainText(), "Consulting for November\n\nOn site");
        EXPECT_FALSE(Find<QTreeWidget>(view, "ListView1").isVisible());
        QTest::mouseDClick(box.viewport(), Qt::LeftButton);
    });
    view.Execute(testing::DocumentOf(memo, company), company);
}

}  // namespace
}  // namespace invoicing::ui
