#pragma once
// Rich text documents and their RTF form. A document is a list of paragraphs, each a list of runs
// of UTF-8 text in one font (family, size, bold / italic / underline / strike-out, colour). The
// writer produces standard RTF (Windows-1252 code page, \'hh escapes for its upper half, \uN for
// anything beyond it) that word processors open; the reader takes such files back, whatever wrote
// them, keeping what the model holds and passing over the rest.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"

namespace base {

enum class ParagraphAlignment { Left, Center, Right };

struct TextRun {
    std::string text;  // UTF-8; a line feed inside a run is a line break within the paragraph
    FontChoice font;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct Paragraph {
    std::vector<TextRun> runs;
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    // Indents in twips (1/1440 inch): the first line's from the left indent, the left and the
    // right indent from the margins.
    int firstIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    bool bullet = false;
    std::string Text() const;
    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

class RichDocument {
public:
    // One paragraph per line of `text` (lines end in LF or CR LF), all in `font`. An empty line
    // becomes an empty run, so that blank lines keep the height of the font.
    static RichDocument FromPlainText(std::string_view text, const FontChoice& font);

    Paragraph& AddParagraph(ParagraphAlignment alignment = ParagraphAlignment::Left);
    // Appends to the last paragraph (starting one when there is none), joining the run before it
    // when the font is the same.
    void AppendText(std::string_view text, const FontChoice& font);

    const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }
    // The paragraphs' texts joined by line feeds.
    std::string PlainText() const;

private:
    std::vector<Paragraph> paragraphs_;
};

// The document as RTF text (ASCII only).
std::string ToRtf(const RichDocument& document);
// Writes ToRtf(document) to `path`, replacing the file; false when it cannot be written.
bool SaveRtf(const RichDocument& document, const std::string& path);

// The document an RTF text holds; nothing when the text is no RTF (it does not open with
// "{\rtf"). Any input is safe: groups nested too deep, numbers out of range and unknown control
// words are passed over, never followed.
std::optional<RichDocument> FromRtf(std::string_view rtf);

}  // namespace base
