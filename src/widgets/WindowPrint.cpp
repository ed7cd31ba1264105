#include "widgets/WindowPrint.h"

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>

#include "widgets/PrinterCanvas.h"

namespace widgets {

void PrintWindowPicture(QWidget& window, QPrinter& printer, base::PromptService& prompts,
                        const char* title) {
    if (!prompts.PrintDialog(title)) return;
    QTemporaryDir folder;
    const QString picture = folder.filePath("window.png");
    if (!window.grab().toImage().save(picture)) return;
    PrinterCanvas canvas(printer);
    if (!canvas.BeginDocument(title)) return;
    // Across the page's width, keeping the window's proportions.
    const int width = canvas.PageWidth();
    const int height = width * window.height() / std::max(1, window.width());
    canvas.DrawImage(0, 0, width, height, picture.toStdString());
    canvas.EndDocument();
}

}  // namespace widgets
