#pragma once

#include <gtest/gtest.h>

#include "app/Texts.h"
#include "app/TwinpathF.h"
#include "tests/fakes/FakeFileSystem.h"
#include "tests/fakes/FakeTextServices.h"
#include "tests/fakes/FakeWindow.h"

namespace twinpath {

// The window's handlers wired to fakes, with a small tree:
//   C:\Program Files (PROGRA~1)\Some Folder (SOMEFO~1)\Read Me.txt (README~1.TXT)
//   C:\a\b\c\d.txt, \\Server\Share\Dir\File.Txt
class FormTest : public ::testing::Test {
protected:
    FormTest() {
        fs.addFile(L"C:\\Program Files|PROGRA~1\\Some Folder|SOMEFO~1\\Read Me.txt|README~1.TXT", 1234);
        fs.addFile(L"C:\\a\\b\\c\\d.txt");
        fs.addFile(L"\\\\Server\\Share\\Dir\\File.Txt");
        window.onGotFocus = [this](int index) { form.TextFileName_GotFocus(static_cast<std::int16_t>(index)); };
    }

    // Starts the program as the first copy with the given argument text and
    // shows the window, as the toolkit does after a load.
    void start(const std::wstring& arguments = L"") {
        process.arguments = arguments;
        ASSERT_EQ(form.Form_Load(), TwinpathF::LoadResult::ShowWindow);
        window.visible = true;
        form.Form_Activate();
    }

    std::wstring longField() const { return window.fields[0]; }
    std::wstring shortField() const { return window.fields[1]; }

    fakes::FakeFileSystem fs;
    fakes::FakeTextServices text;
    fakes::FakeWindow window;
    fakes::FakeProcess process;
    TwinpathF form{window, fs, text, process};
};

inline constexpr wchar_t kReadMeLong[] = L"C:\\Program Files\\Some Folder\\Read Me.txt";
inline constexpr wchar_t kReadMeShort[] = L"C:\\PROGRA~1\\SOMEFO~1\\README~1.TXT";

}  // namespace twinpath
