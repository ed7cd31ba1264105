// A posting's journal: what it keeps puts the data file back byte for byte, a torn last entry is
// ignored, a journal its writer still holds is left alone, and a finished posting keeps its
// writes.
#include "engine/Journal.h"

#include <functional>

#include "EngineFixture.h"

namespace enginetest {
namespace {

constexpr int kLength = 32;

class JournalTest : public EngineTest {
protected:
    // Block "J" with five records of which 2 and 4 are deleted (two slots on the free chain),
    // closed: its data file as it stands is the posting's starting point.
    void Prepare() {
        FileBlockHandle fb = CreateOpen("J", kLength);
        for (const char* text : {"one", "two", "three", "four", "five"}) Add(fb, text);
        for (int32_t n : {2, 4}) engine_.DeleteRecord(fb, n);
        engine_.CloseFileBlock(fb);
        ASSERT_TRUE(engine_.ok());
        before_ = ReadFileBytes(path("J.DAT"));
    }

    // Runs `posting` on the open block inside a journal that its process never finishes.
    void Interrupt(const std::function<void(FileBlockHandle)>& posting) {
        FileBlockHandle fb = Open("J");
        engine_.BeginJournal("testing");
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        posting(fb);
        engine_.AbandonJournal();
        engine_.CloseFileBlock(fb);
    }

    void Put(FileBlockHandle fb, int32_t n, const std::string& text) {
        const auto record = Record(kLength, text);
        engine_.PutRecord(fb, n, std::as_bytes(std::span(record)));
        ASSERT_TRUE(engine_.ok());
    }

    // The data file after the rollback equals the one before the posting, but for the in-use flag
    // that asks for the index to be rebuilt.
    void ExpectRestored() {
        engine::JournalRollback rollback;
        ASSERT_EQ(engine::RollBackJournal(engine_.fileSystem(), rollback),
                  engine::JournalState::Restored);
        EXPECT_EQ(rollback.description, "testing");
        EXPECT_EQ(rollback.blockNames, std::vector<std::string>{"J"});
        std::vector<uint8_t> after = ReadFileBytes(path("J.DAT"));
        ASSERT_EQ(after.size(), before_.size());
        EXPECT_EQ(after[engine::kInUseOffset], engine::kInUseByChange);
        after[engine::kInUseOffset] = before_[engine::kInUseOffset];
        EXPECT_EQ(after, before_);
    }

    std::vector<uint8_t> before_;
};

TEST_F(JournalTest, RollBackPutsTheDataFileBackByteForByte) {
    const std::pair<const char*, std::function<void(FileBlockHandle)>> postings[] = {
        {"adds into the free slots and past the end",
         [this](FileBlockHandle fb) {
             for (const char* text : {"six", "seven", "eight"}) Add(fb, text);
         }},
        {"updates, one twice",
         [this](FileBlockHandle fb) {
             Put(fb, 1, "ONE");
             Put(fb, 5, "FIVE");
             Put(fb, 1, "UNO");
         }},
        {"a delete whose slot the next add takes",
         [this](FileBlockHandle fb) {
             engine_.DeleteRecord(fb, 3);
             Add(fb, "nine");
             Add(fb, "ten");
         }},
    };
    for (const auto& [name, posting] : postings) {
        SCOPED_TRACE(name);
        Prepare();
        Interrupt(posting);
        ExpectRestored();
        ASSERT_EQ(engine::RemoveJournal(engine_.fileSystem()), engine::kPlatformOk);
    }
}

TEST_F(JournalTest, ATornLastEntryIsIgnored) {
    Prepare();
    Interrupt([&](FileBlockHandle fb) { Put(fb, 1, "ONE"); });
    std::vector<uint8_t> journal = ReadFileBytes(engine::kJournalFileName);
    // An entry announcing 60 bytes of which only three arrived, as a cut-off append leaves it.
    journal.insert(journal.end(), {60, 0, 0, 0, 'S', 0, 0});
    WriteFileBytes(engine::kJournalFileName, journal);
    ExpectRestored();
}

TEST_F(JournalTest, AJournalItsWriterStillHoldsIsLeftAlone) {
    Prepare();
    FileBlockHandle fb = Open("J");
    engine_.BeginJournal("testing");
    Put(fb, 1, "ONE");
    engine::JournalRollback rollback;
    EXPECT_EQ(engine::RollBackJournal(engine_.fileSystem(), rollback), engine::JournalState::Busy);
    engine_.BeginJournal("a second one");
    EXPECT_EQ(engine_.error(), engine::err::kPostingRunning);
    engine_.EndJournal();
    ASSERT_TRUE(engine_.ok());
    engine_.CloseFileBlock(fb);
    EXPECT_FALSE(std::filesystem::exists(engine::kJournalFileName));
    EXPECT_EQ(engine::RollBackJournal(engine_.fileSystem(), rollback), engine::JournalState::None);
    EXPECT_EQ(ReadFileBytes(path("J.DAT"))[kLength + 4], 'O');
}

TEST_F(JournalTest, AJournalLeftBehindRefusesTheNextPosting) {
    Prepare();
    Interrupt([&](FileBlockHandle fb) { Put(fb, 1, "ONE"); });
    engine_.BeginJournal("next");
    EXPECT_EQ(engine_.error(), engine::err::kJournalLeft);
}

}  // namespace
}  // namespace enginetest
