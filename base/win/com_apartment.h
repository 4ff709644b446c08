#pragma once
// COM for the calling thread, released by the same thread when it goes: an
// apartment is a thread's, and only that thread may leave it.
#include <objbase.h>

class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        // S_FALSE (joined already) counts as well and is paired the same way.
        if (joined_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool joined() const { return joined_; }

private:
    bool joined_;
};
