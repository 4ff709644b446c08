#include "fileops/attribute_values.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// "表示.txt": the trail byte of 表 is "\".
const std::string Hyouji = "\x95\x5c\x8e\xa6.txt";

using Fields = std::array<std::string, TimeFieldCount>;

Fields fields(const std::string& year, const std::string& month, const std::string& day,
              const std::string& hour, const std::string& minute, const std::string& second) {
    return {year, month, day, hour, minute, second};
}

}  // namespace

TEST(AttributeValue, EachCheckGivesItsOwnBit) {
    for (unsigned combination = 0; combination < 16; ++combination) {
        AttributeChecks checks{(combination & 1) != 0, (combination & 2) != 0,
                               (combination & 4) != 0, (combination & 8) != 0};
        std::uint32_t expected = (checks.readOnly ? 1u : 0u) + (checks.hidden ? 2u : 0u) +
                                 (checks.system ? 4u : 0u) + (checks.archive ? 32u : 0u);
        EXPECT_EQ(attributeValue(checks), expected) << combination;
        EXPECT_EQ(checksOf(expected), checks) << combination;
    }
}

TEST(AttributeValue, BitsTheDialogDoesNotOfferAreNotShownNorSet) {
    // directory, normal, not-indexed
    AttributeChecks checks = checksOf(0x10 | 0x80 | 0x2000 | 0x2);
    EXPECT_EQ(checks, (AttributeChecks{false, true, false, false}));
    EXPECT_EQ(attributeValue(checks), 2u);
}

TEST(AttributeSubject, OneEntryShowsItsNameSeveralShowTheMarker) {
    EXPECT_EQ(attributeSubjectName({Hyouji}), Hyouji);
    EXPECT_EQ(attributeSubjectName({"a.txt", Hyouji}), "TAGFILES");
    EXPECT_EQ(attributeSubjectName({"a", "b", "c"}), "TAGFILES");
}

TEST(AttributeSubject, OneEntryOpensWithItsBitsSeveralWithArchiveOnly) {
    EXPECT_EQ(initialAttributeChecks(1, 1 | 4), (AttributeChecks{true, false, true, false}));
    EXPECT_EQ(initialAttributeChecks(1, 0x10), AttributeChecks{});
    EXPECT_EQ(initialAttributeChecks(3, 1 | 2 | 4), (AttributeChecks{false, false, false, true}));
    EXPECT_EQ(initialAttributeChecks(2, 0), (AttributeChecks{false, false, false, true}));
}

TEST(AttributeTimeFields, BothEndsOfEveryRangeAreAccepted) {
    TimeCheck low = checkTimeFields(fields("1980", "1", "1", "0", "0", "0"));
    ASSERT_TRUE(low.ok);
    EXPECT_EQ(low.time, (FieldTime{1980, 1, 1, 0, 0, 0}));
    TimeCheck high = checkTimeFields(fields("2030", "12", "31", "23", "59", "59"));
    ASSERT_TRUE(high.ok);
    EXPECT_EQ(high.time, (FieldTime{2030, 12, 31, 23, 59, 59}));
    TimeCheck padded = checkTimeFields(fields(" 2021", "07 ", "\t9", "08", "05", "00"));
    ASSERT_TRUE(padded.ok);
    EXPECT_EQ(padded.time, (FieldTime{2021, 7, 9, 8, 5, 0}));
}

TEST(AttributeTimeFields, AFieldJustOutsideItsRangeIsTheOneReported) {
    struct Case {
        Fields texts;
        TimeField bad;
    };
    const Case cases[] = {
        {fields("1979", "12", "31", "23", "59", "59"), TimeField::Year},
        {fields("2031", "1", "1", "0", "0", "0"), TimeField::Year},
        {fields("2000", "0", "1", "0", "0", "0"), TimeField::Month},
        {fields("2000", "13", "1", "0", "0", "0"), TimeField::Month},
        {fields("2000", "1", "0", "0", "0", "0"), TimeField::Day},
        {fields("2000", "1", "32", "0", "0", "0"), TimeField::Day},
        {fields("2000", "1", "1", "24", "0", "0"), TimeField::Hour},
        {fields("2000", "1", "1", "0", "60", "0"), TimeField::Minute},
        {fields("2000", "1", "1", "0", "99", "0"), TimeField::Minute},
        {fields("2000", "1", "1", "0", "0", "60"), TimeField::Second},
    };
    for (const Case& c : cases) {
        TimeCheck check = checkTimeFields(c.texts);
        EXPECT_FALSE(check.ok) << c.texts[0] << "-" << c.texts[1] << "-" << c.texts[2];
        EXPECT_EQ(check.badField, c.bad) << c.texts[4];
        EXPECT_FALSE(check.noSuchDay);
    }
}

