#pragma once
// A base::Canvas that records what is drawn, for exact checks of printed output: documents, pages
// and every text with its position and font. Text metrics are those of a fixed-pitch font (a
// character is 0.6 of the point size wide, a line 1.2 of it high), so positions are predictable.

#include <string>
#include <vector>

#include "base/Canvas.h"

namespace testsupport {

struct CanvasText {
    int page = 0;  // 1-based
    int x = 0;
    int y = 0;
    std::string text;
    base::FontChoice font;
};

// Pages are letter size at 600 dots per inch.
class RecordingCanvas : public base::Canvas {
public:
    const std::vector<std::string>& documents() const { return documents_; }  // titles
    int pages() const { return page_; }
    bool ended() const { return ended_; }
    const std::vector<CanvasText>& texts() const { return texts_; }
    std::vector<std::string> TextsOnPage(int page) const;

    bool BeginDocument(std::string_view title) override;
    void NewPage() override { ++page_; }
    void EndDocument() override { ended_ = true; }
    int PageWidth() const override { return 5100; }
    int PageHeight() const override { return 6600; }
    int DotsPerInch() const override { return 600; }
    void SetFont(const base::FontChoice& font) override { font_ = font; }
    void SetPen(uint32_t, int) override {}
    void SetBrush(uint32_t, base::BrushStyle) override {}
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void Line(int, int, int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int) override {}
    bool DrawImage(int, int, int, int, const std::string&) override { return true; }

private:
    bool ended_ = false;
    int page_ = 0;
    base::FontChoice font_;
    std::vector<std::string> documents_;
    std::vector<CanvasText> texts_;
};

}  // namespace testsupport
