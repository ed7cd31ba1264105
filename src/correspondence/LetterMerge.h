#pragma once
// Form letters: the merge keywords a letter may hold and their replacement by one customer's
// data and the company's name and address. Keywords are upper-case words matched as whole
// words, case-sensitively; the merge works on the document's text, so a keyword whose letters
// are formatted differently still matches, and it replaces in one pass from left to right: a
// value that itself holds a keyword ("see ZRCSTNOTES") is inserted as it is, plain text.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/RichText.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace correspondence {

inline constexpr size_t kMergeKeywordCount = 31;

// The keywords in the order they are replaced.
const std::array<std::string_view, kMergeKeywordCount>& MergeKeywords();

// The entries of the keyword list shown beside a letter, "KEYWORD - description": every keyword
// but the fifth company address line.
const std::vector<std::string>& KeywordListEntries();

// The value of each keyword for `customer` and `company`, in the order of MergeKeywords(), as
// UTF-8: trimmed, except the last payment date.
std::array<std::string, kMergeKeywordCount> MergeValues(const records::CustomerRecord& customer,
                                                        const records::CompanyRecord& company);

// The letter with every keyword replaced by its value; each value takes the formatting of the
// keyword's first letter.
base::RichDocument MergeLetter(const base::RichDocument& letter,
                               const std::array<std::string, kMergeKeywordCount>& values);

}  // namespace correspondence
