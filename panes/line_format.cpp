#include "panes/line_format.h"

#include <algorithm>

#include "base/sjis.h"

namespace {

void appendBlanks(std::string& out, long count) {
    if (count > 0) out.append(static_cast<std::size_t>(count), ' ');
}

void appendRight(std::string& out, std::string_view text, int width) {
    appendBlanks(out, static_cast<long>(width) - static_cast<long>(text.size()));
    out.append(text);
}

void appendTwoDigits(std::string& out, int value) {
    value = std::clamp(value, 0, 99);
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// Fields beyond the name say nothing for blank lines and network entries.
bool showsTime(const FileEntry& e) { return e.cFileName[0] != '\0' && e.kind == EntryFile; }

void appendSize(std::string& out, const FileEntry& e) {
    if (e.cFileName[0] == '\0') {
        appendBlanks(out, SizeFieldWidth);
    } else if (e.isDirectory()) {
        appendRight(out, "<Dir>", SizeFieldWidth);
    } else if (e.kind == EntryNetComputer) {
        appendRight(out, "<NetPC>", SizeFieldWidth);
    } else if (e.kind == EntryNetShare) {
        appendRight(out, "<NetPath>", SizeFieldWidth);
    } else if (e.kind == EntryNetDomain) {
        appendRight(out, "<Domain>", SizeFieldWidth);
    } else {
        appendRight(out, sizeDigits(e.size()), SizeFieldWidth);
    }
}

void appendDate(std::string& out, const FileEntry& e, const LocalTime& t) {
    if (!showsTime(e)) {
        appendBlanks(out, DateFieldWidth);
        return;
    }
    out += ' ';
    appendTwoDigits(out, ((t.year % 100) + 100) % 100);
    out += '-';
    appendTwoDigits(out, t.month);
    out += '-';
    appendTwoDigits(out, t.day);
}

void appendTime(std::string& out, const FileEntry& e, const LocalTime& t) {
    if (!showsTime(e)) {
        appendBlanks(out, TimeFieldWidth);
        return;
    }
    out += ' ';
    appendTwoDigits(out, t.hour);
    out += ':';
    appendTwoDigits(out, t.minute);
    out += ':';
    appendTwoDigits(out, t.second);
}

}  // namespace

int lineWidth(ColumnWidths w, DisplaySwitches s) {
    return std::max(0, w.nameWidth) + std::max(0, w.extWidth) + 1 +
           (s.showSize ? SizeFieldWidth : 0) + (s.showDate ? DateFieldWidth : 0) +
           (s.showTime ? TimeFieldWidth : 0);
}

NameSplit splitName(std::string_view name) {
    NameSplit split;
    split.stemLength = name.size();
    if (name == "..") return split;
    std::size_t dot = sjis::findLastChar(name, '.');
    if (dot == std::string_view::npos || dot == 0) return split;
    split.stemLength = dot;
    split.extStart = dot + 1;
    return split;
}

int NameLayout::cellOf(std::size_t byte) const {
    if (byte < stemBytes) return 1 + static_cast<int>(byte);
    if (extStart == std::string_view::npos || byte + 1 < extStart) return -1;
    if (byte + 1 == extStart) return 1 + nameWidth;  // the "."
    return 2 + nameWidth + static_cast<int>(byte - extStart);
}

NameLayout layoutName(std::string_view name, ColumnWidths widths) {
    NameLayout l;
    l.nameWidth = std::max(0, widths.nameWidth);
    l.extWidth = std::max(0, widths.extWidth);
    const NameSplit split = splitName(name);
    std::size_t stem = split.stemLength;
    const std::size_t extLength = split.extLength(name);
    if (extLength > static_cast<std::size_t>(l.extWidth)) {
        // Too long for its column: shown whole as part of the name instead.
        stem = name.size();
        l.nameWidth += l.extWidth;
        l.extWidth = 0;
    } else if (extLength > 0) {
        l.extStart = split.extStart;
    }
    if (stem > static_cast<std::size_t>(l.nameWidth)) {
        l.cut = l.nameWidth > 0;
        l.stemBytes = l.cut ? sjis::fittingLength(name.substr(0, stem), l.nameWidth - 1) : 0;
    } else {
        l.stemBytes = stem;
    }
    return l;
}

std::string groupedDigits(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string sizeDigits(uint64_t size) {
    return size <= 999'999'999ULL ? groupedDigits(size) : std::to_string(size);
}

std::string sizeField(const FileEntry& entry) {
    std::string out;
    appendSize(out, entry);
    return out;
}

std::string dateField(const FileEntry& entry, const LocalTime& time) {
    std::string out;
    appendDate(out, entry, time);
    return out;
}

std::string timeField(const FileEntry& entry, const LocalTime& time) {
    std::string out;
    appendTime(out, entry, time);
    return out;
}

void formatLine(std::string& out, const FileEntry& entry, ColumnWidths widths,
                DisplaySwitches switches, const LocalTime& time) {
    const std::string_view name = entry.name();
    const NameLayout l = layoutName(name, widths);
    out.clear();
    out += entry.marked ? '*' : ' ';
    out.append(name.substr(0, l.stemBytes));
    if (l.cut) {
        // A double-byte character that does not fit leaves a blank before the "~".
        appendBlanks(out, static_cast<long>(l.nameWidth - 1) - static_cast<long>(l.stemBytes));
        out += '~';
    } else {
        appendBlanks(out, static_cast<long>(l.nameWidth) - static_cast<long>(l.stemBytes));
    }
    if (l.extStart != std::string_view::npos) {
        const std::string_view ext = name.substr(l.extStart);
        out += '.';
        out.append(ext);
        appendBlanks(out, static_cast<long>(l.extWidth) - static_cast<long>(ext.size()));
    } else {
        out += ' ';
        appendBlanks(out, l.extWidth);
    }
    if (switches.showSize) appendSize(out, entry);
    if (switches.showDate) appendDate(out, entry, time);
    if (switches.showTime) appendTime(out, entry, time);
    out += ' ';
}

std::string lineText(const FileEntry& entry, ColumnWidths widths, DisplaySwitches switches,
                     const LocalTime& time) {
    std::string out;
    formatLine(out, entry, widths, switches, time);
    return out;
}
