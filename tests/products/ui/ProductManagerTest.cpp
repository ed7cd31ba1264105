// The Product Manager window over its flow, driven by keyboard: the commands reach the flow from
// menus, keys and the list, the dialog types what the flow stores, and a pick goes back to the
// caller. The rules themselves are tested without a window in
// tests/products/ProductManagerFlowTest.
#include "products/ui/ProductManager.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "products/ui/ProductDialog.h"
#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ui/TestWindowContext.h"
#include "support/ui/WindowDriving.h"
#include "widgets/DataBrowser.h"
#include "widgets/FindBox.h"
#include "widgets/ListWindow.h"

namespace products::ui {
namespace {

using testsupport::Find;
using testsupport::ThenInModal;
using testsupport::Trigger;

constexpr char kNewFile[] = "I am going to create a new, empty product file for this company.";

class ProductManagerTest : public ::testing::Test {
protected:
    ProductManagerTest() { company_.setDateFormat("M"); }

    // Types a product into the dialog the next command opens and presses Enter.
    void TypeProduct(const QString& code, const QString& description, const QString& price) {
        ThenInModal(dialog_, [&, code, description, price] {
            EXPECT_EQ(dialog_.windowTitle(), "Add Product");
            EXPECT_EQ(Find<QLabel>(dialog_, "SetupPanel").text(), "Setup Date: 03/05/2024");
            QTest::keyClicks(&Edit("PNum"), code);
            QTest::keyClicks(&Edit("PDesc"), description);
            Edit("PSell").selectAll();
            QTest::keyClicks(&Edit("PSell"), price);
            QTest::keyClick(&Edit("PSell"), Qt::Key_Return);
        });
    }

    QLineEdit& Edit(const char* name) { return Find<QLineEdit>(dialog_, name); }
    QString CountText() { return Find<QLabel>(manager_, "CountPanel").text(); }
    QString HintText() { return Find<QLabel>(manager_, "HintPanel").text(); }
    void GoTo(const std::string& code) {
        records::ProductRecord key;
        key.setCode(code);
        manager_.browser().PositionAtKey(key.key(1));
    }

    std::optional<records::ProductRecord> Stored(const std::string& code) {
        ProductFile file(w.engine, "1", w.prompts);
        if (!file.Open()) return std::nullopt;
        const auto found = file.Find(code);
        (void)file.Close();
        if (!found) return std::nullopt;
        return found->second;
    }

