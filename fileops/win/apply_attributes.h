#pragma once
// Writes an Attribute dialog choice to entries of a local directory.
#include <string>
#include <vector>

#include "fileops/win/attribute_dialog.h"

// For each name in directory ("." and ".." skipped): the new last-write time
// when one is chosen (creation and access times kept; a read-only entry is
// made writable for that moment), then the attribute value. With recurse a
// directory's contents get the same first. Failures are silent: the next
// entry is still processed.
void applyAttributes(const std::string& directory, const std::vector<std::string>& names,
                     const AttributeChoice& choice);
