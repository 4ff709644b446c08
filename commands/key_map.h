#pragma once
// The key map of a process: each key with its Shift, Ctrl and Alt states bound
// to a command or to a command line. Kept in "KEY.TBL"; ".KEY" files share the
// format.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/command_id.h"

struct DefaultBinding;

struct KeyBinding {
    int32_t key = 0;  // virtual-key code; Escape is 25
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    CommandId command = 0;  // 0: a command-line binding, or nothing bound
    std::string parameter;  // the command line when command is 0

    bool sameKey(const KeyBinding& other) const {
        return key == other.key && shift == other.shift && ctrl == other.ctrl &&
               alt == other.alt;
    }
    bool operator==(const KeyBinding&) const = default;
};

class KeyMap {
public:
    KeyMap() = default;
    explicit KeyMap(std::vector<KeyBinding> bindings) : bindings_(std::move(bindings)) {}

    const std::vector<KeyBinding>& bindings() const { return bindings_; }
    std::size_t size() const { return bindings_.size(); }
    bool empty() const { return bindings_.empty(); }
    const KeyBinding& operator[](std::size_t i) const { return bindings_[i]; }

    // First exact match of all four key fields in array order, or -1.
    int find(int key, bool shift, bool ctrl, bool alt) const;
    // A copy of the match, or an empty binding (command 0, parameter "").
    KeyBinding lookup(int key, bool shift, bool ctrl, bool alt) const;
    // Replaces the first binding of the same key and modifiers, else appends.
    void set(const KeyBinding& binding);
    void append(KeyBinding binding) { bindings_.push_back(std::move(binding)); }
    // An index outside the map is ignored.
    void remove(int index);
    void clear() { bindings_.clear(); }

    // The key dialog's order: by key code, then without Ctrl before with Ctrl;
    // Shift and Alt take no part and equal entries keep their order.
    void sortForDisplay();

    // One binding per line, empty lines included; replaces the content.
    void parse(std::string_view text);
    std::string format() const;
    // The map is cleared first, so a file that cannot be opened leaves it empty.
    bool load(const std::string& path);
    bool save(const std::string& path) const;

private:
    std::vector<KeyBinding> bindings_;
};

// One line of the file, without its line end.
KeyBinding parseBindingLine(std::string_view line);
// One line of the file with its CR LF.
std::string formatBindingLine(const KeyBinding& binding);

// Appends each binding of a table, with an empty parameter.
void appendBindings(KeyMap& map, std::span<const DefaultBinding> table);
void addBuiltInBindings(KeyMap& map);
void applyForcedBindings(KeyMap& map);
// The map a pane starts with: the file, or the built-in map when it cannot be
// read, and then the forced bindings. A reload uses load() alone.
KeyMap startupKeyMap(const std::string& keyTablePath);
