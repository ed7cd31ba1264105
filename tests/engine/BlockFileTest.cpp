#include "engine/BlockFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <span>

#include "engine/FaultInjectingFileSystem.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

using engine::BlockFile;
using engine::FaultInjectingFileSystem;
using engine::FileDescription;
using engine::UpdateOutcome;
using Record = std::vector<uint8_t>;
using Repeat = FaultInjectingFileSystem::Repeat;

// The deletion mark, then six 10-byte text fields; key N is field N.
constexpr int kRecordLength = 64;
constexpr const char* kLockQuestion = "Cannot get a lock.  Abort?";
constexpr const char* kRebuildQuestion = "Index file is defective.  Rebuild?";

std::span<const std::byte> Bytes(const Record& record) {
    return std::as_bytes(std::span(record));
}

Record MakeRecord(std::vector<std::string> fields) {
    Record r(kRecordLength, 0);
    for (size_t i = 0; i < fields.size(); ++i)
        std::memcpy(r.data() + 4 + 10 * i, fields[i].data(),
                    std::min<size_t>(10, fields[i].size()));
    return r;
}

FileDescription InvoiceLike(std::vector<int>* builderLog = nullptr) {
    FileDescription d;
    d.name = "9I";
    d.statusCaption = "Invoices";
    d.recordLength = kRecordLength;
    d.keys = {{9, true}, {8, true}, {10, true}, {10, true}, {10, true}, {10, true}};
    // A field longer than its key is passed on whole, so the engine refuses it.
    d.buildKey = [builderLog](std::span<const std::byte> record, int keyNumber) {
        if (builderLog) builderLog->push_back(keyNumber);
        const char* p = reinterpret_cast<const char*>(record.data()) + 4 + 10 * (keyNumber - 1);
        return std::string(p, strnlen(p, 10));
    };
    d.addOrder = {1, 2, 3, 4, 6, 5};
    d.updateOrder = {1, 3, 4, 5, 6, 2};
    d.creationNotice = "I am going to create a new, empty invoice file for this company.";
    return d;
}

std::map<int32_t, Record> LiveRecords(BlockFile& file) {
    std::map<int32_t, Record> records;
    engine::Engine& e = file.engine();
    for (int32_t n = 0;;) {
        e.NextUsedRecord(file.handle(), n);
        if (!e.ok()) return records;
        records[n].resize(kRecordLength);
        e.GetRecord(file.handle(), n, std::as_writable_bytes(std::span(records[n])));
    }
}

std::multiset<Record> LiveSet(BlockFile& file) {
    std::multiset<Record> records;
    for (const auto& [n, r] : LiveRecords(file)) records.insert(r);
    return records;
}

// The live records are `expected` (record numbers may be reused) and every index holds exactly
// their keys.
void ExpectCoherent(BlockFile& file, const std::vector<Record>& expected) {
    engine::Engine& e = file.engine();
    const auto live = LiveRecords(file);
    EXPECT_EQ(LiveSet(file), std::multiset<Record>(expected.begin(), expected.end()));
    for (int key = 1; key <= file.description().keyCount(); ++key) {
        std::set<std::pair<std::string, int32_t>> wanted, found;
        for (const auto& [n, r] : live) wanted.insert({file.BuildKey(Bytes(r), key), n});
        int32_t n = 0;
        std::string k;
        for (e.SearchKey(file.handle(), key, n, k); e.ok(); e.NextKey(file.handle(), key, n, k))
            found.insert({k, n});
        EXPECT_EQ(found, wanted) << "key " << key;
    }
}

class BlockFileTest : public ::testing::Test {
protected:
    BlockFileTest() : chdir_(dir_.path()), faults_(engine::PosixFileSystem()) {}

    BlockFile& Start(FileDescription d = InvoiceLike()) {
        file_.reset();
        engine_ = std::make_unique<engine::Engine>(faults_);
        engine_->InitEngine(0, 30);
        file_ = std::make_unique<BlockFile>(*engine_, std::move(d), prompts_, nullptr);
        return *file_;
    }

    // Creates the file holding `records` and opens it again.
    BlockFile& Seed(const std::vector<Record>& records, FileDescription d = InvoiceLike()) {
        BlockFile& f = Start(d);
        EXPECT_TRUE(f.Create());
        EXPECT_TRUE(f.Open());
        for (const Record& r : records) {
            int32_t n = 0;
            EXPECT_TRUE(f.Add(Bytes(r), n));
        }
        EXPECT_TRUE(f.Close());
        BlockFile& reopened = Start(std::move(d));
        EXPECT_TRUE(reopened.Open());
        return reopened;
    }

