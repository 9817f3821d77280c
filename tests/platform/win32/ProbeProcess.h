#pragma once

#include <filesystem>
#include <string>
#include <windows.h>

namespace tarvik::test {

// The helper program tarvik_probe.exe, built beside the test program.
std::filesystem::path probePath();

// Starts the probe with `arguments` and gives its process handle; nullptr when it could not start.
HANDLE startProbe(const std::wstring& arguments);

// Runs the probe with `arguments` (already quoted as needed), waits for it and gives its exit
// code; -1 when it could not be started or did not end within 30 s.
int runProbe(const std::wstring& arguments);

} // namespace tarvik::test
