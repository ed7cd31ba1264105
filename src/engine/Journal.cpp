#include "engine/Journal.h"

#include <array>
#include <cstring>

#include "engine/ByteOrder.h"
#include "engine/Errors.h"
#include "engine/FileNames.h"
#include "engine/Format.h"

namespace engine {
namespace {

constexpr char kMagic[] = "KTJNL1\r\n";
constexpr int64_t kMagicSize = 8;
constexpr uint8_t kDescriptionEntry = 'P';
constexpr uint8_t kFileEntry = 'F';
constexpr uint8_t kSlotEntry = 'S';
constexpr int64_t kLengthSize = 4;
constexpr int64_t kChecksumSize = 4;

uint32_t Crc32(const uint8_t* bytes, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutI32(std::vector<uint8_t>& out, int32_t value) {
    uint8_t bytes[4];
    StoreI32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

// Reads the entries of a journal's bytes in order; stops at the first one that is cut short or
// whose checksum fails, which its writer never followed with a write.
class EntryReader {
public:
    explicit EntryReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool ValidStart() const {
        return static_cast<int64_t>(bytes_.size()) >= kMagicSize &&
               std::memcmp(bytes_.data(), kMagic, kMagicSize) == 0;
    }

    // The next entry's payload, or nothing at the end of the sound entries.
    std::optional<std::vector<uint8_t>> Next() {
        const int64_t size = static_cast<int64_t>(bytes_.size());
        if (at_ + kLengthSize > size) return std::nullopt;
        const int64_t length = static_cast<uint32_t>(LoadI32(bytes_.data() + at_));
        if (length < 1 || at_ + kLengthSize + length + kChecksumSize > size) return std::nullopt;
        const uint8_t* payload = bytes_.data() + at_ + kLengthSize;
        if (static_cast<uint32_t>(LoadI32(payload + length)) !=
            Crc32(payload, static_cast<size_t>(length)))
            return std::nullopt;
        at_ += kLengthSize + length + kChecksumSize;
        return std::vector<uint8_t>(payload, payload + length);
    }

private:
    const std::vector<uint8_t>& bytes_;
    int64_t at_ = kMagicSize;
};

struct FileImage {
    std::string blockName;
    DataHeader header;
    std::vector<std::pair<int32_t, std::vector<uint8_t>>> slots;
};

struct JournalImage {
    std::string description;
    std::vector<FileImage> files;
};

// False when an entry that passed its checksum does not make sense: the journal is not ours.
bool Parse(const std::vector<uint8_t>& bytes, JournalImage& image) {
    EntryReader reader(bytes);
    if (!reader.ValidStart()) return false;
    while (auto payload = reader.Next()) {
        const std::vector<uint8_t>& p = *payload;
        const uint8_t kind = p[0];
        if (kind == kDescriptionEntry) {
            image.description.assign(p.begin() + 1, p.end());
        } else if (kind == kFileEntry) {
            if (p.size() < 3) return false;
            const size_t nameLength = p[1] | (p[2] << 8);
            if (p.size() != 3 + nameLength + kDataHeaderSize) return false;
            FileImage file;
            file.blockName.assign(p.begin() + 3, p.begin() + 3 + static_cast<long>(nameLength));
            file.header = DataHeader::Decode(p.data() + 3 + nameLength);
            if (file.header.recordLength < kMinRecordLength || file.header.recordCount < 0)
                return false;
            image.files.push_back(std::move(file));
        } else if (kind == kSlotEntry) {
            if (p.size() < 7) return false;
            const size_t index = p[1] | (p[2] << 8);
            const int32_t slot = LoadI32(p.data() + 3);
            if (index >= image.files.size()) return false;
            FileImage& file = image.files[index];
            if (slot < 1 || slot > file.header.recordCount ||
                p.size() != 7 + static_cast<size_t>(file.header.recordLength))
                return false;
            file.slots.emplace_back(slot, std::vector<uint8_t>(p.begin() + 7, p.end()));
        } else {
            return false;
        }
    }
    return true;
}

int ReadWhole(File& file, std::vector<uint8_t>& bytes) {
    int64_t size = 0;
    if (const int error = file.Size(size)) return error;
    bytes.resize(static_cast<size_t>(size));
    int64_t read = 0;
    if (const int error = file.Read(0, bytes.data(), size, read)) return error;
    bytes.resize(static_cast<size_t>(read));
    return kPlatformOk;
}

// Writes the file's kept slots and header back and cuts off what was added after.
int RestoreFile(File& data, const FileImage& image) {
    const int64_t length = image.header.recordLength;
    int error = kPlatformOk;
    for (const auto& [slot, bytes] : image.slots) {
        if (error) break;
        error = WriteExactly(data, slot * length, bytes.data(), length) ? kPlatformOther : 0;
    }
    if (!error) {
        DataHeader header = image.header;
        header.inUse = kInUseByChange;  // the index still has to be rebuilt
        uint8_t bytes[kDataHeaderSize];
        header.Encode(bytes);
        error = WriteExactly(data, 0, bytes, kDataHeaderSize) ? kPlatformOther : 0;
    }
    int64_t size = 0;
    const int64_t kept = (static_cast<int64_t>(image.header.recordCount) + 1) * length;
    if (!error) error = data.Size(size);
    if (!error && size > kept) error = data.Truncate(kept);
    if (!error) error = data.Flush();
    return error;
}

}  // namespace

int32_t Journal::Begin(FileSystem& fs, std::string_view description,
                       std::unique_ptr<Journal>& journal) {
    journal.reset();
    std::unique_ptr<File> file;
    int opened = fs.Open(kJournalFileName, OpenMode::ReadWrite, file);
    if (opened == kPlatformOk) {
        // An empty journal is a finished one; one with entries that nobody holds belongs to a
        // posting that never finished, which must be undone first.
        int64_t size = 0;
        if (file->Size(size) != kPlatformOk || size >= kMagicSize) {
            file->Close();
            return err::kJournalLeft;
        }
    } else if (opened == kPlatformFileNotFound) {
        opened = fs.Open(kJournalFileName, OpenMode::CreateAlways, file);
    }
    if (opened != kPlatformOk) return err::FromPlatform(opened);
    journal.reset(new Journal(fs, std::move(file)));
    int32_t error = WriteExactly(*journal->file_, 0, kMagic, kMagicSize);
    journal->end_ = kMagicSize;
    std::vector<uint8_t> payload{kDescriptionEntry};
    payload.insert(payload.end(), description.begin(), description.end());
    if (!error) error = journal->Append(payload);
    if (!error && journal->file_->Flush() != kPlatformOk) error = err::kPlatform;
    if (error) {
        // Nothing was written under it.
        journal->file_->Truncate(0);
        journal.reset();
        fs.Remove(kJournalFileName);
    }
    return error;
}

Journal::~Journal() {
    if (file_) {
        file_->Close();
        // Still here: the posting did not finish, and the journal stays for its undo.
    }
}

int32_t Journal::Append(const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> entry;
    entry.reserve(payload.size() + kLengthSize + kChecksumSize);
    PutI32(entry, static_cast<int32_t>(payload.size()));
    entry.insert(entry.end(), payload.begin(), payload.end());
    PutI32(entry, static_cast<int32_t>(Crc32(payload.data(), payload.size())));
    if (const int32_t error =
            WriteExactly(*file_, end_, entry.data(), static_cast<int64_t>(entry.size())))
        return error;
    end_ += static_cast<int64_t>(entry.size());
    return err::kNone;
}

int32_t Journal::BeforeWrite(const std::string& blockName, DataFile& file, int64_t offset,
                             int64_t size) {
    size_t index = 0;
    while (index < kept_.size() && kept_[index].file != &file) ++index;
    bool appended = false;
    if (index == kept_.size()) {
        std::vector<uint8_t> payload{kFileEntry};
        PutU16(payload, static_cast<uint16_t>(blockName.size()));
        payload.insert(payload.end(), blockName.begin(), blockName.end());
        uint8_t header[kDataHeaderSize];
        file.header().Encode(header);
        payload.insert(payload.end(), header, header + kDataHeaderSize);
        if (const int32_t error = Append(payload)) return error;
        kept_.push_back({blockName, &file, file.header().recordCount, {}});
        appended = true;
    }
    Kept& kept = kept_[index];
    const int64_t length = file.header().recordLength;
    const int32_t first = static_cast<int32_t>(offset / length);
    const int32_t last = static_cast<int32_t>((offset + size - 1) / length);
    for (int32_t slot = std::max(first, 1); slot <= std::min(last, kept.recordCount); ++slot) {
        if (!kept.slots.insert(slot).second) continue;
        std::vector<uint8_t> payload{kSlotEntry};
        PutU16(payload, static_cast<uint16_t>(index));
        PutI32(payload, slot);
        payload.resize(payload.size() + static_cast<size_t>(length));
        if (const int32_t error =
                ReadExactly(file.file(), slot * length, payload.data() + 7, length)) {
            kept.slots.erase(slot);
            return error;
        }
        if (const int32_t error = Append(payload)) {
            kept.slots.erase(slot);
            return error;
        }
        appended = true;
    }
    // Write-ahead: what the slot held is on disk before the slot changes.
    if (appended && file_->Flush() != kPlatformOk) return err::kPlatform;
    return err::kNone;
}

void Journal::Closed(const DataFile& file) {
    for (Kept& kept : kept_)
        if (kept.file == &file) kept.file = nullptr;
}

int32_t Journal::Finish() {
    // Emptied and pushed to disk while still held: from here on the posting stands, and nobody
    // can take the journal for one that died. Removing the empty file is only tidying up.
    int32_t error = file_->Truncate(0) == kPlatformOk && file_->Flush() == kPlatformOk
                        ? err::kNone
                        : err::kPlatform;
    file_->Close();
    file_.reset();
    if (!error) fs_.Remove(kJournalFileName);
    return error;
}

JournalState RollBackJournal(FileSystem& fs, JournalRollback& rollback) {
    rollback = {};
    std::unique_ptr<File> file;
    const int opened = fs.Open(kJournalFileName, OpenMode::ReadWrite, file);
    if (opened == kPlatformFileNotFound) return JournalState::None;
    if (opened == kPlatformSharingViolation) return JournalState::Busy;
    if (opened != kPlatformOk) return JournalState::Failed;
    std::vector<uint8_t> bytes;
    if (ReadWhole(*file, bytes) != kPlatformOk) {
        file->Close();
        return JournalState::Failed;
    }
    // Empty, it belongs to a posting that finished; cut before its first entry, to one that had
    // not changed anything.
    if (bytes.size() < static_cast<size_t>(kMagicSize)) {
        file->Close();
        fs.Remove(kJournalFileName);
        return JournalState::None;
    }
    JournalImage image;
    if (!Parse(bytes, image)) {
        file->Close();
        return JournalState::Failed;
    }
    rollback.description = image.description;
    // Every file first: one that another process holds means the posting is not over after all
    // (its writer let go of the journal only to remove it), and nothing may be touched.
    std::vector<std::unique_ptr<File>> data(image.files.size());
    JournalState state = JournalState::Restored;
    for (size_t i = 0; i < image.files.size() && state == JournalState::Restored; ++i) {
        const int error =
            fs.Open(FileNamesOf(image.files[i].blockName).data, OpenMode::ReadWrite, data[i]);
        if (error)
            state = error == kPlatformSharingViolation ? JournalState::Busy : JournalState::Failed;
    }
    for (size_t i = 0; i < image.files.size() && state == JournalState::Restored; ++i) {
        if (RestoreFile(*data[i], image.files[i]) != kPlatformOk) state = JournalState::Failed;
        rollback.blockNames.push_back(image.files[i].blockName);
    }
    for (auto& file : data)
        if (file) file->Close();
    file->Close();
    return state;
}

int RemoveJournal(FileSystem& fs) {
    return fs.Remove(kJournalFileName);
}

}  // namespace engine
