#pragma once
// The help window: the program's help pages (compiled in), a contents list, a search field over
// the pages' text, and the page itself. Windows open it on a named topic.

#include <QDialog>
#include <QString>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace shell::ui {

struct HelpTopic {
    QString name;   // the name windows ask for, e.g. "CompanyManager"
    QString title;  // shown in the contents list
    QString file;   // resource path of the HTML page
};

// Every topic, in the order of the contents list ("Contents" first).
const std::vector<HelpTopic>& HelpTopics();

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window on a topic (unknown names show the contents page); in front of any open
    // modal window, so the help of a dialog can be read while the dialog waits.
    void ShowTopic(const QString& name);
    QString CurrentTopic() const;

    // The titles of the topics whose text holds every word of `words` (case ignored).
    QStringList Search(const QString& words) const;

private:
    void FilterContents(const QString& words);
    void ContentsRowChanged(int row);
    void LinkClicked(const QUrl& url);
    int IndexOf(const QString& name) const;

    QLineEdit* search_;
    QListWidget* contents_;
    QTextBrowser* page_;
    std::vector<QString> plainTexts_;  // per topic, for the search
};

}  // namespace shell::ui
