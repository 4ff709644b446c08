#include "commands/key_map.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "base/table_text.h"
#include "base/text_file.h"
#include "commands/default_bindings.h"

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A leading decimal integer after blanks, as the C library reads one; no
// digits give 0 and a number too large for 32 bits saturates.
int32_t leadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The text up to the next ",", which the rest then starts after. A comma is
// never a Shift-JIS trail byte, so a byte scan cannot cut a character.
std::string_view nextField(std::string_view& rest) {
    std::size_t comma = rest.find(',');
    std::string_view field = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    return field;
}

CommandId commandField(std::string_view field) {
    field = trimBlanks(field);  // names never hold blanks; a hand-edited file may
    int32_t number = leadingInt(field);
    return number != 0 ? number : CommandIdFromName(field);
}

KeyBinding fromDefault(const DefaultBinding& d) {
    return KeyBinding{d.key, d.shift, d.ctrl, d.alt, d.command, {}};
}

}  // namespace

int KeyMap::find(int key, bool shift, bool ctrl, bool alt) const {
    KeyBinding probe{key, shift, ctrl, alt, 0, {}};
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        if (bindings_[i].sameKey(probe)) return static_cast<int>(i);
    }
    return -1;
}

KeyBinding KeyMap::lookup(int key, bool shift, bool ctrl, bool alt) const {
    int i = find(key, shift, ctrl, alt);
    return i < 0 ? KeyBinding{} : bindings_[static_cast<std::size_t>(i)];
}

void KeyMap::set(const KeyBinding& binding) {
    int i = find(binding.key, binding.shift, binding.ctrl, binding.alt);
    if (i < 0) {
        bindings_.push_back(binding);
    } else {
        bindings_[static_cast<std::size_t>(i)] = binding;
    }
}

void KeyMap::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= bindings_.size()) return;
    bindings_.erase(bindings_.begin() + index);
}

void KeyMap::sortForDisplay() {
    std::stable_sort(bindings_.begin(), bindings_.end(),
                     [](const KeyBinding& a, const KeyBinding& b) {
                         if (a.key != b.key) return a.key < b.key;
                         return a.ctrl < b.ctrl;
                     });
}

KeyBinding parseBindingLine(std::string_view line) {
    KeyBinding binding;
    std::string_view rest = line;
    binding.key = leadingInt(nextField(rest));
    binding.shift = leadingInt(nextField(rest)) != 0;
    binding.ctrl = leadingInt(nextField(rest)) != 0;
    binding.alt = leadingInt(nextField(rest)) != 0;
    binding.command = commandField(nextField(rest));
    // The rest of the line is the parameter, commas and all; quotes inside it
    // were never escaped, so only the outer pair goes.
    std::string parameter;
    for (char c : rest) {
        if (c != '\n') parameter += c;
    }
    if (!parameter.empty() && parameter.front() == '"') parameter.erase(0, 1);
    if (!parameter.empty() && parameter.back() == '"') parameter.pop_back();
    binding.parameter = std::move(parameter);
    return binding;
}

std::string formatBindingLine(const KeyBinding& b) {
    char head[64];
    std::snprintf(head, sizeof head, "% 3d,%d,%d,%d,", static_cast<int>(b.key), b.shift ? 1 : 0,
                  b.ctrl ? 1 : 0, b.alt ? 1 : 0);
    return head + CommandNameFromId(b.command) + ",\"" + b.parameter + "\"\r\n";
}

void KeyMap::parse(std::string_view text) {
    bindings_.clear();
    // Text-mode reading ends at an end-of-file mark that old editors leave.
    text = text.substr(0, text.find('\x1a'));
    // 0x0A and 0x0D are never trail bytes: a lone lead byte at the end of a
    // line keeps to its own line.
    for (std::string_view line : textLines(text)) bindings_.push_back(parseBindingLine(line));
}

std::string KeyMap::format() const {
    std::string text;
    for (const KeyBinding& b : bindings_) text += formatBindingLine(b);
    return text;
}

bool KeyMap::load(const std::string& path) {
    bindings_.clear();
    std::optional<std::string> text = readTextFile(path);
    if (!text) return false;
    parse(*text);
    return true;
}

bool KeyMap::save(const std::string& path) const { return writeTextFile(path, format()); }

void appendBindings(KeyMap& map, std::span<const DefaultBinding> table) {
    for (const DefaultBinding& d : table) map.append(fromDefault(d));
}

void addBuiltInBindings(KeyMap& map) { appendBindings(map, builtInBindings()); }

void applyForcedBindings(KeyMap& map) {
    for (const DefaultBinding& d : forcedBindings()) map.set(fromDefault(d));
}

KeyMap startupKeyMap(const std::string& keyTablePath) {
    KeyMap map;
    if (!map.load(keyTablePath)) addBuiltInBindings(map);
    applyForcedBindings(map);
    return map;
}
