// The version-1 import on a version-1 folder written by the test from the version-1 layouts:
// the checks of the chosen file, every phase, the skipped and the cut fields, and the imported
// company ready at once (indexes built, aged, its ledger agreeing).

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "company/ImportInProgress.h"
#include "company/PostingRecovery.h"
#include "maintenance/VersionOneImport.h"
#include "maintenance/VersionOneRecords.h"
#include "receivables/Ledger.h"
#include "support/AnsweringPrompts.h"
#include "support/CompanyOneFixture.h"
#include "support/FolderImage.h"
#include "support/ForwardingFileSystem.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::byte>;

// A record of a version-1 file: `length` bytes with `source`'s first bytes.
Bytes Prefix(std::span<const std::byte> source, size_t length) {
    Bytes bytes(length);
    std::memcpy(bytes.data(), source.data(), std::min(length, source.size()));
    return bytes;
}

void PutText(Bytes& record, int offset, const std::string& text) {
    record[offset] = static_cast<std::byte>(text.size());
    std::memcpy(record.data() + offset + 1, text.data(), text.size());
}

class QuietObserver : public engine::RebuildObserver {
public:
    void RebuildStarted(const std::string&) override {}
    void RebuildProgress(int, int32_t, int32_t) override {}
    void RebuildFinished() override {}
};

// The real file system, until a file whose path ends in `killAt` is opened: the process dies there.
class KillingFileSystem final : public testsupport::ForwardingFileSystem {
public:
    explicit KillingFileSystem(std::string killAt) : killAt_(std::move(killAt)) {}
    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        if (path.ends_with(killAt_)) _exit(0);
        return ForwardingFileSystem::Open(path, mode, file);
    }

private:
    std::string killAt_;
};

class VersionOneImportTest : public testsupport::CompanyOneFixture {
protected:
    VersionOneImportTest() : CompanyOneFixture([](records::CompanyRecord&) {}) {
        fs::create_directory(build);
        std::ofstream(build / "ktzrpro.exe") << "program";
        std::ofstream(build / "ZRTERMS.DAT") << "version 1 terms";
    }

    // The engine names files without blanks: the blocks are written in a folder of their own,
    // which then takes a name with a blank, as an installation's folder may have.
    void Finish() { fs::rename(build, old); }

    // Writes the version-1 block `name` (data file only: the import reads in record order) and
    // names its file in lower case, as a copied installation may.
    void WriteBlock(const std::string& name, int length, const std::vector<Bytes>& records) {
        const engine::KeyDescriptor key{10, true};
        const std::string block = (build / name).string();
        engine.CreateFileBlock(block, length, 1, &key);
        ASSERT_TRUE(engine.ok()) << engine.error();
        engine::FileBlockHandle fb = nullptr;
        engine.OpenFileBlock(fb, block);
        ASSERT_TRUE(engine.ok());
        for (const Bytes& record : records) {
            int32_t number = 0;
            engine.AddRecord(fb, number, record);
            ASSERT_TRUE(engine.ok());
        }
        engine.CloseFileBlock(fb);
        std::string lower = name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        fs::rename(build / (name + ".DAT"), build / (lower + ".dat"));
    }

    void WriteVersionOne() {
        WriteBlock("COMPANY", maintenance::kVersionOneCompanyEnd,
                   {Prefix(testsupport::SampleCompany("1", "Clash").bytes(), 2158),
                    Prefix(testsupport::SampleCompany("2", "Old Books").bytes(), 2158)});
        Bytes customer = Prefix(testsupport::SampleCustomer("C1", "Carter").bytes(), 815);
        PutText(customer, 542, std::string(200, 'n'));
        PutText(customer, 760, "CARTER");
        PutText(customer, 813, "Y");
        customer[13] = std::byte{200};  // a name length byte beyond its 35 characters
        Bytes noNumber = Prefix(testsupport::SampleCustomer("", "Nobody").bytes(), 815);
        WriteBlock("2C", maintenance::kVersionOneCustomerEnd, {customer, noNumber});

        company2 = testsupport::SampleCompany("2", "Old Books");
        const auto invoice = testsupport::SampleProductInvoice(
            company2, testsupport::SampleCustomer("C1", "Carter"), "501", {2026, 11, 1},
            {{"P1", "2", "Bolt", "5.00"}, {"P2", "1", "Nut", "1.00"}});
        WriteBlock("2I", maintenance::kVersionOneInvoiceEnd, {Prefix(invoice.header.bytes(), 330)});
        std::vector<Bytes> lines;
        for (const auto& line : invoice.lines)
            lines.push_back(Prefix(line.bytes(), records::InvoiceLineRecord::kSize));
        WriteBlock("2D", records::InvoiceLineRecord::kSize, lines);
        Bytes product = Prefix(testsupport::SampleProduct("P1", "Bolt", "5.00").bytes(), 259);
        PutText(product, 48, "BIN 4");
        WriteBlock(
            "2P", maintenance::kVersionOneProductEnd,
            {product, Prefix(testsupport::SampleProduct("", "No code", "1.00").bytes(), 259)});
    }

