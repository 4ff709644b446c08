#pragma once
// An unbound key moves the cursor to the next name that begins with it.
#include "panes/file_list.h"

// Letters, digits, the blank and the punctuation a name may begin with.
bool isJumpKey(char key);

// The first entry after the cursor, wrapping, up to but not the cursor
// itself, whose name begins with key (letters without regard to case; a
// name like "\\pc\share" counts from after its last "\"). -1 when none.
int firstLetterTarget(const FileList& list, int cursor, char key);
