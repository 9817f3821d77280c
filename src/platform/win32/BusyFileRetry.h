#pragma once

#include <functional>

namespace tarvik {

// Virus scanners, the search indexer, backup and sync tools open a file for a moment, and while
// they hold it Windows refuses to replace or write it (a sharing or lock violation, or access
// denied for a file that is open or about to be deleted).
bool isFileBusyError(unsigned long error);

// Runs `attempt`, which gives ERROR_SUCCESS or the system's error, again while it fails because
// the file is busy, for about two seconds in all, pausing longer each time. Gives the last error.
unsigned long retryWhileFileBusy(const std::function<unsigned long()>& attempt);

} // namespace tarvik
