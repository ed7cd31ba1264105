// The help window: every topic a window asks for has a page, and the search finds pages by words.
#include <QLineEdit>
#include <QSet>
#include <QTextBrowser>

#include "ShellFixture.h"
#include "shell/ui/HelpWindow.h"

namespace shelltest {
namespace {

using shell::ui::HelpWindow;

TEST(HelpWindow, EveryTopicHasAPageOfItsOwnAndSearchKeepsPagesHoldingEveryWord) {
    HelpWindow help;
    const QStringList named =
        QString(
            "EMMode AgingChart CompanyManager CompanyAddress prnenv formlayout GeneralOpts "
            "invoptions SalesMsg SysGraphics Company EditTerms PwordSet HFC CustomerManager "
            "FindData ProductManager NewInvoice InvoiceManager PaymentWizard InterestWizard "
            "ViewStatement GetStatement ReportWizard LabelWizard FormWizard EMNote")
            .split(' ') +
        QStringList{"Frequent Asked Questions"};
    QSet<QString> texts;
    for (const QString& topic : named) {
        help.ShowTopic(topic);
        EXPECT_EQ(help.CurrentTopic(), topic);
        const QString text = help.findChild<QTextBrowser*>("HelpPage")->toPlainText();
        EXPECT_GT(text.size(), 150) << topic.toStdString();
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), named.size());  // no page shared by two topics

    help.ShowTopic("NoSuchTopic");
    EXPECT_EQ(help.CurrentTopic(), "Contents");
    auto* page = help.findChild<QTextBrowser*>("HelpPage");
    emit page->anchorClicked(QUrl("topic:PwordSet"));
    EXPECT_EQ(help.CurrentTopic(), "PwordSet");

    EXPECT_TRUE(help.Search("password").contains("Password protection"));
    const QStringList both = help.Search("PASSWORD  backup");
    EXPECT_FALSE(both.contains("Password protection"));
    EXPECT_TRUE(help.Search("zzzz-not-there").isEmpty());

    // Typing in the search field leaves the matching pages in the list, and shows the first.
    help.findChild<QLineEdit*>("HelpSearch")->setText("calibration ruler");
    EXPECT_EQ(help.CurrentTopic(), "LabelWizard");
    help.close();
}

}  // namespace
}  // namespace shelltest
