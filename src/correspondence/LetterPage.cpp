#include "correspondence/LetterPage.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace correspondence {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr char kBullet[] = "\u2022";
constexpr int kTabSpaces = 4;

// A word with the blanks after it, or a forced line break, in one font.
struct Piece {
    std::string text;
    const base::FontChoice* font;
    int width = 0;     // with the blanks after it
    int inkWidth = 0;  // without them: what counts at the end of a line
    bool lineBreak = false;
};

struct Line {
    std::vector<Piece> pieces;
    int width = 0;
    int height = 0;
};

class Layout {
public:
    explicit Layout(base::Canvas& canvas)
        : canvas_(canvas),
          dpi_(canvas.DotsPerInch()),
          margin_(dpi_ / 2),
          bottom_(canvas.PageHeight() - margin_),
          y_(margin_) {}

    void Paragraph(const base::Paragraph& paragraph) {
        const int left = margin_ + Dots(paragraph.leftIndent);
        const int right = canvas_.PageWidth() - margin_ - Dots(paragraph.rightIndent);
        int firstLeft = std::max(margin_, left + Dots(paragraph.firstIndent));
        const std::vector<Piece> pieces = Pieces(paragraph);
        if (paragraph.bullet && !paragraph.runs.empty()) {
            const base::FontChoice& font = paragraph.runs.front().font;
            Use(font);
            const int bulletWidth = canvas_.TextWidth(std::string(kBullet) + " ");
            bullet_ = {firstLeft, &font};
            // The text hangs at the left indent when the first line starts before it.
            firstLeft = std::max(firstLeft + bulletWidth, left);
        }
        const base::FontChoice& paragraphFont =
            paragraph.runs.empty() ? fallback_ : paragraph.runs.back().font;
        Line line;
        bool first = true;
        const auto flush = [&] {
            const int lineLeft = first ? firstLeft : left;
            if (line.height == 0) line.height = Height(paragraphFont);
            Emit(line, lineLeft, std::max(0, right - lineLeft), paragraph.alignment);
            line = Line{};
            first = false;
        };
        for (const Piece& piece : pieces) {
            if (piece.lineBreak) {
                flush();
                continue;
            }
            const int available = right - (first ? firstLeft : left);
            if (!line.pieces.empty() && line.width + piece.inkWidth > available) flush();
            line.pieces.push_back(piece);
            line.width += piece.width;
            line.height = std::max(line.height, Height(*piece.font));
        }
        flush();
    }

private:
    int Dots(int twips) const { return twips * dpi_ / kTwipsPerInch; }

    // Setting a font is not free on a printer: a letter sets the same few fonts over and over.
    void Use(const base::FontChoice& font) {
        if (current_ && *current_ == font) return;
        canvas_.SetFont(font);
        current_ = font;
    }

    int Height(const base::FontChoice& font) {
        Use(font);
        return canvas_.TextHeight("Xg");
    }

    std::vector<Piece> Pieces(const base::Paragraph& paragraph) {
        std::vector<Piece> pieces;
        for (const base::TextRun& run : paragraph.runs) {
            Use(run.font);
            size_t i = 0;
            const std::string& text = run.text;
            while (i < text.size()) {
                if (text[i] == '\n') {
                    pieces.push_back({"", &run.font, 0, 0, true});
                    ++i;
                    continue;
                }
                size_t end = i;
                while (end < text.size() && text[end] != ' ' && text[end] != '\t' &&
                       text[end] != '\n')
                    ++end;
                std::string word = text.substr(i, end - i);
                size_t blanks = end;
                std::string spaces;
                while (blanks < text.size() && (text[blanks] == ' ' || text[blanks] == '\t')) {
                    spaces.append(text[blanks] == '\t' ? kTabSpaces : 1, ' ');
                    ++blanks;
                }
                const int ink = canvas_.TextWidth(word);
                pieces.push_back(
                    {word + spaces, &run.font, canvas_.TextWidth(word + spaces), ink, false});
                i = blanks;
            }
        }
        return pieces;
    }

    void Emit(const Line& line, int left, int available, base::ParagraphAlignment alignment) {
        if (y_ + line.height > bottom_ && y_ > margin_) {
            canvas_.NewPage();
            y_ = margin_;
        }
        if (bullet_.font) {
            Use(*bullet_.font);
            canvas_.TextOut(bullet_.x, y_, kBullet);
            bullet_ = {};
        }
        const int ink = line.pieces.empty()
                            ? 0
                            : line.width - line.pieces.back().width + line.pieces.back().inkWidth;
        int x = left;
        if (alignment == base::ParagraphAlignment::Right) x += std::max(0, available - ink);
        if (alignment == base::ParagraphAlignment::Center) x += std::max(0, (available - ink) / 2);
        // Neighbouring pieces in one font are drawn as one text.
        for (size_t i = 0; i < line.pieces.size();) {
            const base::FontChoice& font = *line.pieces[i].font;
            std::string text;
            int width = 0;
            for (; i < line.pieces.size() && *line.pieces[i].font == font; ++i) {
                text += line.pieces[i].text;
                width += line.pieces[i].width;
            }
            while (!text.empty() && text.back() == ' ') text.pop_back();
            Use(font);
            if (!text.empty()) canvas_.TextOut(x, y_, text);
            x += width;
        }
        y_ += line.height;
    }

    struct PendingBullet {
        int x = 0;
        const base::FontChoice* font = nullptr;
    };

    base::Canvas& canvas_;
    int dpi_;
    int margin_;
    int bottom_;
    int y_;
    PendingBullet bullet_;
    base::FontChoice fallback_;
    std::optional<base::FontChoice> current_;
};

}  // namespace

void DrawLetter(base::Canvas& canvas, const base::RichDocument& letter) {
    Layout layout(canvas);
    for (const base::Paragraph& paragraph : letter.paragraphs()) layout.Paragraph(paragraph);
}

}  // namespace correspondence
