// Tens of thousands of mixed record and key operations checked against an in-memory reference:
// after every reopen each tree must be sound and walk in the reference order, and every record
// must read back as written. Small page capacities and a small pool force deep trees, every
// balance and merge case, and constant eviction of dirty pages.

#include <map>
#include <random>
#include <set>

#include "EngineFixture.h"
#include "IndexImage.h"

namespace enginetest {
namespace {

constexpr int kRecordLength = 48;
using Entries = std::set<std::pair<std::string, int32_t>>;

struct Scenario {
    int capacity;
    int buffers;
    int operations;
};

// Rewrites row 0 of a fresh index file so its trees use `capacity` items per page.
void UseCapacity(const std::string& indexPath, const std::vector<KeyDescriptor>& keys,
                 int capacity) {
    std::vector<uint8_t> row;
    for (const auto& key : keys) {
        std::vector<uint8_t> slot(static_cast<size_t>(6 + capacity * (key.length + 9)), 0);
        PutI32(slot, 0, -1);
        PutI32(slot, 12, static_cast<int32_t>(slot.size()));
        slot[20] = key.duplicates ? 1 : 0;
        slot[26] = static_cast<uint8_t>(capacity);
        row.insert(row.end(), slot.begin(), slot.end());
    }
    WriteFileBytes(indexPath, row);
}

class RandomizedTest : public EngineTest, public ::testing::WithParamInterface<Scenario> {
protected:
    const std::vector<KeyDescriptor> keys_ = {{10, false}, {3, true}, {30, true}};

    std::string KeyOf(int keyNumber, const std::vector<uint8_t>& record) const {
        const char* text = reinterpret_cast<const char*>(record.data()) + 4;
        if (keyNumber == 1) return std::string(text, 10);
        if (keyNumber == 2) return std::string(text + 10, 3);
        return std::string(text + 13, 30);
    }

    std::vector<uint8_t> MakeRecord(std::mt19937& rng, int serial) {
        std::vector<uint8_t> record(kRecordLength, 0);
        char text[48];
        std::snprintf(text, sizeof text, "U%09d", serial * 7919 % 1000003);
        std::copy(text, text + 10, record.begin() + 4);
        const char* groups = "ABC";
        record[14] = static_cast<uint8_t>(groups[rng() % 3]);
        record[15] = static_cast<uint8_t>('0' + rng() % 4);
        record[16] = static_cast<uint8_t>('0' + rng() % 2);
        for (int i = 0; i < 30; ++i) record[17 + i] = static_cast<uint8_t>('a' + rng() % 3);
        return record;
    }

    void Reopen(FileBlockHandle& fb) {
        engine_.CloseFileBlock(fb);
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        const IndexImage image(ReadFileBytes(path("R.IX")), 3);
        for (int k = 1; k <= 3; ++k) {
            std::vector<std::pair<std::string, int32_t>> walked;
            ASSERT_EQ(CheckTree(image, k, &walked), "") << "key " << k;
            ASSERT_EQ(Entries(walked.begin(), walked.end()), reference_[k - 1]) << "key " << k;
        }
        engine_.OpenFileBlock(fb, "R");
        ASSERT_TRUE(engine_.ok()) << engine_.error();
    }

    void CheckWalks(FileBlockHandle fb) {
        for (int k = 1; k <= 3; ++k) {
            std::string key;
            int32_t record = 0;
            auto expected = reference_[k - 1].begin();
            for (;; ++expected) {
                engine_.NextKey(fb, k, record, key);
                if (!engine_.ok()) break;
                ASSERT_NE(expected, reference_[k - 1].end());
                ASSERT_EQ(std::make_pair(key, record), *expected);
            }
            EXPECT_EQ(engine_.error(), 10250);
            EXPECT_EQ(expected, reference_[k - 1].end());
            auto back = reference_[k - 1].rbegin();
            for (;; ++back) {
                engine_.PrevKey(fb, k, record, key);
                if (!engine_.ok()) break;
                ASSERT_EQ(std::make_pair(key, record), *back);
            }
            EXPECT_EQ(back, reference_[k - 1].rend());
        }
        int32_t n = 0;
        auto live = records_.begin();
        for (engine_.NextUsedRecord(fb, n); engine_.ok(); engine_.NextUsedRecord(fb, n), ++live) {
            ASSERT_NE(live, records_.end());
            ASSERT_EQ(n, live->first);
            std::vector<uint8_t> buffer(kRecordLength);
            engine_.GetRecord(fb, n, buffer.data());
            ASSERT_EQ(buffer, live->second);
        }
        EXPECT_EQ(live, records_.end());
        EXPECT_EQ(engine_.UsedRecords(fb), static_cast<int32_t>(records_.size()));
    }

