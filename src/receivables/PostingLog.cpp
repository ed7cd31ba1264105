#include "receivables/PostingLog.h"

#include "engine/BlockFile.h"

namespace receivables {

bool PostingLog::Write(std::string_view failure, const std::function<bool()>& write,
                       std::function<bool()> undo) {
    if (!write()) {
        Fail(failure);
        return false;
    }
    if (undo) undos_.push_back(std::move(undo));
    return true;
}

void PostingLog::Guard(std::function<bool()> restore) {
    undos_.push_back(std::move(restore));
}

void PostingLog::Fail(std::string_view failure) {
    if (!failure.empty())
        prompts_.Message(engine::kProgramCaption, failure, base::PromptIcon::Error,
                         base::PromptButtons::Ok);
    Rollback();
}

void PostingLog::Rollback() {
    bool complete = true;
    for (auto undo = undos_.rbegin(); undo != undos_.rend(); ++undo)
        complete = (*undo)() && complete;
    undos_.clear();
    if (!complete) {
        undoneWhole_ = false;
        prompts_.Message(engine::kProgramCaption, incompleteText_, base::PromptIcon::Error,
                         base::PromptButtons::Ok);
    }
}

}  // namespace receivables
