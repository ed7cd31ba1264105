#include "engine/Errors.h"

#include "engine/FileSystem.h"

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
        default:
            return kPlatform;
    }
}

int ClassOf(int32_t error) {
    if (error == kNone) return 0;
    if (error == kFileNotFound || (error >= 10200 && error <= 10299) || error == kNoDataNorBackup)
        return 1;
    switch (error) {
        case kPathNotFound:
        case kReadOnly:
        case 10110:
        case 10306:
        case 10330:
        case 10332:
        case 10335:
        case 10355:
        case 10360:
        case kScanPlatform:
        case kReadOnlyPlatform:
        case kMoveToBackupFailed:
            return 2;
        default:
            break;
    }
    if (error >= 10001 && error <= 10009) return 3;
    return 4;
}

}  // namespace engine::err
