#include "tests/support/profile_value.h"

#include <vector>

#include "platform/profile/profile.h"

namespace kvn::test {

std::string ProfileValue(const std::string& file, const char* section, const char* key,
                         DWORD size) {
    std::vector<char> buffer(size);
    const DWORD n =
        GetPrivateProfileStringA(section, key, kMissing, buffer.data(), size, file.c_str());
    return {buffer.data(), n};
}

} // namespace kvn::test
