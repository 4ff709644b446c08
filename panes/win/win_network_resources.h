#pragma once
#include "panes/network_listing.h"

// The network through WNetOpenEnumA/WNetEnumResourceA. Wine offers an empty
// network, which lists as an empty container.
class WinNetworkResources : public NetworkResources {
public:
    bool enumerate(const std::string& container,
                   const std::function<bool(const NetResource&)>& each) override;
};
