#include "maintenance/ArchiveCheck.h"

#include <sys/stat.h>

#include <set>

#include "maintenance/BackupMask.h"
#include "maintenance/ZipText.h"

namespace maintenance {
namespace {

// The host system of an entry's external attributes that carry a file mode.
constexpr zip_uint8_t kUnixHost = ZIP_OPSYS_UNIX;

bool PlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    return name.find("..") == std::string_view::npos;
}

bool IsLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t host = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &host, &attributes) != 0) return false;
    return host == kUnixHost && S_ISLNK(attributes >> 16);
}

bool TooLarge(const zip_stat_t& stat) {
    if (stat.size > kLargestEntry) return true;
    return stat.size > kRatioFloor && stat.size / kLargestPackingRatio > stat.comp_size;
}

std::string Refused(std::string_view why, std::string_view name) {
    return "The backup file cannot be restored: " + std::string(why) + " " + ShownName(name) + ".";
}

}  // namespace

std::string ShownName(std::string_view name) {
    std::string shown(name);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return shown;
}

ArchiveCheck CheckArchive(zip_t* archive) {
    ArchiveCheck check;
    std::set<std::string> seen;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, index, 0, &stat) != 0) {
            check.refusal = ArchiveErrorText(archive);
            return check;
        }
        const std::string name = stat.name ? stat.name : "";
        std::string why;
        if (!PlainFileName(name))
            why = "it names a file outside the data folder:";
        else if (IsLink(archive, index))
            why = "it holds a link instead of a file:";
        else if (!InBackupMask(name))
            why = "it holds a file that is not a data file:";
        else if (!seen.insert(UpperAscii(name)).second)
            why = "it holds twice the file";
        else if (TooLarge(stat))
            why = "it holds a file too large to restore:";
        if (!why.empty()) {
            check.refusal = Refused(why, name);
            return check;
        }
        check.entries.push_back({index, name, stat.size});
    }
    return check;
}

}  // namespace maintenance
