#include "engine/BlockFile.h"

#include <cstring>
#include <memory>
#include <thread>
#include <tuple>
#include <utility>

#include "engine/DataFile.h"
#include "engine/Errors.h"
#include "engine/FileNames.h"

namespace engine {

namespace {

bool IsDeleted(const std::vector<std::byte>& record) {
    int32_t mark = 0;
    std::memcpy(&mark, record.data(), sizeof mark);
    return mark != 0;
}

}  // namespace

BlockFile::BlockFile(Engine& engine, FileDescription description, base::PromptService& prompts,
                     RebuildObserver* observer)
    : engine_(engine),
      description_(std::move(description)),
      prompts_(prompts),
      observer_(observer) {}

BlockFile::~BlockFile() {
    static_cast<void>(Close());  // a failed close leaves the flag that asks for a rebuild
}

bool BlockFile::Close() {
    if (!handle_) return true;
    engine_.CloseFileBlock(handle_);
    if (!engine_.ok()) return false;
    const bool marked = !undoFailed_ || MarkForRebuild();
    undoFailed_ = false;
    return marked;
}

bool BlockFile::MarkForRebuild() {
    // The flag the engine itself leaves behind when a block is not closed after a change.
    std::unique_ptr<File> file;
    if (engine_.fileSystem().Open(FileNamesOf(description_.name).data, OpenMode::ReadWrite, file) !=
        kPlatformOk)
        return false;
    int64_t written = 0;
    const bool flagged = file->Write(kInUseOffset, &kInUseByChange, 1, written) == kPlatformOk &&
                         written == 1 && file->Flush() == kPlatformOk;
    return file->Close() == kPlatformOk && flagged;
}

bool BlockFile::Open() {
    SharingWaiter waiter(engine_, prompts_);
    for (;;) {
        const Attempt attempt = TryOpen();
        if (attempt != Attempt::InUse) return attempt == Attempt::Opened;
        if (!waiter.Again()) return false;
    }
}

BlockFile::Attempt BlockFile::TryOpen() {
    if (handle_) return Attempt::Opened;
    bool created = false;
    for (;;) {
        engine_.OpenFileBlock(handle_, description_.name, Expected(false));
        if (engine_.ok()) return Attempt::Opened;
        const int32_t error = engine_.error();
        if (error == err::kFileInUse) return Attempt::InUse;
        if (error == err::kIndexUnusable) {
            if (!prompts_.AskYesNo(kQuestionCaption, "Index file is defective.  Rebuild?",
                                   base::PromptIcon::Information))
                return Attempt::Failed;
            // Asking again after a rebuild that failed could only repeat the failure.
            if (!Rebuild()) return Attempt::Failed;
            continue;
        }
        if (error == err::kFileNotFound && !created) {
            if (!description_.creationNotice.empty() &&
                prompts_.Message(kCreationCaption, description_.creationNotice,
                                 base::PromptIcon::Information,
                                 base::PromptButtons::Ok) != base::PromptAnswer::Ok)
                return Attempt::Failed;
            // Another desk creating the same block at this moment holds it: wait for it.
            if (!Create())
                return engine_.error() == err::kFileInUse ? Attempt::InUse : Attempt::Failed;
            created = true;
            continue;
        }
        return Attempt::Failed;
    }
}

bool BlockFile::OpenReadOnly() {
    SharingWaiter waiter(engine_, prompts_);
    for (;;) {
        if (handle_) return true;
        engine_.OpenFileBlock(handle_, description_.name, Expected(true));
        if (engine_.error() != err::kFileInUse) return engine_.ok();
        if (!waiter.Again()) return false;
    }
}

OpenOptions BlockFile::Expected(bool readOnly) const {
    return OpenOptions{.readOnly = readOnly,
                       .recordLength = description_.recordLength,
                       .keyCount = description_.keyCount()};
}

bool BlockFile::Create() {
    engine_.CreateFileBlock(description_.name, description_.recordLength, description_.keyCount(),
                            description_.keys.data());
    return engine_.ok();
}

bool BlockFile::Rebuild() {
    if (!Close()) return false;
    engine_.SetProgressCallback([this](int keyNumber, int32_t read, int32_t written) {
        if (observer_) observer_->RebuildProgress(keyNumber, read, written);
    });
    if (observer_) observer_->RebuildStarted(description_.statusCaption);
    engine_.RebuildDataFile(description_.name, description_.recordLength, description_.recordLength,
                            KeepLiveRecord);
    if (engine_.ok()) {
        bool logWritten = false;
        engine_.RebuildIndex(description_.name, description_.keyCount(), description_.keys.data(),
                             description_.buildKey, true, logWritten);
    }
    const bool ok = engine_.ok();
    if (observer_) observer_->RebuildFinished();
    engine_.SetProgressCallback(nullptr);
    return ok;
}

std::string BlockFile::BuildKey(std::span<const std::byte> record, int keyNumber) const {
    return description_.buildKey(record, keyNumber);
}

bool BlockFile::Fits(std::span<const std::byte> record) {
    return engine_.FitsRecord(handle_, record);
}

// ---- retrying calls -----------------------------------------------------------------------------

template <typename Call>
bool BlockFile::Retrying(Call call) {
    for (;;) {
        call();
        if (engine_.errorClass() != ErrorClass::Retry) return engine_.ok();
        if (prompts_.AskYesNo(kQuestionCaption, "Cannot get a lock.  Abort?",
                              base::PromptIcon::Information)) {
            gaveUp_ = true;
            return false;
        }
    }
}

bool BlockFile::AddRecord(int32_t& recordNumber, std::span<const std::byte> record) {
    return Retrying([&] { engine_.AddRecord(handle_, recordNumber, record); });
}

bool BlockFile::PutRecord(int32_t recordNumber, std::span<const std::byte> record) {
    return Retrying([&] { engine_.PutRecord(handle_, recordNumber, record); });
}

bool BlockFile::DeleteRecord(int32_t recordNumber) {
    return Retrying([&] { engine_.DeleteRecord(handle_, recordNumber); });
}

bool BlockFile::AddKey(int keyNumber, int32_t recordNumber, const std::string& key) {
    return Retrying([&] { engine_.AddKey(handle_, keyNumber, recordNumber, key); });
}

bool BlockFile::DeleteKey(int keyNumber, int32_t recordNumber, const std::string& key) {
    return Retrying([&] { engine_.DeleteKey(handle_, keyNumber, recordNumber, key); });
}

bool BlockFile::SearchKey(int keyNumber, int32_t& recordNumber, std::string& key) {
    // The engine changes the key also when it fails; each attempt searches for the same one.
    const std::string wanted = key;
    return Retrying([&] {
        key = wanted;
        engine_.SearchKey(handle_, keyNumber, recordNumber, key);
    });
}

bool BlockFile::NextKey(int keyNumber, int32_t& recordNumber, std::string& key) {
    const std::pair<int32_t, std::string> from{recordNumber, key};
    return Retrying([&] {
        std::tie(recordNumber, key) = from;
        engine_.NextKey(handle_, keyNumber, recordNumber, key);
    });
}

bool BlockFile::PrevKey(int keyNumber, int32_t& recordNumber, std::string& key) {
    const std::pair<int32_t, std::string> from{recordNumber, key};
    return Retrying([&] {
        std::tie(recordNumber, key) = from;
        engine_.PrevKey(handle_, keyNumber, recordNumber, key);
    });
}

// ---- record with keys ---------------------------------------------------------------------------

bool BlockFile::Lock() {
    for (;;) {
        engine_.LockFileBlock(handle_);
        if (engine_.ok()) return true;
        if (prompts_.AskYesNo(kQuestionCaption, "The files are in use.  Abort?",
                              base::PromptIcon::Information)) {
            gaveUp_ = true;
            return false;
        }
    }
}

void BlockFile::Unlock() {
    engine_.UnlockFileBlock(handle_);
}

void BlockFile::Undo(bool stepSucceeded) {
    undoFailed_ = undoFailed_ || !stepSucceeded;
}

void BlockFile::RemoveKeys(int32_t recordNumber,
                           const std::vector<std::pair<int, std::string>>& keys) {
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        Undo(DeleteKey(it->first, recordNumber, it->second));
}

void BlockFile::RestoreKeys(int32_t recordNumber,
                            const std::vector<std::pair<int, std::string>>& keys) {
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        Undo(AddKey(it->first, recordNumber, it->second));
}

void BlockFile::RevertKeyChanges(int32_t recordNumber, const std::vector<KeyChange>& changes) {
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        // Without its old key back, the new one stays, so the record can still be found.
        const bool restored = AddKey(it->keyNumber, recordNumber, it->oldKey);
        Undo(restored);
        if (restored) Undo(DeleteKey(it->keyNumber, recordNumber, it->newKey));
    }
}

