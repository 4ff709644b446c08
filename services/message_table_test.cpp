#include "services/message_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::string Hyou = "\x95\x5c";                     // 表: trail byte "\"
const std::string Kakunin = "\x8a\x6d\x94\x46";          // 確認

std::optional<Message> find(const std::string& content, int number) {
    return MessageTable(content).find(number);
}

}  // namespace

TEST(MessageTable, FirstLineWithTheNumberWins) {
    const std::string file =
        "1001,MB_OK,Archive,first\n"
        "2000,MB_YESNO,Delete,first 2000\n"
        "2000,MB_OK,Other,second 2000\n";
    auto m = find(file, 2000);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->type, 4);
    EXPECT_EQ(m->caption, "Delete");
    EXPECT_EQ(m->text, "first 2000\n");
    EXPECT_FALSE(find(file, 2001));
    EXPECT_FALSE(find("", 2000));
}

TEST(MessageTable, NumberIsReadLikeALeadingInteger) {
    EXPECT_TRUE(find("  2000,MB_OK,C,T", 2000));
    EXPECT_TRUE(find("\t2000abc,MB_OK,C,T", 2000));
    EXPECT_TRUE(find("+2000,MB_OK,C,T", 2000));
    EXPECT_TRUE(find("-5,MB_OK,C,T", -5));
    EXPECT_FALSE(find("20 00,MB_OK,C,T", 2000));
    EXPECT_FALSE(find("x2000,MB_OK,C,T", 2000));
    EXPECT_FALSE(find("4294969296,MB_OK,C,T", 2000));  // 2^32 + 2000 does not wrap
    // A line without digits reads as 0, as a comment line would.
    EXPECT_TRUE(find("# note,MB_OK,C,T", 0));
}

TEST(MessageTable, EmptyCaptionEndsTheSearchUnfound) {
    EXPECT_FALSE(find("2000,MB_OK,,text\n2000,MB_OK,Later,text\n", 2000));
    EXPECT_FALSE(find("2000,MB_OK\n", 2000));
    EXPECT_FALSE(find("2000\n", 2000));
}

TEST(MessageTable, TypeNamesAreComparedExactly) {
    const char* names[] = {"MB_OK", "MB_OKCANCEL", "MB_ABORTRETRYIGNORE",
                           "MB_YESNOCANCEL", "MB_YESNO", "MB_RETRYCANCEL"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(messageBoxType(names[i]), i) << names[i];
        auto m = find(std::string("7,") + names[i] + ",C,T", 7);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->type, i);
    }
    EXPECT_EQ(find("7,mb_yesno,C,T", 7)->type, 0);
    EXPECT_EQ(find("7, MB_YESNO,C,T", 7)->type, 0);
    EXPECT_EQ(find("7,MB_YESNO ,C,T", 7)->type, 0);
    EXPECT_EQ(find("7,,C,T", 7)->type, 0);
    EXPECT_EQ(find("7,MB_ICONERROR,C,T", 7)->type, 0);
}

TEST(MessageTable, CaptionAndTextAreTakenAsWritten) {
    auto m = find(" 9, MB_OK ,  Cap tion , text  with blanks ,ignored,too\n", 9);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->caption, "  Cap tion ");
    EXPECT_EQ(m->text, " text  with blanks ");

    // The line end belongs to the last field; CR LF reads as LF.
    EXPECT_EQ(find("9,MB_OK,C,end\r\n", 9)->text, "end\n");
    EXPECT_EQ(find("9,MB_OK,C,end", 9)->text, "end");
    EXPECT_EQ(find("9,MB_OK,C\n", 9)->caption, "C\n");
    EXPECT_EQ(find("9,MB_OK,C\n", 9)->text, "");
}

TEST(MessageTable, BackslashNBecomesALineBreak) {
    EXPECT_EQ(find("9,MB_OK,C,one\\ntwo\\n\\nthree\\", 9)->text, "one\ntwo\n\nthree\\");
    EXPECT_EQ(find("9,MB_OK,C,a\\\\nb", 9)->text, "a\\\nb");
    // 表 followed by "n" is a character and a letter, not a line break.
    EXPECT_EQ(find("9,MB_OK," + Kakunin + "," + Hyou + "n" + Hyou + "\\n", 9)->text,
              Hyou + "n" + Hyou + "\n");
    EXPECT_EQ(find("9,MB_OK," + Kakunin + ",x", 9)->caption, Kakunin);
}

TEST(MessageTable, LongLinesAreReadInPiecesOf999Bytes) {
    // The first piece is 999 bytes; the rest of the line is read as a line of
    // its own and can carry a number.
    std::string head = "1,MB_OK,C,";
    std::string line = head + std::string(999 - head.size(), 'x') + "2000,MB_YESNO,Tail,t\n";
    auto tail = find(line, 2000);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->caption, "Tail");
    EXPECT_EQ(find(line, 1)->text, std::string(999 - head.size(), 'x'));
}

TEST(MessageTable, OkRetryAndYesCountAsYes) {
    std::vector<int> yes, no;
    for (int code = 0; code <= 8; ++code) (isYes(code) ? yes : no).push_back(code);
    EXPECT_EQ(yes, (std::vector<int>{answer::Ok, answer::Retry, answer::Yes}));
    EXPECT_EQ(no, (std::vector<int>{0, answer::Cancel, answer::Abort, answer::Ignore,
                                     answer::No, 8}));
}

TEST(MessagePrepare, MissingFileOrNumberShowsNothing) {
    std::vector<FormatArg> none;
    EXPECT_FALSE(prepareMessage(std::nullopt, 2000, none));
    EXPECT_FALSE(prepareMessage(std::string("1001,MB_OK,C,T\n"), 2000, none));
    EXPECT_FALSE(prepareMessage(std::string("2000,MB_YESNO,,T\n"), 2000, none));
}

TEST(MessagePrepare, FormatsTheTextWithTheArguments) {
    std::vector<FormatArg> args{3};
    auto r = prepareMessage(std::string("2000,MB_YESNO," + Kakunin + ",%d files?\\nSure?\n"),
                            2000, args);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, 4);
    EXPECT_EQ(r->caption, Kakunin);
    EXPECT_EQ(r->text, "3 files?\nSure?\n");

    // A hostile text comes out as written.
    std::vector<FormatArg> name{"a.txt"};
    EXPECT_EQ(prepareMessage(std::string("1,MB_OK,C,%n%s%d%"), 1, name)->text, "%na.txt%d%");
}

TEST(MessagePrepare, TextIsCutTo2999BytesBetweenCharacters) {
    std::string longName;
    for (int i = 0; i < 2000; ++i) longName += Hyou;
    std::vector<FormatArg> args{longName};
    auto r = prepareMessage(std::string("1,MB_OK,C,x%s"), 1, args);
    ASSERT_TRUE(r);
    // "x" then whole characters of two bytes: 2999 would split one.
    EXPECT_EQ(r->text.size(), 2999u);
    EXPECT_EQ(r->text.substr(r->text.size() - 2), Hyou);
    r = prepareMessage(std::string("1,MB_OK,C,%s"), 1, args);
    EXPECT_EQ(r->text.size(), 2998u);
}