TEST(AttributeTimeFields, TextThatIsNoNumberIsRejectedInDialogOrder) {
    EXPECT_EQ(checkTimeFields(fields("", "1", "1", "0", "0", "0")).badField, TimeField::Year);
    EXPECT_EQ(checkTimeFields(fields("2000", "-1", "1", "0", "0", "0")).badField, TimeField::Month);
    EXPECT_EQ(checkTimeFields(fields("2000", "1", "1a", "0", "0", "0")).badField, TimeField::Day);
    EXPECT_EQ(checkTimeFields(fields("2000", "1", "1", " ", "0", "0")).badField, TimeField::Hour);
    EXPECT_EQ(checkTimeFields(fields("2000", "1", "1", "0", "5 9", "0")).badField,
              TimeField::Minute);
    // Digits enough to overflow an int must not wrap into the range.
    EXPECT_EQ(checkTimeFields(fields("2000", "1", "1", "0", "0", "4294967296")).badField,
              TimeField::Second);
    // Several bad fields: the first one gets the focus.
    EXPECT_EQ(checkTimeFields(fields("2000", "1", "1", "x", "60", "60")).badField, TimeField::Hour);
    EXPECT_EQ(checkTimeFields(fields("1", "13", "32", "24", "60", "60")).badField, TimeField::Year);
}

TEST(AttributeTimeFields, ADayThatTheMonthLacksIsRejected) {
    TimeCheck check = checkTimeFields(fields("2021", "2", "30", "0", "0", "0"));
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.badField, TimeField::Day);
    EXPECT_TRUE(check.noSuchDay);
    EXPECT_FALSE(checkTimeFields(fields("2021", "2", "29", "0", "0", "0")).ok);
    EXPECT_FALSE(checkTimeFields(fields("2021", "4", "31", "0", "0", "0")).ok);
    EXPECT_FALSE(checkTimeFields(fields("2021", "11", "31", "0", "0", "0")).ok);
    EXPECT_TRUE(checkTimeFields(fields("2020", "2", "29", "0", "0", "0")).ok);
    EXPECT_TRUE(checkTimeFields(fields("2000", "2", "29", "0", "0", "0")).ok);  // 400-year rule
    EXPECT_TRUE(checkTimeFields(fields("2021", "12", "31", "0", "0", "0")).ok);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2021, 0), 0);
}

TEST(AttributeTimeFields, EachBadFieldHasItsOwnJapaneseMessage) {
    // "分は 0 から 59 の間で入力してください。"
    const std::string minute =
        "\x95\xaa\x82\xcd 0 \x82\xa9\x82\xe7 59 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5"
        "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
    EXPECT_EQ(timeFieldMessage(checkTimeFields(fields("2000", "1", "1", "0", "60", "0"))), minute);

    std::set<std::string> messages;
    const Fields bad[] = {
        fields("1", "1", "1", "0", "0", "0"),    fields("2000", "0", "1", "0", "0", "0"),
        fields("2000", "1", "0", "0", "0", "0"), fields("2000", "1", "1", "25", "0", "0"),
        fields("2000", "1", "1", "0", "60", "0"), fields("2000", "1", "1", "0", "0", "60"),
        fields("2021", "2", "30", "0", "0", "0"),
    };
    for (const Fields& texts : bad) {
        std::string message = timeFieldMessage(checkTimeFields(texts));
        EXPECT_FALSE(message.empty());
        messages.insert(message);
    }
    EXPECT_EQ(messages.size(), 7u);
    EXPECT_EQ(timeFieldMessage(checkTimeFields(fields("2000", "1", "1", "0", "0", "0"))), "");
}
