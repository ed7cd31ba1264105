#pragma once
// "ZRTERMS.DAT": the payment terms every company shares, one term per line, lines ended by
// CR LF, no header. Read whole into a list and written whole from one. A term is kept exactly as
// typed, leading and trailing blanks included.

#include <functional>
#include <string>
#include <vector>

#include "engine/FileSystem.h"

namespace company {

inline constexpr char kPaymentTermsFile[] = "ZRTERMS.DAT";
inline constexpr int kMaxTermLength = 35;

// The terms in file order; an empty list when the file is missing or unreadable. Lines may end in
// CR LF, LF or CR (files edited elsewhere); a final line break adds no empty term.
std::vector<std::string> LoadPaymentTerms(engine::FileSystem& fs);

// The terms a window offers, read afresh each time it is asked, so an edit shows at once.
using PaymentTermsReader = std::function<std::vector<std::string>()>;
// Reads them with LoadPaymentTerms from `fs`, which must outlive the reader.
PaymentTermsReader PaymentTermsIn(engine::FileSystem& fs);

// Replaces the file with the terms, each followed by CR LF; false when it could not be written.
bool SavePaymentTerms(engine::FileSystem& fs, const std::vector<std::string>& terms);

}  // namespace company
