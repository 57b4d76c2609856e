// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvendel {

// Returns whether `path`, taken literally, names an existing ordinary file: not a folder or a
// device, not hidden or a system file (on Windows by its attributes; elsewhere a name that
// begins with '.' counts as hidden, as Wine shows it), and free of the wildcard characters that
// a directory search would expand ('*' and '?', and on Windows also '<', '>' and '"'). A link
// to an ordinary file counts as one.
bool isOrdinaryFile(const std::string& path);

// Returns a text that two paths share exactly when they name the same file: the device and
// file number of what they name (a link is followed), or, for a path that names nothing,
// the path itself with ASCII letters in lower case.
std::string fileIdentity(const std::string& path);

// Returns the last component of `path`: what follows the last separator ('/', and on Windows
// also '\' and the ':' of a drive).
std::string fileNameOf(const std::string& path);

}  // namespace orvendel
