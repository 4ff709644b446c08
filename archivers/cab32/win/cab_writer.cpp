#include "archivers/cab32/win/cab_writer.h"

#include <fci.h>

#include <cstdlib>
#include <cstring>

#include "archivers/cab32/win/cab_io.h"
#include "archivers/core/error_code.h"

namespace cab {

struct CabWriter::State {
    IoTable table;
    ERF erf {};
    CCAB ccab {};
    HFCI fci = nullptr;
    std::string finalPath;
    std::string partPath;
    arc::Stream* pending = nullptr;  // the stream FCIAddFile is about to open
    const arc::Member* pendingMember = nullptr;
    bool finished = false;
};

namespace {

FNFCIALLOC(fciAlloc) { return std::malloc(cb); }
FNFCIFREE(fciFree) { std::free(memory); }
FNFCIOPEN(fciOpen) {
    auto* s = static_cast<CabWriter::State*>(pv);
    auto io = WinFileIo::open(pszFile, oflag);
    (void)pmode;
    if (!io) {
        *err = 1;
        return -1;
    }
    return s->table.add(std::move(io));
}
FNFCIREAD(fciRead) {
    CabIo* io = static_cast<CabWriter::State*>(pv)->table.find(hf);
    UINT r = io ? io->read(memory, cb) : static_cast<UINT>(-1);
    if (r == static_cast<UINT>(-1)) *err = 1;
    return r;
}
FNFCIWRITE(fciWrite) {
    CabIo* io = static_cast<CabWriter::State*>(pv)->table.find(hf);
    UINT r = io ? io->write(memory, cb) : static_cast<UINT>(-1);
    if (r == static_cast<UINT>(-1)) *err = 1;
    return r;
}
FNFCICLOSE(fciClose) {
    bool ok = static_cast<CabWriter::State*>(pv)->table.take(hf) != nullptr;
    if (!ok) *err = 1;
    return ok ? 0 : -1;
}
FNFCISEEK(fciSeek) {
    CabIo* io = static_cast<CabWriter::State*>(pv)->table.find(hf);
    LONG r = io ? io->seek(dist, seektype) : -1;
    if (r == -1) *err = 1;
    return r;
}
FNFCIDELETE(fciDelete) {
    (void)pv;
    if (!DeleteFileA(pszFile)) {
        *err = 1;
        return -1;
    }
    return 0;
}
FNFCIGETTEMPFILE(fciTempFile) {
    (void)pv;
    char folder[MAX_PATH], name[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "cab", 0, name)) return FALSE;
    DeleteFileA(name);  // FCI creates it itself
    if (static_cast<int>(std::strlen(name)) >= cbTempName) return FALSE;
    std::strcpy(pszTempName, name);
    return TRUE;
}
FNFCIFILEPLACED(fciPlaced) {
    (void)pccab, (void)pszFile, (void)cbFile, (void)fContinuation, (void)pv;
    return 0;
}
FNFCIGETNEXTCABINET(fciNext) {
    (void)pccab, (void)cbPrevCab, (void)pv;
    return FALSE;  // one cabinet only
}
FNFCISTATUS(fciStatus) {
    (void)typeStatus, (void)cb1, (void)cb2, (void)pv;
    return 0;
}
FNFCIGETOPENINFO(fciOpenInfo) {
    (void)pszName;
    auto* s = static_cast<CabWriter::State*>(pv);
    if (!s->pending) {
        *err = 1;
        return -1;
    }
    *pdate = s->pendingMember->dosDate;
    *ptime = s->pendingMember->dosTime;
    *pattribs = static_cast<USHORT>(s->pendingMember->attributes & 0x27);
    INT_PTR h = s->table.add(std::make_unique<StreamIo>(*s->pending));
    s->pending = nullptr;
    return h;
}

// Separators inside the cabinet are "\"; a 0x5C trail byte is left alone.
std::string cabName(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < name.size()) {
            out += name[i];
            out += name[++i];
        } else {
            out += c == '/' ? '\\' : name[i];
        }
    }
    return out;
}

}  // namespace

CabWriter::CabWriter(const std::string& path) : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.finalPath = path;
    s.partPath = path + ".part";
    std::size_t cut = s.partPath.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? "" : s.partPath.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? s.partPath : s.partPath.substr(cut + 1);
    if (folder.size() >= sizeof s.ccab.szCabPath || name.size() >= sizeof s.ccab.szCab) return;
    s.ccab.cb = 0x7FFFFFFF;
    s.ccab.cbFolderThresh = 0x7FFFFFFF;
    s.ccab.setID = 0x5642;
    std::strcpy(s.ccab.szCabPath, folder.c_str());
    std::strcpy(s.ccab.szCab, name.c_str());
    s.fci = FCICreate(&s.erf, fciPlaced, fciAlloc, fciFree, fciOpen, fciRead, fciWrite, fciClose, fciSeek, fciDelete,
                      fciTempFile, &s.ccab, &s);
}

CabWriter::~CabWriter() {
    if (state_->fci) FCIDestroy(state_->fci);
    if (!state_->finished) DeleteFileA(state_->partPath.c_str());  // an unfinished cabinet never stays
}

int CabWriter::addFile(const arc::Member& m, arc::Stream& data) {
    State& s = *state_;
    if (!s.fci) return arc::kErrorMakeArchive;
    std::string name = cabName(m.name);
    s.pending = &data;
    s.pendingMember = &m;
    BOOL ok = FCIAddFile(s.fci, name.data(), name.data(), FALSE, fciNext, fciStatus, fciOpenInfo, tcompTYPE_MSZIP);
    s.pending = nullptr;
    return ok ? arc::kOk : arc::kErrorCannotWrite;
}

int CabWriter::finish() {
    State& s = *state_;
    if (!s.fci) return arc::kErrorMakeArchive;
    if (!FCIFlushCabinet(s.fci, FALSE, fciNext, fciStatus)) return arc::kErrorCannotWrite;
    FCIDestroy(s.fci);
    s.fci = nullptr;
    if (!MoveFileExA(s.partPath.c_str(), s.finalPath.c_str(), 0)) return arc::kErrorCannotWrite;
    s.finished = true;
    return arc::kOk;
}

}  // namespace cab
