#pragma once
// TListComps: the Company Manager. It lists the companies of the company file by number or by
// name, adds, edits and deletes them through the Company Options dialog, prints a company list,
// and closes with OK when the user picks the company to work with ("&Set As Default").

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "company/CompanyFile.h"
#include "company/CompanyList.h"
#include "records/CompanyRecord.h"
#include "shell/ui/WindowContext.h"

class QAction;
class QLabel;
class QMenu;
class QVBoxLayout;

namespace widgets {
class TFindBox;
class TFvcBrowser;
class TListWindow;
}  // namespace widgets

namespace shell::ui {

class TCompSet;

class TListComps : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Ok, Closed, CannotOpen };

    // `checkPassword` asks for the program password when one is set; true lets a command go on.
    TListComps(widgets::WindowContext& context, TCompSet& companyOptions,
               widgets::TFindBox& findBox, widgets::TListWindow& listWindow,
               std::function<bool()> checkPassword, QWidget* parent = nullptr);
    ~TListComps() override;

    // Shows the manager modally. Ok: the selected company record holds the company the user
    // chose, or the company-changed flag is set. CannotOpen: the company file could not be opened
    // ("Unable to open company database" was shown); the program must end.
    Outcome Execute();

    widgets::TFvcBrowser& browser() { return *browser_; }

    // The commands of the menus, popup menu, toolbar and keys.
    void AddCompanyClick();
    void EditCompanyClick();
    void DeleteCompanyClick();
    void SetAsDefaultClick();
    void FindClick();
    void CompanyListClick();
    void ByNumberClick();
    void ByNameClick();
    void PrintWindowClick();

private:
    void BuildCommands(QVBoxLayout& layout);
    bool FormShow();
    void FormClose();
    void FvcBrowser1KeyDown(int& key);
    void FvcBrowser1KeyPress(QChar& ch);
    void SetKeyNumber(int keyNumber);
    bool ReadCurrentRow(int32_t& recordNumber);
    void PositionOn(int32_t recordNumber);
    void ShowCount();
    void ReportFailure(const char* text);
    std::vector<company::CompanyListEntry> ReadCompaniesInOrder(int keyNumber);

    widgets::WindowContext& context_;
    TCompSet& companyOptions_;
    widgets::TFindBox& findBox_;
    widgets::TListWindow& listWindow_;
    std::function<bool()> checkPassword_;
    std::unique_ptr<company::CompanyFile> companyFile_;
    records::CompanyRecord rowRecord_;  // the browser reads each row's record here
    int keyNumber_ = 2;                 // by name when the program starts
    widgets::TFvcBrowser* browser_;
    QLabel* title_;
    QLabel* countPanel_;
    QMenu* popup_;
    QAction* byNumber_;
    QAction* byName_;
};

}  // namespace shell::ui
