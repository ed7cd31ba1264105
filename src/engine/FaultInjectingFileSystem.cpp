#include "engine/FaultInjectingFileSystem.h"

#include <utility>

namespace engine {
namespace {

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

FaultInjectingFileSystem::Fault Armed(int64_t nth, FaultInjectingFileSystem::Repeat repeat,
                                      FaultInjectingFileSystem::Kind kind, std::string suffix) {
    FaultInjectingFileSystem::Fault fault;
    fault.nth = nth;
    fault.repeat = repeat;
    fault.kind = kind;
    fault.pathSuffix = std::move(suffix);
    return fault;
}

class FaultInjectingFile final : public File {
public:
    FaultInjectingFile(FaultInjectingFileSystem& fs, std::string path, std::unique_ptr<File> inner)
        : fs_(fs), path_(std::move(path)), inner_(std::move(inner)) {}

    int Read(int64_t offset, void* buffer, int64_t size, int64_t& bytesRead) override {
        fs_.CountRead();
        bytesRead = 0;
        if (fs_.ShouldFail(fs_.readFault(), path_))
            return fs_.readFault().kind == FaultInjectingFileSystem::Kind::Error ? kPlatformOther
                                                                                 : kPlatformOk;
        return inner_->Read(offset, buffer, size, bytesRead);
    }

    int Write(int64_t offset, const void* buffer, int64_t size, int64_t& bytesWritten) override {
        fs_.CountWrite();
        bytesWritten = 0;
        if (fs_.ShouldFail(fs_.writeFault(), path_))
            return fs_.writeFault().kind == FaultInjectingFileSystem::Kind::Error ? kPlatformOther
                                                                                  : kPlatformOk;
        return inner_->Write(offset, buffer, size, bytesWritten);
    }

    int Size(int64_t& size) override { return inner_->Size(size); }
    int Truncate(int64_t size) override { return inner_->Truncate(size); }

    int Flush() override {
        fs_.CountFlush();
        if (fs_.ShouldFail(fs_.flushFault(), path_)) return kPlatformOther;
        return inner_->Flush();
    }

    int Close() override { return inner_->Close(); }

private:
    FaultInjectingFileSystem& fs_;
    std::string path_;
    std::unique_ptr<File> inner_;
};

}  // namespace

void FaultInjectingFileSystem::FailRead(int64_t nth, Repeat repeat, Kind kind,
                                        std::string pathSuffix) {
    read_ = Armed(nth, repeat, kind, std::move(pathSuffix));
}

void FaultInjectingFileSystem::FailWrite(int64_t nth, Repeat repeat, Kind kind,
                                         std::string pathSuffix) {
    write_ = Armed(nth, repeat, kind, std::move(pathSuffix));
}

void FaultInjectingFileSystem::FailFlush(int64_t nth, Repeat repeat, std::string pathSuffix) {
    flush_ = Armed(nth, repeat, Kind::Error, std::move(pathSuffix));
}

void FaultInjectingFileSystem::FailRename(int64_t nth, Repeat repeat) {
    rename_ = Armed(nth, repeat, Kind::Error, {});
}

void FaultInjectingFileSystem::Clear() {
    read_ = {};
    write_ = {};
    flush_ = {};
    rename_ = {};
}

bool FaultInjectingFileSystem::ShouldFail(Fault& fault, const std::string& path) {
    if (fault.nth <= 0 || !EndsWith(path, fault.pathSuffix)) return false;
    if (fault.fired && fault.repeat == Repeat::Once) return false;
    if (!fault.fired && ++fault.seen < fault.nth) return false;
    fault.fired = true;
    ++faultsInjected_;
    return true;
}

int FaultInjectingFileSystem::Open(const std::string& path, OpenMode mode,
                                   std::unique_ptr<File>& file) {
    std::unique_ptr<File> inner;
    const int error = inner_.Open(path, mode, inner);
    if (error != kPlatformOk) {
        file.reset();
        return error;
    }
    file = std::make_unique<FaultInjectingFile>(*this, path, std::move(inner));
    return kPlatformOk;
}

int FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to) {
    if (ShouldFail(rename_, from)) return kPlatformOther;
    return inner_.Rename(from, to);
}

}  // namespace engine
