#include "tool/BlockChecker.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "tool/BlockFormat.h"

namespace tool {
namespace {

using namespace format;

constexpr size_t kMaxReportedProblems = 50;

class Problems {
public:
    void Add(std::string text) {
        if (lines_.size() < kMaxReportedProblems)
            lines_.push_back(std::move(text));
        else
            ++suppressed_;
    }
    std::vector<std::string> Finish() {
        if (suppressed_ > 0) lines_.push_back("... and " + std::to_string(suppressed_) + " more");
        return std::move(lines_);
    }

private:
    std::vector<std::string> lines_;
    size_t suppressed_ = 0;
};

// A file read by position; reads past the end simply come back short.
class InputFile {
public:
    explicit InputFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {
        if (fd_ >= 0) size_ = ::lseek(fd_, 0, SEEK_END);
    }
    ~InputFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int64_t size() const { return size_; }
    bool Read(int64_t offset, void* buffer, size_t length) const {
        auto* out = static_cast<char*>(buffer);
        while (length > 0) {
            const ssize_t got = ::pread(fd_, out, length, offset);
            if (got <= 0) return false;
            out += got;
            offset += got;
            length -= static_cast<size_t>(got);
        }
        return true;
    }

private:
    int fd_;
    int64_t size_ = 0;
};

std::string Str(int64_t value) {
    return std::to_string(value);
}

// ---- data file ---------------------------------------------------------------------------------

struct DataSummary {
    int keyCount = 0;
    bool readable = false;
};

// Reads the deletion mark of every slot 1..count (as far as the file holds them).
std::vector<int32_t> ReadMarks(const InputFile& file, int32_t recordLength, int32_t count) {
    std::vector<int32_t> marks(static_cast<size_t>(count) + 1, 0);
    constexpr int64_t kChunk = 1 << 20;
    const int64_t slotsPerChunk = std::max<int64_t>(1, kChunk / recordLength);
    std::vector<uint8_t> buffer(static_cast<size_t>(slotsPerChunk * recordLength));
    for (int64_t first = 1; first <= count; first += slotsPerChunk) {
        const int64_t slots = std::min<int64_t>(slotsPerChunk, count - first + 1);
        if (!file.Read(first * recordLength, buffer.data(),
                       static_cast<size_t>(slots * recordLength)))
            break;
        for (int64_t i = 0; i < slots; ++i)
            marks[static_cast<size_t>(first + i)] =
                ReadInt32(&buffer[static_cast<size_t>(i * recordLength)]);
    }
    return marks;
}

DataSummary CheckDataFile(const std::string& path, Problems& problems) {
    DataSummary summary;
    InputFile file(path);
    if (!file.IsOpen()) {
        problems.Add(path + ": cannot be opened");
        return summary;
    }
    uint8_t header[kDataHeaderSize];
    if (file.size() < kDataHeaderSize || !file.Read(0, header, sizeof header)) {
        problems.Add(path + ": shorter than its " + Str(kDataHeaderSize) + "-byte header");
        return summary;
    }
    const int32_t firstFree = ReadInt32(header + kFirstFreeOffset);
    const int32_t freeCount = ReadInt32(header + kFreeCountOffset);
    const int32_t recordCount = ReadInt32(header + kRecordCountOffset);
    const int32_t recordLength = ReadInt32(header + kRecordLengthOffset);
    summary.keyCount = header[kKeyCountOffset];
    if (summary.keyCount > kMaxKeys)
        problems.Add("data header announces " + Str(summary.keyCount) + " keys, more than 100");
    if (header[kInUseOffset] != 0)
        problems.Add("in-use flag is set: the block was not closed after its last change");
    if (recordLength < kDataHeaderSize) {
        problems.Add("record length " + Str(recordLength) + " is below 21");
        return summary;
    }
    if (recordCount < 0) {
        problems.Add("record count " + Str(recordCount) + " is negative");
        return summary;
    }
    const int64_t expected = (static_cast<int64_t>(recordCount) + 1) * recordLength;
    if (file.size() != expected)
        problems.Add("file length " + Str(file.size()) + " does not match " + Str(recordCount) +
                     " records of " + Str(recordLength) + " bytes (" + Str(expected) + ")");
    const int32_t slotsInFile =
        static_cast<int32_t>(std::min<int64_t>(recordCount, file.size() / recordLength - 1));
    if (slotsInFile < 0) return summary;
    summary.readable = true;

    std::vector<int32_t> marks = ReadMarks(file, recordLength, slotsInFile);
    std::vector<bool> inChain(marks.size(), false);
    int64_t chained = 0;
    for (int32_t slot = firstFree; slot != -1;) {
        if (slot < 1 || slot > slotsInFile) {
            problems.Add("free chain names slot " + Str(slot) + ", outside 1.." + Str(slotsInFile));
            break;
        }
        if (inChain[static_cast<size_t>(slot)]) {
            problems.Add("free chain loops back to slot " + Str(slot));
            break;
        }
        const int32_t link = marks[static_cast<size_t>(slot)];
        if (link == 0) {
            problems.Add("free chain reaches live record " + Str(slot));
            break;
        }
        inChain[static_cast<size_t>(slot)] = true;
        ++chained;
        slot = link;
    }
    if (chained != freeCount)
        problems.Add("free chain length " + Str(chained) +
                     " differs from the header's free count " + Str(freeCount));
    for (size_t slot = 1; slot < marks.size(); ++slot)
        if (marks[slot] != 0 && !inChain[slot])
            problems.Add("slot " + Str(static_cast<int64_t>(slot)) +
                         " is marked deleted but is not in the free chain");
    return summary;
}

// ---- index file --------------------------------------------------------------------------------

struct KeyHeader {
    int number = 0;
    int64_t offset = 0;  // of this key's slot within a row
    int32_t firstFree = 0, freeCount = 0, pageCount = 0, pageSize = 0, root = 0, entries = 0;
    int capacity = 0, keyLength = 0;
    bool duplicates = false;
};

struct Entry {
    int32_t recordNumber = 0;
    std::string key;
};

class TreeChecker {
public:
    TreeChecker(const InputFile& file, int64_t rowSize, const KeyHeader& header, Problems& problems)
        : file_(file),
          rowSize_(rowSize),
          key_(header),
          problems_(problems),
          state_(static_cast<size_t>(header.pageCount) + 1, kUnseen) {}

