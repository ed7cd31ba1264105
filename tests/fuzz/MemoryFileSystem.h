#pragma once
// Files held in memory, with the platform layer's behaviour: one opener per file ("no sharing"),
// short reads at the end, writes that extend with zeros, rename that replaces its target. The
// fuzzer runs the engine on it so that every input starts from the same clean slate, fast.

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "engine/FileSystem.h"

namespace fuzz {

class MemoryFileSystem final : public engine::FileSystem {
public:
    void Put(const std::string& path, std::string bytes) {
        files_[path] = std::make_shared<std::string>(std::move(bytes));
    }
    const std::string* Find(const std::string& path) const {
        const auto found = files_.find(path);
        return found == files_.end() ? nullptr : found->second.get();
    }

    int Open(const std::string& path, engine::OpenMode mode,
             std::unique_ptr<engine::File>& file) override {
        if (open_.count(path)) return engine::kPlatformSharingViolation;
        auto found = files_.find(path);
        if (mode == engine::OpenMode::CreateAlways) {
            Put(path, {});
            found = files_.find(path);
        } else if (found == files_.end()) {
            return engine::kPlatformFileNotFound;
        }
        open_.insert(path);
        file = std::make_unique<MemoryFile>(*this, path, found->second,
                                            mode != engine::OpenMode::ReadOnly);
        return engine::kPlatformOk;
    }

    int Remove(const std::string& path) override {
        if (open_.count(path)) return engine::kPlatformSharingViolation;
        return files_.erase(path) ? engine::kPlatformOk : engine::kPlatformFileNotFound;
    }

    int Rename(const std::string& from, const std::string& to) override {
        if (open_.count(from) || open_.count(to)) return engine::kPlatformSharingViolation;
        const auto found = files_.find(from);
        if (found == files_.end()) return engine::kPlatformFileNotFound;
        auto bytes = found->second;
        files_.erase(found);
        files_[to] = bytes;
        return engine::kPlatformOk;
    }

    int Copy(const std::string& from, const std::string& to) override {
        const auto found = files_.find(from);
        if (found == files_.end()) return engine::kPlatformFileNotFound;
        if (open_.count(to)) return engine::kPlatformSharingViolation;
        Put(to, *found->second);
        return engine::kPlatformOk;
    }

    bool Exists(const std::string& path) override { return files_.count(path) != 0; }

private:
    class MemoryFile final : public engine::File {
    public:
        MemoryFile(MemoryFileSystem& owner, std::string path, std::shared_ptr<std::string> bytes,
                   bool writable)
            : owner_(owner),
              path_(std::move(path)),
              bytes_(std::move(bytes)),
              writable_(writable) {}
        ~MemoryFile() override { Close(); }

        int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) override {
            bytesRead = 0;
            if (closed_) return engine::kPlatformInvalidHandle;
            if (offset < 0 || size < 0) return engine::kPlatformOther;
            const int64_t length = static_cast<int64_t>(bytes_->size());
            if (offset >= length) return engine::kPlatformOk;
            bytesRead = std::min(size, length - offset);
            bytes_->copy(static_cast<char*>(buffer), static_cast<size_t>(bytesRead),
                         static_cast<size_t>(offset));
            return engine::kPlatformOk;
        }

        int Write(int64_t offset, const void* buffer, int64_t size,
                  int64_t& bytesWritten) override {
            bytesWritten = 0;
            if (closed_) return engine::kPlatformInvalidHandle;
            if (!writable_) return engine::kPlatformInvalidAccess;
            if (offset < 0 || size < 0 || offset + size > kMaxFileSize)
                return engine::kPlatformOther;
            const auto end = static_cast<size_t>(offset + size);
            if (bytes_->size() < end) bytes_->resize(end, '\0');
            bytes_->replace(static_cast<size_t>(offset), static_cast<size_t>(size),
                            static_cast<const char*>(buffer), static_cast<size_t>(size));
            bytesWritten = size;
            return engine::kPlatformOk;
        }

        int Size(int64_t& size) override {
            size = static_cast<int64_t>(bytes_->size());
            return closed_ ? engine::kPlatformInvalidHandle : engine::kPlatformOk;
        }

        int Truncate(int64_t size) override {
            if (closed_) return engine::kPlatformInvalidHandle;
            if (!writable_) return engine::kPlatformInvalidAccess;
            if (size < 0 || size > kMaxFileSize) return engine::kPlatformOther;
            bytes_->resize(static_cast<size_t>(size), '\0');
            return engine::kPlatformOk;
        }

        int Flush() override {
            return closed_ ? engine::kPlatformInvalidHandle : engine::kPlatformOk;
        }

        int Close() override {
            if (closed_) return engine::kPlatformInvalidHandle;
            closed_ = true;
            owner_.open_.erase(path_);
            return engine::kPlatformOk;
        }

    private:
        // A disk that is full beyond this: keeps a fuzzed offset from asking for gigabytes.
        static constexpr int64_t kMaxFileSize = 64 << 20;

        MemoryFileSystem& owner_;
        std::string path_;
        std::shared_ptr<std::string> bytes_;
        bool writable_;
        bool closed_ = false;
    };

    std::map<std::string, std::shared_ptr<std::string>> files_;
    std::set<std::string> open_;
};

}  // namespace fuzz
