#include "engine/RecordFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/FaultInjectingFileSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

using engine::FaultInjectingFileSystem;
using engine::FileDescription;
using engine::RecordFile;
using engine::UpdateOutcome;
using testsupport::ScriptedPrompts;
using Record = std::vector<uint8_t>;

// Test records: the 4-byte deletion mark, then six text fields of 10 bytes; key N is field N cut
// to the key's length. The six keys follow the invoice file's orders.
constexpr int kRecordLength = 64;

Record MakeRecord(std::vector<std::string> fields) {
    Record r(kRecordLength, 0);
    for (size_t i = 0; i < fields.size() && i < 6; ++i)
        std::memcpy(r.data() + 4 + 10 * i, fields[i].data(),
                    std::min<size_t>(10, fields[i].size()));
    return r;
}

std::string Field(const uint8_t* record, int n) {
    const char* p = reinterpret_cast<const char*>(record) + 4 + 10 * (n - 1);
    return std::string(p, strnlen(p, 10));
}

FileDescription InvoiceLike(std::vector<int>* builderLog = nullptr) {
    FileDescription d;
    d.name = "9I";
    d.statusCaption = "Invoices";
    d.recordLength = kRecordLength;
    d.keys = {{9, true}, {8, true}, {10, true}, {10, true}, {10, true}, {10, true}};
    d.buildKey = [builderLog](const uint8_t* record, int keyNumber) {
        if (builderLog) builderLog->push_back(keyNumber);
        // A field of more than the key's length is passed on whole, so the engine refuses it.
        return Field(record, keyNumber);
    };
    d.addOrder = {1, 2, 3, 4, 6, 5};
    d.updateOrder = {1, 3, 4, 5, 6, 2};
    d.creationNotice = "I am going to create a new, empty invoice file for this company.";
    return d;
}

// Every live record, by record number.
std::map<int32_t, Record> LiveRecords(engine::Engine& e, engine::FileBlockHandle fb) {
    std::map<int32_t, Record> records;
    int32_t n = 0;
    for (;;) {
        e.NextUsedRecord(fb, n);
        if (!e.ok()) break;
        Record r(kRecordLength);
        e.GetRecord(fb, n, r.data());
        records[n] = r;
    }
    return records;
}

std::set<std::pair<std::string, int32_t>> IndexEntries(engine::Engine& e,
                                                       engine::FileBlockHandle fb, int key) {
    std::set<std::pair<std::string, int32_t>> entries;
    int32_t n = 0;
    std::string k;
    for (e.SearchKey(fb, key, n, k); e.ok(); e.NextKey(fb, key, n, k)) entries.insert({k, n});
    return entries;
}

// Every index holds exactly the keys of the live records, and the live records are `expected`
// (compared as a set: record numbers may be reused).
std::multiset<Record> LiveSet(RecordFile& file) {
    std::multiset<Record> records;
    for (const auto& [n, r] : LiveRecords(file.engine(), file.handle())) records.insert(r);
    return records;
}

void ExpectCoherent(RecordFile& file, const std::vector<Record>& expected) {
    engine::Engine& e = file.engine();
    const auto live = LiveRecords(e, file.handle());
    EXPECT_EQ(LiveSet(file), std::multiset<Record>(expected.begin(), expected.end()));
    for (int key = 1; key <= file.description().keyCount(); ++key) {
        std::set<std::pair<std::string, int32_t>> wanted;
        for (const auto& [n, r] : live) wanted.insert({file.BuildKey(r.data(), key), n});
        EXPECT_EQ(IndexEntries(e, file.handle(), key), wanted) << "key " << key;
    }
}

class RecordFileTest : public ::testing::Test {
protected:
    RecordFileTest() : chdir_(dir_.path()), faults_(engine::PosixFileSystem()) {}

    // Starts an engine on the fault-injecting file system and a record file on it.
    RecordFile& Start(FileDescription d = InvoiceLike()) {
        file_.reset();
        engine_ = std::make_unique<engine::Engine>(faults_);
        engine_->InitEngine(0, 30);
        file_ = std::make_unique<RecordFile>(*engine_, std::move(d), prompts_, nullptr);
        return *file_;
    }

