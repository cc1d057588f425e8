#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/MainWindow.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextServices.h"
#include "tests/fakes/FakeWindow.h"

namespace twinpath::wine {

// The real window in this process, on the real file system, with a fake
// process side (no single-instance test, no hand-off).
class WindowTest : public ::testing::Test {
protected:
    void start(const std::wstring& arguments = L"");
    void pump();

    HWND hwnd() const { return window->hwnd(); }
    HWND control(ControlGroup group, int index = 0) const { return window->control(group, index); }
    std::wstring textOf(HWND control) const;
    std::wstring longField() const { return textOf(control(ControlGroup::TextFileName, 0)); }
    std::wstring shortField() const { return textOf(control(ControlGroup::TextFileName, 1)); }
    void click(ControlGroup group, int index = 0);
    RECT clientRectOf(HWND control) const;
    RECT outerRect() const;

    std::optional<std::wstring> clipboardText() const;
    void putOnClipboard(const std::wstring& text) const;

    win32::Win32FileSystem fileSystem;
    win32::Win32TextServices text;
    fakes::FakeProcess process;
    std::unique_ptr<win32::MainWindow> window;
};

}  // namespace twinpath::wine
