// Mixed operations against an in-memory reference; small pages and pools force deep trees.

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <span>

#include "EngineFixture.h"

namespace enginetest {
namespace {

constexpr int kRecordLength = 48;

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

    static std::string KeyOf(int k, const std::vector<uint8_t>& record) {
        static const int kOffsets[] = {4, 14, 17}, kLengths[] = {10, 3, 30};
        return std::string(reinterpret_cast<const char*>(record.data()) + kOffsets[k - 1],
                           static_cast<size_t>(kLengths[k - 1]));
    }

    std::vector<uint8_t> MakeRecord(std::mt19937& rng, int serial) {
        std::vector<uint8_t> record(kRecordLength, 0);
        char text[16];
        std::snprintf(text, sizeof text, "U%09d", serial * 7919 % 1000003);
        std::copy(text, text + 10, record.begin() + 4);
        record[14] = static_cast<uint8_t>("ABC"[rng() % 3]);
        record[15] = static_cast<uint8_t>('0' + rng() % 4);
        record[16] = static_cast<uint8_t>('0' + rng() % 2);
        RandomizeKey3(rng, record);
        return record;
    }

    static void RandomizeKey3(std::mt19937& rng, std::vector<uint8_t>& record) {
        for (int i = 0; i < 30; ++i) record[17 + i] = static_cast<uint8_t>('a' + rng() % 3);
    }

    // Closes, checks the files with the checker and reopens; every tree must then walk both ways
    // in the reference order and every record read back as written.
    void ReopenAndCompare(FileBlockHandle& fb) {
        engine_.CloseFileBlock(fb);
        ASSERT_TRUE(engine_.ok()) << engine_.error();
        ASSERT_EQ(CheckBlock("R"), "");
        fb = Open("R");
        ASSERT_TRUE(engine_.ok());
        for (int k = 1; k <= 3; ++k) {
            const auto& expected = reference_[k - 1];
            std::vector<std::pair<std::string, int32_t>> forward, backward;
            std::string key;
            int32_t record = 0;
            for (engine_.NextKey(fb, k, record, key); engine_.ok();
                 engine_.NextKey(fb, k, record, key))
                forward.emplace_back(key, record);
            EXPECT_EQ(engine_.error(), engine::err::kNoNextKey);
            for (engine_.PrevKey(fb, k, record, key); engine_.ok();
                 engine_.PrevKey(fb, k, record, key))
                backward.emplace_back(key, record);
            ASSERT_TRUE(
                std::equal(forward.begin(), forward.end(), expected.begin(), expected.end()))
                << "key " << k;
            ASSERT_TRUE(
                std::equal(backward.begin(), backward.end(), expected.rbegin(), expected.rend()))
                << "key " << k;
        }
        std::map<int32_t, std::vector<uint8_t>> live;
        int32_t n = 0;
        for (engine_.NextUsedRecord(fb, n); engine_.ok(); engine_.NextUsedRecord(fb, n)) {
            live[n].resize(kRecordLength);
            engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(live[n])));
        }
        ASSERT_EQ(live, records_);
    }

    std::array<std::set<std::pair<std::string, int32_t>>, 3> reference_;
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
        const bool grow = records_.size() < 1500 ? choice < 55 : choice < 35;
        auto target = records_.begin();
        if (!records_.empty()) std::advance(target, static_cast<long>(rng() % records_.size()));
        if (grow || records_.empty()) {
            const auto record = MakeRecord(rng, ++serial);
            int32_t number = 0;
            engine_.AddRecord(fb, number, std::as_bytes(std::span(record)));
            ASSERT_TRUE(engine_.ok()) << engine_.error();
            for (int k = 1; k <= 3; ++k) {
                engine_.AddKey(fb, k, number, KeyOf(k, record));
                ASSERT_TRUE(engine_.ok()) << "add key " << k << ": " << engine_.error();
                reference_[k - 1].emplace(KeyOf(k, record), number);
            }
            records_[number] = record;
        } else if (choice < 75) {
            for (int k = 1; k <= 3; ++k) {
                engine_.DeleteKey(fb, k, target->first, KeyOf(k, target->second));
                ASSERT_TRUE(engine_.ok()) << "delete key " << k << ": " << engine_.error();
                reference_[k - 1].erase({KeyOf(k, target->second), target->first});
            }
            engine_.DeleteRecord(fb, target->first);
            ASSERT_TRUE(engine_.ok()) << engine_.error();
            records_.erase(target);
        } else if (choice < 85) {
            auto changed = target->second;
            RandomizeKey3(rng, changed);
            engine_.DeleteKey(fb, 3, target->first, KeyOf(3, target->second));
            ASSERT_TRUE(engine_.ok()) << engine_.error();
            engine_.AddKey(fb, 3, target->first, KeyOf(3, changed));
            ASSERT_TRUE(engine_.ok()) << engine_.error();
            engine_.PutRecord(fb, target->first, std::as_bytes(std::span(changed)));
            ASSERT_TRUE(engine_.ok()) << engine_.error();
            reference_[2].erase({KeyOf(3, target->second), target->first});
            reference_[2].emplace(KeyOf(3, changed), target->first);
            target->second = changed;
        } else {
            // Search a random key prefix and step once, as a browser does.
            const int k = 1 + static_cast<int>(rng() % 3);
            std::string key = KeyOf(k, MakeRecord(rng, static_cast<int>(rng() % (serial + 1))));
            key.resize(1 + rng() % key.size());
            int32_t record = 0;
            auto expected = reference_[k - 1].lower_bound({key, 0});
            engine_.SearchKey(fb, k, record, key);
            for (int step = 0; step < 2; ++step, ++expected) {
                if (expected == reference_[k - 1].end()) {
                    ASSERT_EQ(engine_.error(),
                              step == 0 ? engine::err::kSearchNotFound : engine::err::kNoNextKey);
                    break;
                }
                ASSERT_TRUE(engine_.ok());
                ASSERT_EQ(std::make_pair(key, record), *expected);
                engine_.NextKey(fb, k, record, key);
            }
        }
        if (op % 5000 == 0 || op == scenario.operations) {
            ReopenAndCompare(fb);
            if (HasFatalFailure()) return;
        }
    }
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
