#pragma once
// The payment terms editor's commands as plain logic: the terms of "ZRTERMS.DAT" held in memory
// in the order the list shows them, added, replaced and deleted behind their checks, and written
// back when the editor closes. The window shows the list and the entry line and calls these.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/PromptService.h"
#include "engine/FileSystem.h"

namespace company {

class TermEditorFlow {
public:
    TermEditorFlow(engine::FileSystem& fs, base::PromptService& prompts);

    // Reads the file (an empty list when it is missing or unreadable).
    void Load();
    // The terms in list order: letter case only breaks ties.
    const std::vector<std::string>& terms() const { return terms_; }

    // "Ok" of a new term, or of the changed term at `row`: an empty text is refused with its
    // message (false); otherwise the list takes it in its place.
    bool Add(const std::string& term);
    bool Replace(std::size_t row, const std::string& term);
    // "Delete" of the term at `row` (nothing: none selected); the last term is kept, with its
    // message (false).
    bool Delete(std::optional<std::size_t> row);
    // "&Close": writes the file; a failed write is reported (the edits stay in memory only).
    void Close();

private:
    bool Accepts(const std::string& term);
    void Sort();

    engine::FileSystem& fs_;
    base::PromptService& prompts_;
    std::vector<std::string> terms_;
};

}  // namespace company
