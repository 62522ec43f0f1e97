// What the fuzz targets share: a private scratch folder on a RAM disk, file
// helpers, and the failure report.
#pragma once

#include <string>
#include <string_view>

namespace kvn::fuzz {

// A folder of this process's own, removed at a normal exit (not after a
// finding): in $KVN_FUZZ_TMP when set, else on /dev/shm when there is one, for
// speed. Created on first use.
const std::string& ScratchDir();

// Empties the scratch folder (folders the target made read-only included).
void ClearScratchDir();

bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The names in `dir`, sorted, without "." and "..".
std::string ListDir(const std::string& dir);

// Prints the finding and aborts, so that libFuzzer records the input.
[[noreturn]] void Fail(std::string_view what, std::string_view detail = {});

} // namespace kvn::fuzz
