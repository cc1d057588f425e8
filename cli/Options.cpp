#include "cli/Options.h"

#include <utility>

namespace twinpath::cli {

const wchar_t kUsage[] =
    L"Usage: tpath [OPTIONS] [--] PATH...\r\n"
    L"       tpath [OPTIONS] -f FILE\r\n";

const wchar_t kHelp[] =
    L"Prints the long or the short (8.3) form of each PATH, or a listing of its folder.\r\n"
    L"\r\n"
    L"  -l, --long           the long form, every name as stored (the default)\r\n"
    L"  -s, --short          the short form\r\n"
    L"  -b, --both           the long form, a tab, the short form\r\n"
    L"      --upper          the forms in capitals\r\n"
    L"      --lower          the forms in small letters\r\n"
    L"      --list[=MODE]    the listing of PATH's folder instead: names (the default),\r\n"
    L"                       details (size, date and time) or tsv (tab-separated)\r\n"
    L"  -r, --recurse        the listing of the folder and everything below it; links\r\n"
    L"                       and junctions are listed, not entered\r\n"
    L"      --as=FORM        each form as FORM: cmd (in quotes where cmd needs them),\r\n"
    L"                       batch (cmd's with each % doubled, for a batch file),\r\n"
    L"                       quoted, slashes, wsl, uri (file:), unc (the network path\r\n"
    L"                       of a mapped drive), name, parent, or short-folder (the\r\n"
    L"                       short form of the folder with the long name)\r\n"
    L"      --why            after the forms, each item without a short name, and why\r\n"
    L"  -0, --null           end each record with NUL instead of CR LF\r\n"
    L"  -f, --file FILE      read paths from FILE, one a line (\"-\": standard input)\r\n"
    L"      --encoding=NAME  output to a file or pipe in utf-8 (the default), utf-16,\r\n"
    L"                       ansi or oem\r\n"
    L"  -h, --help           this text\r\n"
    L"      --version        the version\r\n"
    L"\r\n"
    L"Exit status: 0 when every PATH exists, 1 when one does not, its folder could\r\n"
    L"not be listed or it has no such FORM, 2 when the arguments are wrong.\r\n";

namespace {

std::optional<ListMode> listModeNamed(const std::wstring& name) {
    if (name == L"names") return ListMode::NamesOnly;
    if (name == L"details") return ListMode::SizeAndDate;
    if (name == L"tsv") return ListMode::TabSeparated;
    return std::nullopt;
}

std::optional<PathForm> formNamed(const std::wstring& name) {
    static constexpr std::pair<const wchar_t*, PathForm> kForms[] = {
        {L"cmd", PathForm::CommandLine}, {L"batch", PathForm::BatchFile},
        {L"quoted", PathForm::Quoted},   {L"slashes", PathForm::ForwardSlashes},
        {L"wsl", PathForm::Wsl},         {L"uri", PathForm::FileUri},
        {L"unc", PathForm::Network},     {L"name", PathForm::Name},
        {L"parent", PathForm::Parent},   {L"short-folder", PathForm::ShortFolderLongName}};
    for (const auto& [text, form] : kForms)
        if (name == text) return form;
    return std::nullopt;
}

std::optional<OutputEncoding> encodingNamed(const std::wstring& name) {
    if (name == L"utf-8") return OutputEncoding::Utf8;
    if (name == L"utf-16") return OutputEncoding::Utf16;
    if (name == L"ansi") return OutputEncoding::Ansi;
    if (name == L"oem") return OutputEncoding::Oem;
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const std::vector<std::wstring>& arguments) : arguments_(arguments) {}

