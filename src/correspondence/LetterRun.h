#pragma once
// Merge and print: one print job per queued customer, the letter's keywords replaced by that
// customer's data. The letter itself is never changed; each customer's copy is merged from it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Canvas.h"
#include "base/RichText.h"
#include "company/PrintQueue.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace correspondence {

inline constexpr char kLetterCaption[] = "Letter Wizard";
inline constexpr char kLetterEmptyQueueText[] =
    "You do not have any customer records listed in the Label print queue.";
inline constexpr char kLetterEmptyText[] =
    "You do not have any text to print. You need to create or open an existing letter.";

// The message that stops a merge before it starts: an empty queue, then an empty letter.
std::optional<std::string> LetterCheck(const base::RichDocument& letter, size_t queued);

// "Processing letter n of N...".
std::string LetterProgressText(size_t n, size_t total);

struct LetterRunResult {
    int printed = 0;
    std::vector<std::string> skipped;  // why a queued customer got no letter
    bool stopped = false;              // a print job could not be started
};

// Prints the merged letter for each queued customer in order, as the document "Form Letter";
// `customers` holds the customer of each queued item (nothing when it is no longer on file).
// `progress` hears "Processing letter n of N..." before each one.
LetterRunResult PrintLetters(base::Canvas& canvas, const base::RichDocument& letter,
                             const records::CompanyRecord& company,
                             const std::vector<company::QueuedCustomer>& items,
                             const std::vector<std::optional<records::CustomerRecord>>& customers,
                             const std::function<void(const std::string&)>& progress = {});

}  // namespace correspondence
