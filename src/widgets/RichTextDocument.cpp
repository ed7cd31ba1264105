#include "widgets/RichTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <cmath>

#include "widgets/PrinterCanvas.h"

namespace widgets {
namespace {

// Indents are twips in the document and pixels of a 96 dots-per-inch screen in the editor.
constexpr double kTwipsPerPixel = 15.0;

Qt::Alignment ToQt(base::ParagraphAlignment alignment) {
    switch (alignment) {
        case base::ParagraphAlignment::Center:
            return Qt::AlignHCenter;
        case base::ParagraphAlignment::Right:
            return Qt::AlignRight;
        case base::ParagraphAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

base::ParagraphAlignment FromQt(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) return base::ParagraphAlignment::Center;
    if (alignment & Qt::AlignRight) return base::ParagraphAlignment::Right;
    return base::ParagraphAlignment::Left;
}

QTextCharFormat CharFormat(const base::FontChoice& font) {
    QTextCharFormat format;
    format.setFont(PrinterCanvas::ToQFont(font));
    format.setForeground(PrinterCanvas::ToQColor(font.color));
    return format;
}

base::FontChoice FontOf(const QTextCharFormat& format) {
    base::FontChoice font;
    const QFont qfont = format.font();
    const QStringList families = format.fontFamilies().toStringList();
    font.family = (families.isEmpty() ? qfont.family() : families.front()).toStdString();
    font.pointSize = std::max(1, static_cast<int>(std::lround(qfont.pointSizeF())));
    font.bold = qfont.bold();
    font.italic = qfont.italic();
    font.underline = qfont.underline();
    font.strikeOut = qfont.strikeOut();
    const QColor color = format.foreground().color();
    font.color = static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
                 static_cast<uint32_t>(color.blue()) << 16;
    return font;
}

int Twips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

}  // namespace

void ShowRichDocument(const base::RichDocument& document, QTextDocument& target) {
    target.clear();
    QTextCursor cursor(&target);
    QTextList* list = nullptr;
    bool first = true;
    for (const base::Paragraph& paragraph : document.paragraphs()) {
        QTextBlockFormat block;
        block.setAlignment(ToQt(paragraph.alignment));
        block.setLeftMargin(paragraph.leftIndent / kTwipsPerPixel);
        block.setRightMargin(paragraph.rightIndent / kTwipsPerPixel);
        block.setTextIndent(paragraph.firstIndent / kTwipsPerPixel);
        const QTextCharFormat mark =
            paragraph.runs.empty() ? QTextCharFormat() : CharFormat(paragraph.runs.back().font);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, mark);
        cursor.setBlockCharFormat(mark);
        first = false;
        if (paragraph.bullet) {
            if (list)
                list->add(cursor.block());
            else
                list = cursor.createList(QTextListFormat::ListDisc);
        } else {
            list = nullptr;
        }
        for (const base::TextRun& run : paragraph.runs) {
            QString text = QString::fromStdString(run.text);
            text.replace(QChar('\n'), QChar::LineSeparator);
            cursor.insertText(text, CharFormat(run.font));
        }
    }
    target.setModified(false);
}

base::RichDocument ReadRichDocument(const QTextDocument& source) {
    base::RichDocument document;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        base::Paragraph& paragraph = document.AddParagraph(FromQt(format.alignment()));
        paragraph.leftIndent = Twips(format.leftMargin());
        paragraph.rightIndent = Twips(format.rightMargin());
        paragraph.firstIndent = Twips(format.textIndent());
        paragraph.bullet = block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QChar('\n'));
            document.AppendText(text.toStdString(), FontOf(fragment.charFormat()));
        }
        if (paragraph.runs.empty()) paragraph.runs.push_back({"", FontOf(block.charFormat())});
    }
    return document;
}

}  // namespace widgets
