#pragma once
// The engine's error numbers (docs/FORMAT.md lists them with their classes) and the translation of
// platform results into them. Internal routines return one of these numbers, 0 meaning success.

#include <cstdint>
#include <string>

namespace engine {

// What an error number means for the caller.
enum class ErrorClass {
    None,      // no error
    Expected,  // an expected outcome of a lookup (not found, end of the list)
    Retry,     // the file cannot be reached now; repeating may help
    Rollback,  // save-mode rollback (never produced by this engine)
    Fatal,     // the operation failed
};

// How an error above the expected outcomes reaches the user: "Class %d error.  Isam Error %d".
std::string ErrorText(ErrorClass errorClass, int32_t error);

}  // namespace engine

namespace engine::err {

constexpr int32_t kNone = 0;

// Platform outcomes with a number of their own.
constexpr int32_t kPathNotFound = 9900;
constexpr int32_t kTooManyFiles = 9901;
constexpr int32_t kFileNotFound = 9903;
constexpr int32_t kInvalidHandle = 9904;
constexpr int32_t kInvalidAccess = 9908;
constexpr int32_t kFileInUse = 9932;  // another opener, in this process or another, holds the file

// Save-mode rollbacks, a range this engine never produces.
constexpr int32_t kFirstRollback = 10001;
constexpr int32_t kLastRollback = 10009;

// Engine life cycle and file blocks.
constexpr int32_t kTooFewBuffersAllocated = 10000;
constexpr int32_t kIndexUnusable = 10010;  // index cannot be opened, or the in-use flag is set
constexpr int32_t kRecordTooShort = 10020;
constexpr int32_t kRecordBufferTooShort = 10025;  // caller's buffer below the record length
constexpr int32_t kTooManyKeys = 10050;
constexpr int32_t kBadKeyLength = 10055;
constexpr int32_t kHeaderTooManyKeys = 10060;
constexpr int32_t kReadOnly = 10065;
constexpr int32_t kShortRead = 10070;
constexpr int32_t kShortWrite = 10075;
constexpr int32_t kNotOpen = 10080;
constexpr int32_t kOutOfMemoryCreating = 10090;
constexpr int32_t kOutOfMemoryOpening = 10100;
constexpr int32_t kPageSizeMismatch = 10120;
constexpr int32_t kKeyLengthFromHeader = 10121;
constexpr int32_t kCapacityTooLarge = 10122;
constexpr int32_t kKeyTooLong = 10125;
constexpr int32_t kPutOutOfRange = 10130;
constexpr int32_t kDeleteOutOfRange = 10135;
constexpr int32_t kPlatform = 10140;
constexpr int32_t kCloseFailed = 10160;
constexpr int32_t kBadKeyNumber = 10164;
constexpr int32_t kFreeChainDamaged = 10170;
constexpr int32_t kIndexDamaged = 10180;  // page count, child number, depth or loop out of bounds

// Expected outcomes of lookups: every number of this range.
constexpr int32_t kFirstLookupOutcome = 10200;
constexpr int32_t kLastLookupOutcome = 10299;
constexpr int32_t kSearchNotFound = 10210;
constexpr int32_t kDataInconsistent = 10215;
constexpr int32_t kKeyNotFound = 10220;
constexpr int32_t kDuplicateKey = 10230;
constexpr int32_t kNoNextKey = 10250;
constexpr int32_t kNoPrevKey = 10260;
constexpr int32_t kNoLiveRecord = 10275;
constexpr int32_t kPositionEmptyTree = 10280;
constexpr int32_t kKeyPositionEmptyTree = 10285;

// Network outcomes of the file format's numbering; this single-user engine never produces them.
constexpr int32_t kNetworkLock = 10110;
constexpr int32_t kNetworkErrors[] = {10306, 10330, 10332, 10335, 10355, 10360};

constexpr int32_t kScanPlatform = 10390;
constexpr int32_t kReadOnlyPlatform = 10397;
constexpr int32_t kMoveToBackupFailed = 10399;
constexpr int32_t kNoDataNorBackup = 10410;
constexpr int32_t kBadPosition = 10420;
constexpr int32_t kBadScale = 10425;
constexpr int32_t kBadHandle = 10445;
constexpr int32_t kAlreadyInitialised = 10450;
constexpr int32_t kTooFewBuffersRequested = 10451;
constexpr int32_t kNotInitialised = 10455;
constexpr int32_t kBackupAndDataExist = 10465;
// A posting's journal is left over from a process that died: its files must be put back first.
constexpr int32_t kJournalLeft = 10470;
// A posting was begun while another runs in this engine.
constexpr int32_t kPostingRunning = 10475;

// Translates a platform result (FileSystem.h numbering) into an engine error: the numbered
// platform errors keep a number of their own, everything else is 10140.
int32_t FromPlatform(int platformError);

ErrorClass ClassOf(int32_t error);

}  // namespace engine::err
