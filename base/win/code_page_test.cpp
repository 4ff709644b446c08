// The ground every Japanese name stands on: code page 932 under Wine, and
// names whose trail byte is 0x5C ("\") surviving the ANSI file functions.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/win/handle.h"
#include "testing/win/scratch_directory.h"

namespace {
const std::string Hyou = "\x95\x5c";           // 表: trail byte is "\"
const std::string So = "\x83\x5c";             // ソ
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
}  // namespace

TEST(CodePage, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(CodePage, TrailByteBackslashNamesRoundTrip) {
    ScratchDirectory dir;
    ASSERT_FALSE(dir.path().empty());
    const std::string names[] = {Hyou + ".txt", So + Hyou + Nihongo, "a" + Hyou};
    for (const std::string& name : names) {
        FileHandle file{CreateFileA((dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr)};
        ASSERT_TRUE(file) << "create failed: " << GetLastError();
    }
    int seen = 0;
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA((dir / "*").c_str(), &data)};
    ASSERT_TRUE(find);
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        bool known = false;
        for (const std::string& n : names) known |= (n == name);
        EXPECT_TRUE(known) << "unexpected name bytes: " << name;
        ++seen;
    } while (FindNextFileA(find.get(), &data));
    EXPECT_EQ(seen, 3);

    // The name found opens again under its own bytes.
    FileHandle again{CreateFileA((dir / (Hyou + ".txt")).c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr)};
    EXPECT_TRUE(again);
}
