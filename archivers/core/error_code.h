#pragma once
// Result codes of the common archiver interface (0 is success).
namespace arc {

enum ErrorCode : int {
    kOk = 0,
    kErrorDiskSpace = 0x8005,
    kErrorUserSkip = 0x8007,
    kErrorUnknownType = 0x8008,
    kErrorMethod = 0x8009,
    kErrorPasswordFile = 0x800A,
    kErrorFileCrc = 0x800C,
    kErrorFileOpen = 0x800D,
    kErrorNotExist = 0x800F,
    kErrorAlreadyExist = 0x8010,
    kErrorMakeDirectory = 0x8012,
    kErrorCannotWrite = 0x8013,
    kErrorHuffmanCode = 0x8014,
    kErrorHeaderCrc = 0x8016,
    kErrorHeaderBroken = 0x8017,
    kErrorArcFileOpen = 0x8018,
    kErrorNotArcFile = 0x8019,
    kErrorCannotRead = 0x801A,
    kErrorCommandName = 0x801C,
    kErrorEnoughMemory = 0x801E,
    kErrorAlreadyRunning = 0x801F,
    kErrorHarcIsNotOpened = 0x8021,
    kErrorNotSupport = 0x8023,
    kErrorMakeArchive = 0x8040,
    kErrorBrokenData = 0x8048,
};

// Keeps the first failure of a run that goes on after it.
inline void keepFirst(int& result, int code) {
    if (result == kOk) result = code;
}

}  // namespace arc
