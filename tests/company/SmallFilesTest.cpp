#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "company/LastCompany.h"
#include "company/PaymentTerms.h"
#include "engine/FaultInjectingFileSystem.h"
#include "support/TempDir.h"

namespace company {
namespace {

namespace fs = std::filesystem;
using engine::FaultInjectingFileSystem;
using testsupport::FileBytes;

class SmallFiles : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
    FaultInjectingFileSystem files{engine::PosixFileSystem()};
};

TEST_F(SmallFiles, LastCompanyIsOneWholeRecordReadBackByteForByte) {
    records::CompanyRecord company;
    std::fill(company.data(), company.data() + records::CompanyRecord::kSize, 0x5A);
    company.setName("Acme co");
    ASSERT_TRUE(WriteLastCompany(files, company));
    EXPECT_EQ(fs::file_size("LastCo.Dat"), 2736u);
    records::CompanyRecord read;
    ASSERT_TRUE(ReadLastCompany(files, read));
    EXPECT_TRUE(read == company);

    company.setName("Second");
    ASSERT_TRUE(WriteLastCompany(files, company));  // rewritten, not appended
    EXPECT_EQ(fs::file_size("LastCo.Dat"), 2736u);
    ASSERT_TRUE(ReadLastCompany(files, read));
    EXPECT_EQ(read.name(), "Second");
}

// An empty or cut file names no company: it reads as missing and leaves the record untouched.
TEST_F(SmallFiles, LastCompanyShorterThanOneRecordIsNotRead) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{2735}}) {
        std::ofstream("LastCo.Dat", std::ios::binary) << std::string(size, 'x');
        records::CompanyRecord read;
        read.setName("Kept");
        EXPECT_FALSE(ReadLastCompany(files, read)) << size;
        EXPECT_EQ(read.name(), "Kept");
    }
}

// Whatever step the disk refuses, the previous file stays whole and no temporary is left.
TEST_F(SmallFiles, AFailedReplaceKeepsThePreviousFile) {
    records::CompanyRecord company;
    company.setName("First");
    ASSERT_TRUE(WriteLastCompany(files, company));
    const std::string before = FileBytes("LastCo.Dat");
    const std::function<void()> faults[] = {
        [&] { files.FailWrite(1); },
        [&] {
            files.FailWrite(1, FaultInjectingFileSystem::Repeat::Once,
                            FaultInjectingFileSystem::Kind::ShortTransfer);
        },
        [&] { files.FailFlush(1); },
        [&] { files.FailRename(1); },
    };
    company.setName("Second");
    for (const auto& arm : faults) {
        arm();
        EXPECT_FALSE(WriteLastCompany(files, company));
        files.Clear();
        EXPECT_EQ(FileBytes("LastCo.Dat"), before);
        EXPECT_FALSE(fs::exists("LastCo.Dat.new"));
    }
    fs::create_directory("LastCo.Dat.new");  // the temporary cannot even be created
    std::ofstream("LastCo.Dat.new/blocker") << "x";
    EXPECT_FALSE(WriteLastCompany(files, company));
    EXPECT_EQ(FileBytes("LastCo.Dat"), before);
}

TEST_F(SmallFiles, PaymentTermsKeepBlanksDuplicatesAndOrderAndAcceptAnyLineEnding) {
    EXPECT_TRUE(LoadPaymentTerms(files).empty());  // a missing file is an empty list
    const std::vector<std::string> terms = {"Net 30 Days", "  COD  ", "Net 30 Days", ""};
    ASSERT_TRUE(SavePaymentTerms(files, terms));
    EXPECT_EQ(FileBytes("ZRTERMS.DAT"), "Net 30 Days\r\n  COD  \r\nNet 30 Days\r\n\r\n");
    EXPECT_EQ(LoadPaymentTerms(files), terms);
    ASSERT_TRUE(SavePaymentTerms(files, {}));
    EXPECT_EQ(FileBytes("ZRTERMS.DAT"), "");
    EXPECT_TRUE(LoadPaymentTerms(files).empty());

    std::ofstream("ZRTERMS.DAT", std::ios::binary) << "Net 10\nDue on receipt\rCOD";
    EXPECT_EQ(LoadPaymentTerms(files),
              (std::vector<std::string>{"Net 10", "Due on receipt", "COD"}));

    files.FailWrite(1);
    EXPECT_FALSE(SavePaymentTerms(files, {"Net 60"}));
    EXPECT_EQ(LoadPaymentTerms(files).size(), 3u);
}

}  // namespace
}  // namespace company
