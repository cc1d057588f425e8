#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/SingleInstance.h"

namespace twinpath {
namespace {

TEST(InstanceMutexTest, OnlyTheFirstCopyIsAlone) {
    // A name of this run's own, so a running program or another test is never seen.
    const std::wstring name = L"Local\\Twinpath.Test." + std::to_wstring(::GetCurrentProcessId());
    auto first = std::make_unique<win32::InstanceMutex>(name);
    EXPECT_FALSE(first->anotherCopyRunning());
    EXPECT_TRUE(win32::InstanceMutex(name).anotherCopyRunning());
    EXPECT_FALSE(win32::InstanceMutex(name + L".other").anotherCopyRunning());

    // The first copy's end frees the name for the next start.
    first.reset();
    EXPECT_FALSE(win32::InstanceMutex(name).anotherCopyRunning());
}

}  // namespace
}  // namespace twinpath
