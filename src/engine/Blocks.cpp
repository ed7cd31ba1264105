#include "engine/Blocks.h"

#include <vector>

#include "engine/Errors.h"

namespace engine {

int32_t CreateBlockFiles(FileSystem& fs, const CreateRequest& request) {
    if (request.recordLength < kMinRecordLength) return err::kRecordTooShort;
    if (request.keyCount < 0 || request.keyCount > kMaxKeys) return err::kTooManyKeys;
    // Checked before anything is replaced, so a bad descriptor costs no existing file.
    for (int k = 0; k < request.keyCount; ++k) {
        const int length = request.descriptors[k].length;
        if (length < 1 || length > kMaxKeyLength) return err::kBadKeyLength;
    }
    fs.Remove(request.indexPath);
    fs.Remove(WithExtension(request.dataPath, "DIA"));
    fs.Remove(request.dataPath);

    std::unique_ptr<File> data;
    if (const int error = fs.Open(request.dataPath, OpenMode::CreateAlways, data))
        return err::FromPlatform(error);
    std::vector<uint8_t> slot0(static_cast<size_t>(request.recordLength), 0);
    DataHeader header;
    header.recordLength = request.recordLength;
    header.keyCount = request.keyCount;
    header.inUse = request.inUse;
    header.Encode(slot0.data());
    int32_t error = WriteExactly(*data, 0, slot0.data(), request.recordLength);
    if (!error && data->Flush() != kPlatformOk) error = err::kPlatform;
    // The data file stays held until the index exists, so another opener waits for the whole
    // block instead of finding a data file without its index.
    if (!error && request.keyCount > 0) {
        std::unique_ptr<File> index;
        if (const int opened = fs.Open(request.indexPath, OpenMode::CreateAlways, index)) {
            error = err::FromPlatform(opened);
        } else {
            error = IndexFile::Create(*index, request.keyCount, request.descriptors);
            if (!error && index->Flush() != kPlatformOk) error = err::kPlatform;
            if (index->Close() != kPlatformOk && !error) error = err::kCloseFailed;
            if (error) fs.Remove(request.indexPath);
        }
    }
    if (data->Close() != kPlatformOk && !error) error = err::kCloseFailed;
    if (error) fs.Remove(request.dataPath);
    return error;
}

int32_t OpenBlock(FileSystem& fs, const OpenRequest& request, std::unique_ptr<FileBlock>& block) {
    const OpenMode mode = request.readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite;
    std::unique_ptr<File> dataFile;
    if (const int error = fs.Open(request.names.data, mode, dataFile))
        return err::FromPlatform(error);
    uint8_t bytes[kDataHeaderSize];
    int64_t got = 0;
    if (const int error = dataFile->Read(0, bytes, kDataHeaderSize, got); error != kPlatformOk)
        return err::FromPlatform(error);
    // A header that is cut short or impossible cannot be trusted any more than its index.
    if (got != kDataHeaderSize) return err::kIndexUnusable;
    const DataHeader header = DataHeader::Decode(bytes);
    if (header.keyCount > kMaxKeys) return err::kHeaderTooManyKeys;
    if (header.recordLength < kMinRecordLength || header.recordCount < 0 || header.freeCount < 0)
        return err::kIndexUnusable;
    // Records of another length would be cut or overrun at every read and write; another key
    // count (a rebuild interrupted after its data phase leaves 0) means other indexes.
    if ((request.expectedRecordLength != 0 &&
         header.recordLength != request.expectedRecordLength) ||
        (request.expectedKeyCount >= 0 && header.keyCount != request.expectedKeyCount))
        return err::kIndexUnusable;

    auto opened = std::make_unique<FileBlock>();
    opened->names = request.names;
    opened->readOnly = request.readOnly;
    if (header.keyCount > 0) {
        std::unique_ptr<File> indexFile;
        if (const int error = fs.Open(request.names.index, mode, indexFile)) {
            const int32_t mapped = err::FromPlatform(error);
            return mapped == err::kTooManyFiles ? mapped : err::kIndexUnusable;
        }
        if (const int32_t error = IndexFile::Open(std::move(indexFile), header.keyCount,
                                                  *request.pool, opened->index))
            return error == err::kShortRead ? err::kIndexUnusable : error;
    }
    if (header.inUse != 0 && !request.acceptInUse) return err::kIndexUnusable;
    opened->data = std::make_unique<DataFile>(std::move(dataFile), header, header.inUse != 0);
    block = std::move(opened);
    return err::kNone;
}

int32_t WriteBackBlock(FileBlock& block, bool clearInUse) {
    if (block.readOnly || !block.data->inUseWritten()) return err::kNone;
    if (block.index) {
        if (const int32_t error = block.index->WriteBack()) return error;
    }
    const uint8_t flag = block.data->header().inUse;
    if (const int32_t error = block.data->WriteHeader(flag)) return error;
    if (!clearInUse) return err::kNone;
    if (const int32_t error = block.data->WriteHeader(0)) return error;
    block.data->MarkClosed();
    return err::kNone;
}

int32_t CloseBlock(FileBlock& block, bool clearInUse) {
    if (const int32_t error = WriteBackBlock(block, clearInUse)) return error;
    int32_t error = err::kNone;
    if (block.index) error = block.index->Close();
    if (const int32_t dataError = block.data->Close(); !error) error = dataError;
    block.marker = 0;
    return error;
}

void AbandonBlock(FileBlock& block) {
    if (block.index) block.index->Close();
    block.data->Close();
    block.marker = 0;
}

}  // namespace engine
