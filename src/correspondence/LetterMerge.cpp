#include "correspondence/LetterMerge.h"

#include <algorithm>
#include <unordered_map>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace correspondence {
namespace {

struct KeywordEntry {
    std::string_view keyword;
    std::string_view description;
};

// Letters, digits, the underscore and every byte of a character beyond ASCII belong to a word.
bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

struct Match {
    size_t start;
    size_t end;
    size_t keyword;
};

std::vector<Match> FindKeywords(std::string_view text) {
    static const std::unordered_map<std::string_view, size_t> index = [] {
        std::unordered_map<std::string_view, size_t> map;
        for (size_t i = 0; i < MergeKeywords().size(); ++i) map.emplace(MergeKeywords()[i], i);
        return map;
    }();
    std::vector<Match> matches;
    size_t i = 0;
    while (i < text.size()) {
        if (!IsWordByte(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && IsWordByte(text[i])) ++i;
        const auto found = index.find(text.substr(start, i - start));
        if (found != index.end()) matches.push_back({start, i, found->second});
    }
    return matches;
}

// The paragraph with its matches replaced; text between them keeps the runs it had.
base::Paragraph Replace(const base::Paragraph& paragraph, const std::vector<Match>& matches,
                        const std::array<std::string, kMergeKeywordCount>& values) {
    // Where each run starts in the paragraph's text.
    std::vector<size_t> starts;
    size_t length = 0;
    for (const base::TextRun& run : paragraph.runs) {
        starts.push_back(length);
        length += run.text.size();
    }
    const auto runAt = [&](size_t offset) {
        return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), offset) -
                                   starts.begin() - 1);
    };
    base::Paragraph merged = paragraph;
    merged.runs.clear();
    const auto append = [&](std::string_view text, const base::FontChoice& font) {
        if (!merged.runs.empty() && merged.runs.back().font == font)
            merged.runs.back().text += text;
        else
            merged.runs.push_back({std::string(text), font});
    };
    // Copies the paragraph's text from `from` up to `to` run by run.
    const auto copy = [&](size_t from, size_t to) {
        while (from < to) {
            const size_t r = runAt(from);
            const base::TextRun& run = paragraph.runs[r];
            const size_t end = std::min(to, starts[r] + run.text.size());
            append(std::string_view(run.text).substr(from - starts[r], end - from), run.font);
            from = end;
        }
    };
    size_t done = 0;
    for (const Match& match : matches) {
        copy(done, match.start);
        const base::TextRun& run = paragraph.runs[runAt(match.start)];
        append(values[match.keyword], run.font);
        done = match.end;
    }
    copy(done, length);
    return merged;
}

// A value is inserted as one line of plain text at most per line of the field.
std::string Value(std::string_view field, bool trimmed) {
    std::string text = base::Win1252ToUtf8(trimmed ? base::Trim(field) : std::string(field));
    std::erase(text, '\r');
    return text;
}

}  // namespace

const std::array<std::string_view, kMergeKeywordCount>& MergeKeywords() {
    static const std::array<std::string_view, kMergeKeywordCount> keywords = {
        "ZRCSTNO",     "ZRCSTNAME",  "ZRCSTBAL",   "ZRCSTLPMT",  "ZRCSTLSTINV", "ZRCSTTYPE",
        "ZRCSTCREDIT", "ZRCSTTERMS", "ZRCSTADD1",  "ZRCSTADD2",  "ZRCSTADD3",   "ZRCSTADD4",
        "ZRCSTPHN1",   "ZRCSTSHP1",  "ZRCSTSHP2",  "ZRCSTSHP3",  "ZRCSTSHP4",   "ZRCSTPHN2",
        "ZRCSTACUR",   "ZRCSTA3060", "ZRCSTA6090", "ZRCSTAOV90", "ZRCSTNOTES",  "ZRCSTSNAME",
        "ZRCSTMLIST",  "ZRCMPNAME",  "ZRCMPADD1",  "ZRCMPADD2",  "ZRCMPADD3",   "ZRCMPADD4",
        "ZRCMPADD5"};
    return keywords;
}

