#pragma once
// A rich-text letter laid out on printed pages: words wrapped between the margins and the
// paragraph's indents, each run in its own font, paragraphs aligned left, centred or right,
// bullets hanging before their text, and a new page when the next line would pass the bottom
// margin.

#include "base/Canvas.h"
#include "base/RichText.h"

namespace correspondence {

// Draws the letter from the top of the current page of a started document; the margins are
// half an inch inside the canvas's page.
void DrawLetter(base::Canvas& canvas, const base::RichDocument& letter);

}  // namespace correspondence
