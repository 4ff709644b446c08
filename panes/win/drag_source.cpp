#include "panes/win/drag_source.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "base/win/handle.h"
#include "panes/file_drop_block.h"

static_assert(sizeof(DROPFILES) == FileDropHeaderSize);
static_assert(offsetof(DROPFILES, pFiles) == 0 && offsetof(DROPFILES, pt) == 4 &&
              offsetof(DROPFILES, fNC) == 12 && offsetof(DROPFILES, fWide) == 16);

namespace {

// The reference count every object here shares; each lives on the heap and
// deletes itself when the last reference goes.
template <class Interface>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG refs_ = 1;
};

FORMATETC fileDropFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The index is not checked: the whole list is the only piece there is.
HRESULT checkFormat(const FORMATETC* format) {
    if (!format) return E_INVALIDARG;
    if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
}

class FileDataObject final : public ComObject<IDataObject> {
public:
    explicit FileDataObject(std::vector<unsigned char> block) : block_(std::move(block)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (HRESULT hr = checkFormat(format); FAILED(hr)) return hr;
        if (!medium) return E_INVALIDARG;
        // Each caller owns its copy and frees it with ReleaseStgMedium.
        GlobalMemory memory{GlobalAlloc(GHND, block_.size())};
        if (!memory || !copyInto(memory.get())) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory.release();
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override {
        if (HRESULT hr = checkFormat(format); FAILED(hr)) return hr;
        if (!medium) return E_INVALIDARG;
        if (medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
        if (!medium->hGlobal || GlobalSize(medium->hGlobal) < block_.size())
            return STG_E_MEDIUMFULL;
        return copyInto(medium->hGlobal) ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return checkFormat(format);
    }

    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (!out) return E_INVALIDARG;
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }

    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = fileDropFormat();
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }

    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    bool copyInto(HGLOBAL memory) const {
        GlobalLockGuard<> bytes(memory);
        if (!bytes) return false;
        std::memcpy(bytes.get(), block_.data(), block_.size());
        return true;
    }

    std::vector<unsigned char> block_;
};

class FileDropSource final : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

}  // namespace

IDataObject* makeFileDataObject(const std::vector<std::string>& paths) {
    try {
        return new FileDataObject(buildFileDropBlock(paths));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

IDropSource* makeFileDropSource() { return new (std::nothrow) FileDropSource; }

DWORD dragFiles(const std::vector<std::string>& paths) {
    if (std::all_of(paths.begin(), paths.end(), [](const std::string& p) { return p.empty(); }))
        return 0;
    ComPtr<IDataObject> data(makeFileDataObject(paths));
    ComPtr<IDropSource> source(makeFileDropSource());
    if (!data || !source) return 0;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data.get(), source.get(),
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}
