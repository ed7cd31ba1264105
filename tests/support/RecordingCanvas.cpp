#include "support/RecordingCanvas.h"

namespace testsupport {

std::vector<std::string> RecordingCanvas::TextsOnPage(int page) const {
    std::vector<std::string> out;
    for (const CanvasText& t : texts_)
        if (t.page == page) out.push_back(t.text);
    return out;
}

bool RecordingCanvas::BeginDocument(std::string_view title) {
    documents_.emplace_back(title);
    page_ = 1;
    ended_ = false;
    return true;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    texts_.push_back(CanvasText{page_, x, y, std::string(text), font_});
}

int RecordingCanvas::TextWidth(std::string_view text) {
    int characters = 0;  // UTF-8: every byte that does not continue a character
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters * font_.pointSize * DotsPerInch() * 6 / 720;
}

int RecordingCanvas::TextHeight(std::string_view) {
    return font_.pointSize * DotsPerInch() * 12 / 720;
}

}  // namespace testsupport
