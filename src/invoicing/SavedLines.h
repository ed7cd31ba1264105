#pragma once
// Saved lines: one template of invoice rows, or of a memo, kept for all companies in a text file
// of fixed columns, "SAVELINE.SAV" for product invoices and "SAVEMEMO.SAV" for memo invoices.
// Lines end with CR LF.
//
// "SAVELINE.SAV": 100 row lines (grid rows 1 to 100) of row number (2), code (10), quantity (10),
// description (32), unit price (10), taxed mark (1) and extension (12), one blank between the
// columns, the line cut at 85; then line 101: notes (60), statement note (25), key code.
// "SAVEMEMO.SAV": 26 lines of memo text, line 27 as line 101 above, line 28 the memo line as a
// row line.

#include <string>

#include "base/PromptService.h"
#include "engine/FileSystem.h"
#include "invoicing/InvoiceDraft.h"
#include "records/CompanyRecord.h"

namespace invoicing {

inline constexpr char kSavedLinesFile[] = "SAVELINE.SAV";
inline constexpr char kSavedMemoFile[] = "SAVEMEMO.SAV";

// The file's text for the draft: its rows (rows it does not have with their blank values) or its
// memo. Texts longer than their columns are cut to them.
std::string SavedLinesText(const InvoiceDraft& draft, const records::CompanyRecord& company);

// Takes the saved rows (trailing rows that would not be stored left out) or the memo text and
// memo line, with the notes, statement note and key code, into `draft`.
void ApplySavedLines(const std::string& text, InvoiceDraft& draft);

// Replaces the draft's saved-lines file; asks first when the memo text takes more than 25 lines.
// "The saved lines file has been replaced with the current invoice lines." is shown only after
// the file was written. False when it was not.
bool SaveLines(engine::FileSystem& fs, base::PromptService& prompts, const InvoiceDraft& draft,
               const records::CompanyRecord& company);

// Loads the draft's saved-lines file into it; false, with "You have not created a saved lines
// file." (or memo file) shown, when there is none.
bool LoadLines(engine::FileSystem& fs, base::PromptService& prompts, InvoiceDraft& draft);

}  // namespace invoicing