    void ExpectQuestion(const char* text, bool yes) {
        prompts_.ExpectYesNo("Information", text, yes, base::PromptIcon::Information);
    }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    FaultInjectingFileSystem faults_;
    testsupport::ScriptedPrompts prompts_;
    std::unique_ptr<engine::Engine> engine_;
    std::unique_ptr<BlockFile> file_;
};

const Record kAlpha = MakeRecord({"100", "C1", "K1", "S1", "N1", "R1"});
const Record kBeta = MakeRecord({"101", "C2", "K2", "S2", "N2", "R2"});

TEST_F(BlockFileTest, LockQuestionRepeatsOnNoAndGivesUpOnYes) {
    ASSERT_TRUE(Seed({kAlpha}).Close());
    BlockFile& f = Start();
    ASSERT_TRUE(f.OpenReadOnly());
    // A conflict that passes: the repeated call succeeds after No.
    faults_.FailRead(1, Repeat::Once);
    ExpectQuestion(kLockQuestion, false);
    int32_t n = 0;
    std::string key = "100";
    EXPECT_TRUE(f.SearchKey(1, n, key));
    EXPECT_EQ(key, "100");
    // A write on a read-only block is a class-2 refusal.
    ExpectQuestion(kLockQuestion, false);
    ExpectQuestion(kLockQuestion, false);
    ExpectQuestion(kLockQuestion, true);
    EXPECT_FALSE(f.AddRecord(n, std::as_bytes(std::span(kBeta))));
    EXPECT_EQ(prompts_.shown().size(), 4u);
}

TEST_F(BlockFileTest, AddWritesKeysInOrderAndALaterKeyFailureLeavesNothing) {
    std::vector<int> log;
    BlockFile& f = Seed({kAlpha}, InvoiceLike(&log));
    log.clear();
    int32_t n = 0;
    ASSERT_TRUE(f.Add(Bytes(kBeta), n));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 4, 6, 5}));
    // Key 2 holds 8 characters; nine make the engine refuse it after key 1 was added.
    const Record tooLong = MakeRecord({"102", "CUSTOMER9", "K", "S", "N", "R"});
    EXPECT_FALSE(f.Add(Bytes(tooLong), n));
    ExpectCoherent(f, {kAlpha, kBeta});
    ASSERT_TRUE(f.Add(Bytes(kAlpha), n));
    EXPECT_EQ(n, 3);  // the slot taken by the failed add was given back
}

TEST_F(BlockFileTest, UpdateWritesOnlyWhatChangedAndNothingOverAnotherChange) {
    std::vector<int> log;
    BlockFile& f = Seed({kAlpha, kBeta}, InvoiceLike(&log));
    const int64_t writes = faults_.writes();
    EXPECT_EQ(f.Update(1, Bytes(kAlpha), Bytes(kAlpha)), UpdateOutcome::Unchanged);
    EXPECT_EQ(faults_.writes(), writes);
    const Record changed = MakeRecord({"100", "C9", "K1", "S1", "N9", "R1"});
    log.clear();
    EXPECT_EQ(f.Update(1, Bytes(changed), Bytes(kAlpha)), UpdateOutcome::Written);
    EXPECT_EQ(log, (std::vector<int>{1, 1, 3, 3, 4, 4, 5, 5, 6, 6, 2, 2}));
    prompts_.ExpectInform("KT Invorra Pro", "The record has changed in the meantime.");
    const Record mine = MakeRecord({"100", "C8", "K1", "S1", "N1", "R1"});
    EXPECT_EQ(f.Update(1, Bytes(mine), Bytes(kAlpha)), UpdateOutcome::ChangedMeanwhile);
    ASSERT_TRUE(f.Delete(2, Bytes(kBeta)));
    EXPECT_EQ(f.Update(2, Bytes(mine), Bytes(kBeta)), UpdateOutcome::RecordGone);
    ExpectCoherent(f, {changed});
}

TEST_F(BlockFileTest, FailedKeyStepsOfUpdateAndDeleteAreUndone) {
    BlockFile& f = Seed({kAlpha, kBeta});
    // Keys 1, 3, 4, 5 and 6 change first; key 2, updated last, is refused as too long.
    const Record bad = MakeRecord({"109", "CUSTOMER9", "K9", "S9", "N9", "R9"});
    EXPECT_EQ(f.Update(1, Bytes(bad), Bytes(kAlpha)), UpdateOutcome::Failed);
    // A stale copy differing in key 3: that key is not found and the record stays.
    const Record stale = MakeRecord({"100", "C1", "K7", "S1", "N1", "R1"});
    EXPECT_FALSE(f.Delete(1, Bytes(stale)));
    ExpectCoherent(f, {kAlpha, kBeta});
}

TEST_F(BlockFileTest, MissingFileIsCreatedAfterItsNotice) {
    BlockFile& f = Start();
    prompts_.ExpectInform("New Company",
                          "I am going to create a new, empty invoice file for this company.");
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(engine_->KeyCount(f.handle()), 6);
}

