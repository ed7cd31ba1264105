// Backup and restore on real folders and archives: the round trip, the backup's mask and its
// temporary name, and every archive the restore refuses with the data folder left as it was and
// nothing written beside it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/FaultInjectingFileSystem.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupMask.h"
#include "maintenance/FolderLock.h"
#include "maintenance/Restore.h"
#include "maintenance/ZipFixture.h"
#include "support/FolderImage.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FolderBytes;
using testsupport::ZipEntry;

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Filler(size_t size, char seed) {
    std::string bytes(size, ' ');
    for (size_t i = 0; i < size; i += 7) bytes[i] = static_cast<char>(seed + i % 23);
    return bytes;
}

class BackupRestoreTest : public ::testing::Test {
protected:
    BackupRestoreTest() {
        fs::create_directory(data);
        Write(data / "Company.DAT", Filler(5000, 'a'));
        Write(data / "Company.IX", Filler(2048, 'b'));
        Write(data / "LastCo.Dat", Filler(2736, 'c'));
        Write(data / "zr1confg.dat", "secret");
        Write(data / "1C.DAT", Filler(300000, 'd'));
        Write(data / "A5160.LBL", "label");
        Write(data / "notes.txt", "not a data file");
    }

    maintenance::BackupOutcome Backup() {
        return maintenance::WriteBackup(files, data, archive, {});
    }
    maintenance::RestoreOutcome Restore(const fs::path& from) {
        return maintenance::RestoreBackup(files, from, data, {});
    }
    // The names in the test's folder besides the data folder.
    std::vector<std::string> Beside() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root.path()))
            if (entry.path() != data) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testsupport::TempDir root;
    fs::path data = root.path() / "data";
    fs::path archive = root.path() / "KTBackup.zip";
    engine::FaultInjectingFileSystem files{engine::PosixFileSystem()};
};

TEST_F(BackupRestoreTest, MaskTakesDataFilesInAnyLetterCase) {
    EXPECT_EQ(maintenance::BackupFileNames(data),
              (std::vector<std::string>{"1C.DAT", "A5160.LBL", "Company.DAT", "Company.IX",
                                        "LastCo.Dat", "zr1confg.dat"}));
    for (const char* name : {"X.SAV", "x.lst", "Letter.Rtf", "ktt8.bmp"})
        EXPECT_TRUE(maintenance::InBackupMask(name)) << name;
    for (const char* name : {"Posting.JNL", "TXTTEMP.TXT", "1C.MSG", ".DAT", "DAT"})
        EXPECT_FALSE(maintenance::InBackupMask(name)) << name;
}

TEST_F(BackupRestoreTest, RoundTripLeavesEveryFileByteIdentical) {
    const auto before = FolderBytes(data);
    ASSERT_EQ(Backup().files, 6);
    Write(data / "1C.DAT", "changed since");
    fs::remove(data / "LastCo.Dat");
    Write(data / "2C.DAT", "made after the backup");

    const maintenance::RestoreOutcome restored = Restore(archive);
    ASSERT_TRUE(restored.restored) << restored.failure;
    EXPECT_EQ(restored.files, 6);
    auto expected = before;
    expected["2C.DAT"] = "made after the backup";  // files the archive does not hold stay
    EXPECT_EQ(FolderBytes(data), expected);
    EXPECT_EQ(Beside(), std::vector<std::string>{"KTBackup.zip"});
}

TEST_F(BackupRestoreTest, RestoreReplacesAFileWhoseNameDiffersOnlyInCase) {
    testsupport::WriteZip(archive, {{"LASTCO.DAT", "restored"}});
    ASSERT_TRUE(Restore(archive).restored);
    EXPECT_EQ(testsupport::FileBytes(data / "LastCo.Dat"), "restored");
    EXPECT_FALSE(fs::exists(data / "LASTCO.DAT"));
}

TEST_F(BackupRestoreTest, EmptyFolderGivesAnEmptyArchiveThatRestoresNothing) {
    for (const auto& entry : fs::directory_iterator(data)) fs::remove(entry.path());
    const maintenance::BackupOutcome outcome = Backup();
    ASSERT_TRUE(outcome.written) << outcome.failure;
    EXPECT_EQ(outcome.files, 0);
    const maintenance::RestoreOutcome restored = Restore(archive);
    EXPECT_TRUE(restored.restored) << restored.failure;
    EXPECT_EQ(restored.files, 0);
}

TEST_F(BackupRestoreTest, ArchiveNamedAfterADataFileIsRefused) {
    const auto before = FolderBytes(data);
    for (const char* name : {"1C.DAT", "new.ix"}) {
        const auto outcome = maintenance::WriteBackup(files, data, data / name, {});
        EXPECT_EQ(outcome.failure, "The backup file cannot take the name of a data file.") << name;
    }
    EXPECT_EQ(FolderBytes(data), before);
}

TEST_F(BackupRestoreTest, FailedBackupKeepsThePreviousArchive) {
    Write(archive, "the previous backup");
    // The temporary archive's name is taken by a folder that cannot be removed: the write fails.
    const fs::path partial = root.path() / "KTBackup.zip.partial";
    fs::create_directories(partial / "in the way");
    const maintenance::BackupOutcome outcome = Backup();
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(outcome.failure.empty());
    EXPECT_EQ(testsupport::FileBytes(archive), "the previous backup");
}

