// Every topic a window asks for has a page of its own, and the search finds pages by words.
#include <QSet>
#include <QTextBrowser>

#include "ShellFixture.h"
#include "shell/ui/HelpWindow.h"

namespace shelltest {
namespace {

TEST(HelpWindow, EveryTopicHasAPageOfItsOwnAndSearchKeepsPagesHoldingEveryWord) {
    shell::ui::HelpWindow help;
    const QStringList named =
        QString(
            "EMMode AgingChart CompanyManager CompanyAddress prnenv formlayout GeneralOpts "
            "invoptions SalesMsg SysGraphics Company EditTerms PwordSet HFC CustomerManager "
            "FindData ProductManager NewInvoice InvoiceManager PaymentWizard InterestWizard "
            "ViewStatement GetStatement ReportWizard LabelWizard FormWizard EMNote")
            .split(' ');
    QSet<QString> texts;
    for (const QString& topic : named) {
        help.ShowTopic(topic);
        EXPECT_EQ(help.CurrentTopic(), topic);
        texts.insert(help.findChild<QTextBrowser*>("HelpPage")->toPlainText());
    }
    EXPECT_EQ(texts.size(), named.size());  // no page shared by two topics
    help.ShowTopic("NoSuchTopic");
    EXPECT_EQ(help.CurrentTopic(), "Contents");
    EXPECT_TRUE(help.Search("password").contains("Password protection"));
    EXPECT_FALSE(help.Search("PASSWORD  backup").contains("Password protection"));
}

}  // namespace
}  // namespace shelltest
