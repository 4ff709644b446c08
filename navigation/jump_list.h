#pragma once
// The named list of paths and command lines of the Execute / Jump dialog,
// kept in "JUMPLST.tbl" with the dialog's rectangle and column widths.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JumpListEntry {
    std::string name;
    std::string path;
};

struct WindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

class JumpList {
public:
    static constexpr std::size_t FieldLimit = 800;  // bytes of a name or path written

    // The first line is the rectangle, the second the column widths, then
    // one '"name","path"' row per line; a "," inside quotes belongs to its
    // field. Lines of any length are read whole.
    void parse(std::string_view text);
    std::string format() const;
    // A missing file gives an empty list without a rectangle, and false.
    bool load(const std::string& file);
    bool save(const std::string& file) const;

    // Absent when the file gave none: the dialog keeps its own position.
    std::optional<WindowRect> rect;
    int columnWidths[2] = {300, 1000};

    const std::vector<JumpListEntry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }

    // Inserted at the top.
    void add(JumpListEntry entry);
    bool remove(std::size_t index);
    bool setName(std::size_t index, std::string name);
    bool setPath(std::size_t index, std::string path);
    // Swaps the row with its neighbour above (up) or below; the row's new
    // index, or nullopt at the edge.
    std::optional<std::size_t> move(std::size_t index, bool up);

    // The first row from `from` on, wrapping, whose name matches text as a
    // pattern; failing that text + "*", failing that "*" + text + "*".
    std::optional<std::size_t> search(std::string_view text, std::size_t from) const;

private:
    std::vector<JumpListEntry> entries_;
};

// The current row of the dialog's name search: typing searches from it,
// Next searches from the row after it, so repeated Next visits every match.
class JumpListSearch {
public:
    std::optional<std::size_t> type(const JumpList& list, std::string_view text);
    std::optional<std::size_t> next(const JumpList& list, std::string_view text);
    std::size_t current() const { return current_; }
    void setCurrent(std::size_t index) { current_ = index; }

private:
    std::size_t current_ = 0;
};