bool BlockFile::GetRecord(int32_t recordNumber, std::span<std::byte> record) {
    engine_.GetRecord(handle_, recordNumber, record);
    return engine_.ok();
}

bool BlockFile::Add(std::span<const std::byte> record, int32_t& recordNumber) {
    gaveUp_ = false;
    if (!Fits(record) || !Lock()) return false;
    if (!AddRecord(recordNumber, record)) {
        Unlock();
        return false;
    }
    std::vector<std::pair<int, std::string>> added;
    for (int keyNumber : description_.addOrder) {
        std::string key = BuildKey(record, keyNumber);
        if (!AddKey(keyNumber, recordNumber, key)) {
            RemoveKeys(recordNumber, added);
            Undo(DeleteRecord(recordNumber));
            Unlock();
            return false;
        }
        added.emplace_back(keyNumber, std::move(key));
    }
    Unlock();
    return engine_.ok();
}

UpdateOutcome BlockFile::Update(int32_t recordNumber, std::span<const std::byte> record,
                                std::span<const std::byte> original) {
    gaveUp_ = false;
    if (!Fits(record) || !Fits(original)) return UpdateOutcome::Failed;
    const size_t length = static_cast<size_t>(description_.recordLength);
    if (std::memcmp(record.data(), original.data(), length) == 0) return UpdateOutcome::Unchanged;
    if (!Lock()) return UpdateOutcome::GaveUp;

    std::vector<std::byte> stored(length);
    engine_.GetRecord(handle_, recordNumber, stored);
    if (!engine_.ok() || IsDeleted(stored)) {
        const bool readFailed = !engine_.ok();
        Unlock();
        return readFailed ? UpdateOutcome::Failed : UpdateOutcome::RecordGone;
    }
    if (std::memcmp(stored.data(), original.data(), length) != 0) {
        Unlock();
        prompts_.Message(kProgramCaption, "The record has changed in the meantime.",
                         base::PromptIcon::Information, base::PromptButtons::Ok);
        return UpdateOutcome::ChangedMeanwhile;
    }

    auto fail = [&](const std::vector<KeyChange>& changes) {
        RevertKeyChanges(recordNumber, changes);
        Unlock();
        return gaveUp_ ? UpdateOutcome::GaveUp : UpdateOutcome::Failed;
    };
    std::vector<KeyChange> changes;
    for (int keyNumber : description_.updateOrder) {
        KeyChange change{keyNumber, BuildKey(stored, keyNumber), BuildKey(record, keyNumber)};
        if (change.oldKey == change.newKey) continue;
        if (!AddKey(keyNumber, recordNumber, change.newKey)) return fail(changes);
        if (!DeleteKey(keyNumber, recordNumber, change.oldKey)) {
            Undo(DeleteKey(keyNumber, recordNumber, change.newKey));
            return fail(changes);
        }
        changes.push_back(std::move(change));
    }
    if (!PutRecord(recordNumber, record)) return fail(changes);
    Unlock();
    return engine_.ok() ? UpdateOutcome::Written : UpdateOutcome::Failed;
}

