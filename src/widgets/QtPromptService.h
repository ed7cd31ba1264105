#pragma once
// The program's PromptService: real Qt dialogs (message boxes, file, font, colour and print
// dialogs, the date picker), each in front of the window that is active when it is asked for.

#include <QPrinter>
#include <memory>

#include "base/PromptService.h"

namespace widgets {

class TCalForm;

class QtPromptService : public base::PromptService {
public:
    // `printer` is the program's shared printer that the print and set-up dialogs configure.
    explicit QtPromptService(QPrinter& printer);
    ~QtPromptService() override;

    base::PromptAnswer Message(std::string_view caption, std::string_view text,
                               base::PromptIcon icon, base::PromptButtons buttons) override;
    base::PromptAnswer MessageWithDefault(std::string_view caption, std::string_view text,
                                          base::PromptIcon icon, base::PromptButtons buttons,
                                          base::PromptAnswer defaultButton) override;
    std::optional<std::string> OpenFileName(std::string_view caption, std::string_view directory,
                                            std::string_view filter) override;
    std::optional<std::string> SaveFileName(std::string_view caption, std::string_view proposedName,
                                            std::string_view filter) override;
    std::optional<base::FontChoice> ChooseFont(const base::FontChoice& initial,
                                               bool fixedPitchOnly) override;
    std::optional<uint32_t> ChooseColor(uint32_t initial) override;
    std::optional<base::Date> PickDate(std::string_view caption, base::Date initial) override;
    bool PrintDialog(std::string_view title) override;
    bool PrinterSetup() override;

    QPrinter& printer() { return printer_; }
    // The date picker shared by every window (the main window's "View Calendar" too).
    TCalForm& datePicker();

private:
    base::PromptAnswer ShowMessageBox(std::string_view caption, std::string_view text,
                                      base::PromptIcon icon, base::PromptButtons buttons,
                                      std::optional<base::PromptAnswer> defaultButton);
    QPrinter& printer_;
    std::unique_ptr<TCalForm> datePicker_;  // made when first needed
};

}  // namespace widgets
