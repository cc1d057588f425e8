#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/win32/DropRegistration.h"
#include "platform/win32/DropTarget.h"
#include "platform/win32/OleSession.h"
#include "tests/win32/FakeDataObject.h"

namespace twinpath {
namespace {

using win32::ComPtr;
using win32::DropTarget;
using wine::FakeDataObject;
using wine::fileListBlock;

constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

struct Effects {
    DWORD enter;
    DWORD drop;
};

class DropTargetTest : public ::testing::Test {
protected:
    std::function<bool(POINT)> hitTest = [](POINT) { return true; };
    std::vector<std::wstring> dropped;
    ComPtr<DropTarget> target =
        DropTarget::create([this](POINT point) { return hitTest(point); },
                           [this](const std::wstring& path) { dropped.push_back(path); });

    Effects enterAndDrop(IDataObject* data, POINTL point = {10, 10}, DWORD allowed = kAnyEffect) {
        Effects effects{allowed, allowed};
        EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, point, &effects.enter), S_OK);
        EXPECT_EQ(target->Drop(data, 0, point, &effects.drop), S_OK);
        return effects;
    }
};

TEST_F(DropTargetTest, DropDeliversTheFirstPathWhole) {
    const std::wstring deep = L"C:\\" + std::wstring(120, L'a') + L"\\" + std::wstring(120, L'b') + L"\\" +
                              std::wstring(80, L'c') + L".txt";
    ASSERT_GE(deep.size(), 300u);
    const std::vector<std::vector<std::wstring>> lists = {
        {L"C:\\first.txt", L"C:\\second.txt", L"C:\\third folder"},
        {deep, L"C:\\short.txt"},
        {L"C:\\日本語のフォルダ\\絵文字 \U0001F600.txt"},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(testing::Message() << list.front().size() << " characters");
        dropped.clear();
        FakeDataObject data(CF_HDROP, fileListBlock(list));

        const Effects effects = enterAndDrop(&data);
        EXPECT_EQ(effects.enter, DROPEFFECT_COPY);
        EXPECT_EQ(effects.drop, DROPEFFECT_COPY);
        EXPECT_EQ(dropped, std::vector<std::wstring>{list.front()});
        EXPECT_EQ(data.references(), 1u) << "a medium was not released";
    }
}

