#pragma once
// The file-operation command object. The main window keeps one and replaces
// it before every operation with one of the class the paths need; only the
// pending clipboard effect moves from the old object to the new.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CCommand {
public:
    explicit CCommand(HWND owner) : owner(owner) {}
    virtual ~CCommand() = default;
    CCommand(const CCommand&) = delete;
    CCommand& operator=(const CCommand&) = delete;

    // The slot order is part of the contract between the command classes.
    virtual bool Copy(const std::vector<std::string>& sources, const std::string& destination) = 0;
    virtual bool Move(const std::vector<std::string>& sources, const std::string& destination) = 0;
    virtual bool Delete(const std::vector<std::string>& sources, bool toRecycleBin) = 0;
    virtual bool Rename(const std::string& oldPath, const std::string& newPath) = 0;
    virtual bool MakeDirectory(const std::string& path) = 0;
    virtual bool CreateEmptyFile(const std::string& path) = 0;
    virtual bool Execute(const std::string& file, const std::string& parameters) = 0;
    // waitMode: 0 no wait, 1 until the started process ends, 2 until it is idle.
    virtual bool Open(const std::string& file, const std::string& parameters, int waitMode) = 0;
    virtual const char* GetCommandName() const { return "CCommand"; }

    // A copy after a copy, a move after a cut, nothing otherwise.
    bool PasteFromClipboard(const std::vector<std::string>& sources, const std::string& destination);
    // Puts the paths on the file clipboard with the matching drop effect.
    bool SetClipboard(const std::vector<std::string>& sources, bool isCut);
    void SetEffectFromDropEffect(DWORD dropEffectBits);

    // Pending clipboard effect: 0 none, 1 copy, 2 move.
    std::int32_t effect = 0;
    // Parent of every box and shell dialog the operation shows.
    HWND owner = nullptr;
};
