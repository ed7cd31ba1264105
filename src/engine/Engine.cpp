#include "engine/Engine.h"

#include <algorithm>
#include <limits>
#include <new>

#include "engine/BTree.h"
#include "engine/Blocks.h"
#include "engine/EngineState.h"
#include "engine/Errors.h"
#include "engine/Positions.h"

namespace engine {
namespace {

constexpr int kMinPageBuffers = 8;
constexpr int kMaxPageBuffers = 16384;  // beyond this a request is served in part
constexpr std::nullopt_t kNoKey = std::nullopt;

std::string_view CutKey(std::string_view key) {
    return key.substr(0, kMaxKeyLength);
}

// Moves a key's cursor one entry with `move`, which starts from the path the last call left (none
// when the cursor was empty) and is told whether a change invalidated it. The cursor stays empty
// unless the step succeeds, so running off either end starts the next step from the first or
// last entry.
template <typename Move>
int32_t StepCursor(FileBlock& block, int keyNumber, int32_t& recordNumber, std::string& key,
                   Move move) {
    Cursor& cursor = block.index->key(keyNumber).cursor;
    BTree tree(*block.index, keyNumber);
    const CursorState state = cursor.state;
    cursor.state = CursorState::Empty;
    if (state == CursorState::Empty) cursor.path.depth = 0;
    if (const int32_t error = move(tree, cursor.path, state == CursorState::Invalid)) return error;
    if (const int32_t error = tree.EntryAt(cursor.path, recordNumber, key)) return error;
    cursor.state = CursorState::Valid;
    return err::kNone;
}

}  // namespace

FileBlock* Engine::Impl::Find(FileBlockHandle handle) const {
    for (const auto& block : open) {
        if (block.get() == handle) return block.get();
    }
    return nullptr;
}

void Engine::Impl::Forget(FileBlockHandle handle) {
    open.erase(std::remove_if(open.begin(), open.end(),
                              [&](const auto& block) { return block.get() == handle; }),
               open.end());
}

bool Engine::Impl::IsOpen(const std::string& dataPath) const {
    return std::any_of(open.begin(), open.end(),
                       [&](const auto& block) { return block->names.data == dataPath; });
}

void Engine::Impl::Journaled(FileBlock& block, Journal* running) {
    if (block.data && !block.readOnly) block.data->SetJournal(running, block.name);
}

void Engine::BeginJournal(std::string_view description) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    if (impl_->journal) return Finish(err::kPostingRunning);
    const int32_t error = Journal::Begin(fs_, description, impl_->journal);
    if (!error)
        for (auto& block : impl_->open) impl_->Journaled(*block, impl_->journal.get());
    Finish(error);
}

void Engine::EndJournal() {
    status_ = Status{};
    if (!impl_->journal) return;
    // Blocks that stay open are written back whole first, so no kill after the journal is gone
    // can leave a changed block behind.
    for (auto& block : impl_->open)
        if (const int32_t error = WriteBackBlock(*block, true)) return Finish(error);
    DropJournal();
}

void Engine::DropJournal() {
    status_ = Status{};
    if (!impl_->journal) return;
    for (auto& block : impl_->open) impl_->Journaled(*block, nullptr);
    const int32_t error = impl_->journal->Finish();
    impl_->journal.reset();
    Finish(error);
}

void Engine::AbandonJournal() {
    for (auto& block : impl_->open) impl_->Journaled(*block, nullptr);
    impl_->journal.reset();
}

bool Engine::JournalRunning() const {
    return impl_->journal != nullptr;
}

Engine::Engine(FileSystem& fs) : fs_(fs), impl_(std::make_unique<Impl>()) {}

Engine::~Engine() {
    if (!impl_->initialised) return;
    ExitEngine();
    // A block whose close failed keeps its in-use flag on disk; the next open asks for a rebuild.
    for (auto& block : impl_->open) AbandonBlock(*block);
    impl_->open.clear();
}

void Engine::Finish(int32_t error) {
    status_.ok = error == err::kNone;
    status_.error = error;
}

template <typename Operation>
void Engine::Guarded(FileBlockHandle fb, Access access, std::optional<int> keyNumber,
                     Operation operation) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    FileBlock* block = impl_->Find(fb);
    if (!block || block->marker != kValidMarker) return Finish(err::kBadHandle);
    if (access == Access::Write && block->readOnly) return Finish(err::kReadOnly);
    if (keyNumber && (*keyNumber < 1 || *keyNumber > block->keyCount()))
        return Finish(err::kBadKeyNumber);
    int32_t error = err::kNone;
    try {
        error = operation(*block);
    } catch (const std::bad_alloc&) {
        error = err::kOutOfMemoryOpening;
    }
    if (error == err::kPlatform && block->readOnly) error = err::kReadOnlyPlatform;
    Finish(error);
}

