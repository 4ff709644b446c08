#pragma once
// Writing a cabinet through the platform's FCI, MSZIP compressed, as an
// archive writer of the portable packing run.
#include <memory>
#include <string>

#include "archivers/core/archive_writer.h"

namespace cab {

class CabWriter final : public arc::ArchiveWriter {
public:
    // `path` is where the finished cabinet goes (the platform's spelling).
    explicit CabWriter(const std::string& path);
    ~CabWriter() override;
    CabWriter(const CabWriter&) = delete;
    CabWriter& operator=(const CabWriter&) = delete;
    int addDirectory(const arc::Member&) override { return 0; }  // a cabinet holds files only
    int addFile(const arc::Member& m, arc::Stream& data) override;
    int finish() override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace cab
