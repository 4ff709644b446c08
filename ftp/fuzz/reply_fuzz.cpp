// Control-connection bytes cut into chunks at the fuzzer's choice; every
// complete reply goes through each reader of reply data.
#include <cstdint>
#include <cstdlib>

#include "ftp/command_text.h"
#include "ftp/ftp_path.h"
#include "ftp/reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t chunk = 1 + data[0] % 64;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    ftp::ReplyReader reader;
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        reader.feed(bytes.substr(at, chunk));
        ftp::Reply r;
        ftp::ReplyReader::Status s;
        while ((s = reader.next(r)) == ftp::ReplyReader::Complete) {
            if (r.code < 100 || r.code > 599 || r.lines.empty()) abort();
            for (int code : {227, 229, 257, 211, 213}) {
                r.code = code;
                ftp::parsePasv(r);
                ftp::parseEpsv(r);
                if (auto pwd = ftp::parsePwd(r)) {
                    // A directory taken from the server is used in commands.
                    ftp::commandLine("CWD", *pwd);
                }
                ftp::parseFeatures(r);
                ftp::parseMdtm(r);
                ftp::parseSize(r);
            }
            r.text();
        }
        if (s != ftp::ReplyReader::NeedMore) break;
        if (reader.pending() > ftp::ReplyReader::MaxLine + chunk) abort();
    }
    ftp::parseFtpPath(bytes);
    return 0;
}