// ---- engine life cycle ------------------------------------------------------------------------

void Engine::InitEngine(int /*networkMode: this engine has no network support*/,
                        int pageBufferCount) {
    status_ = Status{};
    if (impl_->initialised) return Finish(err::kAlreadyInitialised);
    if (pageBufferCount < kMinPageBuffers) return Finish(err::kTooFewBuffersRequested);
    impl_->open.clear();
    impl_->progress = nullptr;
    if (impl_->pool.Allocate(std::min(pageBufferCount, kMaxPageBuffers)) < kMinPageBuffers) {
        impl_->pool.Release();
        return Finish(err::kTooFewBuffersAllocated);
    }
    impl_->initialised = true;
}

void Engine::ExitEngine() {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    // A posting still running is left unfinished: its journal stays for the next open to undo.
    AbandonJournal();
    int32_t firstError = err::kNone;
    for (auto it = impl_->open.begin(); it != impl_->open.end();) {
        const int32_t error = CloseBlock(**it, true);
        if (error != err::kNone && error != err::kCloseFailed) {
            if (!firstError) firstError = error;
            ++it;
            continue;
        }
        if (error && !firstError) firstError = error;
        it = impl_->open.erase(it);
    }
    if (firstError) return Finish(firstError);
    impl_->pool.Release();
    impl_->progress = nullptr;
    impl_->initialised = false;
}

bool Engine::IsInitialised() const {
    return impl_->initialised;
}

// ---- file blocks -------------------------------------------------------------------------------

void Engine::CreateFileBlock(std::string_view name, int recordLength, int keyCount,
                             const KeyDescriptor* descriptors) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    const BlockFileNames names = FileNamesOf(name);
    CreateRequest request;
    request.dataPath = names.data;
    request.indexPath = names.index;
    request.recordLength = recordLength;
    request.keyCount = keyCount;
    request.descriptors = descriptors;
    Finish(CreateBlockFiles(fs_, request));
}

void Engine::OpenFileBlock(FileBlockHandle& fb, std::string_view name, const OpenOptions& options) {
    status_ = Status{};
    fb = nullptr;
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    OpenRequest request;
    request.names = FileNamesOf(name);
    request.readOnly = options.readOnly;
    request.expectedRecordLength = options.recordLength;
    request.expectedKeyCount = options.keyCount;
    request.pool = &impl_->pool;
    std::unique_ptr<FileBlock> block;
    int32_t error = err::kNone;
    try {
        error = OpenBlock(fs_, request, block);
        if (!error) {
            block->name = std::string(name);
            if (impl_->journal) impl_->Journaled(*block, impl_->journal.get());
            impl_->open.push_back(std::move(block));
        }
    } catch (const std::bad_alloc&) {
        error = err::kOutOfMemoryOpening;
    }
    if (!error) fb = impl_->open.back().get();
    Finish(error);
}

void Engine::CloseFileBlock(FileBlockHandle& fb) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    if (!fb) return Finish(err::kBadHandle);
    FileBlock* block = impl_->Find(fb);
    if (!block) return Finish(err::kNotOpen);
    if (block->marker != kValidMarker) return Finish(err::kBadHandle);
    const int32_t error = CloseBlock(*block, true);
    if (error == err::kNone || error == err::kCloseFailed) {
        if (impl_->journal && block->data) impl_->journal->Closed(*block->data);
        impl_->Forget(fb);
        fb = nullptr;
    }
    Finish(error);
}

void Engine::DeleteFileBlock(std::string_view name) {
    status_ = Status{};
    if (!impl_->initialised) return Finish(err::kNotInitialised);
    const BlockFileNames names = FileNamesOf(name);
    fs_.Remove(names.index);
    fs_.Remove(names.journal);
    Finish(err::FromPlatform(fs_.Remove(names.data)));
}

bool Engine::IsFileBlockOpen(FileBlockHandle fb) const {
    return impl_->initialised && impl_->Find(fb) != nullptr;
}

int Engine::KeyCount(FileBlockHandle fb) {
    int count = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        count = block.data->header().keyCount;
        return err::kNone;
    });
    return count;
}

// ---- records -----------------------------------------------------------------------------------

void Engine::AddRecord(FileBlockHandle fb, int32_t& recordNumber,
                       std::span<const std::byte> record) {
    Guarded(fb, Access::Write, kNoKey,
            [&](FileBlock& block) { return block.data->Add(record, recordNumber); });
}

void Engine::GetRecord(FileBlockHandle fb, int32_t recordNumber, std::span<std::byte> record) {
    Guarded(fb, Access::Read, kNoKey,
            [&](FileBlock& block) { return block.data->Get(recordNumber, record); });
}

