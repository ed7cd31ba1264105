#include "widgets/PrinterCanvas.h"

#include <QImage>
#include <QImageReader>

namespace widgets {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::BrushStyle ToQtStyle(base::BrushStyle style) {
    switch (style) {
        case base::BrushStyle::Clear:
            return Qt::NoBrush;
        case base::BrushStyle::Solid:
            return Qt::SolidPattern;
        case base::BrushStyle::Horizontal:
            return Qt::HorPattern;
        case base::BrushStyle::Vertical:
            return Qt::VerPattern;
        case base::BrushStyle::FDiagonal:
            return Qt::FDiagPattern;
        case base::BrushStyle::BDiagonal:
            return Qt::BDiagPattern;
        case base::BrushStyle::Cross:
            return Qt::CrossPattern;
        case base::BrushStyle::DiagCross:
            return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
}

}  // namespace

PrinterCanvas::PrinterCanvas(QPrinter& printer) : printer_(printer) {
    pen_.setColor(Qt::black);
    pen_.setWidth(1);
}

PrinterCanvas::PrinterCanvas(const QString& pdfPath, const QPageLayout& layout, int dotsPerInch)
    : ownedPrinter_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      printer_(*ownedPrinter_) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfPath);
    printer_.setResolution(dotsPerInch);
    printer_.setPageLayout(layout);
    pen_.setColor(Qt::black);
    pen_.setWidth(1);
}

PrinterCanvas::~PrinterCanvas() {
    if (painter_.isActive()) painter_.end();
}

bool PrinterCanvas::BeginDocument(std::string_view title) {
    if (joined_ && painter_.isActive()) {
        printer_.newPage();
    } else {
        printer_.setDocName(FromUtf8(title));
        if (!painter_.begin(&printer_)) return false;
    }
    painter_.setFont(font_);
    painter_.setPen(pen_);
    painter_.setBrush(MakeBrush());
    return true;
}

void PrinterCanvas::NewPage() {
    if (painter_.isActive()) printer_.newPage();
}

void PrinterCanvas::EndDocument() {
    if (!joined_ && painter_.isActive()) painter_.end();
}

int PrinterCanvas::PageWidth() const {
    return printer_.width();
}

int PrinterCanvas::PageHeight() const {
    return printer_.height();
}

int PrinterCanvas::DotsPerInch() const {
    return printer_.resolution();
}

QColor PrinterCanvas::ToQColor(uint32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QFont PrinterCanvas::ToQFont(const base::FontChoice& font) {
    QFont result(QString::fromStdString(font.family));
    result.setPointSize(font.pointSize > 0 ? font.pointSize : 10);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

QFont PrinterCanvas::ToColumnFont(const base::FontChoice& font) {
    QFont result = ToQFont(font);
    result.setStyleHint(QFont::TypeWriter);
    result.setFixedPitch(true);
    return result;
}

void PrinterCanvas::SetFont(const base::FontChoice& font) {
    font_ = ToQFont(font);
    fontColor_ = ToQColor(font.color);
    if (painter_.isActive()) painter_.setFont(font_);
}

void PrinterCanvas::SetPen(uint32_t color, int width) {
    pen_ = QPen(ToQColor(color));
    pen_.setWidth(std::max(width, 1));
    if (painter_.isActive()) painter_.setPen(pen_);
}

void PrinterCanvas::SetBrush(uint32_t color, base::BrushStyle style) {
    brushColor_ = ToQColor(color);
    brushStyle_ = style;
    if (painter_.isActive()) painter_.setBrush(MakeBrush());
}

// Qt draws hatch patterns in device pixels; on a 600 dpi page they would merge into grey, so the
// pattern is scaled to the spacing it has on the screen.
QBrush PrinterCanvas::MakeBrush() const {
    QBrush brush(brushColor_, ToQtStyle(brushStyle_));
    const qreal scale = printer_.resolution() / 96.0;
    if (scale > 1.0) brush.setTransform(QTransform::fromScale(scale, scale));
    return brush;
}

// Text never paints a background, so it never hides lines or shading drawn before it.
void PrinterCanvas::TextOut(int x, int y, std::string_view text) {
    if (!painter_.isActive()) return;
    painter_.save();
    painter_.setPen(fontColor_);
    painter_.drawText(QPoint(x, y + Metrics().ascent()), FromUtf8(text));
    painter_.restore();
}

QFontMetrics PrinterCanvas::Metrics() const {
    if (painter_.isActive()) return painter_.fontMetrics();
    return QFontMetrics(font_, &printer_);
}

int PrinterCanvas::TextWidth(std::string_view text) {
    return Metrics().horizontalAdvance(FromUtf8(text));
}

// The line height of the font, whatever the text: lines of one font stack evenly.
int PrinterCanvas::TextHeight(std::string_view) {
    return Metrics().height();
}

void PrinterCanvas::Line(int x1, int y1, int x2, int y2) {
    if (painter_.isActive()) painter_.drawLine(x1, y1, x2, y2);
}

void PrinterCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (painter_.isActive()) painter_.drawRect(FromEdges(left, top, right, bottom));
}

void PrinterCanvas::FillRect(int left, int top, int right, int bottom) {
    if (painter_.isActive()) painter_.fillRect(FromEdges(left, top, right, bottom), MakeBrush());
}

bool PrinterCanvas::DrawImage(int left, int top, int right, int bottom, const std::string& path) {
    const QImage image(QString::fromStdString(path));
    if (image.isNull() || !painter_.isActive()) return false;
    painter_.drawImage(FromEdges(left, top, right, bottom), image);
    return true;
}

std::optional<base::Canvas::ImageExtent> PrinterCanvas::ImageSize(const std::string& path) {
    // Most formats tell their size without decoding the image; the rest are loaded.
    QSize size = QImageReader(QString::fromStdString(path)).size();
    if (!size.isValid()) size = QImage(QString::fromStdString(path)).size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    return ImageExtent{size.width(), size.height()};
}

}  // namespace widgets
