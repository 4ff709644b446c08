#include "filesearch/caller_title.h"

#include "base/path.h"

std::optional<CallerWindow> parseCallerTitle(std::string_view title) {
    constexpr std::string_view prefix = "[Vorbin:";
    if (!title.starts_with(prefix)) return std::nullopt;
    std::size_t i = prefix.size();
    if (i >= title.size() || title[i] < '0' || title[i] > '9') return std::nullopt;
    int instance = 0;
    while (i < title.size() && title[i] >= '0' && title[i] <= '9' && instance < 1000)
        instance = instance * 10 + (title[i++] - '0');
    if (!title.substr(i).starts_with("] (")) return std::nullopt;
    const std::size_t close = title.find(") ", i + 3);
    if (close == std::string_view::npos) return std::nullopt;
    CallerWindow caller{instance, std::string(title.substr(close + 2))};
    if (isFtpPath(caller.folder) || isArchivePath(caller.folder)) caller.folder.clear();
    return caller;
}
