#include "services/safe_format.h"

#include "base/sjis.h"

std::string safeFormat(std::string_view format, std::span<const FormatArg> args) {
    std::string out;
    out.reserve(format.size());
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        std::size_t n = sjis::charLength(format, i);
        if (n != 1 || format[i] != '%' || i + 1 >= format.size()) {
            out.append(format, i, n);
            i += n;
            continue;
        }
        char conversion = format[i + 1];
        if (conversion == '%') {
            out += '%';
            i += 2;
            continue;
        }
        if (conversion != 'd' && conversion != 's') {
            // Flags, widths, "%n" and the like: the "%" alone is text, and
            // whatever follows is scanned as ordinary characters.
            out += '%';
            ++i;
            continue;
        }
        const FormatArg* arg = next < args.size() ? &args[next++] : nullptr;
        if (arg && conversion == 'd' && arg->isNumber()) {
            out += std::to_string(arg->number());
        } else if (arg && conversion == 's' && !arg->isNumber()) {
            out += arg->text();
        } else {
            out.append(format, i, 2);
        }
        i += 2;
    }
    return out;
}
