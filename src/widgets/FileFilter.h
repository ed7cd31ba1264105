#pragma once
// File names from the previous version's machines come in any case ("LOGO.BMP", "logo.bmp"), and
// file dialogs on Linux match their filters case by case. The filters the windows ask for are
// therefore rewritten so that each letter of a pattern matches either case.

#include <QString>
#include <string_view>

namespace widgets {

// "Bitmap File (*.bmp)" becomes "Bitmap File (*.[bB][mM][pP])"; several filters separated by
// ";;" and several patterns in one filter are each rewritten. A pattern that already holds a
// bracket expression is left as it is.
QString AnyCaseFileFilter(std::string_view filter);

}  // namespace widgets
