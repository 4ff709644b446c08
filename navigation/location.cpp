#include "navigation/location.h"

#include <utility>

std::string Location::current() const {
    std::lock_guard<std::mutex> guard(lock_);
    return current_;
}

void Location::setCurrent(std::string path) {
    std::lock_guard<std::mutex> guard(lock_);
    current_ = std::move(path);
}

std::string Location::fallback(int slot) const {
    return drives_.at(slot).empty() ? current() : drives_.at(slot);
}

std::string Location::beginChange(const std::string& path, int slot) {
    if (!path.empty()) previous_ = current();
    return drives_.prepare(path, slot);
}

void Location::arrive(const std::string& shown, int slot, bool listed, bool keepHistory) {
    if (listed) {
        drives_.set(slot, shown);
        drives_.setCurrent(slot);
    }
    setCurrent(shown);
    if (listed && !keepHistory) history_.record(shown);
}
