#pragma once
// Sample labels next to font buttons show their text in the chosen font and colour.

#include "records/FontSpec.h"

class QLabel;

namespace company::ui {

void ShowFontSample(QLabel& label, const records::FontSpec& font);

}  // namespace company::ui
