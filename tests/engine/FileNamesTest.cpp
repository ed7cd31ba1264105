// File block names become file names.

#include <gtest/gtest.h>

#include "engine/FileNames.h"

namespace {

using engine::FileNamesOf;

TEST(FileNames, ExtensionsAreAppendedOrReplaced) {
    const auto names = FileNamesOf("12C");
    EXPECT_EQ(names.data, "12C.DAT");
    EXPECT_EQ(names.index, "12C.IX");
    EXPECT_EQ(names.journal, "12C.DIA");
    EXPECT_EQ(names.backup, "12C.SAV");
    EXPECT_EQ(names.log, "12C.MSG");
    EXPECT_EQ(FileNamesOf("Company.old").data, "Company.DAT");
    EXPECT_EQ(FileNamesOf("dir.v2/12C").data, "dir.v2/12C.DAT");
    EXPECT_EQ(FileNamesOf("dir.v2\\12C").index, "dir.v2\\12C.IX");
    EXPECT_EQ(FileNamesOf(" 12 C ;idx ").index, "idx.IX");
    EXPECT_EQ(FileNamesOf(" 12 C ;idx ").log, "12C.MSG");
}

TEST(FileNames, LongNamesAreCutWithoutLosingTheExtension) {
    const std::string base(70, 'a');
    const auto names = FileNamesOf("folder/" + base);
    EXPECT_EQ(names.data, "folder/" + std::string(60, 'a') + ".DAT");
    EXPECT_EQ(names.index, "folder/" + std::string(61, 'a') + ".IX");
    EXPECT_NE(names.data, names.index);
}

}  // namespace
