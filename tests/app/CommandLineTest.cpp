#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace twinpath {
namespace {

TEST(CommandLineTest, ArgumentsFollowTheProgramName) {
    EXPECT_EQ(argumentsOf(L"twinpath.exe C:\\a b"), L"C:\\a b");
    EXPECT_EQ(argumentsOf(L"\"C:\\Program Files\\twinpath.exe\"   \"C:\\x y\""), L"\"C:\\x y\"");
    EXPECT_EQ(argumentsOf(L"\"C:\\Program Files\\twinpath.exe\"C:\\x"), L"C:\\x");
    EXPECT_EQ(argumentsOf(L"twinpath.exe"), L"");
    EXPECT_EQ(argumentsOf(L"\"unterminated name"), L"");
    EXPECT_EQ(argumentsOf(L""), L"");
}

TEST(CommandLineTest, InputPathIsTheFirstQuotedArgumentOrTheWholeText) {
    EXPECT_EQ(inputPathOf(L"\"C:\\a b\\c.txt\""), L"C:\\a b\\c.txt");
    EXPECT_EQ(inputPathOf(L" \t\"C:\\a b\" \"C:\\second\""), L"C:\\a b");
    EXPECT_EQ(inputPathOf(L"\"C:\\unterminated"), L"C:\\unterminated");
    EXPECT_EQ(inputPathOf(L"\"\""), L"");
    EXPECT_EQ(inputPathOf(L"  C:\\a b\\c.txt"), L"C:\\a b\\c.txt");
    EXPECT_EQ(inputPathOf(L"C:\\a\"b"), L"C:\\a\"b");
}

TEST(CommandLineTest, OnlyDriveAndUncPathsAreAbsolute) {
    for (const wchar_t* absolute : {L"C:\\", L"z:\\x", L"\\\\server\\share", L"\\\\?\\C:\\x"})
        EXPECT_FALSE(isRelativePath(absolute)) << ::testing::PrintToString(absolute);
    for (const wchar_t* relative : {L"x.txt", L".\\x", L"..\\x", L"C:", L"C:x", L"\\x", L"1:\\x"})
        EXPECT_TRUE(isRelativePath(relative)) << ::testing::PrintToString(relative);
}

}  // namespace
}  // namespace twinpath
