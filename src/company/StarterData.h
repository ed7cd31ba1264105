#pragma once
// The contents of a new data folder (kt-invorra-tool init): company 1 with the values of a new
// company and, for everything a printed form or an envelope uses that has no new-company value,
// the settings a user expects on a first invoice; the usual payment terms; and the background
// tile "ktt8.bmp" that new companies name. docs/FORMAT.md lists the values.

#include <string>
#include <vector>

#include "records/CompanyRecord.h"

namespace company {

// Company 1, with an empty name (the program then asks the user to set the company up).
records::CompanyRecord StarterCompany();

// "Net 30 Days" first, then other common terms.
std::vector<std::string> StarterPaymentTerms();

inline constexpr char kBackgroundTileFile[] = "ktt8.bmp";
// A small, quiet 24-bit BMP tile for the main window's background.
std::string BackgroundTileBitmap();

}  // namespace company
