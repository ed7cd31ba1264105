#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "company/LastCompany.h"
#include "company/PaymentTerms.h"
#include "support/TempDir.h"

namespace company {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SmallFiles : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedChdir inDir{dir.path()};
};

TEST_F(SmallFiles, LastCompanyIsOneWholeRecordReadBackByteForByte) {
    records::CompanyRecord company;
    std::fill(company.data(), company.data() + records::CompanyRecord::kSize, 0x5A);
    company.setName("Acme co");
    ASSERT_TRUE(WriteLastCompany(company));
    EXPECT_EQ(std::filesystem::file_size("LastCo.Dat"), 2736u);
    records::CompanyRecord read;
    ASSERT_TRUE(ReadLastCompany(read));
    EXPECT_TRUE(read == company);

    company.setName("Second");
    ASSERT_TRUE(WriteLastCompany(company));  // rewritten, not appended
    EXPECT_EQ(std::filesystem::file_size("LastCo.Dat"), 2736u);
    ASSERT_TRUE(ReadLastCompany(read));
    EXPECT_EQ(read.name(), "Second");

    std::filesystem::create_directory("LastCo.Dat.new/");  // the temporary cannot be created
    std::ofstream("LastCo.Dat.new/blocker") << "x";
    company.setName("New");
    EXPECT_FALSE(WriteLastCompany(company));  // the previous file is kept
    ASSERT_TRUE(ReadLastCompany(read));
    EXPECT_EQ(read.name(), "Second");

    std::ofstream("LastCo.Dat", std::ios::binary) << std::string(100, 'x');  // truncated
    EXPECT_FALSE(ReadLastCompany(read));
    EXPECT_EQ(read.name(), "Second");
}

TEST_F(SmallFiles, PaymentTermsKeepBlanksDuplicatesAndOrderAndAcceptAnyLineEnding) {
    EXPECT_TRUE(LoadPaymentTerms().empty());  // a missing file is an empty list
    const std::vector<std::string> terms = {"Net 30 Days", "  COD  ", "Net 30 Days", ""};
    ASSERT_TRUE(SavePaymentTerms(terms));
    EXPECT_EQ(FileText("ZRTERMS.DAT"), "Net 30 Days\r\n  COD  \r\nNet 30 Days\r\n\r\n");
    EXPECT_EQ(LoadPaymentTerms(), terms);
    ASSERT_TRUE(SavePaymentTerms({}));
    EXPECT_EQ(FileText("ZRTERMS.DAT"), "");
    EXPECT_TRUE(LoadPaymentTerms().empty());

    std::ofstream("ZRTERMS.DAT", std::ios::binary) << "Net 10\nDue on receipt\rCOD";
    EXPECT_EQ(LoadPaymentTerms(), (std::vector<std::string>{"Net 10", "Due on receipt", "COD"}));
}

}  // namespace
}  // namespace company
