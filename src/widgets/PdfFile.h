#pragma once
// Printed forms written to a PDF file by programs without windows (the command-line tool). The
// caller needs no Qt: the application object that fonts require is made here when the program has
// none, on the offscreen platform unless QT_QPA_PLATFORM names another, with a private runtime
// directory when the environment names none.

#include <functional>
#include <memory>
#include <string>

#include "base/Canvas.h"

namespace widgets {

// Letter pages at 600 dots per inch with margins of `marginInches` (the canvas's origin is the
// margins' corner); every document `draw` begins continues the file on a new page. False when
// the file cannot be written or `draw` answers false.
bool WritePdf(const std::string& path, const std::function<bool(base::Canvas&)>& draw,
              double marginInches = 0.5);

// Keeps the application object that fonts need for as long as it lives (when the program has
// none), so a run that writes many PDF files starts it once instead of once per file.
class PdfWriterSession {
public:
    PdfWriterSession();
    ~PdfWriterSession();
    PdfWriterSession(const PdfWriterSession&) = delete;
    PdfWriterSession& operator=(const PdfWriterSession&) = delete;

private:
    struct Held;
    std::unique_ptr<Held> held_;
};

}  // namespace widgets