    void Run() {
        CheckFreeChain();
        if (key_.root == 0) {
            if (key_.entries != 0)
                Report("the tree is empty but the header's entry count is " + Str(key_.entries));
        } else {
            Visit(key_.root, 1, std::nullopt, std::nullopt);
            if (entries_ != key_.entries)
                Report("the tree holds " + Str(entries_) +
                       " entries, the header's entry count is " + Str(key_.entries));
        }
        const int64_t accounted = treePages_ + freePages_;
        if (accounted != key_.pageCount)
            Report(Str(key_.pageCount - accounted) + " of " + Str(key_.pageCount) +
                   " pages are neither in the tree nor in the free chain");
    }

private:
    enum PageState : uint8_t { kUnseen, kFree, kInTree };

    void Report(const std::string& text) { problems_.Add("key " + Str(key_.number) + ": " + text); }

    bool ValidPage(int32_t page) const { return page >= 1 && page <= key_.pageCount; }

    int64_t PageOffset(int32_t page) const { return page * rowSize_ + key_.offset; }

    void CheckFreeChain() {
        for (int32_t page = key_.firstFree; page != -1;) {
            if (!ValidPage(page)) {
                Report("free page chain names page " + Str(page) + ", outside 1.." +
                       Str(key_.pageCount));
                break;
            }
            if (state_[static_cast<size_t>(page)] == kFree) {
                Report("free page chain loops back to page " + Str(page));
                break;
            }
            uint8_t link[4];
            if (!file_.Read(PageOffset(page), link, sizeof link)) {
                Report("free page " + Str(page) + " lies beyond the end of the file");
                break;
            }
            state_[static_cast<size_t>(page)] = kFree;
            ++freePages_;
            page = ReadInt32(link);
            if (page == 0) {
                Report("free page chain holds a zero link");
                break;
            }
        }
        if (freePages_ != key_.freeCount)
            Report("free page chain length " + Str(freePages_) +
                   " differs from the header's free page count " + Str(key_.freeCount));
    }

