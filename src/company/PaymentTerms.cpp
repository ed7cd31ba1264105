#include "company/PaymentTerms.h"

#include "company/SmallFile.h"

namespace company {

std::vector<std::string> LoadPaymentTerms(engine::FileSystem& fs) {
    const std::optional<std::string> text = ReadSmallFile(fs, kPaymentTermsFile);
    std::vector<std::string> terms;
    if (!text) return terms;
    std::string line;
    for (std::size_t i = 0; i < text->size(); ++i) {
        const char c = (*text)[i];
        if (c == '\r' || c == '\n') {
            terms.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) terms.push_back(line);
    return terms;
}

PaymentTermsReader PaymentTermsIn(engine::FileSystem& fs) {
    return [&fs] { return LoadPaymentTerms(fs); };
}

bool SavePaymentTerms(engine::FileSystem& fs, const std::vector<std::string>& terms) {
    std::string text;
    for (const std::string& term : terms) text += term + "\r\n";
    return ReplaceSmallFile(fs, kPaymentTermsFile, text, SmallFileAccess::Everyone);
}

}  // namespace company
