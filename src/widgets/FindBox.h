#pragma once
// TFindBox: the find dialog of the managers. It searches one file for a text in several fields at
// once, lists every matching record once, and lets the user pick one; the caller then reads the
// picked item's columns (the customer and company modes: the number in column 1).

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "base/PromptService.h"
#include "engine/Engine.h"
#include "widgets/FindSearch.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace widgets {

class TFindBox : public QDialog {
    Q_OBJECT
public:
    TFindBox(engine::Engine& engine, base::PromptService& prompts,
             std::function<void(const QString& topic)> showHelp, QWidget* parent = nullptr);
    ~TFindBox() override;

    // Searches the open block `fb` of the mode's file: sets the caption ("Find Customer") and the
    // mode, and shows the dialog modally.
    void Prepare(FindMode mode, const QString& caption, engine::FileBlockHandle fb);
    int Find(FindMode mode, const QString& caption, engine::FileBlockHandle fb);

    // A column (UTF-8) of the item selected when the dialog closed; nothing without one.
    std::optional<std::string> SelectedColumn(int column) const;
    QString status() const;

    // Handlers.
    void FormShow();
    void FindBtnClick();
    void ListDblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateFindButton();

    engine::Engine& engine_;
    base::PromptService& prompts_;
    std::function<void(const QString&)> showHelp_;
    FindMode mode_ = FindMode::Cust;
    engine::FileBlockHandle fb_ = nullptr;
    QLineEdit* text_;
    QPushButton* findButton_;
    QTreeWidget* list_;
    QLabel* status_;
};

}  // namespace widgets
