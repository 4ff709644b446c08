#pragma once
// Key character to path (or command line) pairs: "JUMP.TBL", "EXECUTE.TBL"
// and "History.tbl". One pair per line, written "k,text".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct KeyPair {
    char key;
    std::string text;
};

class KeyTable {
public:
    // Replaces the pairs with those of the text: "#" lines skipped, the key
    // is the first character, the text starts at the third whatever the
    // second is. Lines of any length are read whole.
    void parse(std::string_view text);
    std::string format() const;
    // A missing file gives an empty table and false.
    bool load(const std::string& file);
    bool save(const std::string& file) const;

    // What a key press chooses: of the pairs with this key (letters without
    // regard to case) the last one, or nullptr.
    const std::string* find(char key) const;
    // Stores text under key: the pair a key press would choose takes it, or
    // a new pair is sorted in.
    void set(char key, std::string text);
    // A "k,text" line as the dialog builds it; lines shorter than the key
    // alone are ignored.
    void setLine(std::string_view line);
    bool remove(std::size_t index);
    void clear() { pairs_.clear(); }

    const std::vector<KeyPair>& pairs() const { return pairs_; }

private:
    void sortByKey();
    std::vector<KeyPair> pairs_;
};
