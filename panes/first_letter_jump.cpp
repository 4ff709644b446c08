#include "panes/first_letter_jump.h"

#include <cstring>

#include "base/sjis.h"

namespace {

char foldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWith(std::string_view name, char key) {
    if (!name.empty() && name[0] == '\\') {
        const std::size_t slash = sjis::findLastChar(name, '\\');
        name.remove_prefix(slash + 1);
    }
    return !name.empty() && foldLower(name[0]) == foldLower(key);
}

}  // namespace

bool isJumpKey(char key) {
    if ((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z') || (key >= '0' && key <= '9'))
        return true;
    return key != '\0' && std::strchr(" \"!#$%&'()=~|[]/<>;+-^.@,\\", key) != nullptr;
}

int firstLetterTarget(const FileList& list, int cursor, char key) {
    const int count = static_cast<int>(list.count());
    if (count == 0 || !isJumpKey(key)) return -1;
    for (int step = 1; step < count; ++step) {
        const int i = (((cursor + step) % count) + count) % count;
        if (beginsWith(list[static_cast<std::size_t>(i)].name(), key)) return i;
    }
    return -1;
}
