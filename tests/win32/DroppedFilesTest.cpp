#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/DroppedFiles.h"
#include "tests/win32/FakeDataObject.h"

namespace twinpath {
namespace {

using win32::firstDroppedPath;
using wine::fileListBlock;
using wine::globalCopy;

std::optional<std::wstring> firstPathOf(const std::vector<std::byte>& block) {
    const wine::UniqueGlobal memory = globalCopy(block);
    return firstDroppedPath(static_cast<HDROP>(memory.get()));
}

// Wide lists are read through the drop target's tests.
TEST(DroppedFilesTest, AnsiListsGiveTheirFirstPathWidened) {
    EXPECT_EQ(firstPathOf(wine::ansiFileListBlock({"C:\\ansi\\one.txt", "C:\\two.txt"})),
              L"C:\\ansi\\one.txt");
}

TEST(DroppedFilesTest, MalformedBlocksGiveNothing) {
    auto headerWithOffset = [](DWORD offset, std::size_t size) {
        std::vector<std::byte> block(size);
        DROPFILES header{};
        header.pFiles = offset;
        header.fWide = TRUE;
        std::memcpy(block.data(), &header, sizeof header);
        return block;
    };
    // The name fills the block to its end with no NUL; 32 bytes leave the heap no slack to hide one in.
    auto unterminated = fileListBlock({L"C:\\abcd"});
    unterminated.resize(sizeof(DROPFILES) + 6 * sizeof(wchar_t));
    ASSERT_EQ(unterminated.size(), 32u);

    const std::pair<const char*, std::vector<std::byte>> blocks[] = {
        {"an empty list", fileListBlock({})},
        {"a cut header", std::vector<std::byte>(sizeof(DROPFILES) - 1)},
        {"names beyond the block", headerWithOffset(64, sizeof(DROPFILES) + 8)},
        {"names inside the header", headerWithOffset(0, sizeof(DROPFILES) + 8)},
        {"a name without its NUL", unterminated},
    };
    for (const auto& [what, block] : blocks) EXPECT_EQ(firstPathOf(block), std::nullopt) << what;
    EXPECT_EQ(firstDroppedPath(static_cast<HDROP>(nullptr)), std::nullopt);
}

}  // namespace
}  // namespace twinpath
