#include "shell/CompanyFileSet.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TempDir.h"

namespace shell {
namespace {

// The real file system, noting which files it was asked to remove.
class RemovalLog : public engine::FileSystem {
public:
    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        return real.Open(path, mode, file);
    }
    int Remove(const std::string& path) override {
        removed.push_back(path);
        return real.Remove(path);
    }
    int Rename(const std::string& from, const std::string& to) override {
        return real.Rename(from, to);
    }
    int Copy(const std::string& from, const std::string& to) override {
        return real.Copy(from, to);
    }
    bool Exists(const std::string& path) override { return real.Exists(path); }

    engine::FileSystem& real = engine::PosixFileSystem();
    std::vector<std::string> removed;
};

TEST(CompanyFileSet, DeletesTheTenFilesInOrderAndSkipsMissingOnes) {
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir(dir.path());
    for (const char* name : {"12P.DAT", "12P.IX", "12C.DAT", "12C.IX", "12D.DAT", "12I.DAT",
                             "12I.IX", "12M.DAT", "12M.IX", "1C.DAT", "120C.DAT", "Company.DAT"})
        std::ofstream(name) << "x";
    RemovalLog fs;
    EXPECT_TRUE(DeleteCompanyFiles("12", fs));
    EXPECT_EQ(fs.removed,
              (std::vector<std::string>{"12P.DAT", "12P.IX", "12C.DAT", "12C.IX", "12D.DAT",
                                        "12I.DAT", "12I.IX", "12M.DAT", "12M.IX"}));
    for (const char* kept : {"1C.DAT", "120C.DAT", "Company.DAT"})
        EXPECT_TRUE(std::filesystem::exists(kept)) << kept;
    EXPECT_TRUE(DeleteCompanyFiles("12", fs));  // nothing left to delete is no failure
}

}  // namespace
}  // namespace shell