    // A file holding `records`, closed again.
    void Seed(const std::vector<Record>& records, FileDescription d = InvoiceLike()) {
        RecordFile& f = Start(std::move(d));
        ASSERT_TRUE(f.Create());
        ASSERT_TRUE(f.Open());
        for (const Record& r : records) {
            int32_t n = 0;
            ASSERT_TRUE(f.Add(r.data(), n));
        }
        ASSERT_TRUE(f.Close());
    }

    void ExpectQuestion(const char* text, bool yes) {
        prompts_.ExpectYesNo("Information", text, yes, base::PromptIcon::Information);
    }

    std::string Bytes(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    FaultInjectingFileSystem faults_;
    ScriptedPrompts prompts_;
    std::unique_ptr<engine::Engine> engine_;
    std::unique_ptr<RecordFile> file_;
};

const Record kAlpha = MakeRecord({"100", "C1", "K1", "S1", "N1", "R1"});
const Record kBeta = MakeRecord({"101", "C2", "K2", "S2", "N2", "R2"});

// ---- retrying calls -----------------------------------------------------------------------------

TEST_F(RecordFileTest, LockQuestionRepeatsOnNoAndGivesUpOnYes) {
    Seed({kAlpha});
    RecordFile& f = Start();
    ASSERT_TRUE(f.OpenReadOnly());
    // A write on a read-only block is a class-2 refusal: each No repeats the call at once.
    ExpectQuestion("Cannot get a lock.  Abort?", false);
    ExpectQuestion("Cannot get a lock.  Abort?", false);
    ExpectQuestion("Cannot get a lock.  Abort?", true);
    int32_t n = 0;
    EXPECT_FALSE(f.AddRecord(n, kBeta.data()));
    EXPECT_EQ(prompts_.shown().size(), 3u);
    // Class 1 (nothing found) is no lock conflict: no question.
    std::string key = "ZZZ";
    EXPECT_FALSE(f.SearchKey(1, n, key));
    EXPECT_EQ(prompts_.shown().size(), 3u);
}

TEST_F(RecordFileTest, PassingLockConflictSucceedsAfterNo) {
    Seed({kAlpha});
    RecordFile& f = Start();
    ASSERT_TRUE(f.OpenReadOnly());
    faults_.FailRead(1, FaultInjectingFileSystem::Repeat::Once);
    ExpectQuestion("Cannot get a lock.  Abort?", false);
    int32_t n = 0;
    std::string key = "100";
    EXPECT_TRUE(f.SearchKey(1, n, key));
    EXPECT_EQ(key, "100");
}

// ---- add ----------------------------------------------------------------------------------------

TEST_F(RecordFileTest, AddWritesRecordThenKeysInTheAddOrder) {
    std::vector<int> log;
    Seed({}, InvoiceLike(&log));
    RecordFile& f = Start(InvoiceLike(&log));
    ASSERT_TRUE(f.Open());
    log.clear();
    int32_t n = 0;
    ASSERT_TRUE(f.Add(kAlpha.data(), n));
    EXPECT_EQ(n, 1);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 4, 6, 5}));
    ExpectCoherent(f, {kAlpha});
}

TEST_F(RecordFileTest, AddWhoseLaterKeyFailsLeavesNeitherRecordNorEarlierKeys) {
    Seed({kAlpha});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    // Key 2 holds 8 characters; nine make the engine refuse it after key 1 was added.
    const Record tooLong = MakeRecord({"102", "CUSTOMER9", "K", "S", "N", "R"});
    int32_t n = 0;
    EXPECT_FALSE(f.Add(tooLong.data(), n));
    ExpectCoherent(f, {kAlpha});
    // The freed slot is taken again: nothing was left behind in the data file.
    ASSERT_TRUE(f.Add(kBeta.data(), n));
    EXPECT_EQ(n, 2);
}

