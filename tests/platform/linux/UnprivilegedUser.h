#pragma once

#include <filesystem>
#include <functional>

namespace tarvik::test {

// Runs `checks` as the user nobody in a child process when the tests run as root (as in CI), so
// that permissions hold; as anyone else, here. True when every check held. Folders the checks use must be reachable by
// that user (see shareWithNobody).
bool asUnprivilegedUser(const std::function<bool()>& checks);

// Lets every user create files in `folder`, as the user's own program folder lets them.
void shareWithNobody(const std::filesystem::path& folder);

// Gives `file` to nobody (a no-op when the tests are not root, whose files are their own already).
void giveToNobody(const std::filesystem::path& file);

bool runningAsRoot();

} // namespace tarvik::test
