#include "base/name_compare.h"

#include "base/sjis.h"

namespace {

// Walks a name byte by byte, folding only the bytes that are whole
// single-byte characters, so a trail byte that looks like a letter stays as is.
class FoldedBytes {
public:
    explicit FoldedBytes(std::string_view s) : s_(s) {}
    bool done() const { return i_ >= s_.size(); }
    unsigned char next() {
        if (trailPending_) {
            trailPending_ = false;
            return static_cast<unsigned char>(s_[i_++]);
        }
        unsigned char c = static_cast<unsigned char>(s_[i_]);
        if (sjis::charLength(s_, i_) == 2) {
            trailPending_ = true;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        }
        ++i_;
        return c;
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;
    bool trailPending_ = false;
};

}  // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    FoldedBytes x(a), y(b);
    while (!x.done() && !y.done()) {
        int d = int(x.next()) - int(y.next());
        if (d != 0) return d;
    }
    if (x.done() && y.done()) return 0;
    return x.done() ? -1 : 1;
}
