#include "engine/CompactRebuild.h"

#include <algorithm>
#include <vector>

#include "engine/EngineState.h"
#include "engine/Errors.h"
#include "engine/RebuildLog.h"
#include "engine/SequentialIo.h"

namespace engine {
namespace {

// Items per page below the root when pages are filled in one go: about 90 % of the capacity, so
// that a few later insertions fit without a split.
int FillFor(int capacity) {
    return (capacity * 9 + 9) / 10;
}

bool ItemBefore(const Item& a, const Item& b) {
    const int order = CompareKeys(a.keyView(), b.keyView());
    return order != 0 ? order < 0 : a.record < b.record;
}

class CompactBuilder {
public:
    CompactBuilder(FileBlock& block, const KeyBuilder& buildKey, RebuildLog& log)
        : data_(*block.data),
          index_(*block.index),
          buildKey_(buildKey),
          log_(log),
          deleted_(static_cast<size_t>(data_.header().recordCount) + 1, false) {}

    int32_t Run(bool deleteRecordsWhoseKeyFails) {
        // Deleting a record takes its entries out of every tree, earlier ones too: so every
        // deletion is known before the first tree is written.
        if (deleteRecordsWhoseKeyFails) {
            for (int k = 1; k <= index_.keyCount(); ++k) {
                if (index_.key(k).header.duplicates) continue;
                std::vector<Item> items;
                if (const int32_t error = SortedItems(k, items)) return error;
                for (const Item& loser : Losers(items)) {
                    if (const int32_t error = DropRecord(k, loser)) return error;
                }
            }
        }
        for (int k = 1; k <= index_.keyCount(); ++k) {
            std::vector<Item> items;
            if (const int32_t error = SortedItems(k, items)) return error;
            if (!index_.key(k).header.duplicates) {
                for (const Item& loser : Losers(items)) {
                    if (const int32_t error = log_.KeyNotAdded(loser.keyView(), k, loser.record))
                        return error;
                }
            }
            if (const int32_t error = WriteTree(k, std::move(items))) return error;
        }
        return err::kNone;
    }

private:
    // The entries of key k of every live record not deleted, ordered as the tree orders them.
    int32_t SortedItems(int keyNumber, std::vector<Item>& items) {
        const int length = data_.header().recordLength;
        const int keyLength = index_.key(keyNumber).keyLength;
        SlotReader reader(data_.file(), length, 1, data_.header().recordCount);
        for (;;) {
            const uint8_t* slot = nullptr;
            int32_t number = 0;
            if (const int32_t error = reader.Next(slot, number)) return error;
            if (!slot) break;
            if (slot[0] | slot[1] | slot[2] | slot[3] || deleted_[static_cast<size_t>(number)])
                continue;
            const std::string key =
                buildKey_(std::as_bytes(std::span(slot, static_cast<size_t>(length))), keyNumber)
                    .substr(0, kMaxKeyLength);
            if (static_cast<int>(key.size()) > keyLength) return err::kKeyTooLong;
            Item item;
            item.record = number;
            item.SetKey(key);
            items.push_back(item);
        }
        std::sort(items.begin(), items.end(), ItemBefore);
        return err::kNone;
    }

    // Takes every entry but the first of each run of equal keys out of `items`; returns them in
    // record order, the order in which insertion would have refused them.
    static std::vector<Item> Losers(std::vector<Item>& items) {
        std::vector<Item> losers;
        const auto kept =
            std::unique(items.begin(), items.end(), [&](const Item& a, const Item& b) {
                if (a.keyView() != b.keyView()) return false;
                losers.push_back(b);
                return true;
            });
        items.erase(kept, items.end());
        std::sort(losers.begin(), losers.end(),
                  [](const Item& a, const Item& b) { return a.record < b.record; });
        return losers;
    }

    int32_t DropRecord(int keyNumber, const Item& loser) {
        if (const int32_t error = log_.KeyNotAdded(loser.keyView(), keyNumber, loser.record))
            return error;
        std::vector<uint8_t> record(static_cast<size_t>(data_.header().recordLength));
        if (const int32_t error =
                data_.Get(loser.record, std::as_writable_bytes(std::span(record))))
            return error;
        if (const int32_t error =
                log_.RecordDeleted(record.data(), static_cast<int>(record.size())))
            return error;
        deleted_[static_cast<size_t>(loser.record)] = true;
        return data_.Delete(loser.record);
    }

    // Writes the tree level by level from the leaves up. A level of m entries that does not fit
    // one page is cut into P pages of nearly equal size, P - 1 entries going up as separators;
    // P = ceil((m + 1) / (fill + 1)) keeps every page between half full and the fill.
    int32_t WriteTree(int keyNumber, std::vector<Item> items) {
        KeyState& state = index_.key(keyNumber);
        const auto capacity = static_cast<size_t>(state.header.capacity);
        const auto fill = static_cast<size_t>(FillFor(state.header.capacity));
        state.header.entryCount = static_cast<int32_t>(items.size());
        state.header.root = 0;
        state.modified = true;
        std::vector<int32_t> children;  // of the level being written; empty for the leaves
        while (!items.empty()) {
            const size_t m = items.size();
            const size_t pages = m <= capacity ? 1 : (m + 1 + fill) / (fill + 1);
            const size_t perPage = (m - (pages - 1)) / pages;
            const size_t longer = (m - (pages - 1)) % pages;  // pages that take one more
            std::vector<Item> separators;
            std::vector<int32_t> written;
            size_t next = 0;
            size_t child = 0;
            for (size_t p = 0; p < pages; ++p) {
                PageRef ref;
                if (const int32_t error = index_.Allocate(keyNumber, ref)) return error;
                Page& page = ref.page();
                page.count = static_cast<int32_t>(perPage + (p < longer ? 1 : 0));
                page.left = children.empty() ? 0 : children[child++];
                for (int i = 1; i <= page.count; ++i) {
                    page.item(i) = items[next++];
                    page.item(i).right = children.empty() ? 0 : children[child++];
                }
                written.push_back(ref.number());
                if (p + 1 < pages) separators.push_back(items[next++]);
            }
            if (pages == 1) {
                state.header.root = written.front();
                break;
            }
            items = std::move(separators);
            children = std::move(written);
        }
        return err::kNone;
    }

    DataFile& data_;
    IndexFile& index_;
    const KeyBuilder& buildKey_;
    RebuildLog& log_;
    std::vector<bool> deleted_;
};

}  // namespace

int32_t BuildCompactIndexes(FileBlock& block, const KeyBuilder& buildKey,
                            bool deleteRecordsWhoseKeyFails, RebuildLog& log) {
    return CompactBuilder(block, buildKey, log).Run(deleteRecordsWhoseKeyFails);
}

}  // namespace engine
