#pragma once

// A controller on the fakes, with the steps that most of its tests take.
#include <gtest/gtest.h>

#include "app/MainController.h"
#include "fakes/Fakes.h"

namespace twinpath {

struct ControllerSession : testing::Test {
    // Opens a path and lets its forms arrive.
    void open(const std::wstring& path) {
        controller.openItems({path});
        work.settle();
        view.calls.clear();
    }
    const std::wstring& shortField() const { return view.field(NameField::Short); }
    std::shared_ptr<fakes::FakeFileSystem> fs = std::make_shared<fakes::FakeFileSystem>();
    fakes::FakeView view;
    fakes::FakeProcess process;
    fakes::FakeWork work;
    MainController controller{view, work, fs, std::make_shared<fakes::FakeText>(), process};
};

}  // namespace twinpath