void Engine::PutRecord(FileBlockHandle fb, int32_t recordNumber,
                       std::span<const std::byte> record) {
    Guarded(fb, Access::Write, kNoKey,
            [&](FileBlock& block) { return block.data->Put(recordNumber, record); });
}

bool Engine::FitsRecord(FileBlockHandle fb, std::span<const std::byte> record) {
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        return record.size() >= static_cast<size_t>(block.data->header().recordLength)
                   ? err::kNone
                   : err::kRecordBufferTooShort;
    });
    return ok();
}

void Engine::DeleteRecord(FileBlockHandle fb, int32_t recordNumber) {
    Guarded(fb, Access::Write, kNoKey,
            [&](FileBlock& block) { return block.data->Delete(recordNumber); });
}

void Engine::TestRecord(FileBlockHandle fb, int32_t& recordNumber, int direction) {
    Guarded(fb, Access::Read, kNoKey,
            [&](FileBlock& block) { return block.data->Test(recordNumber, direction); });
}

void Engine::NextUsedRecord(FileBlockHandle fb, int32_t& recordNumber) {
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        if (recordNumber < std::numeric_limits<int32_t>::max()) ++recordNumber;
        return block.data->Test(recordNumber, 1);
    });
}

void Engine::PrevUsedRecord(FileBlockHandle fb, int32_t& recordNumber) {
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        if (recordNumber > std::numeric_limits<int32_t>::min()) --recordNumber;
        return block.data->Test(recordNumber, -1);
    });
}

int32_t Engine::UsedRecords(FileBlockHandle fb) {
    int32_t used = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        used = block.data->header().recordCount - block.data->header().freeCount;
        return err::kNone;
    });
    return used;
}

int32_t Engine::RecordToPosition(FileBlockHandle fb, int32_t recordNumber, int32_t scale) {
    int32_t position = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        if (scale <= 0) return err::kBadScale;
        position = RecordToPositionOf(recordNumber, block.data->header().recordCount, scale);
        return err::kNone;
    });
    return position;
}

int32_t Engine::PositionToRecord(FileBlockHandle fb, int32_t position, int32_t scale) {
    int32_t record = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        if (scale <= 0 || position < 0 || position > scale) return err::kBadPosition;
        record = PositionToRecordOf(position, block.data->header().recordCount, scale);
        return err::kNone;
    });
    return record;
}

int32_t Engine::FileLength(FileBlockHandle fb) {
    int32_t length = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        length = block.data->header().recordCount + 1;
        return err::kNone;
    });
    return length;
}

int32_t Engine::RecordLength(FileBlockHandle fb) {
    int32_t length = 0;
    Guarded(fb, Access::Read, kNoKey, [&](FileBlock& block) {
        length = block.data->header().recordLength;
        return err::kNone;
    });
    return length;
}

// ---- keys --------------------------------------------------------------------------------------

void Engine::AddKey(FileBlockHandle fb, int keyNumber, int32_t recordNumber, std::string_view key) {
    Guarded(fb, Access::Write, keyNumber, [&](FileBlock& block) {
        const std::string_view cut = CutKey(key);
        KeyState& state = block.index->key(keyNumber);
        if (static_cast<int>(cut.size()) > state.keyLength) return err::kKeyTooLong;
        if (const int32_t error = block.data->MarkInUse()) return error;
        state.cursor.state = CursorState::Invalid;
        return BTree(*block.index, keyNumber).Insert(cut, recordNumber);
    });
}

void Engine::DeleteKey(FileBlockHandle fb, int keyNumber, int32_t recordNumber,
                       std::string_view key) {
    Guarded(fb, Access::Write, keyNumber, [&](FileBlock& block) {
        if (const int32_t error = block.data->MarkInUse()) return error;
        block.index->key(keyNumber).cursor.state = CursorState::Invalid;
        return BTree(*block.index, keyNumber).Remove(CutKey(key), recordNumber);
    });
}

void Engine::SearchKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key) {
    SearchFrom(fb, keyNumber, 0, recordNumber, key);
}

void Engine::SearchEntry(FileBlockHandle fb, int keyNumber, int32_t& recordNumber,
                         std::string& key) {
    SearchFrom(fb, keyNumber, recordNumber, recordNumber, key);
}