    std::optional<fs::path> Choose(const std::string& path) {
        maintenance::VersionOneImportFlow flow(engine, asked, clock);
        return flow.Choose(path);
    }
    maintenance::ImportReport Import() { return ImportWith(engine); }
    maintenance::ImportReport ImportWith(engine::Engine& importing) {
        maintenance::VersionOneImportFlow flow(importing, asked, clock);
        QuietObserver observer;
        return flow.Import(
            old, [](int, const std::string&) {}, observer);
    }

    testsupport::TempDir elsewhere;
    fs::path build = elsewhere.path() / "v1build";
    fs::path old = elsewhere.path() / "old version";
    records::CompanyRecord company2;
    testsupport::AnsweringPrompts asked;
};

TEST_F(VersionOneImportTest, ChosenFileIsCheckedBeforeAnythingIsWritten) {
    std::ofstream(build / "Company.Dat") << "x";
    Finish();
    const auto before = testsupport::FolderBytes(dir.path());
    struct Case {
        std::string path;
        std::string message;
    };
    for (const Case& c :
         {Case{(old / "OTHER.DAT").string(),
               "You must select the COMPANY.DAT file from the Invorra PRO Version 1.x directory."},
          Case{(dir.path() / "COMPANY.DAT").string(),
               "Invalid directory and/or filename. The file does not exist."}}) {
        asked.shown.clear();
        EXPECT_FALSE(Choose(c.path));
        EXPECT_EQ(asked.shown,
                  std::vector<std::string>{"KT Invorra PRO Version 1 Conversion: " + c.message});
    }
    fs::remove(old / "ktzrpro.exe");
    asked.shown.clear();
    EXPECT_FALSE(Choose((old / "Company.Dat").string()));
    EXPECT_EQ(asked.shown, std::vector<std::string>{
                               "KT Invorra PRO Version 1 Conversion: I cant find Invorra PRO "
                               "Version 1."});
    EXPECT_EQ(testsupport::FolderBytes(dir.path()), before);
}

TEST_F(VersionOneImportTest, ImportsEveryPhaseAndLeavesTheCompanyReady) {
    WriteVersionOne();
    Finish();
    const bool hadLastCompany = fs::exists(dir.path() / "LastCo.Dat");
    ASSERT_EQ(Choose((old / "company.dat").string()), old);

    const maintenance::ImportReport report = Import();
    EXPECT_FALSE(report.ended);
    ASSERT_EQ(report.companies.size(), 2u);
    EXPECT_EQ(report.companies[0].skipped, "This company number already exists.");
    EXPECT_EQ(maintenance::ImportMessage(report),
              "The files have been imported.\n1 - Clash: This company number already exists.\n"
              "2 - Old Books: 1 customers, 1 invoices, 2 lines, 1 products.");

    const auto imported = testsupport::StoredCompany("2");
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->lastAgingDate(), state.todayText);  // aged at once
    EXPECT_EQ(imported->shippingCaption(), "Ship To:");
    EXPECT_EQ(imported->agingCaption2(), "31-60:");
    EXPECT_EQ(fs::exists(dir.path() / "LastCo.Dat"), hadLastCompany);
    EXPECT_EQ(testsupport::FileBytes(dir.path() / "ZRTERMS.DAT"), "version 1 terms");

    // Read through the indexes, as the managers read them.
    const auto customers = testsupport::StoredRecords<records::CustomerRecord>(
        engine, records::RecordTypeOf(records::RecordKind::Customer).Describe("2"), asked, 2);
    ASSERT_EQ(customers.size(), 1u);
    EXPECT_EQ(customers[0].notes(), std::string(200, 'n'));
    EXPECT_EQ(customers[0].name().size(), 35u);
    EXPECT_EQ(customers[0].shortName(), "CARTER");
    EXPECT_TRUE(customers[0].creditHold());
    EXPECT_EQ(customers[0].balance(), "11.89");  // 2 x 5.00 + 1.00 and 8.125 % tax
    const auto products = testsupport::StoredRecords<records::ProductRecord>(
        engine, records::RecordTypeOf(records::RecordKind::Product).Describe("2"), asked);
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(products[0].price(), "5.00");
    EXPECT_EQ(
        testsupport::StoredRecords<records::InvoiceLineRecord>(
            engine, records::RecordTypeOf(records::RecordKind::InvoiceLine).Describe("2"), asked, 2)
            .size(),
        2u);
    const auto differences = receivables::CheckLedger(engine, asked, *imported);
    ASSERT_TRUE(differences);
    EXPECT_TRUE(differences->empty());
    EXPECT_FALSE(fs::exists(dir.path() / "KTV1.tmp"));
}

