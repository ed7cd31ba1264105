// age --as-of: the aging as it stood on a past day, read without changing a file, and its plain
// columns.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TempDir.h"
#include "tool/AgingSample.h"
#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

class AgeCommand : public ::testing::Test {
protected:
    AgeCommand() {
        EXPECT_EQ(RunTool({"init", dir.string()}, parent.path()).exitCode, 0);
        AddAgingSample(dir,
                       {{30, "20.00"}, {31, "40.00"}, {90, "80.00"}, {91, "160.50"}, {-4, "7.00"}});
        const ToolResult set = RunTool(
            {"post", dir.string()}, parent.path(),
            R"({"op": "set-company", "name": "Acme Supply", "aging_days": ["30", "60", "90"]})"
            "\n");
        EXPECT_EQ(set.exitCode, 0) << set.out << set.err;
    }

    std::string Files() {
        std::string bytes;
        for (const char* name : {"Company.DAT", "Company.IX", "1C.DAT", "1C.IX", "1I.DAT", "1I.IX"})
            bytes += testsupport::FileBytes(dir / name);
        return bytes;
    }

    testsupport::TempDir parent;
    std::filesystem::path dir = parent.path() / "data";
};

TEST_F(AgeCommand, ItemsAreAgedToTheDayAndLaterOnesLeftOut) {
    struct Case {
        const char* asOf;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"2026-12-06",
         {"Number,Name,0-30,31-60,61-90,Over 90,Balance",
          "A1,Ames Hardware,20.00,40.00,80.00,160.50,300.50",
          "Total,,20.00,40.00,80.00,160.50,300.50"}},
        // A month earlier the 30-day item did not exist yet and the others were 31 days younger.
        {"2026-11-05",
         {"Number,Name,0-30,31-60,61-90,Over 90,Balance",
          "A1,Ames Hardware,40.00,240.50,0.00,0.00,280.50",
          "Total,,40.00,240.50,0.00,0.00,280.50"}},
    };
    const std::string before = Files();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asOf);
        const ToolResult result = RunTool({"age", dir.string(), "--as-of", c.asOf, "--csv"}, dir);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::string csv;
        for (const std::string& line : c.lines) csv += line + "\r\n";
        EXPECT_EQ(result.out, csv);
    }
    EXPECT_EQ(Files(), before);
}

// Characters of UTF-8 text: every byte that does not continue a character.
size_t Characters(const std::string& text) {
    return std::ranges::count_if(text, [](char c) { return (c & 0xC0) != 0x80; });
}

TEST_F(AgeCommand, PlainColumnsLineUpWhateverLettersTheNamesHold) {
    const ToolResult add =
        RunTool({"post", dir.string()}, parent.path(),
                R"({"op": "add-customer", "number": "B2", "name": "Ångström Café Zoë"})"
                "\n");
    ASSERT_EQ(add.exitCode, 0) << add.out << add.err;
    const ToolResult result = RunTool({"age", dir.string(), "--as-of", "2026-12-06"}, dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = result.lines();
    ASSERT_EQ(lines.size(), 4u) << result.out;  // the heading, A1, B2 and the total
    EXPECT_TRUE(lines[2].starts_with("B2        Ångström Café Zoë ")) << lines[2];
    for (const std::string& line : lines) EXPECT_EQ(Characters(line), Characters(lines[0])) << line;
}

TEST_F(AgeCommand, WithoutAnAsOfDayItIsAUsageError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"age", dir.string()},
          std::vector<std::string>{"age", dir.string(), "--as-of", "12/06/2026"}}) {
        EXPECT_EQ(RunTool(args, dir).exitCode, 2);
    }
}

}  // namespace
}  // namespace tooltest
