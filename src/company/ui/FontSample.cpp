#include "company/ui/FontSample.h"

#include <QLabel>
#include <QPalette>

#include "widgets/PrinterCanvas.h"

namespace company::ui {

void ShowFontSample(QLabel& label, const records::FontSpec& font) {
    label.setFont(widgets::PrinterCanvas::ToQFont(font.ToChoice()));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, widgets::PrinterCanvas::ToQColor(font.color));
    label.setPalette(palette);
}

}  // namespace company::ui