    int Compare(const Entry& a, const Entry& b) const {
        // Byte-wise unsigned comparison; a key that is a prefix of another sorts first.
        const int byKey = a.key.compare(b.key);
        if (byKey != 0 || !key_.duplicates) return byKey;
        return a.recordNumber < b.recordNumber ? -1 : a.recordNumber > b.recordNumber ? 1 : 0;
    }

    // Checks the subtree at `page` whose entries must lie strictly between the bounds.
    void Visit(int32_t page, int depth, const std::optional<Entry>& low,
               const std::optional<Entry>& high) {
        const std::string where = "page " + Str(page);
        if (depth > kMaxTreeDepth) {
            Report(where + " lies deeper than " + Str(kMaxTreeDepth) + " levels");
            return;
        }
        if (!ValidPage(page)) {
            Report("a child link names page " + Str(page) + ", outside 1.." + Str(key_.pageCount));
            return;
        }
        PageState& state = state_[static_cast<size_t>(page)];
        if (state != kUnseen) {
            Report(where + (state == kFree ? " is in the tree and in the free chain"
                                           : " is reached twice in the tree"));
            return;
        }
        state = kInTree;
        ++treePages_;

        const int itemSize = key_.keyLength + kItemFixedSize;
        std::vector<uint8_t> bytes(static_cast<size_t>(kPageFixedSize + key_.capacity * itemSize));
        if (!file_.Read(PageOffset(page), bytes.data(), kPageFixedSize)) {
            Report(where + " lies beyond the end of the file");
            return;
        }
        const int items = ReadUInt16(bytes.data() + kPageCountOffset);
        const int32_t leftmost = ReadInt32(bytes.data() + kPageLeftOffset);
        if (items > key_.capacity) {
            Report(where + " holds " + Str(items) + " items, more than " + Str(key_.capacity));
            return;
        }
        const bool isRoot = depth == 1;
        const int minimum = isRoot ? 1 : key_.capacity / 2;
        if (items < minimum)
            Report(where + " holds " + Str(items) + " items, fewer than " + Str(minimum) +
                   (isRoot ? " in the root" : " below the root"));
        if (!file_.Read(PageOffset(page) + kPageFixedSize, bytes.data() + kPageFixedSize,
                        static_cast<size_t>(items * itemSize))) {
            Report(where + " runs past the end of the file");
            return;
        }

        const bool leaf = leftmost == 0;
        if (leaf) {
            if (leafDepth_ == 0) leafDepth_ = depth;
            if (depth != leafDepth_)
                Report("leaf " + where + " lies at depth " + Str(depth) + ", other leaves at " +
                       Str(leafDepth_));
        }
        std::optional<Entry> previous = low;
        int32_t child = leftmost;
        for (int i = 0; i < items; ++i) {
            const uint8_t* item = bytes.data() + kPageFixedSize + i * itemSize;
            Entry entry;
            entry.recordNumber = ReadInt32(item + kItemRecordOffset);
            const int32_t rightChild = ReadInt32(item + kItemRightOffset);
            int length = item[kItemLengthOffset];
            if (length > key_.keyLength) {
                Report(where + " item " + Str(i + 1) + " has a key of " + Str(length) +
                       " bytes, longer than " + Str(key_.keyLength));
                length = key_.keyLength;
            }
            entry.key.assign(reinterpret_cast<const char*>(item + kItemKeyOffset),
                             static_cast<size_t>(length));
            if (!leaf) Visit(child, depth + 1, previous, entry);
            if (previous && Compare(*previous, entry) >= 0)
                Report(where + " item " + Str(i + 1) + " is out of order");
            if (high && Compare(entry, *high) >= 0)
                Report(where + " item " + Str(i + 1) + " is not below its parent's separator");
            if (leaf && rightChild != 0)
                Report("leaf " + where + " item " + Str(i + 1) + " has a child link");
            if (!leaf && rightChild == 0)
                Report(where + " item " + Str(i + 1) + " has no right child");
            ++entries_;
            previous = std::move(entry);
            child = rightChild;
        }
        if (!leaf && items > 0) Visit(child, depth + 1, previous, high);
    }

