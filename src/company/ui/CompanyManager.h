#pragma once
// TListComps: the Company Manager. It lists the companies of the company file by number or by
// name, adds, edits and deletes them through the Company Options dialog, prints a company list,
// and closes with OK when the user picks the company to work with ("&Set As Default"). The
// commands are company::CompanyManagerFlow's; the window shows their outcome.

#include <QDialog>
#include <functional>

#include "company/CompanyFile.h"
#include "company/CompanyManagerFlow.h"
#include "company/ProgramState.h"
#include "records/CompanyRecord.h"
#include "widgets/ManagerFrame.h"

class QAction;
class QPrinter;

namespace engine {
class Engine;
}

namespace widgets {
class TFindBox;
class TFvcBrowser;
class TListWindow;
class TStatForm;
}  // namespace widgets

namespace company::ui {

class TCompSet;

// What the Company Manager is handed by whoever makes it, once for the run.
struct CompanyManagerServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    const base::Clock& clock;
    company::ProgramState& state;
    QPrinter& printer;
    widgets::TStatForm& statusWindow;
    std::function<void(const QString& topic)> showHelp;
};

class TListComps : public QDialog {
    Q_OBJECT
public:
    // `checkPassword` asks for the program password when one is set; true lets a command go on.
    TListComps(CompanyManagerServices services, TCompSet& companyOptions,
               widgets::TFindBox& findBox, widgets::TListWindow& listWindow,
               std::function<bool()> checkPassword, QWidget* parent = nullptr);
    ~TListComps() override;

    // Shows the manager modally. Chosen: the selected company record holds the company the user
    // picked. CannotOpen: the company file could not be opened ("Unable to open company database"
    // was shown); the program must end.
    company::CompanyManagerResult Execute();

    widgets::TFvcBrowser& browser() { return frame_.browser(); }

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
    void BuildCommands();
    void FormShow();
    void FvcBrowser1KeyPress(QChar& ch);
    void SetOrder(company::ManagerOrder order);
    void ShowUpdate(const company::ManagerUpdate& update);
    void PositionOn(const std::optional<company::ManagerRow>& row);

    CompanyManagerServices services_;
    widgets::TFindBox& findBox_;
    widgets::TListWindow& listWindow_;
    company::CompanyFile companyFile_;
    company::CompanyManagerFlow flow_;
    company::CompanyEditor editor_;     // the Company Options dialog
    records::CompanyRecord rowRecord_;  // the browser reads each row's record here
    widgets::ManagerFrame frame_;
    widgets::TFvcBrowser* browser_;
    QAction* byNumber_;
    QAction* byName_;
};

}  // namespace company::ui
