// Reading comma-separated values: quoted fields, line ends, and malformed text named by its line.

#include "base/CsvReader.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvReaderTest, ReadsQuotedFieldsAndLineEnds) {
    const base::CsvText csv =
        base::ReadCsv("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\r\n\"two\nlines\",,x\nlast");
    ASSERT_EQ(csv.error, "");
    ASSERT_EQ(csv.rows.size(), 3u);
    EXPECT_EQ(csv.rows[0].fields, (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(csv.rows[1].line, 3);
    EXPECT_EQ(csv.rows[1].fields, (std::vector<std::string>{"two\nlines", "", "x"}));
    EXPECT_EQ(csv.rows[2].line, 5);
    EXPECT_EQ(csv.rows[2].fields, std::vector<std::string>{"last"});
}

TEST(CsvReaderTest, MalformedTextNamesItsLine) {
    struct Case {
        const char* text;
        int line;
    };
    for (const Case& c : {Case{"a,b\n\"open", 2}, Case{"a\nb\"c", 2}, Case{"\"a\"b", 1}}) {
        const base::CsvText csv = base::ReadCsv(c.text);
        EXPECT_FALSE(csv.error.empty()) << c.text;
        EXPECT_EQ(csv.errorLine, c.line) << c.text;
    }
}

}  // namespace