TEST_F(BackupRestoreTest, FilesHeldByAnotherOpenerAreNeitherBackedUpNorReplaced) {
    ASSERT_TRUE(Backup().written);
    const auto before = FolderBytes(data);
    const auto archiveBefore = testsupport::FileBytes(archive);
    maintenance::FolderLock otherDesk(engine::PosixFileSystem());
    ASSERT_TRUE(otherDesk.Take(data, {"1C.DAT"}));
    EXPECT_EQ(Backup().failure, maintenance::kFilesInUseText);
    EXPECT_EQ(testsupport::FileBytes(archive), archiveBefore);
    EXPECT_EQ(Restore(archive).failure, maintenance::kFilesInUseText);
    EXPECT_EQ(FolderBytes(data), before);
}

TEST_F(BackupRestoreTest, FilesSetAsideByARestoreCutShortAreNeverWipedOut) {
    ASSERT_TRUE(Backup().written);
    fs::create_directory(data / "KTRestore.old");
    Write(data / "KTRestore.old" / "1C.DAT", "the only copy");
    const auto before = FolderBytes(data / "KTRestore.old");
    EXPECT_THAT(Restore(archive).failure, ::testing::HasSubstr("cut short"));
    EXPECT_EQ(FolderBytes(data / "KTRestore.old"), before);
}

TEST_F(BackupRestoreTest, MissingArchiveIsReported) {
    EXPECT_EQ(Restore(root.path() / "none.zip").failure, maintenance::kNoBackupText);
}

struct Hostile {
    const char* what;
    std::vector<ZipEntry> entries;
    const char* why;  // part of the refusal
};

class HostileArchiveTest : public BackupRestoreTest,
                           public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileArchiveTest, IsRefusedWithNothingWritten) {
    const auto before = FolderBytes(data);
    testsupport::WriteZip(archive, GetParam().entries);
    const maintenance::RestoreOutcome outcome = Restore(archive);
    EXPECT_FALSE(outcome.restored);
    EXPECT_THAT(outcome.failure, ::testing::HasSubstr(GetParam().why));
    EXPECT_EQ(FolderBytes(data), before);
    EXPECT_EQ(Beside(), std::vector<std::string>{"KTBackup.zip"});
}

constexpr char kOutside[] = "outside the data folder";
const std::string kBomb(3 << 20, '\0');

INSTANTIATE_TEST_SUITE_P(
    Refusals, HostileArchiveTest,
    ::testing::Values(Hostile{"ParentFolder", {{"1C.DAT", "ok"}, {"../evil.DAT", "x"}}, kOutside},
                      Hostile{"ParentInside", {{"a/../../evil.DAT", "x"}}, kOutside},
                      Hostile{"Absolute", {{"/tmp/evil.DAT", "x"}}, kOutside},
                      Hostile{"Subfolder", {{"sub/1C.DAT", "x"}}, kOutside},
                      Hostile{"Backslash", {{"..\\evil.DAT", "x"}}, kOutside},
                      Hostile{"Drive", {{"C:evil.DAT", "x"}}, kOutside},
                      Hostile{"DotDotName", {{"..DAT", "x"}}, kOutside},
                      Hostile{"SymbolicLink", {{"1C.DAT", "/etc/passwd", true}}, "a link"},
                      Hostile{"NotInMask", {{"1C.DAT", "ok"}, {"run.sh", "x"}}, "not a data file"},
                      Hostile{"Duplicate", {{"1C.DAT", "one"}, {"1c.dat", "two"}}, "twice"},
                      Hostile{"Bomb", {{"1C.DAT", kBomb}}, "too large"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(BackupRestoreTest, DamagedArchivesAreRefusedWithNothingWritten) {
    const auto before = FolderBytes(data);
    const std::string payload = Filler(4000, 'q');
    testsupport::WriteZip(archive, {{"1C.DAT", payload, false, true}});
    const std::string whole = testsupport::FileBytes(archive);

    std::string crc = whole;
    crc[crc.find(payload) + 100] ^= 1;  // a flipped bit inside the stored entry
    std::string truncated = whole.substr(0, whole.size() / 2);
    for (const std::string& damaged : {crc, truncated, std::string("PK\x03\x04 not an archive")}) {
        Write(archive, damaged);
        const maintenance::RestoreOutcome outcome = Restore(archive);
        EXPECT_FALSE(outcome.restored);
        EXPECT_FALSE(outcome.failure.empty());
        EXPECT_EQ(FolderBytes(data), before);
        EXPECT_EQ(Beside(), std::vector<std::string>{"KTBackup.zip"});
    }
}

TEST_F(BackupRestoreTest, FailedWriteDuringRestoreLeavesTheFolderAsItWas) {
    ASSERT_TRUE(Backup().written);
    Write(data / "1C.DAT", "changed");
    const auto before = FolderBytes(data);
    for (int nth = 1; nth <= 6; ++nth) {
        files.FailWrite(nth);
        EXPECT_FALSE(Restore(archive).restored) << nth;
        files.Clear();
        EXPECT_EQ(FolderBytes(data), before) << nth;
    }
}

}  // namespace
