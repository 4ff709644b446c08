#pragma once
// The file handles FDI and FCI pass back to our callbacks: each is one of
// these objects, so a cabinet, a member being extracted (written under a
// temporary name until whole) and a file being packed all look alike.
#include <windows.h>

#include <memory>
#include <set>
#include <string>

#include "archivers/core/byte_source.h"
#include "archivers/core/disk.h"

namespace cab {

class CabIo {
public:
    virtual ~CabIo() = default;
    virtual UINT read(void*, UINT) { return static_cast<UINT>(-1); }
    virtual UINT write(const void*, UINT) { return static_cast<UINT>(-1); }
    virtual LONG seek(LONG, int) { return -1; }
};

// A real file through CreateFileA, for the cabinet itself and FCI's temporaries.
class WinFileIo final : public CabIo {
public:
    static std::unique_ptr<WinFileIo> open(const char* path, int oflag);
    ~WinFileIo() override { CloseHandle(handle_); }
    UINT read(void* p, UINT n) override;
    UINT write(const void* p, UINT n) override;
    LONG seek(LONG distance, int origin) override;

private:
    explicit WinFileIo(HANDLE h) : handle_(h) {}
    HANDLE handle_;
};

// A member being extracted.
class OutputIo final : public CabIo {
public:
    explicit OutputIo(std::unique_ptr<arc::OutputFile> file) : file_(std::move(file)) {}
    UINT write(const void* p, UINT n) override { return file_->write(p, n) ? n : static_cast<UINT>(-1); }
    arc::OutputFile& file() { return *file_; }

private:
    std::unique_ptr<arc::OutputFile> file_;
};

// A file being packed, read through the portable packing run's stream.
class StreamIo final : public CabIo {
public:
    explicit StreamIo(arc::Stream& s) : stream_(s) {}
    UINT read(void* p, UINT n) override {
        std::size_t got = stream_.read(p, n);
        return stream_.failed() ? static_cast<UINT>(-1) : static_cast<UINT>(got);
    }

private:
    arc::Stream& stream_;
};

// Every handle given out and not yet closed; what remains at the end (a
// member cut short by damage) is dropped, its temporary file with it.
class IoTable {
public:
    INT_PTR add(std::unique_ptr<CabIo> io) {
        CabIo* raw = io.release();
        live_.insert(raw);
        return reinterpret_cast<INT_PTR>(raw);
    }
    CabIo* find(INT_PTR h) const {
        auto* p = reinterpret_cast<CabIo*>(h);
        return live_.count(p) ? p : nullptr;
    }
    std::unique_ptr<CabIo> take(INT_PTR h) {
        auto* p = reinterpret_cast<CabIo*>(h);
        if (!live_.erase(p)) return nullptr;
        return std::unique_ptr<CabIo>(p);
    }
    ~IoTable() {
        for (CabIo* p : live_) delete p;
    }

private:
    std::set<CabIo*> live_;
};

}  // namespace cab
