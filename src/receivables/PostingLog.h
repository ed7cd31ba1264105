#pragma once
// The writes of one posting with the way back from each, so that a posting happens whole or not
// at all. A write that fails shows its message and undoes the writes before it, newest first;
// the files are then as they were before the posting began.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"

namespace receivables {

class PostingLog {
public:
    // `incompleteText` is shown when an undo step fails.
    explicit PostingLog(base::PromptService& prompts,
                        std::string incompleteText =
                            "The posting could not be undone completely. "
                            "Run the aging to correct the balances.")
        : prompts_(prompts), incompleteText_(std::move(incompleteText)) {}
    PostingLog(const PostingLog&) = delete;
    PostingLog& operator=(const PostingLog&) = delete;

    // Runs `write`. True when it succeeded, and `undo` (when given) is kept; otherwise shows
    // `failure` (unless empty: the write showed its own reason) and rolls back.
    [[nodiscard]] bool Write(std::string_view failure, const std::function<bool()>& write,
                             std::function<bool()> undo = {});
    // Keeps `restore` before the writes it covers: it puts back records that a write may have
    // changed even when the write reported a failure, and writes nothing when they are unchanged.
    void Guard(std::function<bool()> restore);
    // Shows `failure` and rolls back.
    void Fail(std::string_view failure);
    // Rolls back without a message of its own (the caller gave up before a write failed).
    void Abandon() { Rollback(); }
    // False once an undo step failed: the files are not as they were.
    bool undoneWhole() const { return undoneWhole_; }

private:
    void Rollback();

    base::PromptService& prompts_;
    std::string incompleteText_;
    std::vector<std::function<bool()>> undos_;
    bool undoneWhole_ = true;
};

}  // namespace receivables
