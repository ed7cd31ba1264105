#pragma once
// A fresh starter data folder made by `init`, and `post` lines run against it on a fixed day, for
// the tests of the tool's commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "tool/ToolProcess.h"

namespace tooltest {

class DataFolderTest : public ::testing::Test {
protected:
    DataFolderTest() {
        const ToolResult init = RunTool({"init", dir.string()}, parent.path());
        EXPECT_EQ(init.exitCode, 0) << init.err;
    }

    // One parsed reply per line of `lines`, run by `post` on 2026-12-06 with `options` added.
    std::vector<nlohmann::json> Post(const std::vector<std::string>& lines,
                                     std::vector<std::string> options = {}) {
        std::string input;
        for (const std::string& line : lines) input += line + "\n";
        options.insert(options.begin(), {"post", dir.string(), "--today", "2026-12-06"});
        const ToolResult result = RunTool(options, parent.path(), input);
        std::vector<nlohmann::json> replies;
        for (const std::string& line : result.lines())
            replies.push_back(nlohmann::json::parse(line));
        EXPECT_EQ(replies.size(), lines.size()) << result.err;
        return replies;
    }

    struct Refusal {
        std::string line, message;
    };
    // Posts the lines of `refusals` and expects each refused with its message.
    std::vector<nlohmann::json> ExpectRefused(const std::vector<Refusal>& refusals) {
        std::vector<std::string> lines;
        for (const Refusal& r : refusals) lines.push_back(r.line);
        const std::vector<nlohmann::json> replies = Post(lines);
        for (size_t i = 0; i < std::min(replies.size(), refusals.size()); ++i) {
            EXPECT_FALSE(replies[i]["ok"]) << refusals[i].line;
            EXPECT_EQ(replies[i]["message"], refusals[i].message) << refusals[i].line;
        }
        return replies;
    }

    testsupport::TempDir parent;
    std::filesystem::path dir = parent.path() / "data";
};

}  // namespace tooltest
