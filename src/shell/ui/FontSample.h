#pragma once
// Sample labels next to font buttons show their text in the chosen font and colour.

#include "records/FontSpec.h"

class QLabel;

namespace shell::ui {

void ShowFontSample(QLabel& label, const records::FontSpec& font);

}  // namespace shell::ui
