#include "navigation/key_table.h"

#include <utility>

#include "base/table_text.h"
#include "base/text_file.h"

namespace {

unsigned char foldKey(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

bool sameKey(char a, char b) { return foldKey(a) == foldKey(b); }

// A line as its pair; the line feed is already gone.
bool parseLine(std::string_view line, KeyPair& pair) {
    if (line.empty()) return false;
    pair.key = line[0];
    pair.text = line.size() > 2 ? std::string(line.substr(2)) : std::string();
    return true;
}

}  // namespace

void KeyTable::parse(std::string_view text) {
    pairs_.clear();
    for (std::string_view line : tableLines(text)) {
        KeyPair pair;
        if (parseLine(line, pair)) pairs_.push_back(std::move(pair));
    }
    sortByKey();
}

std::string KeyTable::format() const {
    std::string text;
    for (const KeyPair& p : pairs_) {
        text += p.key;
        text += ',';
        text += p.text;
        text += '\n';
    }
    return text;
}

bool KeyTable::load(const std::string& file) {
    std::optional<std::string> text = readTextFile(file);
    if (!text) {
        clear();
        return false;
    }
    parse(*text);
    return true;
}

bool KeyTable::save(const std::string& file) const { return writeTextFile(file, format()); }

const std::string* KeyTable::find(char key) const {
    const std::string* found = nullptr;
    for (const KeyPair& p : pairs_) {
        if (sameKey(p.key, key)) found = &p.text;
    }
    return found;
}

void KeyTable::set(char key, std::string text) {
    // The last pair of the key is the one a key press reaches; replacing an
    // earlier one would store a path the key never gives.
    for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it) {
        if (sameKey(it->key, key)) {
            it->text = std::move(text);
            return;
        }
    }
    pairs_.push_back({key, std::move(text)});
    sortByKey();
}

void KeyTable::setLine(std::string_view line) {
    KeyPair pair;
    if (parseLine(line, pair)) set(pair.key, std::move(pair.text));
}

bool KeyTable::remove(std::size_t index) {
    if (index >= pairs_.size()) return false;
    pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

// Stable insertion sort on the folded key: "a" and "A" are one key, and the
// later line of the file stays later, so it is the one a key press finds.
void KeyTable::sortByKey() {
    for (std::size_t i = 1; i < pairs_.size(); ++i) {
        KeyPair moving = std::move(pairs_[i]);
        std::size_t j = i;
        while (j > 0 && foldKey(pairs_[j - 1].key) > foldKey(moving.key)) {
            pairs_[j] = std::move(pairs_[j - 1]);
            --j;
        }
        pairs_[j] = std::move(moving);
    }
}
