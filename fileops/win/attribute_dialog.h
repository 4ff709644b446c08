#pragma once
// The Attribute dialog (resource 148): the four attribute bits, an optional
// last-write time and whether directories are descended into.
#include <windows.h>

#include <string>
#include <vector>

struct AttributeChoice {
    DWORD attributes = 0;  // read-only 1, hidden 2, system 4, archive 32
    bool setTime = false;
    FILETIME time{};  // UTC, meaningful only with setTime
    bool recurse = false;
};

// An entry as the pane lists it.
struct AttributeSubject {
    std::string name;
    DWORD attributes = 0;
    FILETIME lastWrite{};  // UTC
};

// One subject shows its name, bits and last-write time (local); several show
// "TAGFILES", the archive bit alone and the current time. With the time box
// ticked, OK keeps the dialog open until every time field is valid. True and
// choice filled on OK; false and choice untouched on Cancel.
bool runAttributeDialog(HWND owner, const std::vector<AttributeSubject>& subjects,
                        AttributeChoice& choice);