TEST_F(BlockFileTest, FileLeftOpenAsksForRebuildAndOpensAfterIt) {
    ASSERT_TRUE(Seed({kAlpha, kBeta}).Delete(1, Bytes(kAlpha)));
    // A process that ends without closing leaves the in-use flag set.
    std::fstream data("9I.DAT", std::ios::in | std::ios::out | std::ios::binary);
    file_.reset();
    engine_.reset();
    data.seekp(20);
    data.put(1);
    data.close();
    BlockFile& f = Start();
    ExpectQuestion(kRebuildQuestion, false);
    EXPECT_FALSE(f.Open());
    ExpectQuestion(kRebuildQuestion, true);
    ASSERT_TRUE(f.Open());
    ExpectCoherent(f, {kBeta});
}

TEST_F(BlockFileTest, HeaderWithAnotherKeyCountAsksForRebuild) {
    FileDescription oneKey = InvoiceLike();
    oneKey.keys.resize(1);
    oneKey.addOrder = oneKey.updateOrder = {1};
    Seed({kAlpha}, oneKey);
    BlockFile& f = Start();
    ExpectQuestion(kRebuildQuestion, true);
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(engine_->KeyCount(f.handle()), 6);
    ExpectCoherent(f, {kAlpha});
}

enum class Operation { Add, Update, Delete };
struct FaultCase {
    bool read;
    Operation operation;
    Repeat repeat;
};

class BlockFileFaultTest : public BlockFileTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    // Runs the operation; `after` receives the records a success leaves.
    bool Run(BlockFile& f, std::vector<Record>& after) {
        const Record changed = MakeRecord({"108", "C8", "K8", "S8", "N8", "R8"});
        int32_t n = 0;
        switch (GetParam().operation) {
            case Operation::Add:
                after = {kAlpha, kBeta, changed};
                return f.Add(Bytes(changed), n);
            case Operation::Update:
                after = {changed, kBeta};
                return f.Update(1, Bytes(changed), Bytes(kAlpha)) == UpdateOutcome::Written;
            case Operation::Delete:
                after = {kBeta};
                return f.Delete(1, Bytes(kAlpha));
        }
        return false;
    }
};

// Fails the Nth read or write of the operation for N = 1, 2, ... until none is met. The file then
// holds whole records with all their keys, as reported. Only a disk refusing everything from some
// call on may keep a failed change (its undo failed too); the rebuild at reopening completes it.
TEST_P(BlockFileFaultTest, FailureLeavesAllOrNothing) {
    const FaultCase c = GetParam();
    for (int64_t nth = 1;; ++nth) {
        SCOPED_TRACE("failing call " + std::to_string(nth));
        BlockFile& f = Seed({kAlpha, kBeta});
        const int64_t faultsBefore = faults_.faultsInjected();
        if (c.read)
            faults_.FailRead(nth, c.repeat);
        else
            faults_.FailWrite(nth, c.repeat);
        std::vector<Record> after;
        const bool ok = Run(f, after);
        const bool fired = faults_.faultsInjected() > faultsBefore;
        std::vector<Record> expected = ok ? after : std::vector<Record>{kAlpha, kBeta};
        faults_.Clear();
        if (c.repeat == Repeat::Once) ExpectCoherent(f, expected);
        file_.reset();
        engine_.reset();
        std::ifstream data("9I.DAT", std::ios::binary);
        if (data.seekg(20).get() != 0) ExpectQuestion(kRebuildQuestion, true);
        BlockFile& reopened = Start();
        EXPECT_TRUE(reopened.Open());
        prompts_.Verify();
        if (c.repeat == Repeat::FromThenOn &&
            LiveSet(reopened) == std::multiset<Record>(after.begin(), after.end()))
            expected = after;
        ExpectCoherent(reopened, expected);
        if (!fired) break;
    }
}

std::vector<FaultCase> AllFaultCases() {
    std::vector<FaultCase> cases;
    for (Repeat repeat : {Repeat::Once, Repeat::FromThenOn})
        for (Operation operation : {Operation::Add, Operation::Update, Operation::Delete})
            for (bool read : {true, false}) cases.push_back({read, operation, repeat});
    return cases;
}

std::string FaultCaseName(const ::testing::TestParamInfo<FaultCase>& info) {
    static const char* const kOperations[] = {"Add", "Update", "Delete"};
    return std::string(kOperations[static_cast<int>(info.param.operation)]) +
           (info.param.read ? "Read" : "Write") +
           (info.param.repeat == Repeat::Once ? "Once" : "FromThenOn");
}

INSTANTIATE_TEST_SUITE_P(AddUpdateDelete, BlockFileFaultTest, ::testing::ValuesIn(AllFaultCases()),
                         FaultCaseName);

}  // namespace
