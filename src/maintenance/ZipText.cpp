#include "maintenance/ZipText.h"

namespace maintenance {

std::string ZipErrorText(int error) {
    zip_error_t zipError;
    zip_error_init_with_code(&zipError, error);
    std::string text =
        std::string("The backup file could not be used: ") + zip_error_strerror(&zipError) + ".";
    zip_error_fini(&zipError);
    return text;
}

std::string ArchiveErrorText(zip_t* archive) {
    return std::string("The backup file could not be used: ") + zip_strerror(archive) + ".";
}

}  // namespace maintenance
