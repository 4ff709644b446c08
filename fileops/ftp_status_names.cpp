#include "fileops/ftp_status_names.h"

namespace {

struct StatusName {
    std::uint32_t code;
    const char* name;
};

constexpr StatusName Names[] = {
    {1, "CONNECTED"},
    {2, "DISCONNECTED"},
    {10, "RESOLVING_NAME"},
    {11, "NAME_RESOLVED"},
    {16, "DISCONNECTED_BY_USER"},
    {20, "CONNECTING_TO_SERVER"},
    {21, "CONNECTED_TO_SERVER"},
    {30, "SENDING_REQUEST"},
    {31, "REQUEST_SENT"},
    {40, "RECEIVING_RESPONSE"},
    {41, "RESPONSE_RECEIVED"},
    {50, "CLOSING_CONNECTION"},
    {51, "CONNECTION_CLOSED"},
    {60, "HANDLE_CREATED"},
    {70, "HANDLE_CLOSING"},
    {100, "REQUEST_COMPLETE"},
    {256, "IDLE"},
    {512, "BUSY"},
};

}  // namespace

const char* ftpStatusName(std::uint32_t code) {
    for (const StatusName& entry : Names) {
        if (entry.code == code) return entry.name;
    }
    return "UNKNOWN!!";
}
