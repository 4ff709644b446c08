#pragma once
// The five sort keys and the tag term as the settings keep them; the
// listing sort itself belongs to the panes.

struct SortItem {
    int priority = 0;
    bool down = false;
    bool on = false;
};

struct SortKeys {
    SortItem fileName{1};
    SortItem extension{2};
    SortItem time{3};
    SortItem attribute{4};
    SortItem size{0};
    bool tagFile = false;
};
