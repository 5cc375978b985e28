#include "common/CommandLineScanner.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

ScannedCommandLine scan(const std::vector<std::string>& arguments) {
    return scanCommandLine(arguments, {"--flag"}, {"--name"});
}

TEST(CommandLineScanner, SeparatesFlagsValuedOptionsAndOperands) {
    const auto scanned = scan({"a", "--flag", "--name", "x", "--name=y=z", "-", "b"});
    ASSERT_EQ(scanned.error, "");
    ASSERT_EQ(scanned.items.size(), 6u);
    EXPECT_EQ(scanned.items[0].name, "");
    EXPECT_EQ(scanned.items[0].value, "a");
    EXPECT_EQ(scanned.items[1].name, "--flag");
    EXPECT_EQ(scanned.items[2].value, "x");
    EXPECT_EQ(scanned.items[3].value, "y=z") << "only the first '=' splits";
    EXPECT_EQ(scanned.items[4].value, "-") << "a lone dash is an operand";
}

TEST(CommandLineScanner, AValueMayLookLikeAnOption) {
    const auto scanned = scan({"--name", "--flag"});
    ASSERT_EQ(scanned.error, "");
    ASSERT_EQ(scanned.items.size(), 1u);
    EXPECT_EQ(scanned.items[0].value, "--flag");
}

TEST(CommandLineScanner, DoubleDashEndsTheOptions) {
    const auto scanned = scan({"--", "--flag", "--unknown"});
    ASSERT_EQ(scanned.error, "");
    ASSERT_EQ(scanned.items.size(), 2u);
    EXPECT_EQ(scanned.items[1].name, "");
}

TEST(CommandLineScanner, NamesTheFirstProblem) {
    EXPECT_EQ(scan({"--flag=1"}).error, "unknown option '--flag=1'");
    EXPECT_EQ(scan({"-x", "--bad"}).error, "unknown option '-x'");
    EXPECT_EQ(scan({"--name"}).error, "option '--name' needs a value");
}

} // namespace
} // namespace ovra
