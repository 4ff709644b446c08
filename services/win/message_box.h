#pragma once
// Every message the user sees: a number looked up in "MESSAGE.tbl" beside the
// program, read anew each time so an edited file counts at the next message.
#include <windows.h>

#include <array>
#include <span>
#include <string>

#include "services/message_table.h"  // isYes and the answer codes

// The window that owns boxes shown without an owner; the main window names
// itself here once it exists.
void setMessageOwner(HWND window);

// Shows message number with the arguments ("%d" a number, "%s" a text) and
// returns the box's answer. A missing file, number or caption shows nothing
// and answers Yes.
int showMessageWith(HWND owner, int number, std::span<const FormatArg> args);

// The same with "MESSAGE.tbl" read from directory (with trailing "\").
int showMessageFrom(const std::string& directory, HWND owner, int number,
                    std::span<const FormatArg> args);

template <class... Args>
int showMessage(HWND owner, int number, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return showMessageWith(owner, number, list);
}