const std::vector<std::string>& KeywordListEntries() {
    static const std::vector<std::string> entries = [] {
        const KeywordEntry shown[] = {
            {"ZRCMPADD1", "Default Company Address Line 1"},
            {"ZRCMPADD2", "Default Company Address Line 2"},
            {"ZRCMPADD3", "Default Company Address Line 3"},
            {"ZRCMPADD4", "Default Company Address Line 4"},
            {"ZRCMPNAME", "Default Company Name"},
            {"ZRCSTA3060", "Customer Aging Amount (Category 2)"},
            {"ZRCSTA6090", "Customer Aging Amount (Category 3)"},
            {"ZRCSTACUR", "Customer Aging Amount (Category 1)"},
            {"ZRCSTADD1", "Customer Address Line 1"},
            {"ZRCSTADD2", "Customer Address Line 2"},
            {"ZRCSTADD3", "Customer Address Line 3"},
            {"ZRCSTADD4", "Customer Address Line 4"},
            {"ZRCSTAOV90", "Customer Aging Amount (Category 4)"},
            {"ZRCSTBAL", "Customer Balance"},
            {"ZRCSTCREDIT", "Customer Credit Limit"},
            {"ZRCSTLPMT", "Customers Last Payment Date"},
            {"ZRCSTLSTINV", "Customers Last Invoice Number"},
            {"ZRCSTMLIST", "Customer Mailing List Sort Code"},
            {"ZRCSTNAME", "Customer Name"},
            {"ZRCSTNO", "Customer Number"},
            {"ZRCSTNOTES", "Customer Notes"},
            {"ZRCSTPHN1", "Customer Billing Address Phone Number"},
            {"ZRCSTPHN2", "Customer Shipping Phone Number"},
            {"ZRCSTSHP1", "Customer Shipping Address Line 1"},
            {"ZRCSTSHP2", "Customer Shipping Address Line 2"},
            {"ZRCSTSHP3", "Customer Shipping Address Line 3"},
            {"ZRCSTSHP4", "Customer Shipping Address Line 4"},
            {"ZRCSTSNAME", "Customer Short Name"},
            {"ZRCSTTERMS", "Customer Payment Terms"},
            {"ZRCSTTYPE", "Customer Type"},
        };
        std::vector<std::string> out;
        for (const KeywordEntry& e : shown)
            out.push_back(std::string(e.keyword) + " - " + std::string(e.description));
        return out;
    }();
    return entries;
}

std::array<std::string, kMergeKeywordCount> MergeValues(const records::CustomerRecord& c,
                                                        const records::CompanyRecord& company) {
    return {Value(c.number(), true),
            Value(c.name(), true),
            Value(c.balance(), true),
            Value(c.lastPaymentDate(), false),
            Value(c.lastInvoiceNumber(), true),
            Value(c.customerType(), true),
            Value(c.creditLimit(), true),
            Value(c.terms(), true),
            Value(c.billing1(), true),
            Value(c.billing2(), true),
            Value(c.billing3(), true),
            Value(c.billing4(), true),
            Value(c.phone1(), true),
            Value(c.shipping1(), true),
            Value(c.shipping2(), true),
            Value(c.shipping3(), true),
            Value(c.shipping4(), true),
            Value(c.phone2(), true),
            Value(c.aging1(), true),
            Value(c.aging2(), true),
            Value(c.aging3(), true),
            Value(c.aging4(), true),
            Value(c.notes(), true),
            Value(c.shortName(), true),
            Value(c.mailListCode(), true),
            Value(company.name(), true),
            Value(company.address1(), true),
            Value(company.address2(), true),
            Value(company.address3(), true),
            Value(company.address4(), true),
            Value(company.address5(), true)};
}

base::RichDocument MergeLetter(const base::RichDocument& letter,
                               const std::array<std::string, kMergeKeywordCount>& values) {
    base::RichDocument merged;
    for (const base::Paragraph& paragraph : letter.paragraphs()) {
        const std::vector<Match> matches = FindKeywords(paragraph.Text());
        merged.AddParagraph() = matches.empty() ? paragraph : Replace(paragraph, matches, values);
    }
    return merged;
}

}  // namespace correspondence