// ---- update -------------------------------------------------------------------------------------

TEST_F(RecordFileTest, UnchangedRecordWritesNothing) {
    Seed({kAlpha});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    const int64_t writes = faults_.writes();
    EXPECT_EQ(f.Update(1, kAlpha.data(), kAlpha.data()), UpdateOutcome::Unchanged);
    EXPECT_EQ(faults_.writes(), writes);
}

TEST_F(RecordFileTest, UpdateReplacesOnlyChangedKeysInTheUpdateOrder) {
    std::vector<int> log;
    Seed({kAlpha, kBeta}, InvoiceLike(&log));
    RecordFile& f = Start(InvoiceLike(&log));
    ASSERT_TRUE(f.Open());
    const Record changed = MakeRecord({"100", "C9", "K1", "S1", "N9", "R1"});
    log.clear();
    EXPECT_EQ(f.Update(1, changed.data(), kAlpha.data()), UpdateOutcome::Written);
    // Old and new key of each key number, in the order 1, 3, 4, 5, 6, 2.
    EXPECT_EQ(log, (std::vector<int>{1, 1, 3, 3, 4, 4, 5, 5, 6, 6, 2, 2}));
    ExpectCoherent(f, {changed, kBeta});
}

TEST_F(RecordFileTest, UpdateWithoutKeyChangesLeavesTheIndexFileUntouched) {
    Seed({kAlpha, kBeta});
    const std::string indexBefore = Bytes("9I.IX");
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    Record changed = kAlpha;
    changed[kRecordLength - 1] = 'x';  // beyond every key field
    EXPECT_EQ(f.Update(1, changed.data(), kAlpha.data()), UpdateOutcome::Written);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(Bytes("9I.IX"), indexBefore);
    ASSERT_TRUE(f.Open());
    ExpectCoherent(f, {changed, kBeta});
}

TEST_F(RecordFileTest, UpdateOfARecordDeletedMeanwhileWritesNothing) {
    Seed({kAlpha, kBeta});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    ASSERT_TRUE(f.Delete(1, kAlpha.data()));
    const Record changed = MakeRecord({"100", "C9"});
    EXPECT_EQ(f.Update(1, changed.data(), kAlpha.data()), UpdateOutcome::RecordGone);
    ExpectCoherent(f, {kBeta});
}

TEST_F(RecordFileTest, UpdateOfARecordChangedMeanwhileSaysSoAndWritesNothing) {
    Seed({kAlpha});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    const Record other = MakeRecord({"100", "C7", "K1", "S1", "N1", "R1"});
    ASSERT_EQ(f.Update(1, other.data(), kAlpha.data()), UpdateOutcome::Written);
    prompts_.ExpectInform("KT Invorra Pro", "The record has changed in the meantime.");
    const Record mine = MakeRecord({"100", "C8", "K1", "S1", "N1", "R1"});
    EXPECT_EQ(f.Update(1, mine.data(), kAlpha.data()), UpdateOutcome::ChangedMeanwhile);
    ExpectCoherent(f, {other});
}

TEST_F(RecordFileTest, UpdateWhoseNewKeyFailsChangesEarlierKeysBack) {
    Seed({kAlpha, kBeta});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    // Keys 1, 3, 4, 5 and 6 change first; key 2 (updated last) is refused as too long.
    const Record bad = MakeRecord({"109", "CUSTOMER9", "K9", "S9", "N9", "R9"});
    EXPECT_EQ(f.Update(1, bad.data(), kAlpha.data()), UpdateOutcome::Failed);
    ExpectCoherent(f, {kAlpha, kBeta});
}

// ---- delete -------------------------------------------------------------------------------------

TEST_F(RecordFileTest, DeleteRemovesKeysAndRecord) {
    Seed({kAlpha, kBeta});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    EXPECT_TRUE(f.Delete(1, kAlpha.data()));
    ExpectCoherent(f, {kBeta});
}

