#include "invoicing/SavedLines.h"

#include <string_view>
#include <vector>

#include "base/Text.h"
#include "company/SmallFile.h"
#include "invoicing/InvoiceChecks.h"

namespace invoicing {
namespace {

constexpr int kRowLines = 100;
constexpr int kMemoTextLines = 26;
constexpr size_t kRowLineLength = 85;
constexpr char kSavedCaption[] = "Saved Lines File";

bool IsMemo(const InvoiceDraft& draft) {
    return draft.form == InvoiceForm::Memo;
}

std::string Column(std::string_view text, int width) {
    return base::PadRight(base::CutTo(text, width), width);
}

std::string RowLine(int number, const DraftLine& row) {
    const std::string line =
        base::PadRight(std::to_string(number), 2) + " " + Column(row.code, 10) + " " +
        Column(row.quantity, 10) + " " + Column(row.description, 32) + " " + Column(row.price, 10) +
        " " + Column(row.taxed, 1) + " " + Column(row.Extension().Format(",0.00"), 12);
    return base::CutTo(line, kRowLineLength);
}

std::string NotesLine(const InvoiceDraft& draft) {
    return Column(draft.notes, 60) + Column(draft.statementNote, 25) + draft.keyCode;
}

// Characters `from` to `to` (1-based, inclusive) of `line`, trimmed.
std::string Piece(const std::string& line, size_t from, size_t to) {
    if (line.size() < from) return {};
    return base::Trim(line.substr(from - 1, to - from + 1));
}

DraftLine RowOf(const std::string& line) {
    return {Piece(line, 4, 13), Piece(line, 15, 24), Piece(line, 26, 57), Piece(line, 59, 68),
            Piece(line, 70, 70)};
}

void ApplyNotes(const std::string& line, InvoiceDraft& draft) {
    draft.notes = Piece(line, 1, 60);
    draft.statementNote = Piece(line, 61, 85);
    draft.keyCode = Piece(line, 86, 93);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string SavedLinesText(const InvoiceDraft& draft, const records::CompanyRecord& company) {
    std::vector<std::string> lines;
    if (IsMemo(draft)) {
        lines = MemoLines(draft.memo.text);
        lines.resize(kMemoTextLines);
        lines.push_back(NotesLine(draft));
        const std::string net = base::Trim(draft.memo.net);
        lines.push_back(
            RowLine(1, {"Memo", draft.memo.quantity, draft.memo.description, net, "M"}));
    } else {
        for (int row = 1; row <= kRowLines; ++row) {
            const bool given = row <= static_cast<int>(draft.lines.size());
            lines.push_back(RowLine(row, given ? draft.lines[row - 1] : DraftLine::Blank(company)));
        }
        lines.push_back(NotesLine(draft));
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

void ApplySavedLines(const std::string& text, InvoiceDraft& draft) {
    std::vector<std::string> lines = Lines(text);
    if (IsMemo(draft)) {
        lines.resize(kMemoTextLines + 2);
        std::string memo;
        for (int i = 0; i < kMemoTextLines - 1; ++i) memo += (i ? "\n" : "") + lines[i];
        while (!memo.empty() && base::IsBlank(memo.back())) memo.pop_back();
        draft.memo.text = memo;
        ApplyNotes(lines[kMemoTextLines], draft);
        const DraftLine row = RowOf(lines[kMemoTextLines + 1]);
        draft.memo.description = row.description;
        draft.memo.quantity = row.quantity;
        return;
    }
    lines.resize(kRowLines + 1);
    draft.lines.clear();
    for (int i = 0; i < kMaxRows; ++i) draft.lines.push_back(RowOf(lines[i]));
    while (!draft.lines.empty() && !draft.lines.back().Stored() &&
           draft.lines.back().Extension().IsZero())
        draft.lines.pop_back();
    ApplyNotes(lines[kRowLines], draft);
}

bool SaveLines(engine::FileSystem& fs, base::PromptService& prompts, const InvoiceDraft& draft,
               const records::CompanyRecord& company) {
    if (IsMemo(draft) && !AcceptMemoLength(prompts, kSavedCaption,
                                           static_cast<int>(MemoLines(draft.memo.text).size())))
        return false;
    if (!company::ReplaceSmallFile(fs, IsMemo(draft) ? kSavedMemoFile : kSavedLinesFile,
                                   SavedLinesText(draft, company),
                                   company::SmallFileAccess::Everyone)) {
        prompts.Message(kSavedCaption, "The saved lines file could not be written.",
                        base::PromptIcon::Error, base::PromptButtons::Ok);
        return false;
    }
    prompts.Inform(kSavedCaption,
                   "The saved lines file has been replaced with the current invoice lines.");
    return true;
}

bool LoadLines(engine::FileSystem& fs, base::PromptService& prompts, InvoiceDraft& draft) {
    const std::optional<std::string> text =
        company::ReadSmallFile(fs, IsMemo(draft) ? kSavedMemoFile : kSavedLinesFile);
    if (!text) {
        if (IsMemo(draft))
            prompts.Inform("Load Saved Memo", "You have not created a saved memo file.");
        else
            prompts.Inform("Load Saved Lines", "You have not created a saved lines file.");
        return false;
    }
    ApplySavedLines(*text, draft);
    return true;
}

}  // namespace invoicing
