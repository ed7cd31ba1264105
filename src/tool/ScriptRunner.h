#pragma once
// Runs the lines of `kt-invorra-tool script` against one engine. Each command line yields exactly
// one reply: "ok" with the results separated by blanks, "err N" with the engine's error number, or
// "bad ..." saying why the line itself could not be understood (nothing was run then).

#include <map>
#include <string>
#include <string_view>

#include "engine/Engine.h"

namespace tool {

class ArgReader;

class ScriptRunner {
public:
    explicit ScriptRunner(engine::Engine& engine) : engine_(engine) {}

    // The reply to one line that is neither blank nor a comment.
    std::string Run(std::string_view line);

private:
    struct Command;
    static const Command kCommands[];

    engine::FileBlockHandle Block(const std::string& name) const;
    // The engine's outcome of the last call: "err N", or "ok" followed by `results`.
    std::string Reply(std::string_view results = {}) const;
    // A zero-filled record of the block's length with `text` from offset 4, cut to fit.
    bool BuildRecord(engine::FileBlockHandle fb, std::string_view text, std::string& record);

    std::string Init(ArgReader& args);
    std::string Exit(ArgReader& args);
    std::string Create(ArgReader& args);
    std::string Open(ArgReader& args);
    std::string Close(ArgReader& args);
    std::string Drop(ArgReader& args);
    std::string Add(ArgReader& args);
    std::string Put(ArgReader& args);
    std::string Get(ArgReader& args);
    std::string Del(ArgReader& args);
    std::string Test(ArgReader& args);
    std::string NextUsed(ArgReader& args);
    std::string PrevUsed(ArgReader& args);
    std::string Used(ArgReader& args);
    std::string Length(ArgReader& args);
    std::string RecLen(ArgReader& args);
    std::string AddKey(ArgReader& args);
    std::string DelKey(ArgReader& args);
    std::string Search(ArgReader& args);
    std::string NextKey(ArgReader& args);
    std::string PrevKey(ArgReader& args);
    std::string UsedKeys(ArgReader& args);
    std::string KeyPos(ArgReader& args);
    std::string PosKey(ArgReader& args);
    std::string RecPos(ArgReader& args);
    std::string PosRec(ArgReader& args);
    std::string Rebuild(ArgReader& args);

    engine::Engine& engine_;
    std::map<std::string, engine::FileBlockHandle> blocks_;  // open blocks by script name
};

}  // namespace tool
