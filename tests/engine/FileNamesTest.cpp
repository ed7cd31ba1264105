// File block names become file names.

#include <gtest/gtest.h>

#include "engine/FileNames.h"

namespace {

TEST(FileNames, ExtensionsAreAppendedOrReplacedAndLongNamesCut) {
    using engine::FileNamesOf;
    const auto names = FileNamesOf("12C");
    EXPECT_EQ(names.data + names.index + names.journal + names.backup + names.log,
              "12C.DAT12C.IX12C.DIA12C.SAV12C.MSG");
    EXPECT_EQ(FileNamesOf("Company.old").data, "Company.DAT");
    EXPECT_EQ(FileNamesOf("dir.v2/12C").data, "dir.v2/12C.DAT");
    EXPECT_EQ(FileNamesOf("dir.v2\\12C").index, "dir.v2\\12C.IX");
    EXPECT_EQ(FileNamesOf(" 12 C ;idx ").index, "idx.IX");
    const auto cut = FileNamesOf("folder/" + std::string(70, 'a'));
    EXPECT_EQ(cut.data, "folder/" + std::string(60, 'a') + ".DAT");
    EXPECT_EQ(cut.index, "folder/" + std::string(61, 'a') + ".IX");
}

}  // namespace