void Engine::SearchFrom(FileBlockHandle fb, int keyNumber, int32_t fromRecord,
                        int32_t& recordNumber, std::string& key) {
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        Cursor& cursor = block.index->key(keyNumber).cursor;
        BTree tree(*block.index, keyNumber);
        cursor.state = CursorState::Empty;
        bool found = false;
        if (const int32_t error = tree.Search(CutKey(key), fromRecord, cursor.path, found))
            return error;
        if (!found) {
            if (const int32_t error = tree.Next(cursor.path))
                return error == err::kNoNextKey ? err::kSearchNotFound : error;
        }
        if (const int32_t error = tree.EntryAt(cursor.path, recordNumber, key)) return error;
        cursor.state = CursorState::Valid;
        return err::kNone;
    });
}

void Engine::NextKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key) {
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        return StepCursor(
            block, keyNumber, recordNumber, key,
            [&](BTree& tree, Path& path, bool invalidated) -> int32_t {
                if (invalidated) {
                    // Resume after the caller's last entry, or after where it
                    // would stand.
                    bool found = false;
                    if (const int32_t error = tree.Search(CutKey(key), recordNumber, path, found))
                        return error;
                }
                return tree.Next(path);
            });
    });
}

void Engine::PrevKey(FileBlockHandle fb, int keyNumber, int32_t& recordNumber, std::string& key) {
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        return StepCursor(
            block, keyNumber, recordNumber, key,
            [&](BTree& tree, Path& path, bool invalidated) -> int32_t {
                if (invalidated) {
                    // A search that misses already ends at the greatest entry below
                    // the caller's pair.
                    bool found = false;
                    if (const int32_t error = tree.Search(CutKey(key), recordNumber, path, found))
                        return error;
                    if (!found) return path.empty() ? err::kNoPrevKey : err::kNone;
                }
                return tree.Prev(path);
            });
    });
}

int32_t Engine::UsedKeys(FileBlockHandle fb, int keyNumber) {
    int32_t used = 0;
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        used = block.index->key(keyNumber).header.entryCount;
        return err::kNone;
    });
    return used;
}

int32_t Engine::KeyToPosition(FileBlockHandle fb, int keyNumber, int32_t recordNumber,
                              std::string_view key, int32_t scale) {
    int32_t position = 0;
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        if (scale <= 0) return err::kBadScale;
        BTree tree(*block.index, keyNumber);
        if (tree.empty()) return err::kKeyPositionEmptyTree;
        BTree::TwoLevels seen;
        if (const int32_t error = tree.Probe(CutKey(key), recordNumber, seen)) return error;
        const int e = AssumedItems(tree.capacity());
        const int c1 = seen.reachedChild ? seen.childCount : e;
        const int r1 = seen.reachedChild ? seen.childIndex : 0;
        position = KeyToPositionOf(seen.rootCount, seen.rootIndex, c1, r1, e, scale);
        return err::kNone;
    });
    return position;
}

void Engine::PositionToKey(FileBlockHandle fb, int keyNumber, int32_t position, int32_t scale,
                           int32_t& recordNumber, std::string& key) {
    Guarded(fb, Access::Read, keyNumber, [&](FileBlock& block) {
        if (scale <= 0 || position < 0 || position > scale) return err::kBadPosition;
        BTree tree(*block.index, keyNumber);
        if (tree.empty()) return err::kPositionEmptyTree;
        PageRef root;
        if (const int32_t error = tree.FetchRoot(root)) return error;
        const int e = root->leaf() ? 0 : AssumedItems(tree.capacity());
        const RootSlot slot = RootSlotOf(root->count, e, position, scale);
        const Item* item = nullptr;
        PageRef child;
        if (root->leaf() || slot.r == 0) {
            if (slot.q == 0) {
                recordNumber = 0;
                key.clear();
                return err::kNone;
            }
            item = &root->item(slot.q);
        } else {
            if (const int32_t error = tree.FetchChild(root, slot.q, child)) return error;
            if (child->count < 1) return err::kIndexDamaged;
            item = &child->item(ChildItemOf(slot.q, slot.r, child->count, e));
        }
        recordNumber = item->record;
        key.assign(item->keyView());
        return err::kNone;
    });
}

// ---- locking -----------------------------------------------------------------------------------

void Engine::LockFileBlock(FileBlockHandle fb) {
    Guarded(fb, Access::Read, kNoKey, [](FileBlock&) { return err::kNone; });
}

void Engine::UnlockFileBlock(FileBlockHandle fb) {
    Guarded(fb, Access::Read, kNoKey, [](FileBlock&) { return err::kNone; });
}

// ---- rebuild support and counters ---------------------------------------------------------------

void Engine::SetProgressCallback(ProgressCallback callback) {
    impl_->progress = std::move(callback);
}

Engine::PoolCounters Engine::poolCounters() const {
    const PagePool::Counters& counters = impl_->pool.counters();
    return PoolCounters{counters.misses, counters.pageWrites};
}

}  // namespace engine
