// Attribute choices written to a real temporary tree with Japanese names.
#include "fileops/win/apply_attributes.h"

#include <gtest/gtest.h>

#include "testing/win/scratch_directory.h"

namespace {

const std::string Hyouji = "\x95\x5c\x8e\xa6.txt";  // 表示.txt, trail byte "\"
const std::string Soft = "\x83\x5c\x83\x74\x83\x67";  // ソフト

FILETIME utcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

struct Stamp {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME lastWrite{};
    FILETIME lastAccess{};
};

Stamp stampOf(const std::string& path) {
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.attributes = data.dwFileAttributes;
    stamp.lastWrite = data.ftLastWriteTime;
    stamp.lastAccess = data.ftLastAccessTime;
    return stamp;
}

bool same(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

bool readOnly(const Stamp& stamp) { return (stamp.attributes & FILE_ATTRIBUTE_READONLY) != 0; }

AttributeChoice timeChoice(DWORD attributes, const FILETIME& time, bool recurse) {
    AttributeChoice choice;
    choice.attributes = attributes;
    choice.setTime = true;
    choice.time = time;
    choice.recurse = recurse;
    return choice;
}

}  // namespace

TEST(ApplyAttributes, TimeOnAReadOnlyFileKeptReadOnlyIsWrittenAndTheBitStays) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyouji, "content", FILE_ATTRIBUTE_READONLY));
    Stamp before = stampOf(dir / Hyouji);
    ASSERT_TRUE(readOnly(before));

    FILETIME when = utcFileTime(2015, 6, 7, 8, 9, 10);
    applyAttributes(dir.path(), {Hyouji},
                    timeChoice(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, when, false));

    Stamp after = stampOf(dir / Hyouji);
    EXPECT_TRUE(readOnly(after));
    EXPECT_TRUE(same(after.lastWrite, when));
    EXPECT_TRUE(same(after.lastAccess, before.lastAccess));
    EXPECT_EQ(readWholeFile(dir / Hyouji), "content");
}

TEST(ApplyAttributes, ClearingEveryBoxMakesAFileWritableAndAMissingNameIsPassedOver) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyouji, "x", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(dir.writeFile("b.txt", "y", FILE_ATTRIBUTE_READONLY));
    Stamp before = stampOf(dir / "b.txt");

    AttributeChoice choice;  // no bits, no time
    applyAttributes(dir.path(), {"missing.txt", Hyouji}, choice);

    EXPECT_FALSE(readOnly(stampOf(dir / Hyouji)));
    Stamp untouched = stampOf(dir / "b.txt");
    EXPECT_TRUE(readOnly(untouched));
    EXPECT_TRUE(same(untouched.lastWrite, before.lastWrite));
    EXPECT_EQ(readWholeFile(dir / Hyouji), "x");
}

TEST(ApplyAttributes, SubdirectoryChoiceDecidesWhetherContentsFollow) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.makeDirectory(Soft));
    ASSERT_TRUE(dir.makeDirectory(Soft + "\\deeper"));
    ASSERT_TRUE(dir.writeFile(Soft + "\\" + Hyouji, "a"));
    ASSERT_TRUE(dir.writeFile(Soft + "\\deeper\\b.txt", "b", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(dir.writeFile("beside.txt", "c"));
    const std::string inside[] = {dir / (Soft + "\\" + Hyouji), dir / (Soft + "\\deeper\\b.txt"),
                                  dir / (Soft + "\\deeper")};

    // Without descending only the directory itself changes.
    FILETIME first = utcFileTime(2003, 4, 5, 6, 7, 8);
    applyAttributes(dir.path(), {Soft}, timeChoice(FILE_ATTRIBUTE_ARCHIVE, first, false));
    EXPECT_TRUE(same(stampOf(dir / Soft).lastWrite, first));
    for (const std::string& path : inside) EXPECT_FALSE(same(stampOf(path).lastWrite, first)) << path;

    FILETIME second = utcFileTime(2024, 2, 29, 23, 59, 58);
    applyAttributes(dir.path(), {Soft}, timeChoice(FILE_ATTRIBUTE_READONLY, second, true));
    EXPECT_TRUE(same(stampOf(dir / Soft).lastWrite, second));
    for (const std::string& path : inside) EXPECT_TRUE(same(stampOf(path).lastWrite, second)) << path;
    EXPECT_TRUE(readOnly(stampOf(inside[0])));
    EXPECT_TRUE(readOnly(stampOf(inside[1])));
    EXPECT_FALSE(same(stampOf(dir / "beside.txt").lastWrite, second));
    EXPECT_FALSE(readOnly(stampOf(dir / "beside.txt")));
    EXPECT_EQ(readWholeFile(inside[1]), "b");
}

TEST(ApplyAttributes, DotNamesAreSkipped) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.makeDirectory(Soft));
    ASSERT_TRUE(dir.writeFile(Soft + "\\" + Hyouji, "a"));
    ASSERT_TRUE(dir.writeFile("beside.txt", "c"));
    const std::string sub = dir / Soft;

    FILETIME when = utcFileTime(1999, 12, 31, 12, 0, 0);
    applyAttributes(sub, {".", "..", Hyouji}, timeChoice(FILE_ATTRIBUTE_READONLY, when, true));

    EXPECT_TRUE(same(stampOf(sub + "\\" + Hyouji).lastWrite, when));
    EXPECT_TRUE(readOnly(stampOf(sub + "\\" + Hyouji)));
    EXPECT_FALSE(same(stampOf(sub).lastWrite, when));
    EXPECT_FALSE(same(stampOf(dir.path()).lastWrite, when));
    EXPECT_FALSE(same(stampOf(dir / "beside.txt").lastWrite, when));
    EXPECT_FALSE(readOnly(stampOf(dir / "beside.txt")));
}
