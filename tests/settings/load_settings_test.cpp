#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::TempPrefix;

TEST(LoadSettings, MissingFileGivesDefaults) {
    TempPrefix prefix;
    GameSettings s;
    s.agpMemoryMb = 5;
    LoadSettings(s);
    EXPECT_EQ(s.mipMapping, MipMappingMode::Auto);
    EXPECT_EQ(s.lowGraphicMode, 0);
    EXPECT_EQ(s.agpMode, AgpMemoryMode::Auto);
    EXPECT_EQ(s.agpMemoryMb, 5); // Auto leaves the figure alone
    EXPECT_EQ(s.language, "English");
    EXPECT_EQ(s.driverConfigured, 0);
}

} // namespace
