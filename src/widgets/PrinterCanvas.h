#pragma once
// base::Canvas painted through QPainter on a QPrinter: the program's shared printer, or a PDF file.
// Coordinates are the printer's device units (DotsPerInch per inch).

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "base/Canvas.h"

namespace widgets {

class PrinterCanvas : public base::Canvas {
public:
    // Prints on `printer` (set up by the print dialog); the printer must outlive the canvas.
    explicit PrinterCanvas(QPrinter& printer);
    // Writes a PDF file with the page layout given.
    PrinterCanvas(const QString& pdfPath, const QPageLayout& layout, int dotsPerInch = 600);
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas&) = delete;
    PrinterCanvas& operator=(const PrinterCanvas&) = delete;

    // From now on every document after the first continues the same print job on a new page,
    // until the canvas goes: the copies of one print run reach a PDF file together instead of
    // each overwriting the one before.
    void JoinDocuments() { joined_ = true; }

    bool BeginDocument(std::string_view title) override;
    void NewPage() override;
    void EndDocument() override;

    int PageWidth() const override;
    int PageHeight() const override;
    int DotsPerInch() const override;

    void SetFont(const base::FontChoice& font) override;
    void SetPen(uint32_t color, int width) override;
    void SetBrush(uint32_t color, base::BrushStyle style) override;

    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom) override;
    bool DrawImage(int left, int top, int right, int bottom, const std::string& path) override;
    std::optional<ImageExtent> ImageSize(const std::string& path) override;

    // 0x00BBGGRR, the colour form of FontChoice and of the company record.
    static QColor ToQColor(uint32_t color);
    // The font a record or form names, on screen and on paper (fontconfig maps the common
    // Windows faces, "Arial" or "Courier New", to metric twins).
    static QFont ToQFont(const base::FontChoice& font);
    // The same for text laid out in columns (lists, browsers): where the named face is not
    // installed, the stand-in is fixed-pitch, so the columns still line up.
    static QFont ToColumnFont(const base::FontChoice& font);

private:
    QFontMetrics Metrics() const;
    QBrush MakeBrush() const;

    std::unique_ptr<QPrinter> ownedPrinter_;
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    QColor fontColor_ = Qt::black;
    QPen pen_;
    QColor brushColor_ = Qt::white;
    base::BrushStyle brushStyle_ = base::BrushStyle::Solid;
    bool joined_ = false;
};

}  // namespace widgets
