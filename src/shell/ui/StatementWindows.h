#pragma once
// The statement windows (Customer Statement, Statement Selection, Batch Print Statements) made
// once for the run and hooked to the Customer Manager's statement commands. Statements are
// e-mailed over the program's one mail connection, the invoice windows'.

#include <memory>

namespace statements::ui {
class StatementCommands;
}

namespace shell::ui {

class TMainForm;
class CustomerWindows;
class InvoiceWindows;

class StatementWindows {
public:
    // The windows become children of the main window, which must outlive this object, as must
    // the customer and invoice windows.
    StatementWindows(TMainForm& mainForm, CustomerWindows& customerWindows,
                     InvoiceWindows& invoiceWindows);
    ~StatementWindows();

private:
    std::unique_ptr<statements::ui::StatementCommands> commands_;
};

}  // namespace shell::ui
