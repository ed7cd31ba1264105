#pragma once
// Rich text documents in Qt's text editor: a base::RichDocument shown in a QTextDocument and read
// back from it. Paragraph alignment, indents and bullets become block formats and lists, each run
// a character format; a line break within a paragraph is Qt's line separator.

#include <QTextDocument>

#include "base/RichText.h"

namespace widgets {

// Replaces the contents of `target` with the document.
void ShowRichDocument(const base::RichDocument& document, QTextDocument& target);

// The document `source` holds.
base::RichDocument ReadRichDocument(const QTextDocument& source);

}  // namespace widgets