TEST_F(RecordFileTest, DeleteWhoseKeyIsMissingPutsBackTheKeysAndKeepsTheRecord) {
    Seed({kAlpha, kBeta});
    RecordFile& f = Start();
    ASSERT_TRUE(f.Open());
    // The caller's copy differs from the stored record in key 3, which therefore is not found.
    const Record stale = MakeRecord({"100", "C1", "K7", "S1", "N1", "R1"});
    EXPECT_FALSE(f.Delete(1, stale.data()));
    ExpectCoherent(f, {kAlpha, kBeta});
}

// ---- open with repair and rebuild ---------------------------------------------------------------

class RecordingObserver : public engine::RebuildObserver {
public:
    void RebuildStarted(const std::string& caption) override {
        events.push_back("start " + caption);
    }
    void RebuildProgress(int key, int32_t read, int32_t written) override {
        events.push_back(std::to_string(key) + ":" + std::to_string(read) + "/" +
                         std::to_string(written));
    }
    void RebuildFinished() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST_F(RecordFileTest, MissingFileIsCreatedAfterItsNotice) {
    RecordFile& f = Start();
    prompts_.ExpectInform("New Company",
                          "I am going to create a new, empty invoice file for this company.");
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(engine_->UsedRecords(f.handle()), 0);
    EXPECT_EQ(engine_->KeyCount(f.handle()), 6);

    FileDescription lines = InvoiceLike();  // a file without a notice is created silently
    lines.name = "9D";
    lines.creationNotice.clear();
    EXPECT_TRUE(Start(lines).Open());
    EXPECT_EQ(prompts_.shown().size(), 1u);
}

TEST_F(RecordFileTest, FileLeftOpenAsksForRebuildAndOpensAfterIt) {
    Seed({kAlpha, kBeta});
    {
        // A process that ends without closing leaves the in-use flag set.
        RecordFile& f = Start();
        ASSERT_TRUE(f.Open());
        ASSERT_TRUE(f.Delete(1, kAlpha.data()));
        std::fstream data("9I.DAT", std::ios::in | std::ios::out | std::ios::binary);
        file_.reset();
        engine_.reset();
        data.seekp(20);
        data.put(1);
    }
    RecordingObserver observer;
    engine_ = std::make_unique<engine::Engine>(faults_);
    engine_->InitEngine(0, 30);
    RecordFile f(*engine_, InvoiceLike(), prompts_, &observer);
    ExpectQuestion("Index file is defective.  Rebuild?", false);
    EXPECT_FALSE(f.Open());
    ExpectQuestion("Index file is defective.  Rebuild?", true);
    ASSERT_TRUE(f.Open());
    ExpectCoherent(f, {kBeta});
    ASSERT_GE(observer.events.size(), 3u);
    EXPECT_EQ(observer.events.front(), "start Invoices");
    EXPECT_EQ(observer.events.back(), "end");
    EXPECT_NE(std::find(observer.events.begin(), observer.events.end(), "6:1/1"),
              observer.events.end());
}

TEST_F(RecordFileTest, HeaderWithAnotherKeyCountIsTreatedAsDefective) {
    FileDescription oneKey = InvoiceLike();
    oneKey.keys.resize(1);
    oneKey.addOrder = oneKey.updateOrder = {1};
    Seed({kAlpha}, oneKey);
    RecordFile& f = Start();
    ExpectQuestion("Index file is defective.  Rebuild?", true);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(engine_->KeyCount(f.handle()), 6);
    ExpectCoherent(f, {kAlpha});
}

// ---- failing disk -------------------------------------------------------------------------------

enum class Io { Read, Write };
enum class Operation { Add, Update, Delete };

struct FaultCase {
    Io io;
    Operation operation;
};

class RecordFileFaultTest : public RecordFileTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    void Arm(int64_t nth, FaultInjectingFileSystem::Repeat repeat) {
        if (GetParam().io == Io::Read)
            faults_.FailRead(nth, repeat);
        else
            faults_.FailWrite(nth, repeat);
    }

