#pragma once
// The memory block behind the file-drop clipboard format (CF_HDROP): a
// 20-byte header (offset of the list, drop point, non-client flag, wide
// flag), then every path NUL-terminated and one more NUL to end the list.
// Used for dragging files out of a pane and for the file clipboard.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t FileDropHeaderSize = 20;

// A narrow block (Shift-JIS paths) with the list right after the header and
// the drop point at 0,0. Empty paths and paths holding a NUL are left out:
// either would end the list early for every reader.
std::vector<unsigned char> buildFileDropBlock(const std::vector<std::string>& paths);

// Turns a UTF-16 path of a wide block into Shift-JIS; the platform supplies it.
using WidePathToNarrow = std::function<std::string(std::u16string_view)>;

// The paths of a block that may come from another process: nothing is read
// at or beyond size. A header that does not fit, or a list offset outside the
// block, gives no paths. A last path without its NUL is dropped, since it
// may have been cut short; a missing final NUL is forgiven. Wide blocks need
// toNarrow and give no paths without it; paths it turns into "" are dropped.
std::vector<std::string> parseFileDropBlock(const void* block, std::size_t size,
                                            const WidePathToNarrow& toNarrow = {});
