#pragma once
// The record FindFirst/FindNext fill, in the layout every host of the common
// archiver interface compiles against. Fixed-width types so the portable
// core and the DLLs share one definition.
#include <cstddef>
#include <cstdint>

namespace arc {

struct IndividualInfo {
    std::uint32_t dwOriginalSize;
    std::uint32_t dwCompressedSize;
    std::uint32_t dwCRC;
    std::uint32_t uFlag;
    std::uint32_t uOSType;
    std::uint16_t wRatio;
    std::uint16_t wDate;
    std::uint16_t wTime;
    char szFileName[513];
    char dummy1[3];
    char szAttribute[8];
    char szMode[8];
};

static_assert(offsetof(IndividualInfo, dwCompressedSize) == 4);
static_assert(offsetof(IndividualInfo, dwCRC) == 8);
static_assert(offsetof(IndividualInfo, uFlag) == 12);
static_assert(offsetof(IndividualInfo, uOSType) == 16);
static_assert(offsetof(IndividualInfo, wRatio) == 20);
static_assert(offsetof(IndividualInfo, wDate) == 22);
static_assert(offsetof(IndividualInfo, wTime) == 24);
static_assert(offsetof(IndividualInfo, szFileName) == 26);
static_assert(offsetof(IndividualInfo, dummy1) == 539);
static_assert(offsetof(IndividualInfo, szAttribute) == 542);
static_assert(offsetof(IndividualInfo, szMode) == 550);
static_assert(sizeof(IndividualInfo) == 560);

}  // namespace arc
