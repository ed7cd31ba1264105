#pragma once
// Archives written entry by entry with the ZIP library, for the restore's refusals: names, modes
// and sizes that a backup never writes but a hostile or damaged archive may hold.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct ZipEntry {
    std::string name;
    std::string bytes;
    bool link = false;    // marked as a symbolic link
    bool stored = false;  // not deflated, so its bytes lie in the archive as they are
};

inline void WriteZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ZipEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        zip_set_file_compression(archive, index, entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        if (entry.link)
            zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                             (S_IFLNK | 0777) << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

}  // namespace testsupport
