#include "services/window_rect.h"

#include <gtest/gtest.h>

TEST(WindowRect, RestoredPlaces) {
    struct Case {
        const char* text;
        bool found;
        PlaceRect place;
    };
    const Case cases[] = {
        {"", false, {}},
        {"200,150,800,600", true, {200, 150, 1000, 750}},
        {"0,0,640,480", true, {1, 0, 640, 480}},           // the 0,0 rule
        {"0,5,640,480", true, {0, 5, 640, 485}},
        {"300,200,-100,-50", true, {200, 150, 300, 200}},  // edges put in order
        {"10,20", true, {10, 20, 10, 20}},                 // missing fields read 0
        {"a,,30,40", true, {1, 0, 30, 40}},
        {"-1200,40,500,400", true, {-1200, 40, -700, 440}},
    };
    for (const Case& c : cases) {
        PlaceRect place;
        EXPECT_EQ(restoredPlace(c.text, place), c.found) << c.text;
        if (c.found) EXPECT_EQ(place, c.place) << c.text;
    }
}

TEST(WindowRect, Slots) {
    struct Case {
        const char* text;
        bool valid, info;
        PlaceRect main, viewer;
    };
    const Case cases[] = {
        {"1,0,0,800,600", true, true, {0, 0, 800, 600}, {}},  // no 0,0 rule here
        {"0,10,20,300,200,400,20,300,500", true, false, {10, 20, 310, 220}, {400, 20, 700, 520}},
        {"1,2,3,4,5", true, true, {2, 3, 6, 8}, {}},
        {"1,2,3,4", false, false, {}, {}},  // shorter than 9 characters
        {"", false, false, {}, {}},
        {"7,1,1,1,1,,,,", true, true, {1, 1, 2, 2}, {}},
    };
    for (const Case& c : cases) {
        WindowSlot s = parseWindowSlot(c.text);
        EXPECT_EQ(s.valid, c.valid) << c.text;
        EXPECT_EQ(s.info, c.info) << c.text;
        EXPECT_EQ(s.main, c.main) << c.text;
        EXPECT_EQ(s.viewer, c.viewer) << c.text;
    }
    EXPECT_EQ(windowSlotKey(0), "POS00");
    EXPECT_EQ(windowSlotKey(8), "POS08");
}

TEST(WindowRect, NewWindowsStepClearOfOthers) {
    const PlaceRect own{0, 0, 638, 482};
    EXPECT_EQ(clearOfOthers(own, {}, 24), own);
    EXPECT_EQ(clearOfOthers(own, {{500, 500, 900, 900}}, 24), own);
    EXPECT_EQ(clearOfOthers(own, {{0, 0, 638, 482}}, 24), (PlaceRect{24, 24, 662, 506}));
    EXPECT_EQ(clearOfOthers(own, {{0, 0, 638, 482}, {24, 24, 662, 506}, {10, 5, 9, 9}}, 24),
              (PlaceRect{48, 48, 686, 530}));
}

TEST(WindowRect, SlotRowsRoundTrip) {
    for (const char* text : {"1,0,0,800,600", "0,10,20,300,200,400,20,300,500", "1,-5,7,640,480"}) {
        WindowSlotRow row = windowSlotRow(parseWindowSlot(text));
        EXPECT_EQ(windowSlotText(row), text);
    }
    EXPECT_EQ(windowSlotRow(parseWindowSlot("0,1,2,3,4")).info, "");
    EXPECT_EQ(windowSlotRow(parseWindowSlot("1,1,2,3,4")).viewer, "");
    // The edit boxes are free text: a row is stored as typed.
    EXPECT_EQ(windowSlotText({"o", "a,b", ""}), "1,a,b");
    EXPECT_EQ(windowSlotText({"", "1,2,3,4", "x"}), "0,1,2,3,4,x");
}
