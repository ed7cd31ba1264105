#include "company/CompanyFileSet.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"

namespace company {
namespace {

TEST(CompanyFileSet, DeletesTheCompanysFilesAndSkipsMissingOnes) {
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir(dir.path());
    for (const char* name : {"12P.DAT", "12P.IX", "12C.DAT", "12C.IX", "12D.DAT", "12I.DAT",
                             "12I.IX", "12M.DAT", "12M.IX", "1C.DAT", "120C.DAT", "Company.DAT"})
        std::ofstream(name) << "x";
    engine::FileSystem& fs = engine::PosixFileSystem();
    EXPECT_TRUE(DeleteCompanyFiles("12", fs));
    for (const char* gone : {"12P.DAT", "12P.IX", "12C.DAT", "12C.IX", "12D.DAT", "12I.DAT",
                             "12I.IX", "12M.DAT", "12M.IX"})
        EXPECT_FALSE(std::filesystem::exists(gone)) << gone;
    for (const char* kept : {"1C.DAT", "120C.DAT", "Company.DAT"})
        EXPECT_TRUE(std::filesystem::exists(kept)) << kept;
    EXPECT_TRUE(DeleteCompanyFiles("12", fs));  // nothing left to delete is no failure
}

}  // namespace
}  // namespace company
