#pragma once
// Reads the arguments of one script command in order. The first malformed or missing argument is
// remembered and every later read returns a neutral value, so a command reads all it needs and
// then asks Complete() once before it touches the engine.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "tool/ScriptSyntax.h"

namespace tool {

// A key of `create` (LEN:DUP) or of `rebuild` (LEN:DUP@OFF: the key is the record's bytes from
// offset OFF, LEN bytes, without trailing zero bytes).
struct KeyDefinition {
    engine::KeyDescriptor descriptor;
    int offset = 0;
};

class ArgReader {
public:
    // `words[0]` is the command itself.
    explicit ArgReader(const std::vector<Word>& words) : words_(words) {}

    std::string Name();                      // a bare word
    int32_t Number();                        // a decimal 32-bit integer
    std::string Text();                      // a quoted string
    KeyDefinition Key(bool withOffset);      // LEN:DUP or LEN:DUP@OFF
    bool Optional(const std::string& flag);  // consumes the bare word `flag` when it comes next
    bool More() const { return next_ < words_.size(); }

    // True when every argument was read well and none is left over; otherwise Complaint() says why.
    bool Complete();
    std::string Complaint() const { return "bad " + problem_; }

private:
    const Word* Take(const char* what);
    void Fail(const std::string& problem);

    const std::vector<Word>& words_;
    size_t next_ = 1;
    std::string problem_;
};

}  // namespace tool
