#include "engine/Errors.h"

#include <algorithm>
#include <iterator>

#include "engine/FileSystem.h"

namespace engine {

std::string ErrorText(ErrorClass errorClass, int32_t error) {
    return "Class " + std::to_string(static_cast<int>(errorClass)) + " error.  Isam Error " +
           std::to_string(error);
}

}  // namespace engine

namespace engine::err {

int32_t FromPlatform(int platformError) {
    switch (platformError) {
        case kPlatformOk:
            return kNone;
        case kPlatformFileNotFound:
            return kFileNotFound;
        case kPlatformPathNotFound:
            return kPathNotFound;
        case kPlatformTooManyFiles:
            return kTooManyFiles;
        case kPlatformInvalidHandle:
            return kInvalidHandle;
        case kPlatformInvalidAccess:
            return kInvalidAccess;
        case kPlatformSharingViolation:
            return kFileInUse;
        default:
            return kPlatform;
    }
}

ErrorClass ClassOf(int32_t error) {
    if (error == kNone) return ErrorClass::None;
    if (error == kFileNotFound || (error >= kFirstLookupOutcome && error <= kLastLookupOutcome) ||
        error == kNoDataNorBackup)
        return ErrorClass::Expected;
    switch (error) {
        case kPathNotFound:
        case kFileInUse:
        case kReadOnly:
        case kNetworkLock:
        case kScanPlatform:
        case kReadOnlyPlatform:
        case kMoveToBackupFailed:
            return ErrorClass::Retry;
        default:
            break;
    }
    if (std::find(std::begin(kNetworkErrors), std::end(kNetworkErrors), error) !=
        std::end(kNetworkErrors))
        return ErrorClass::Retry;
    if (error >= kFirstRollback && error <= kLastRollback) return ErrorClass::Rollback;
    return ErrorClass::Fatal;
}

}  // namespace engine::err
