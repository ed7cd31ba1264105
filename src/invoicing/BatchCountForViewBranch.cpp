#include <algorithm>
#include <charconv>

#include "base/Text.h"
#include "invoicing/BatchPrint.h"

namespace invoicing {

std::optional<size_t> BatchCount(std::string_view typed, size_t collected,
                                 base::PromptService& prompts) {
    const std::string number = base::Trim(typed);
    size_t count = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), count);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        prompts.Warn("Print Number", "You need to specify the number to print.");
        return std::nullopt;
    }
    return std::min(count, collected);
}

}  // namespace invoicing
