#pragma once
// TFindBox: the find dialog of the managers. It searches one file for a text in several fields at
// once, lists every matching record once, and lets the user pick one; the caller then reads the
// picked item's columns (customers and companies: the number in column 1).

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

    // Searches the open block `fb`, a file of record type `kind`: sets the caption ("Find
    // Customer") and the columns of the type, and shows the dialog modally.
    void Prepare(records::RecordKind kind, const QString& caption, engine::FileBlockHandle fb);
    int Find(records::RecordKind kind, const QString& caption, engine::FileBlockHandle fb);

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
    const records::RecordType* type_ = &records::RecordTypeOf(records::RecordKind::Customer);
    engine::FileBlockHandle fb_ = nullptr;
    QLineEdit* text_;
    QPushButton* findButton_;
    QTreeWidget* list_;
    QLabel* status_;
};

}  // namespace widgets