    testsupport::TestWindowContext w;
    records::CompanyRecord company_ = testsupport::SampleCompany("1", "Acme Supply Co");
    widgets::TFindBox findBox_{w.engine, w.prompts, w.context.showHelp};
    widgets::TListWindow listWindow_{
        w.prompts, [] { return std::make_shared<testsupport::RecordingCanvas>(); }};
    TUpdProd dialog_{w.prompts, w.context.showHelp};
    TEditProd manager_{{w.engine, w.prompts, w.clock, w.printer, w.statusWindow, findBox_,
                        listWindow_, w.context.showHelp},
                       dialog_};
};

TEST_F(ProductManagerTest, AddTwoFindOneEditItDeleteTheOther) {
    w.prompts.ExpectInform("New Company", kNewFile);
    ThenInModal(manager_, [&] {
        EXPECT_EQ(manager_.windowTitle(), "Product Manager");
        EXPECT_EQ(CountText(), "Products: 0");
        EXPECT_EQ(HintText(), "Right-click mouse or select from menu bar.");
        TypeProduct("b1", "Bolts", "2.50");
        Trigger(manager_, "NewItem");
        TypeProduct("N1", "Nails", "1,000");
        Trigger(manager_, "NewItem");
        EXPECT_EQ(CountText(), "Products: 2");

        // A refused OK keeps the dialog open; Escape then leaves the file as it was.
        ThenInModal(dialog_, [&] {
            QTest::keyClicks(&Edit("PNum"), "n1");
            QTest::keyClicks(&Edit("PDesc"), "Other");
            w.prompts.ExpectWarn("Product Code",
                                 "This Product Code already exists for: Nails. Use a different "
                                 "code.");
            QTest::keyClick(&Edit("PDesc"), Qt::Key_Return);
            EXPECT_TRUE(dialog_.isVisible());
            EXPECT_EQ(Edit("PNum").selectedText(), "n1");
            QTest::keyClick(&dialog_, Qt::Key_Escape);
        });
        Trigger(manager_, "NewItem");
        EXPECT_EQ(CountText(), "Products: 2");

        ThenInModal(findBox_, [&] {
            EXPECT_EQ(findBox_.windowTitle(), "Find Product");
            QTest::keyClicks(&Find<QLineEdit>(findBox_, "FindText"), "b1");
            Find<QPushButton>(findBox_, "FindBtn").click();
            auto& list = Find<QTreeWidget>(findBox_, "ListView1");
            ASSERT_EQ(list.topLevelItemCount(), 1);
            list.setCurrentItem(list.topLevelItem(0));
            findBox_.ListDblClick();
        });
        Trigger(manager_, "FindItem");

        ThenInModal(dialog_, [&] {
            EXPECT_EQ(dialog_.windowTitle(), "Edit Product");
            EXPECT_EQ(Edit("PDesc").text(), "Bolts");
            Edit("PDesc").setFocus();
            QTest::keyClicks(&Edit("PDesc"), ", zinc");
            QTest::keyClick(&Find<QCheckBox>(dialog_, "CheckBox1"), Qt::Key_Space);
            QTest::keyClick(&Edit("PDesc"), Qt::Key_Return);
        });
        Trigger(manager_, "EditItem");

        GoTo("N1");
        w.prompts.ExpectYesNo("Delete Product Code: N1",
                              "Are you sure you want to delete this product?", true);
        QTest::keyClick(&manager_.browser(), Qt::Key_Delete);
        EXPECT_EQ(CountText(), "Products: 1");
        QTest::keyClick(&manager_, Qt::Key_Escape);
    });
    const ProductManagerResult result = manager_.Execute(company_);
    EXPECT_FALSE(result.cannotOpen);
    EXPECT_FALSE(result.selected);

    const auto bolts = Stored("B1");
    ASSERT_TRUE(bolts);
    EXPECT_TRUE(bolts->taxable());
    EXPECT_EQ((std::vector<std::string>{bolts->description(), bolts->price(), bolts->setupDate(),
                                        bolts->lastChangedDate()}),
              (std::vector<std::string>{"Bolts, zinc", "2.50", "03/05/2024", "03/05/2024"}));
    EXPECT_FALSE(Stored("N1"));
}

TEST_F(ProductManagerTest, SelectModeStartsOnTheLinesProductAndEnterPicksIt) {
    testsupport::AddRecords(
        w.engine, records::RecordTypeOf(records::RecordKind::Product).Describe("1"),
        std::vector<records::ProductRecord>{testsupport::SampleProduct("A1", "Anvil", "99.00"),
                                            testsupport::SampleProduct("B1", "Bolts", "2.50"),
                                            testsupport::SampleProduct("C1", "Chain", "12.00")});
    ThenInModal(manager_, [&] {
        EXPECT_EQ(HintText(), "Double-click or press <enter> to select.");
        QTest::keyClick(&manager_.browser(), Qt::Key_Return);
    });
    const ProductManagerResult result = manager_.Execute(company_, ProductPick{"b1", "Anything"});
    ASSERT_TRUE(result.selected);
    EXPECT_EQ(result.selected->code(), "B1");
}

TEST_F(ProductManagerTest, AFileThatCannotBeOpenedEndsTheVisitBeforeItStarts) {
    std::filesystem::create_directory("1P.DAT");
    w.prompts.ExpectMessage("KT Invorra Pro", "Unable to open database", base::PromptAnswer::Ok,
                            base::PromptIcon::Error);
    EXPECT_TRUE(manager_.Execute(company_).cannotOpen);
}

}  // namespace
}  // namespace products::ui
