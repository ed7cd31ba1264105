// The help window: every topic a window asks for has a page, and the search finds pages by words.
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QTextBrowser>

#include "ShellFixture.h"
#include "shell/ui/HelpWindow.h"

namespace shelltest {
namespace {

using shell::ui::HelpWindow;

TEST(HelpWindow, EveryTopicTheWindowsNameHasAPageOfItsOwn) {
    HelpWindow help;
    const QStringList named = {"Frequent Asked Questions",
                               "EMMode",
                               "AgingChart",
                               "CompanyManager",
                               "CompanyAddress",
                               "prnenv",
                               "formlayout",
                               "GeneralOpts",
                               "invoptions",
                               "SalesMsg",
                               "SysGraphics",
                               "Company",
                               "EditTerms",
                               "PwordSet",
                               "HFC",
                               "CustomerManager",
                               "FindData",
                               "ProductManager",
                               "NewInvoice",
                               "InvoiceManager",
                               "PaymentWizard",
                               "InterestWizard",
                               "ViewStatement",
                               "GetStatement",
                               "ReportWizard",
                               "LabelWizard",
                               "FormWizard",
                               "EMNote"};
    QSet<QString> texts;
    for (const QString& topic : named) {
        help.ShowTopic(topic);
        EXPECT_EQ(help.CurrentTopic(), topic);
        const QString text = help.findChild<QTextBrowser*>("HelpPage")->toPlainText();
        EXPECT_GT(text.size(), 150) << topic.toStdString();
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), named.size());  // no page shared by two topics
    help.close();
}

TEST(HelpWindow, UnknownTopicsShowTheContentsAndLinksFollow) {
    HelpWindow help;
    help.ShowTopic("NoSuchTopic");
    EXPECT_EQ(help.CurrentTopic(), "Contents");
    auto* page = help.findChild<QTextBrowser*>("HelpPage");
    emit page->anchorClicked(QUrl("topic:PwordSet"));
    EXPECT_EQ(help.CurrentTopic(), "PwordSet");
    help.close();
}

TEST(HelpWindow, SearchKeepsThePagesHoldingEveryWord) {
    HelpWindow help;
    EXPECT_TRUE(help.Search("password").contains("Password protection"));
    const QStringList both = help.Search("PASSWORD  backup");
    EXPECT_FALSE(both.contains("Password protection"));
    EXPECT_TRUE(help.Search("zzzz-not-there").isEmpty());

    help.ShowTopic("Contents");
    help.findChild<QLineEdit*>("HelpSearch")->setText("calibration ruler");
    auto* contents = help.findChild<QListWidget*>("HelpContents");
    int shown = 0;
    for (int row = 0; row < contents->count(); ++row) shown += !contents->item(row)->isHidden();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(help.CurrentTopic(), "LabelWizard");  // the page follows the list
    help.close();
}

}  // namespace
}  // namespace shelltest