bool BlockFile::Delete(int32_t recordNumber, std::span<const std::byte> record) {
    gaveUp_ = false;
    if (!Fits(record) || !Lock()) return false;
    std::vector<std::pair<int, std::string>> removed;
    auto fail = [&] {
        RestoreKeys(recordNumber, removed);
        Unlock();
        return false;
    };
    for (int keyNumber = 1; keyNumber <= description_.keyCount(); ++keyNumber) {
        std::string key = BuildKey(record, keyNumber);
        if (!DeleteKey(keyNumber, recordNumber, key)) return fail();
        removed.emplace_back(keyNumber, std::move(key));
    }
    if (!DeleteRecord(recordNumber)) return fail();
    Unlock();
    return engine_.ok();
}

// ---- waiting for other desks --------------------------------------------------------------------

namespace {

constexpr std::chrono::milliseconds kSharingPause{15};

}  // namespace

SharingWaiter::SharingWaiter(const Engine& engine, base::PromptService& prompts)
    : wait_(engine.sharingWait()), prompts_(prompts), since_(std::chrono::steady_clock::now()) {}

bool SharingWaiter::Again() {
    if (std::chrono::steady_clock::now() - since_ < wait_.patience) {
        std::this_thread::sleep_for(kSharingPause);
        return true;
    }
    if (!wait_.ask || prompts_.AskYesNo(kQuestionCaption, "The files are in use.  Abort?",
                                        base::PromptIcon::Information))
        return false;
    since_ = std::chrono::steady_clock::now();
    return true;
}

int32_t OpenTogether(const std::vector<BlockFile*>& files, base::PromptService& prompts) {
    if (files.empty()) return err::kNone;
    SharingWaiter waiter(files.front()->engine(), prompts);
    for (;;) {
        std::vector<BlockFile*> opened;
        BlockFile::Attempt attempt = BlockFile::Attempt::Opened;
        for (BlockFile* file : files) {
            if (file->IsOpen()) continue;
            attempt = file->TryOpen();
            if (attempt != BlockFile::Attempt::Opened) break;
            opened.push_back(file);
        }
        if (attempt == BlockFile::Attempt::Opened) return err::kNone;
        const int32_t error = files.front()->engine().error();
        for (BlockFile* file : opened) (void)file->Close();
        if (attempt == BlockFile::Attempt::Failed || !waiter.Again()) return error;
    }
}

}  // namespace engine