    const InputFile& file_;
    int64_t rowSize_;
    const KeyHeader& key_;
    Problems& problems_;
    std::vector<PageState> state_;
    int64_t entries_ = 0, treePages_ = 0, freePages_ = 0;
    int leafDepth_ = 0;
};

// Reads and validates the key headers of row 0; nothing when one of them cannot be trusted.
std::optional<std::vector<KeyHeader>> ReadKeyHeaders(const InputFile& file, int keyCount,
                                                     Problems& problems) {
    std::vector<KeyHeader> keys;
    int64_t offset = 0;
    for (int k = 1; k <= keyCount; ++k) {
        uint8_t raw[kKeyHeaderSize];
        if (!file.Read(offset, raw, sizeof raw)) {
            problems.Add("key " + Str(k) + ": header lies beyond the end of the index file");
            return std::nullopt;
        }
        KeyHeader key;
        key.number = k;
        key.offset = offset;
        key.firstFree = ReadInt32(raw + kKeyFirstFreeOffset);
        key.freeCount = ReadInt32(raw + kKeyFreeCountOffset);
        key.pageCount = ReadInt32(raw + kKeyPageCountOffset);
        key.pageSize = ReadInt32(raw + kKeyPageSizeOffset);
        key.root = ReadInt32(raw + kKeyRootOffset);
        key.duplicates = raw[kKeyDuplicatesOffset] != 0;
        key.entries = ReadInt32(raw + kKeyEntryCountOffset);
        key.capacity = ReadUInt16(raw + kKeyCapacityOffset);
        if (key.capacity == 0) key.capacity = kPageCapacity;
        const std::string prefix = "key " + Str(k) + ": ";
        if (key.capacity > kPageCapacity) {
            problems.Add(prefix + "capacity " + Str(key.capacity) + " is above 62");
            return std::nullopt;
        }
        const int64_t itemSize = key.pageSize - kPageFixedSize;
        if (itemSize <= 0 || itemSize % key.capacity != 0 ||
            itemSize / key.capacity - kItemFixedSize < 1 ||
            itemSize / key.capacity - kItemFixedSize > kMaxKeyLength) {
            problems.Add(prefix + "page size " + Str(key.pageSize) +
                         " does not fit the capacity and a key length of 1..30");
            return std::nullopt;
        }
        key.keyLength = static_cast<int>(itemSize / key.capacity - kItemFixedSize);
        if (raw[kKeyDuplicatesOffset] > 1)
            problems.Add(prefix + "duplicates flag " + Str(raw[kKeyDuplicatesOffset]) +
                         " is neither 0 nor 1");
        if (key.pageCount < 0 || key.freeCount < 0 || key.entries < 0) {
            problems.Add(prefix + "negative page, free page or entry count");
            return std::nullopt;
        }
        offset += key.pageSize;
        keys.push_back(key);
    }
    return keys;
}

void CheckIndexFile(const std::string& path, int keyCount, Problems& problems) {
    InputFile file(path);
    if (!file.IsOpen()) {
        problems.Add(path + ": cannot be opened");
        return;
    }
    const auto keys = ReadKeyHeaders(file, keyCount, problems);
    if (!keys) return;
    int64_t rowSize = 0;
    int32_t pages = 0;
    for (const KeyHeader& key : *keys) {
        rowSize += key.pageSize;
        pages = std::max(pages, key.pageCount);
    }
    if (file.size() % rowSize != 0)
        problems.Add("index file length " + Str(file.size()) + " is not a whole number of " +
                     Str(rowSize) + "-byte rows");
    const int64_t rows = file.size() / rowSize;
    if (pages >= rows) {
        problems.Add("index file holds " + Str(rows) + " rows, too few for " + Str(pages) +
                     " pages");
        return;
    }
    for (const KeyHeader& key : *keys) {
        if (key.root < 0 || key.root > key.pageCount) {
            problems.Add("key " + Str(key.number) + ": root " + Str(key.root) + " outside 0.." +
                         Str(key.pageCount));
            continue;
        }
        TreeChecker(file, rowSize, key, problems).Run();
    }
}

}  // namespace

std::vector<std::string> CheckFileBlock(const std::string& dataPath, const std::string& indexPath) {
    Problems problems;
    const DataSummary data = CheckDataFile(dataPath, problems);
    if (data.readable && data.keyCount > 0 && data.keyCount <= kMaxKeys)
        CheckIndexFile(indexPath, data.keyCount, problems);
    return problems.Finish();
}

}  // namespace tool
