#include "services/win/message_box.h"

#include <atomic>

#include "services/win/program_directory.h"
#include "base/text_file.h"
#include "services/table_files.h"

namespace {
std::atomic<HWND> defaultOwner{nullptr};
}

void setMessageOwner(HWND window) { defaultOwner = window; }

int showMessageFrom(const std::string& directory, HWND owner, int number,
                    std::span<const FormatArg> args) {
    std::optional<MessageBoxRequest> box =
        prepareMessage(readTextFile(directory + MessageTableFile), number, args);
    if (!box) return answer::Yes;
    // The type is the whole style: no icon or other bits are added.
    return MessageBoxA(owner ? owner : defaultOwner.load(), box->text.c_str(),
                       box->caption.c_str(), static_cast<UINT>(box->type));
}

int showMessageWith(HWND owner, int number, std::span<const FormatArg> args) {
    return showMessageFrom(programDirectory(), owner, number, args);
}
