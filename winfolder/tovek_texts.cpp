#include "winfolder/tovek_texts.h"

std::string finderCaption(bool overTovek, const std::string& title) {
    if (overTovek) return "Tovek";
    return "Tovek  [" + (title.empty() ? std::string(NoTitleText) : title) + "]";
}

std::string explorerParameters(const std::string& path) { return " /n,/e,/select," + path; }