TEST_F(DropTargetTest, DropsThatDeliverNothing) {
    struct Case {
        const char* what;
        CLIPFORMAT format;
        std::vector<std::byte> bytes;
        bool partAccepts;
        DWORD allowed;
        DWORD enterEffect;
    };
    const Case cases[] = {
        {"dragged text", CF_UNICODETEXT, wine::textBytes(L"C:\\looks\\like\\a\\path.txt"), true, kAnyEffect,
         DROPEFFECT_NONE},
        {"a refusing part of the window", CF_HDROP, fileListBlock({L"C:\\a.txt"}), false, kAnyEffect,
         DROPEFFECT_NONE},
        {"a source that forbids copying", CF_HDROP, fileListBlock({L"C:\\a.txt"}), true,
         DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_NONE},
        // Entering only asks for the format; the list is read at the drop.
        {"an empty file list", CF_HDROP, fileListBlock({}), true, kAnyEffect, DROPEFFECT_COPY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dropped.clear();
        hitTest = [&](POINT) { return c.partAccepts; };
        FakeDataObject data(c.format, c.bytes);

        const Effects effects = enterAndDrop(&data, {10, 10}, c.allowed);
        EXPECT_EQ(effects.enter, c.enterEffect);
        EXPECT_EQ(effects.drop, DROPEFFECT_NONE);
        EXPECT_TRUE(dropped.empty());
        EXPECT_EQ(data.references(), 1u);
    }
}

TEST_F(DropTargetTest, DragOverFollowsTheHitTest) {
    std::vector<POINT> asked;
    hitTest = [&](POINT point) {
        asked.push_back(point);
        return point.x < 100;
    };
    FakeDataObject data(CF_HDROP, fileListBlock({L"C:\\a.txt"}));
    DWORD effect = kAnyEffect;
    ASSERT_EQ(target->DragEnter(&data, MK_LBUTTON, {50, 7}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);

    const std::pair<LONG, DWORD> moves[] = {
        {150, DROPEFFECT_NONE}, {99, DROPEFFECT_COPY}, {100, DROPEFFECT_NONE}, {-20, DROPEFFECT_COPY}};
    for (const auto& [x, expected] : moves) {
        effect = kAnyEffect;
        ASSERT_EQ(target->DragOver(MK_LBUTTON, {x, 7}, &effect), S_OK);
        EXPECT_EQ(effect, expected) << "at x = " << x;
        EXPECT_EQ(asked.back().x, x);
        EXPECT_EQ(asked.back().y, 7);
    }

    effect = kAnyEffect;
    ASSERT_EQ(target->Drop(&data, 0, {300, 7}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(dropped.empty());
}

TEST_F(DropTargetTest, NothingIsOfferedOutsideADrag) {
    FakeDataObject data(CF_HDROP, fileListBlock({L"C:\\a.txt"}));
    DWORD effect = kAnyEffect;
    ASSERT_EQ(target->DragEnter(&data, MK_LBUTTON, {1, 1}, &effect), S_OK);
    ASSERT_EQ(effect, DROPEFFECT_COPY);
    ASSERT_EQ(target->DragLeave(), S_OK);

    effect = kAnyEffect;
    ASSERT_EQ(target->DragOver(MK_LBUTTON, {1, 1}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE) << "after leaving";
    effect = kAnyEffect;
    ASSERT_EQ(target->Drop(&data, 0, {1, 1}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE) << "a drop without entering";

    enterAndDrop(&data);
    effect = kAnyEffect;
    ASSERT_EQ(target->DragOver(MK_LBUTTON, {1, 1}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE) << "after a drop";
    EXPECT_EQ(dropped.size(), 1u);
}

TEST_F(DropTargetTest, FailuresStayInsideTheTarget) {
    FakeDataObject data(CF_HDROP, fileListBlock({L"C:\\a.txt"}));
    DWORD effect = kAnyEffect;
    hitTest = [](POINT) -> bool { throw std::runtime_error("hit test"); };
    EXPECT_FALSE(SUCCEEDED(target->DragEnter(&data, MK_LBUTTON, {1, 1}, &effect)));
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    auto throwing = DropTarget::create([](POINT) { return true; },
                                       [](const std::wstring&) { throw std::runtime_error("drop"); });
    effect = kAnyEffect;
    ASSERT_EQ(throwing->DragEnter(&data, MK_LBUTTON, {1, 1}, &effect), S_OK);
    effect = kAnyEffect;
    EXPECT_FALSE(SUCCEEDED(throwing->Drop(&data, 0, {1, 1}, &effect)));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(data.references(), 1u);
}

// The callbacks hold `alive` until the target is deleted.
ComPtr<DropTarget> targetHolding(const std::shared_ptr<int>& alive) {
    return DropTarget::create([alive](POINT) { return true; }, [alive](const std::wstring&) {});
}

TEST(DropTargetLifetimeTest, ReferenceCountingFreesTheTarget) {
    auto alive = std::make_shared<int>();
    const std::weak_ptr<int> watch = alive;
    ComPtr<DropTarget> target = targetHolding(alive);
    alive.reset();

    void* asUnknown = nullptr;
    void* asDropTarget = nullptr;
    void* asDataObject = &asUnknown;
    ASSERT_EQ(target->QueryInterface(IID_IUnknown, &asUnknown), S_OK);
    ASSERT_EQ(target->QueryInterface(IID_IDropTarget, &asDropTarget), S_OK);
    EXPECT_EQ(target->QueryInterface(IID_IDataObject, &asDataObject), E_NOINTERFACE);
    EXPECT_EQ(asDataObject, nullptr);
    EXPECT_EQ(asUnknown, asDropTarget);
    EXPECT_EQ(target->AddRef(), 4u);
    EXPECT_EQ(target->Release(), 3u);
    EXPECT_EQ(static_cast<IUnknown*>(asUnknown)->Release(), 2u);
    EXPECT_EQ(static_cast<IDropTarget*>(asDropTarget)->Release(), 1u);

    EXPECT_FALSE(watch.expired());
    target.reset();
    EXPECT_TRUE(watch.expired());
}

struct WindowDestroyer {
    using pointer = HWND;
    void operator()(HWND window) const noexcept { ::DestroyWindow(window); }
};

TEST(DropRegistrationTest, RegistersAWindowWhileItLasts) {
    auto alive = std::make_shared<int>();
    const std::weak_ptr<int> watch = alive;
    ComPtr<DropTarget> target = targetHolding(alive);
    alive.reset();
    const std::unique_ptr<HWND, WindowDestroyer> window(::CreateWindowExW(
        0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);

    EXPECT_FALSE(win32::DropRegistration(window.get(), target.get()).active()) << "registered without OLE";

    const win32::OleSession ole;
    ASSERT_TRUE(ole.active());
    win32::DropRegistration registration(window.get(), target.get());
    ASSERT_TRUE(registration.active());
    EXPECT_EQ(::RegisterDragDrop(window.get(), target.get()), DRAGDROP_E_ALREADYREGISTERED);

    target.reset();
    EXPECT_FALSE(watch.expired()) << "OLE holds the target while it is registered";
    registration = {};
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(::RevokeDragDrop(window.get()), DRAGDROP_E_NOTREGISTERED);
}

}  // namespace
}  // namespace twinpath
