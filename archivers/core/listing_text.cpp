#include "archivers/core/listing_text.h"

#include <algorithm>
#include <cstdio>

#include "archivers/core/member_path.h"

namespace arc {
namespace {

std::string padRight(std::string s, std::size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

std::string padLeft(const std::string& s, std::size_t width) {
    return s.size() < width ? std::string(width - s.size(), ' ') + s : s;
}

std::string line(const std::string& name, std::size_t nameWidth, const std::string& size,
                 const std::string& packed, const std::string& ratio, const std::string& date,
                 const std::string& time, const std::string& method) {
    return padRight(name, nameWidth) + "  " + padLeft(size, 12) + "  " + padLeft(packed, 12) + "  " +
           padLeft(ratio, 6) + "  " + padRight(date, 10) + "  " + padRight(time, 8) + "  " + method + "\r\n";
}

}  // namespace

std::string listingText(const std::vector<Member>& members, std::size_t limit) {
    std::size_t nameWidth = 4;
    for (const auto& m : members) nameWidth = std::max(nameWidth, repairSjis(m.name).size());
    nameWidth = std::min<std::size_t>(nameWidth, 80);
    std::string out = line("Name", nameWidth, "Original", "Packed", "Ratio", "Date", "Time", "Method");
    out += std::string(nameWidth, '-') + "  " + std::string(12, '-') + "  " + std::string(12, '-') + "  " +
           std::string(6, '-') + "  " + std::string(10, '-') + "  " + std::string(8, '-') + "  ------\r\n";
    std::uint64_t total = 0, totalPacked = 0;
    for (const auto& m : members) {
        if (out.size() > limit) break;
        char ratio[16], date[16], time[16];
        unsigned r = ratioPerMille(m);
        std::snprintf(ratio, sizeof ratio, "%u.%u%%", r / 10, r % 10);
        std::snprintf(date, sizeof date, "%04u-%02u-%02u", 1980u + ((m.dosDate >> 9) & 0x7F),
                      (m.dosDate >> 5) & 0x0Fu, m.dosDate & 0x1Fu);
        std::snprintf(time, sizeof time, "%02u:%02u:%02u", (m.dosTime >> 11) & 0x1Fu, (m.dosTime >> 5) & 0x3Fu,
                      (m.dosTime & 0x1Fu) * 2);
        std::string name = repairSjis(m.name);
        if (m.isDirectory && (name.empty() || name.back() != '/')) name += '/';
        out += line(name, nameWidth, std::to_string(m.originalSize), std::to_string(m.packedSize), ratio, date,
                    time, m.method);
        total += m.originalSize;
        totalPacked += m.packedSize;
    }
    Member sum;
    sum.originalSize = total;
    sum.packedSize = totalPacked;
    unsigned r = ratioPerMille(sum);
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%u.%u%%", r / 10, r % 10);
    out += std::string(nameWidth, '-') + "\r\n";
    out += line(std::to_string(members.size()) + " files", nameWidth, std::to_string(total),
                std::to_string(totalPacked), ratio, "", "", "");
    return out;
}

}  // namespace arc
