#pragma once
// Printed forms (invoices, statements, labels, envelopes, reports, letters) draw on a Canvas.
// The program paints through QPainter on a QPrinter (a printer or a PDF file); tests record the
// calls. Coordinates are device units of the page (PageWidth x PageHeight). Texts are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/PromptService.h"

namespace base {

enum class BrushStyle {
    Clear,
    Solid,
    Horizontal,
    Vertical,
    FDiagonal,
    BDiagonal,
    Cross,
    DiagCross
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual bool BeginDocument(std::string_view title) = 0;  // false when no page can be started
    virtual void NewPage() = 0;
    virtual void EndDocument() = 0;

    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int DotsPerInch() const = 0;

    virtual void SetFont(const FontChoice& font) = 0;
    virtual void SetPen(uint32_t color, int width) = 0;
    virtual void SetBrush(uint32_t color, BrushStyle style) = 0;

    // Text with its top-left corner at (x, y), in the current font.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;

    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Outlined with the pen and filled with the brush.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    // An image file stretched into the rectangle; false when it cannot be loaded.
    virtual bool DrawImage(int left, int top, int right, int bottom, const std::string& path) = 0;
    // The width and height of an image file in pixels; nothing when it cannot be loaded.
    struct ImageExtent {
        int width = 0;
        int height = 0;
    };
    virtual std::optional<ImageExtent> ImageSize(const std::string& path) = 0;
};

}  // namespace base
