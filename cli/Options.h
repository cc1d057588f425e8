#pragma once

#include <optional>
#include <string>
#include <vector>

#include "paths/PathForms.h"
#include "values/LetterCase.h"
#include "values/ListMode.h"

namespace twinpath::cli {

enum class FormChoice { Long, Short, Both };
enum class OutputEncoding { Utf8, Utf16, Ansi, Oem };

// What one run of the companion is asked to do.
struct Options {
    enum class Request { Run, Help, Version } request = Request::Run;
    FormChoice forms = FormChoice::Long;
    LetterCase letterCase = LetterCase::Stored;
    // Set: the folder's listing in that mode instead of the forms.
    std::optional<ListMode> listing;
    // The listing takes the folder and everything below it.
    bool wholeTree = false;
    // Set: each form given in that form of the path (--as).
    std::optional<PathForm> form;
    bool explainMissingShortNames = false;
    bool endWithNul = false;
    OutputEncoding encoding = OutputEncoding::Utf8;
    std::vector<std::wstring> paths;
    // Read after `paths`, one path a line; "-" is standard input.
    std::optional<std::wstring> pathsFile;
};

struct ParsedArguments {
    Options options;
    // What is wrong with the arguments, on one line; empty when nothing is.
    std::wstring error;
};

// Options and paths in any order; "--" ends the options. Short flags may be
// bundled ("-s0"), and "-f" takes the rest of its argument or the next one.
ParsedArguments parseArguments(const std::vector<std::wstring>& arguments);

// The two usage lines, and the whole help text.
extern const wchar_t kUsage[];
extern const wchar_t kHelp[];

}  // namespace twinpath::cli
