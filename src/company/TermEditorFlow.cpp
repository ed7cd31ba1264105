#include "company/TermEditorFlow.h"

#include <algorithm>

#include "company/PaymentTerms.h"

namespace company {

namespace {

// A letter as the list compares terms: small, for the letters of Windows-1252 that have a case.
unsigned char Folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') return byte + ('a' - 'A');
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return byte + 0x20;
    return byte;
}

// Terms sort as a user reads them: letter case only breaks ties.
bool ReadsBefore(const std::string& a, const std::string& b) {
    const auto byFolded = [](char x, char y) { return Folded(x) < Folded(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byFolded)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byFolded))
        return false;
    const auto byByte = [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byByte);
}

}  // namespace

TermEditorFlow::TermEditorFlow(engine::FileSystem& fs, base::PromptService& prompts)
    : fs_(fs), prompts_(prompts) {}

void TermEditorFlow::Load() {
    terms_ = LoadPaymentTerms(fs_);
    Sort();
}

void TermEditorFlow::Sort() {
    std::stable_sort(terms_.begin(), terms_.end(), ReadsBefore);
}

bool TermEditorFlow::Accepts(const std::string& term) {
    if (!term.empty()) return true;
    prompts_.Inform("Invalid Payment Term", "You do not have any text entered.");
    return false;
}

bool TermEditorFlow::Add(const std::string& term) {
    if (!Accepts(term)) return false;
    terms_.push_back(term);
    Sort();
    return true;
}

bool TermEditorFlow::Replace(std::size_t row, const std::string& term) {
    if (!Accepts(term)) return false;
    if (row >= terms_.size()) return Add(term);
    terms_[row] = term;
    Sort();
    return true;
}

bool TermEditorFlow::Delete(std::optional<std::size_t> row) {
    if (terms_.size() <= 1) {
        prompts_.Inform("Delete Payment Term", "You must have at least on payment term.");
        return false;
    }
    if (!row || *row >= terms_.size()) return false;
    terms_.erase(terms_.begin() + static_cast<std::ptrdiff_t>(*row));
    return true;
}

void TermEditorFlow::Close() {
    if (!SavePaymentTerms(fs_, terms_)) {
        prompts_.Warn("Edit Payment Terms",
                      "The payment terms could not be saved to \"ZRTERMS.DAT\". Check that the "
                      "data folder can be written to.");
    }
}

}  // namespace company
