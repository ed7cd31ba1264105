#pragma once
// The rebuild's text log (D.MSG): one line per key that could not be added and, for a record the
// rebuild deleted, a dump of its bytes. The file is created by the first entry of a run.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/FileSystem.h"

namespace engine {

class RebuildLog {
public:
    RebuildLog(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    ~RebuildLog() { Close(); }

    // "Key:<KEY> KeyNr: 1 Ref: 12 not added"
    int32_t KeyNotAdded(std::string_view key, int keyNumber, int32_t recordNumber);
    // "Data record deleted - Dump follows", the record's bytes, CR LF, an empty line.
    int32_t RecordDeleted(const uint8_t* record, int recordLength);

    bool written() const { return offset_ > 0; }
    int32_t Close();

private:
    int32_t Write(std::string_view bytes);

    FileSystem& fs_;
    std::string path_;
    std::unique_ptr<File> file_;
    int64_t offset_ = 0;
};

}  // namespace engine
