// Reads the icon back out of the built program file: the resource compiler
// must have taken every image of the .ico, and each must decode at its size.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <span>
#include <type_traits>

#include "platform/win32/resource.h"

namespace twinpath {
namespace {

// The layout of an RT_GROUP_ICON resource.
#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

template <auto Free>
struct Freer {
    template <typename Handle>
    void operator()(Handle handle) const noexcept {
        Free(handle);
    }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, Freer<&::FreeLibrary>>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, Freer<&::DestroyIcon>>;
using UniqueObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, Freer<&::DeleteObject>>;

std::span<const BYTE> resourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = ::FindResourceW(module, name, type);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const BYTE*>(data), ::SizeofResource(module, found)};
}

int decodedWidth(std::span<const BYTE> image, int side) {
    const UniqueIcon icon(::CreateIconFromResourceEx(const_cast<BYTE*>(image.data()),
                                                     static_cast<DWORD>(image.size()), TRUE, 0x00030000, side,
                                                     side, LR_DEFAULTCOLOR));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon.get(), &info)) return 0;
    const UniqueObject colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    return ::GetObjectW(colour.get(), sizeof bitmap, &bitmap) ? bitmap.bmWidth : 0;
}

TEST(IconResourceTest, ProgramFileCarriesTheIconInEverySize) {
    const UniqueModule program(::LoadLibraryExW(L"" TWINPATH_EXE, nullptr,
                                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(program) << "cannot open " << TWINPATH_EXE;
    const auto group = resourceBytes(program.get(), MAKEINTRESOURCEW(IDI_TWINPATH), RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(GroupIconEntry));

    std::map<int, int> bitsBySide;
    for (WORD i = 0; i < header.count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        const int side = entry.width == 0 ? 256 : entry.width;
        bitsBySide[side] = entry.bitCount;
        const auto image = resourceBytes(program.get(), MAKEINTRESOURCEW(entry.id), RT_ICON);
        ASSERT_EQ(image.size(), entry.bytes);
        EXPECT_EQ(decodedWidth(image, side), side) << side << " px image";
    }
    // The classic 16-colour picture at 32 px, true colour with transparency at the others.
    EXPECT_EQ(bitsBySide, (std::map<int, int>{{16, 32}, {32, 4}, {48, 32}, {256, 32}}));
}

}  // namespace
}  // namespace twinpath
