#include "correspondence/LetterRun.h"

#include "base/Text.h"
#include "correspondence/LetterMerge.h"
#include "correspondence/LetterPage.h"
#include "correspondence/QueueCustomers.h"

namespace correspondence {

std::optional<std::string> LetterCheck(const base::RichDocument& letter, size_t queued) {
    if (queued == 0) return kLetterEmptyQueueText;
    if (base::Trim(letter.PlainText()).empty()) return kLetterEmptyText;
    return std::nullopt;
}

std::string LetterProgressText(size_t n, size_t total) {
    return "Processing letter " + std::to_string(n) + " of " + std::to_string(total) + "...";
}

LetterRunResult PrintLetters(base::Canvas& canvas, const base::RichDocument& letter,
                             const records::CompanyRecord& company,
                             const std::vector<company::QueuedCustomer>& items,
                             const std::vector<std::optional<records::CustomerRecord>>& customers,
                             const std::function<void(const std::string&)>& progress) {
    LetterRunResult result;
    for (size_t i = 0; i < items.size() && i < customers.size(); ++i) {
        if (progress) progress(LetterProgressText(i + 1, items.size()));
        if (!customers[i]) {
            result.skipped.push_back(MissingCustomerText(items[i].number));
            continue;
        }
        if (!canvas.BeginDocument("Form Letter")) {
            result.stopped = true;
            break;
        }
        DrawLetter(canvas, MergeLetter(letter, MergeValues(*customers[i], company)));
        canvas.EndDocument();
        ++result.printed;
    }
    return result;
}

}  // namespace correspondence
