#include <gtest/gtest.h>

#include "platform/process/command_line.h"

namespace {

using kvn::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, DriverToolLineGivesNameAndOneArgument) {
    EXPECT_EQ(SplitCommandLine("DrvPicker.exe -app:ZOLT"), (Args{"DrvPicker.exe", "-app:ZOLT"}));
}

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\t.exe\"  a\tb \"c d\" e\"f g\"h  "),
              (Args{"C:\\Program Files\\t.exe", "a", "b", "c d", "ef gh"}));
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(SplitCommandLine("p a\\b a\\\\\"b c\" d\\\\\\\"e \"x\"\"y\" z\\\\"),
              (Args{"p", "a\\b", "a\\b c", "d\\\"e", "x\"y", "z\\\\"}));
}

TEST(SplitCommandLine, ProgramNameTakesBackslashesLiterally) {
    EXPECT_EQ(SplitCommandLine("\"a\\\"b c"), (Args{"a\\b", "c"}));
}

TEST(SplitCommandLine, EmptyAndLeadingBlankGiveAnEmptyName) {
    EXPECT_EQ(SplitCommandLine(""), (Args{""}));
    EXPECT_EQ(SplitCommandLine(" x"), (Args{"", "x"}));
}

} // namespace
