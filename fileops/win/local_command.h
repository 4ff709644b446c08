#pragma once
// Local and network paths: the shell's file operation does the work and asks
// its own overwrite and delete confirmations.
#include <functional>

#include "fileops/win/command.h"

struct LocalCommandHooks {
    // Shows a numbered message and returns the button; defaults to the message table.
    std::function<int(HWND owner, int number)> ask;
    // Extracts archive entries into a directory and returns how many came out;
    // without it, copying out of an archive fails.
    std::function<int(const std::vector<std::string>& sources, const std::string& destination)>
        extract;
    // Tells a failure: a numbered message with its texts; defaults to the message table.
    std::function<void(HWND owner, int number, const std::vector<std::string>& arguments)> report;
    // Extracts the entry of an archive path and returns the local copy's path,
    // "" when that failed (and was told); without it, nothing inside an
    // archive runs.
    std::function<std::string(const std::string& archivePath)> extractEntry;
    // Extracts archive entries into a directory the caller made and returns
    // the extracted paths, none after a failure (told).
    std::function<std::vector<std::string>(const std::vector<std::string>& sources,
                                           const std::string& directory)>
        extractInto;
};

// What one shell file operation came to: done, declined by the user at a
// confirmation, or failed with the shell's code.
struct ShellResult {
    bool ok = false;
    bool cancelled = false;
    unsigned long code = 0;
};

class CLocalCommand : public CCommand {
public:
    explicit CLocalCommand(HWND owner, LocalCommandHooks hooks = {});

    bool Copy(const std::vector<std::string>& sources, const std::string& destination) override;
    bool Move(const std::vector<std::string>& sources, const std::string& destination) override;
    bool Delete(const std::vector<std::string>& sources, bool toRecycleBin) override;
    bool Rename(const std::string& oldPath, const std::string& newPath) override;
    bool MakeDirectory(const std::string& path) override;
    bool CreateEmptyFile(const std::string& path) override;
    bool Execute(const std::string& file, const std::string& parameters) override;
    bool Open(const std::string& file, const std::string& parameters, int waitMode) override;
    const char* GetCommandName() const override { return "CLocalCommand"; }

private:
    int ask(int number);
    // Tells the failure once and returns false.
    bool fail(int number, const std::vector<std::string>& arguments);
    bool failIfShellFailed(int number, const ShellResult& result, const std::string& subject);
    bool refusedWildcard(const std::string& destination);
    bool prepareDestination(std::string& destination);
    bool shellCopy(const std::vector<std::string>& sources, std::string destination);
    bool shellMove(const std::vector<std::string>& sources, std::string destination);

    LocalCommandHooks hooks_;
};

// One shell file operation (FO_COPY, FO_MOVE, FO_DELETE, FO_RENAME), one
// destination per source when there are several, telling a refusal by the
// user from a failure; the shell shows no error of its own. An empty list
// succeeds untouched; FTP and shallow network sources are refused.
ShellResult shellOperation(HWND owner, UINT function, const std::vector<std::string>& sources,
                           const std::vector<std::string>& destinations, bool allowUndo);
