#pragma once
// A script with the reply expected for each command, run in one `script` process and compared
// line by line, so a failure shows the command whose reply differed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tool/ToolProcess.h"

namespace tooltest {

using Transcript = std::vector<std::pair<std::string, std::string>>;  // command, expected reply

inline void ExpectTranscript(const std::filesystem::path& dir, const Transcript& transcript) {
    std::string script;
    for (const auto& [command, reply] : transcript) script += command + "\n";
    const std::vector<std::string> replies = RunScript(dir, script);
    ASSERT_EQ(replies.size(), transcript.size()) << "one reply per command";
    for (size_t i = 0; i < transcript.size(); ++i)
        EXPECT_EQ(replies[i], transcript[i].second) << "reply to: " << transcript[i].first;
}

}  // namespace tooltest