    // Runs the operation; answers whether it reported success, and gives the records the file
    // holds after a success and after a failure.
    bool Run(RecordFile& f, std::vector<Record>& after, std::vector<Record>& unchanged) {
        const Record changed = MakeRecord({"108", "C8", "K8", "S8", "N8", "R8"});
        unchanged = {kAlpha, kBeta};
        int32_t n = 0;
        switch (GetParam().operation) {
            case Operation::Add:
                after = {kAlpha, kBeta, changed};
                return f.Add(changed.data(), n);
            case Operation::Update:
                after = {changed, kBeta};
                return f.Update(1, changed.data(), kAlpha.data()) == UpdateOutcome::Written;
            case Operation::Delete:
                after = {kBeta};
                return f.Delete(1, kAlpha.data());
        }
        return false;
    }

    // Reopens the file on a healthy disk, rebuilding it when its in-use flag is still set.
    RecordFile& Reopen() {
        faults_.Clear();
        file_.reset();
        engine_.reset();
        const std::string data = Bytes("9I.DAT");
        if (data.size() > 20 && data[20] != 0)
            ExpectQuestion("Index file is defective.  Rebuild?", true);
        RecordFile& f = Start();
        EXPECT_TRUE(f.Open());
        prompts_.Verify();
        return f;
    }

    // Fails the Nth read or write of the operation (once, or from then on), for N = 1, 2, ... until
    // the operation no longer reaches an Nth call. The file then holds whole records with all their
    // keys, as the operation reported: unchanged after a failure, changed after a success. Only a
    // disk that refuses everything from some call on may keep a failed change (its undo could not
    // be written either); the rebuild at the next open then makes it whole.
    void Sweep(FaultInjectingFileSystem::Repeat repeat) {
        for (int64_t nth = 1;; ++nth) {
            SCOPED_TRACE("failing call " + std::to_string(nth));
            Seed({kAlpha, kBeta});
            RecordFile& f = Start();
            ASSERT_TRUE(f.Open());
            const int64_t faultsBefore = faults_.faultsInjected();
            Arm(nth, repeat);
            std::vector<Record> after, unchanged;
            const bool ok = Run(f, after, unchanged);
            const bool fired = faults_.faultsInjected() > faultsBefore;
            std::vector<Record> expected = ok ? after : unchanged;
            if (repeat == FaultInjectingFileSystem::Repeat::Once) {
                faults_.Clear();
                ExpectCoherent(f, expected);
            }
            RecordFile& reopened = Reopen();
            if (repeat == FaultInjectingFileSystem::Repeat::FromThenOn &&
                LiveSet(reopened) == std::multiset<Record>(after.begin(), after.end()))
                expected = after;
            ExpectCoherent(reopened, expected);
            if (!fired) break;
        }
    }
};

TEST_P(RecordFileFaultTest, SingleFailureLeavesAllOrNothing) {
    Sweep(FaultInjectingFileSystem::Repeat::Once);
}

TEST_P(RecordFileFaultTest, PersistentFailureIsReportedAndRepairable) {
    Sweep(FaultInjectingFileSystem::Repeat::FromThenOn);
}

std::string FaultCaseName(const ::testing::TestParamInfo<FaultCase>& info) {
    static const char* const kOperations[] = {"Add", "Update", "Delete"};
    return std::string(kOperations[static_cast<int>(info.param.operation)]) +
           (info.param.io == Io::Read ? "Read" : "Write");
}

INSTANTIATE_TEST_SUITE_P(AddUpdateDelete, RecordFileFaultTest,
                         ::testing::Values(FaultCase{Io::Read, Operation::Add},
                                           FaultCase{Io::Write, Operation::Add},
                                           FaultCase{Io::Read, Operation::Update},
                                           FaultCase{Io::Write, Operation::Update},
                                           FaultCase{Io::Read, Operation::Delete},
                                           FaultCase{Io::Write, Operation::Delete}),
                         FaultCaseName);

}  // namespace
