#pragma once
// "Print &Window" of the manager windows: a picture of the window across the page's width.

#include <QString>

#include "base/PromptService.h"

class QPrinter;
class QWidget;

namespace widgets {

// Asks the print dialog under `title` first; nothing is printed when it is cancelled.
void PrintWindowPicture(QWidget& window, QPrinter& printer, base::PromptService& prompts,
                        const char* title);

}  // namespace widgets
