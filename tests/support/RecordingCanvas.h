#pragma once
// A canvas that records documents, pages and every text with its position and font. Metrics are
// fixed-pitch (a character 0.6 of the point size wide, a line 1.2 high): positions are predictable.

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

struct CanvasLine {
    int page = 0;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int penWidth = 0;
};

class RecordingCanvas : public base::Canvas {
public:
    const std::vector<std::string>& documents() const { return documents_; }  // titles
    int pages() const { return page_; }
    bool ended() const { return ended_; }
    const std::vector<CanvasText>& texts() const { return texts_; }
    const std::vector<CanvasLine>& lines() const { return lines_; }
    std::vector<std::string> TextsOnPage(int page) const {
        std::vector<std::string> out;
        for (const CanvasText& t : texts_)
            if (t.page == page) out.push_back(t.text);
        return out;
    }

    bool BeginDocument(std::string_view title) override {
        documents_.emplace_back(title);
        page_ = 1;
        ended_ = false;
        return true;
    }
    void NewPage() override { ++page_; }
    void EndDocument() override { ended_ = true; }
    int PageWidth() const override { return 5100; }
    int PageHeight() const override { return 6600; }
    int DotsPerInch() const override { return 600; }
    void SetFont(const base::FontChoice& font) override { font_ = font; }
    void SetPen(uint32_t, int width) override { penWidth_ = width; }
    void SetBrush(uint32_t, base::BrushStyle) override {}
    void TextOut(int x, int y, std::string_view text) override {
        texts_.push_back(CanvasText{page_, x, y, std::string(text), font_});
    }
    int TextWidth(std::string_view text) override {
        int characters = 0;  // UTF-8: every byte that does not continue a character
        for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return characters * font_.pointSize * DotsPerInch() * 6 / 720;
    }
    int TextHeight(std::string_view) override { return font_.pointSize * DotsPerInch() * 12 / 720; }
    void Line(int x1, int y1, int x2, int y2) override {
        lines_.push_back(CanvasLine{page_, x1, y1, x2, y2, penWidth_});
    }
    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int) override {}
    bool DrawImage(int, int, int, int, const std::string&) override { return true; }
    std::optional<ImageExtent> ImageSize(const std::string&) override { return std::nullopt; }

private:
    bool ended_ = false;
    int page_ = 0;
    base::FontChoice font_;
    int penWidth_ = 1;
    std::vector<std::string> documents_;
    std::vector<CanvasLine> lines_;
    std::vector<CanvasText> texts_;
};

}  // namespace testsupport
