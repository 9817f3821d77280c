#pragma once

#include <filesystem>
#include <string>

namespace tarvik::test {

// The helper program tarvik_probe.exe, built beside the test program.
std::filesystem::path probePath();

// Runs the probe with `arguments` (already quoted as needed), waits for it and gives its exit
// code; -1 when it could not be started or did not end within 30 s.
int runProbe(const std::wstring& arguments);

} // namespace tarvik::test
