#pragma once
// Network containers as listings: the whole network ("//"), a domain or work
// group ("//" + name) and a computer ("\\" + name) list their domains,
// computers and shares as entries of the kinds 3, 1 and 2.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "panes/ext_table.h"
#include "panes/file_list.h"
#include "panes/listing_source.h"

struct NetResource {
    std::string remoteName;
    std::string comment;
};

// The platform's network enumeration, one container at a time.
class NetworkResources {
public:
    virtual ~NetworkResources() = default;
    // Calls each for every resource of the container ("" the whole network,
    // a domain name, or "\\computer") until each answers false or the
    // enumeration ends or fails. False when it cannot be opened.
    virtual bool enumerate(const std::string& container,
                           const std::function<bool(const NetResource&)>& each) = 0;
};

// Not FTP, begins with "\\" or "//", and at most two "\" (three for the
// existence test, which also lets a share through).
bool isNetworkForm(std::string_view path, bool existenceTest = false);

// The container's remote name: the path without a leading "//".
std::string networkContainer(std::string_view path);
// The kind of the entries a container lists.
EntryKind networkEntryKind(std::string_view container);

// Fills list from the container path names; all off stops after the first
// resource. The number of resources read (hidden ones too), or -1 when the
// container cannot be opened.
int enumerateNetwork(NetworkResources& net, const ExtTable& table, std::string_view path,
                     FileList& list, bool all);
// A network form whose enumeration yields at least one resource.
bool isNetworkContainer(NetworkResources& net, const ExtTable& table, std::string_view path);

// Where ".." leads from a domain or computer: the whole network (a
// computer's name does not tell its domain); the whole network stays.
// nullopt for anything that is not a network form.
std::optional<std::string> networkParent(std::string_view path);

// The pane's reader for network paths.
class NetworkListingReader : public ListingReader {
public:
    NetworkListingReader(NetworkResources& net, const ExtTable& table) : net_(net), table_(table) {}
    bool read(const std::string& path, FileList& raw) override;

private:
    NetworkResources& net_;
    const ExtTable& table_;
};