    ParsedArguments parse() {
        bool optionsEnded = false;
        for (next_ = 0; next_ < arguments_.size() && result_.error.empty();) {
            const std::wstring& argument = arguments_[next_++];
            if (optionsEnded || argument.size() < 2 || argument[0] != L'-') {
                if (argument == L"/?") {
                    result_.options.request = Options::Request::Help;
                } else {
                    result_.options.paths.push_back(argument);
                }
            } else if (argument == L"--") {
                optionsEnded = true;
            } else if (argument.starts_with(L"--")) {
                longOption(argument);
            } else {
                shortFlags(argument);
            }
        }
        Options& options = result_.options;
        if (result_.error.empty() && options.request == Options::Request::Run && options.paths.empty() &&
            !options.pathsFile)
            result_.error = L"no PATH given";
        if (result_.error.empty() && (options.listing || options.wholeTree) && options.form)
            result_.error = options.listing ? L"--as and --list do not go together" : L"--as and -r do not go together";
        // "-r" asks for a listing: the names when no mode is given.
        if (options.wholeTree && !options.listing) options.listing = ListMode::NamesOnly;
        return std::move(result_);
    }

private:
    void longOption(const std::wstring& argument) {
        const auto equals = argument.find(L'=');
        const std::wstring name = argument.substr(0, equals);
        const std::optional<std::wstring> value =
            equals == std::wstring::npos ? std::nullopt : std::optional(argument.substr(equals + 1));
        Options& options = result_.options;
        if (name == L"--list") {
            options.listing = value ? listModeNamed(*value) : ListMode::NamesOnly;
            if (!options.listing) result_.error = L"unknown listing mode: " + *value;
        } else if (name == L"--encoding") {
            const std::optional<std::wstring> text = value ? value : valueAfter(name);
            const auto encoding = text ? encodingNamed(*text) : std::nullopt;
            if (encoding) options.encoding = *encoding;
            if (text && !encoding) result_.error = L"unknown encoding: " + *text;
        } else if (name == L"--as") {
            const std::optional<std::wstring> text = value ? value : valueAfter(name);
            options.form = text ? formNamed(*text) : std::nullopt;
            if (text && !options.form) result_.error = L"unknown form: " + *text;
        } else if (name == L"--file") {
            options.pathsFile = value ? value : valueAfter(name);
        } else if (value) {
            result_.error = L"option " + name + L" takes no value";
        } else if (!flag(name)) {
            result_.error = L"unknown option: " + argument;
        }
    }

    void shortFlags(const std::wstring& argument) {
        for (std::size_t at = 1; at < argument.size() && result_.error.empty(); ++at) {
            if (argument[at] == L'f') {
                result_.options.pathsFile =
                    at + 1 < argument.size() ? std::optional(argument.substr(at + 1)) : valueAfter(L"-f");
                return;
            }
            if (!flag(std::wstring(L"-") + argument[at])) result_.error = L"unknown option: -" + argument.substr(at, 1);
        }
    }

    // The options that take no value, by either of their names.
    bool flag(const std::wstring& name) {
        Options& options = result_.options;
        if (name == L"-l" || name == L"--long") {
            options.forms = FormChoice::Long;
        } else if (name == L"-s" || name == L"--short") {
            options.forms = FormChoice::Short;
        } else if (name == L"-b" || name == L"--both") {
            options.forms = FormChoice::Both;
        } else if (name == L"--upper") {
            options.letterCase = LetterCase::Upper;
        } else if (name == L"--lower") {
            options.letterCase = LetterCase::Lower;
        } else if (name == L"-r" || name == L"--recurse") {
            options.wholeTree = true;
        } else if (name == L"--why") {
            options.explainMissingShortNames = true;
        } else if (name == L"-0" || name == L"--null") {
            options.endWithNul = true;
        } else if (name == L"-h" || name == L"--help") {
            options.request = Options::Request::Help;
        } else if (name == L"--version") {
            if (options.request != Options::Request::Help) options.request = Options::Request::Version;
        } else {
            return false;
        }
        return true;
    }

    std::optional<std::wstring> valueAfter(const std::wstring& name) {
        if (next_ < arguments_.size()) return arguments_[next_++];
        result_.error = L"option " + name + L" needs a value";
        return std::nullopt;
    }

    const std::vector<std::wstring>& arguments_;
    std::size_t next_ = 0;
    ParsedArguments result_;
};

}  // namespace

ParsedArguments parseArguments(const std::vector<std::wstring>& arguments) { return Parser(arguments).parse(); }

}  // namespace twinpath::cli
