#include "base/text_file.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/file_lock.h"
#include "base/file_replace.h"

namespace {
// Readers hold a table for the moment it takes to read it.
constexpr int ReplaceTries = 10;
constexpr std::chrono::milliseconds ReplaceRetry{20};

bool writeWhole(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}
}  // namespace

std::optional<std::string> readTextFile(const std::string& path) {
    FileLock lock(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string asideFileName(const std::string& path) { return path + "." + writerTag() + ".vbnew"; }

bool writeTextFile(const std::string& path, std::string_view text) {
    // Written beside it first: a full disk or a crash half-way through leaves
    // the old file whole.
    const std::string aside = asideFileName(path);
    if (!writeWhole(aside, text)) {
        std::remove(aside.c_str());
        return false;
    }
    FileLock lock(path);
    for (int attempt = 0; attempt < ReplaceTries; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(ReplaceRetry);
        if (replaceFile(aside, path)) return true;
    }
    // Still held open by a program outside the suite (Windows refuses the
    // replacement unless it shares deleting, Wine always), or a file mounted on
    // its own: written in place, as before.
    const bool written = writeWhole(path, text);
    std::remove(aside.c_str());
    return written;
}
