#pragma once

#include "platform/FileReplacer.h"
#include "support/TempFolder.h"

namespace tarvik::test {

// What every system's replacer must do, each checked on a fresh folder. The platform's own
// refusals (read-only files and folders) are checked beside it.

// Replaces a file, also with shorter content, or creates it, with any bytes, empty ones too, and
// leaves no temporary file behind.
void checkReplacesOrCreatesAndLeavesNoTemporaryFile(FileReplacer& replacer, const TempFolder& folder);
// A folder where the file should be, and a folder that is not there, are refused and left alone.
void checkRefusesAFolderForAFileAndAMissingFolder(FileReplacer& replacer, const TempFolder& folder);

} // namespace tarvik::test
