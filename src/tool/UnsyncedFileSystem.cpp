#include "tool/UnsyncedFileSystem.h"

#include <fcntl.h>
#include <unistd.h>

namespace tool {
namespace {

class UnsyncedFile : public engine::File {
public:
    explicit UnsyncedFile(std::unique_ptr<engine::File> file) : file_(std::move(file)) {}

    int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) override {
        return file_->Read(offset, buffer, size, bytesRead);
    }
    int Write(int64_t offset, const void* buffer, int64_t size, int64_t& bytesWritten) override {
        return file_->Write(offset, buffer, size, bytesWritten);
    }
    int Size(int64_t& size) override { return file_->Size(size); }
    int Truncate(int64_t size) override { return file_->Truncate(size); }
    int Flush() override { return engine::kPlatformOk; }
    int Close() override { return file_->Close(); }

private:
    std::unique_ptr<engine::File> file_;
};

}  // namespace

int UnsyncedFileSystem::Open(const std::string& path, engine::OpenMode mode,
                             std::unique_ptr<engine::File>& file) {
    const int error = posix_.Open(path, mode, file);
    if (error == engine::kPlatformOk) file = std::make_unique<UnsyncedFile>(std::move(file));
    return error;
}

bool UnsyncedFileSystem::FinishWrites() {
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    if (folder < 0) return false;
    const bool synced = ::syncfs(folder) == 0;
    ::close(folder);
    return synced;
}

}  // namespace tool