    std::array<Entries, 3> reference_;
    std::map<int32_t, std::vector<uint8_t>> records_;
};

TEST_P(RandomizedTest, MixedOperationsMatchTheReference) {
    const Scenario scenario = GetParam();
    engine_.ExitEngine();
    engine_.InitEngine(0, scenario.buffers);
    engine_.CreateFileBlock("R", kRecordLength, 3, keys_.data());
    if (scenario.capacity != 62) UseCapacity(path("R.IX"), keys_, scenario.capacity);
    FileBlockHandle fb = nullptr;
    engine_.OpenFileBlock(fb, "R");
    ASSERT_TRUE(engine_.ok());

    std::mt19937 rng(20240 + scenario.capacity);
    int serial = 0;
    for (int op = 1; op <= scenario.operations; ++op) {
        const int choice = static_cast<int>(rng() % 100);
        // The file grows towards ~1500 live records, then hovers around it.
        const bool grow = records_.size() < 1500 ? choice < 55 : choice < 35;
        if (grow || records_.empty()) {
            const auto record = MakeRecord(rng, ++serial);
            int32_t number = 0;
            engine_.AddRecord(fb, number, record.data());
            ASSERT_TRUE(engine_.ok());
            for (int k = 1; k <= 3; ++k) {
                engine_.AddKey(fb, k, number, KeyOf(k, record));
                ASSERT_TRUE(engine_.ok()) << "add key " << k << ": " << engine_.error();
                reference_[k - 1].emplace(KeyOf(k, record), number);
            }
            records_[number] = record;
        } else if (choice < 75) {
            auto victim = records_.begin();
            std::advance(victim, static_cast<long>(rng() % records_.size()));
            for (int k = 1; k <= 3; ++k) {
                engine_.DeleteKey(fb, k, victim->first, KeyOf(k, victim->second));
                ASSERT_TRUE(engine_.ok()) << "delete key " << k << ": " << engine_.error();
                reference_[k - 1].erase({KeyOf(k, victim->second), victim->first});
            }
            engine_.DeleteRecord(fb, victim->first);
            ASSERT_TRUE(engine_.ok());
            records_.erase(victim);
        } else if (choice < 85) {
            // Change key 3 of a record: a caller deletes the old key and adds the new one.
            auto target = records_.begin();
            std::advance(target, static_cast<long>(rng() % records_.size()));
            auto changed = target->second;
            for (int i = 0; i < 30; ++i) changed[17 + i] = static_cast<uint8_t>('a' + rng() % 3);
            engine_.DeleteKey(fb, 3, target->first, KeyOf(3, target->second));
            ASSERT_TRUE(engine_.ok());
            reference_[2].erase({KeyOf(3, target->second), target->first});
            engine_.AddKey(fb, 3, target->first, KeyOf(3, changed));
            ASSERT_TRUE(engine_.ok());
            reference_[2].emplace(KeyOf(3, changed), target->first);
            engine_.PutRecord(fb, target->first, changed.data());
            ASSERT_TRUE(engine_.ok());
            target->second = changed;
        } else {
            // Search a random key and step a little, as a browser does.
            const int k = 1 + static_cast<int>(rng() % 3);
            std::string key = KeyOf(k, MakeRecord(rng, static_cast<int>(rng() % (serial + 1))));
            key.resize(1 + rng() % key.size());
            int32_t record = 0;
            const auto expected = reference_[k - 1].lower_bound({key, 0});
            engine_.SearchKey(fb, k, record, key);
            if (expected == reference_[k - 1].end()) {
                ASSERT_EQ(engine_.error(), 10210);
                continue;
            }
            ASSERT_TRUE(engine_.ok());
            ASSERT_EQ(std::make_pair(key, record), *expected);
            auto next = std::next(expected);
            engine_.NextKey(fb, k, record, key);
            if (next == reference_[k - 1].end()) {
                ASSERT_EQ(engine_.error(), 10250);
            } else {
                ASSERT_EQ(std::make_pair(key, record), *next);
            }
        }
        if (op % 5000 == 0) {
            Reopen(fb);
            if (HasFatalFailure()) return;
        }
    }
    CheckWalks(fb);
    Reopen(fb);
    CheckWalks(fb);
    engine_.CloseFileBlock(fb);
}

INSTANTIATE_TEST_SUITE_P(Capacities, RandomizedTest,
                         ::testing::Values(Scenario{62, 30, 40000}, Scenario{6, 8, 25000},
                                           Scenario{5, 12, 25000}),
                         [](const auto& info) {
                             return "Capacity" + std::to_string(info.param.capacity) + "Buffers" +
                                    std::to_string(info.param.buffers);
                         });

}  // namespace
}  // namespace enginetest