TEST_F(VersionOneImportTest, CompanyCodesCutToFiveCharactersDoNotCollide) {
    WriteBlock("COMPANY", maintenance::kVersionOneCompanyEnd,
               {Prefix(testsupport::SampleCompany("ABCDE1", "First").bytes(), 2158),
                Prefix(testsupport::SampleCompany("ABCDE2", "Second").bytes(), 2158)});
    Finish();
    const maintenance::ImportReport report = Import();
    ASSERT_EQ(report.companies.size(), 2u);
    EXPECT_EQ(report.companies[0].skipped, "");
    EXPECT_EQ(report.companies[1].skipped, "This company number already exists.");
    EXPECT_TRUE(testsupport::StoredCompany("ABCDE"));
}

TEST_F(VersionOneImportTest, CompanyFileThatIsNoBlockIsReportedAndNothingIsWritten) {
    std::ofstream(build / "COMPANY.DAT", std::ios::binary) << std::string(5000, '\xA5');
    Finish();
    const auto before = testsupport::FolderBytes(dir.path());
    const maintenance::ImportReport report = Import();
    EXPECT_TRUE(report.companies.empty());
    EXPECT_EQ(asked.shown, std::vector<std::string>{
                               "KT Invorra PRO Version 1 Conversion: The version 1 company file "
                               "COMPANY.DAT could not be read."});
    EXPECT_EQ(testsupport::FolderBytes(dir.path()), before);
}

TEST_F(VersionOneImportTest, PartlyImportedCompanyIsOfferedForRemoval) {
    WriteVersionOne();
    Finish();
    // The customer file cut inside its second record.
    const fs::path customers = old / "2c.dat";
    fs::resize_file(customers, fs::file_size(customers) - 400);
    const maintenance::ImportReport report = Import();
    ASSERT_EQ(report.companies.size(), 2u);
    const auto& phase = report.companies[1].phases[0];
    EXPECT_EQ(phase.what, "customers");
    EXPECT_FALSE(phase.whole);
    EXPECT_EQ(phase.imported, 1);
    EXPECT_EQ(report.companies[1].skipped, "Only partly imported; removed again.");
    EXPECT_NE(std::find(asked.shown.begin(), asked.shown.end(),
                        "KT Invorra PRO Version 1 Conversion: Company 2 was only partly imported "
                        "(customers 1 of 2 imported). Remove it again?"),
              asked.shown.end());
    EXPECT_FALSE(testsupport::StoredCompany("2"));
    EXPECT_FALSE(fs::exists(dir.path() / "2C.DAT"));
}

TEST_F(VersionOneImportTest, ImportKilledInTheMiddleLeavesNoHalfCompany) {
    WriteVersionOne();
    Finish();
    const auto before = testsupport::FolderBytes(dir.path());
    // Killed while company 2's files are written (no record yet), and during its aging (the
    // record added).
    struct Kill {
        const char* atOpening;
        bool recordAdded;
    };
    for (const Kill kill : {Kill{"2D.DAT", false}, Kill{"LastCo.Dat.new", true}}) {
        SCOPED_TRACE(kill.atOpening);
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            KillingFileSystem files(kill.atOpening);
            engine::Engine importing(files);
            importing.InitEngine(0, 30);
            ImportWith(importing);
            _exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_EQ(WEXITSTATUS(status), 0);
        ASSERT_TRUE(fs::exists(dir.path() / "2C.DAT"));
        EXPECT_EQ(testsupport::StoredCompany("2").has_value(), kill.recordAdded);

        // The next opening of the folder.
        asked.shown.clear();
        company::RecoverInterruptedPosting(engine, asked);
        EXPECT_EQ(company::RemoveInterruptedImport(engine, asked),
                  company::ImportRecovery::Removed);
        EXPECT_EQ(asked.shown.back(),
                  "KT Invorra Pro: An import of version 1 files was cut short while it imported "
                  "company 2. What it had written of that company has been removed; import "
                  "again to bring it in.");
        EXPECT_FALSE(testsupport::StoredCompany("2"));
        EXPECT_EQ(testsupport::DifferingFiles(testsupport::FolderBytes(dir.path()), before,
                                              {"Company.DAT", "Company.IX", "LastCo.Dat"}),
                  std::vector<std::string>{});
    }
    EXPECT_EQ(maintenance::ImportMessage(Import()),
              "The files have been imported.\n1 - Clash: This company number already exists.\n"
              "2 - Old Books: 1 customers, 1 invoices, 2 lines, 1 products.");
    EXPECT_FALSE(fs::exists(dir.path() / company::kImportMarkerFile));
}

TEST_F(VersionOneImportTest, FilesOfACompanyWithoutItsRecordAreNotWrittenOver) {
    WriteVersionOne();
    Finish();
    std::ofstream(dir.path() / "2I.DAT") << "somebody's invoices";
    const maintenance::ImportReport report = Import();
    ASSERT_EQ(report.companies.size(), 2u);
    EXPECT_EQ(report.companies[1].skipped, maintenance::kFilesWithoutCompanyText);
    EXPECT_EQ(testsupport::FileBytes(dir.path() / "2I.DAT"), "somebody's invoices");
    EXPECT_FALSE(fs::exists(dir.path() / "2C.DAT"));
}

}  // namespace
