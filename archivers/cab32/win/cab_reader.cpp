#include "archivers/cab32/win/cab_reader.h"

#include <fdi.h>

#include <cstdlib>
#include <cstring>

#include "archivers/cab32/win/cab_io.h"
#include "archivers/core/cab_checksum.h"
#include "archivers/core/error_code.h"
#include "archivers/core/member_path.h"
#include "archivers/win/ansi_codec.h"

namespace cab {
namespace {

thread_local IoTable* t_table = nullptr;

FNALLOC(fdiAlloc) { return std::malloc(cb); }
FNFREE(fdiFree) { std::free(pv); }
FNOPEN(fdiOpen) {
    auto io = WinFileIo::open(pszFile, oflag);
    (void)pmode;
    return io ? t_table->add(std::move(io)) : -1;
}
FNREAD(fdiRead) {
    CabIo* io = t_table->find(hf);
    return io ? io->read(pv, cb) : static_cast<UINT>(-1);
}
FNWRITE(fdiWrite) {
    CabIo* io = t_table->find(hf);
    return io ? io->write(pv, cb) : static_cast<UINT>(-1);
}
FNCLOSE(fdiClose) { return t_table->take(hf) ? 0 : -1; }
FNSEEK(fdiSeek) {
    CabIo* io = t_table->find(hf);
    return io ? io->seek(dist, seektype) : -1;
}

class Fdi {
public:
    Fdi() {
        t_table = &table_;
        handle_ = FDICreate(fdiAlloc, fdiFree, fdiOpen, fdiRead, fdiWrite, fdiClose, fdiSeek, cpuUNKNOWN, &erf_);
    }
    ~Fdi() {
        if (handle_) FDIDestroy(handle_);
        t_table = nullptr;
    }
    Fdi(const Fdi&) = delete;
    Fdi& operator=(const Fdi&) = delete;
    // FDI wants the folder (with its separator) and the name apart.
    bool copy(const std::string& path, PFNFDINOTIFY notify, void* user) {
        if (!handle_) return false;
        std::size_t cut = path.find_last_of("\\/");
        std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
        std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
        return FDICopy(handle_, name.data(), folder.data(), 0, notify, nullptr, user);
    }
    IoTable& table() { return table_; }

private:
    IoTable table_;
    ERF erf_ {};
    HFDI handle_ = nullptr;
};

arc::Member memberOf(const FDINOTIFICATION* n) {
    static const arcdll::AnsiCodec codec;
    arc::Member m;
    std::string name = n->psz1 ? n->psz1 : "";
    if (n->attribs & _A_NAME_IS_UTF) name = codec.utf8ToSjis(name);
    m.name = arc::forwardSlashes(name);
    m.originalSize = static_cast<std::uint32_t>(n->cb);
    m.packedSize = m.originalSize;  // a folder is compressed as a whole: no size per member
    m.dosDate = n->date;
    m.dosTime = n->time;
    m.attributes = (n->attribs & 0x27) | 0x20;
    m.method = "CAB";
    return m;
}

struct ListContext {
    std::vector<arc::Member>* members;
};

FNFDINOTIFY(listNotify) {
    auto* ctx = static_cast<ListContext*>(pfdin->pv);
    if (fdint == fdintCOPY_FILE) ctx->members->push_back(memberOf(pfdin));
    return 0;  // skip every member: only the list is wanted
}

struct ExtractContext {
    arc::Disk* disk;
    const arc::ExtractOptions* options;
    std::string* log;
    IoTable* table;
    arc::ExtractResult result;
    arc::Member current;
};

FNFDINOTIFY(extractNotify) {
    auto* ctx = static_cast<ExtractContext*>(pfdin->pv);
    if (fdint == fdintCOPY_FILE) {
        arc::Member m = memberOf(pfdin);
        bool chosen = ctx->options->names.empty();
        for (const auto& n : ctx->options->names) chosen = chosen || arc::memberSelected(m.name, n);
        if (!chosen) return 0;
        auto safe = arc::safeMemberPath(m.name);
        if (!safe) {
            ++ctx->result.refused;
            arc::keepFirst(ctx->result.code, arc::kErrorUserSkip);
            *ctx->log += "unsafe name refused: " + m.name + "\n";
            return 0;
        }
        std::string path = *safe;
        if (!ctx->options->keepPaths) path = path.substr(path.rfind('/') + 1);
        auto slash = path.rfind('/');
        if ((slash != std::string::npos && !ctx->disk->makeDirectories(path.substr(0, slash))) ||
            (!ctx->options->overwrite && ctx->disk->exists(path))) {
            ++ctx->result.failed;
            arc::keepFirst(ctx->result.code, slash != std::string::npos && !ctx->disk->exists(path.substr(0, slash))
                                                 ? arc::kErrorMakeDirectory
                                                 : arc::kErrorAlreadyExist);
            *ctx->log += "not extracted: " + path + "\n";
            return 0;
        }
        auto file = ctx->disk->create(path);
        if (!file) {
            ++ctx->result.failed;
            arc::keepFirst(ctx->result.code, arc::kErrorFileOpen);
            return 0;
        }
        m.name = path;
        ctx->current = m;
        return ctx->table->add(std::make_unique<OutputIo>(std::move(file)));
    }
    if (fdint == fdintCLOSE_FILE_INFO) {
        auto io = ctx->table->take(pfdin->hf);
        auto* out = dynamic_cast<OutputIo*>(io.get());
        if (!out) return FALSE;
        if (out->file().commit(ctx->options->overwrite, pfdin->date, pfdin->time)) {
            ++ctx->result.extracted;
            *ctx->log += "extracted: " + ctx->current.name + "\n";
        } else {
            ++ctx->result.failed;
            arc::keepFirst(ctx->result.code, arc::kErrorCannotWrite);
        }
        return TRUE;
    }
    if (fdint == fdintNEXT_CABINET) return -1;  // sets spanning several files are not offered
    return 0;
}

}  // namespace

bool listCabinet(const std::string& path, std::vector<arc::Member>& members) {
    Fdi fdi;
    ListContext ctx {&members};
    return fdi.copy(path, listNotify, &ctx);
}

arc::ExtractResult extractCabinet(const std::string& path, arc::Disk& disk, const arc::ExtractOptions& options,
                                  std::string& log) {
    {
        auto source = arc::FileSource::open(path);
        int check = source ? arc::checkCabinetData(*source) : arc::kErrorArcFileOpen;
        if (check != arc::kOk) {
            log += "cabinet damaged or unreadable: nothing extracted\n";
            return {check, 0, 0, 0};
        }
    }
    Fdi fdi;
    ExtractContext ctx {&disk, &options, &log, &fdi.table(), {}, {}};
    if (!fdi.copy(path, extractNotify, &ctx)) {
        // Damaged data: the member being written is dropped with the table.
        arc::keepFirst(ctx.result.code, arc::kErrorBrokenData);
        log += "cabinet damaged or unreadable\n";
    }
    if (ctx.result.code == arc::kOk && ctx.result.extracted == 0 && !options.names.empty())
        ctx.result.code = arc::kErrorNotExist;
    return ctx.result;
}

}  // namespace cab
