#pragma once
// What kind of content a path is shown as, and the paths that go to the HTML
// view. The directory test needs the file system, so it is handed in.
#include <functional>
#include <string>
#include <string_view>

enum class ViewKind {
    Program = 2,
    Library = 3,
    Driver = 4,
    Jpeg = 5,
    Gif = 6,
    Bmp = 7,
    Png = 8,
    Icon = 9,
    Text = 10,
    Lha = 11,
    Zip = 12,
    Cabinet = 13,
    Directory = 14,
    Ftp = 15,
    ArchiveMember = 16,
};

// The name part is the text after the last "\" up to the last "."; the
// extension is that "." and what follows (empty when there is no ".").
struct PathParts {
    std::string_view name;
    std::string_view extension;
};
PathParts pathParts(std::string_view path);

ViewKind classifyPath(std::string_view path,
                      const std::function<bool(std::string_view)>& isDirectory);

bool isScrollable(ViewKind kind);
bool isPicture(ViewKind kind);
// Extension beginning with ".htm" or ".xml", without regard to case.
bool isHtmlLike(std::string_view path);
bool isXmlPath(std::string_view path);
// A directory path that asks for the tree view: it ends in "\..".
bool asksForTree(std::string_view path);
