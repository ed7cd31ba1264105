#include "engine/RebuildLog.h"

#include "engine/DataFile.h"
#include "engine/Errors.h"

namespace engine {

int32_t RebuildLog::Write(std::string_view bytes) {
    if (!file_) {
        if (const int error = fs_.Open(path_, OpenMode::CreateAlways, file_))
            return err::FromPlatform(error);
    }
    if (const int32_t error =
            WriteExactly(*file_, offset_, bytes.data(), static_cast<int64_t>(bytes.size())))
        return error;
    offset_ += static_cast<int64_t>(bytes.size());
    return err::kNone;
}

int32_t RebuildLog::KeyNotAdded(std::string_view key, int keyNumber, int32_t recordNumber) {
    std::string line = "Key:<";
    line.append(key).append("> KeyNr: ").append(std::to_string(keyNumber));
    line.append(" Ref: ").append(std::to_string(recordNumber)).append(" not added\r\n");
    return Write(line);
}

int32_t RebuildLog::RecordDeleted(const uint8_t* record, int recordLength) {
    std::string entry = "Data record deleted - Dump follows\r\n";
    entry.append(reinterpret_cast<const char*>(record), static_cast<size_t>(recordLength));
    entry.append("\r\n\r\n");
    return Write(entry);
}

int32_t RebuildLog::Close() {
    if (!file_) return err::kNone;
    int error = file_->Flush();
    if (const int closed = file_->Close(); error == kPlatformOk) error = closed;
    file_.reset();
    return err::FromPlatform(error);
}

}  // namespace engine
