#include "cli/Companion.h"

#include "app/ShortNameHint.h"
#include "app/Texts.h"
#include "cli/PathLines.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingReport.h"
#include "paths/PathConverter.h"
#include "paths/PathForms.h"
#include "paths/PathShape.h"
#include "paths/ShownCase.h"

namespace twinpath::cli {

namespace {

// A tree listing goes out in pieces of about this many characters.
constexpr std::size_t kTreePiece = 32768;
constexpr wchar_t kName[] = L"tpath: ";
// A run that ended because standard output took no more.
constexpr int kOutputClosed = -1;

// Prints what the options ask for, path by path, as the paths come.
class Printer {
public:
    Printer(const Options& options, FileSystem& fileSystem, TextServices& text, Console& console)
        : options_(options),
          fileSystem_(fileSystem),
          text_(text),
          console_(console),
          converter_(fileSystem),
          recordEnd_(options.endWithNul ? std::wstring(1, L'\0') : L"\r\n") {}

    // False once standard output takes no more.
    bool print(const std::wstring& typed) {
        // As on the window's command line, a relative path is made full here.
        std::wstring path = isFullPath(typed) ? typed : console_.fullPath(typed);
        converter_.setInput(path.empty() ? typed : path);
        // The long form costs a search per level: the short form alone does without it.
        const bool needsLongForm = options_.listing || options_.forms != FormChoice::Short ||
                                   options_.explainMissingShortNames || options_.form == PathForm::ShortFolderLongName;
        const std::wstring longForm = needsLongForm ? converter_.longForm() : std::wstring();
        // A form record stays in its place, empty, so that records and paths keep in step.
        if (!converter_.hasInput() || (needsLongForm && longForm.empty()))
            return fail(L"no such file or folder: " + typed, options_.listing ? L"" : recordEnd_);
        if (options_.listing) return printListing(inCase(longForm));

        std::wstring record, noShortForm;
        FormedPath formed;
        // The short folder with the long name is one form made of both.
        if (options_.form == PathForm::ShortFolderLongName) {
            record = inForm(inCase(longForm), formed);
        } else {
            if (options_.forms != FormChoice::Short) record = inForm(inCase(longForm), formed);
            if (options_.forms == FormChoice::Both) record += L'\t';
            const std::wstring shortForm = options_.forms != FormChoice::Long ? converter_.shortForm(noShortForm) : L"";
            if (!shortForm.empty()) record += inForm(inCase(shortForm), formed);
        }
        if (!formed.made()) return fail(typed + L": " + formed.whyNot, recordEnd_);
        record += recordEnd_;
        if (options_.explainMissingShortNames)
            for (const MissingShortName& missing : missingShortNames(fileSystem_, longForm))
                record += texts::kNoShortNameFor + (L'"' + missing.item + L"\": ") + missing.cause + L"." + recordEnd_;
        // The record keeps what could be made, the long form beside a short one that could not.
        const bool going = noShortForm.empty() ? console_.writeOut(record)
                                               : fail(L"no short form of " + typed + L": " + noShortForm, record);
        if (!formed.caution.empty())
            console_.writeError(kName + typed + L": " + formed.caution + L"; in a batch file use --as=batch\r\n");
        return going;
    }

    int status() const { return failed_ ? kSomeFailed : kAllFound; }
    bool fail(const std::wstring& message, const std::wstring& record = {}) {
        failed_ = true;
        const bool going = record.empty() || console_.writeOut(record);
        console_.writeError(kName + message + L"\r\n");
        return going;
    }

private:
    std::wstring inCase(const std::wstring& form) { return twinpath::inCase(form, options_.letterCase, text_); }

    // The path in the form --as asks for; `last` keeps why a form cannot be
    // made, or its caution, once one has either.
    std::wstring inForm(const std::wstring& path, FormedPath& last) {
        if (!options_.form) return path;
        const FormedPath formed = pathInForm(*options_.form, path, fileSystem_);
        if (last.made() && (!formed.made() || last.caution.empty())) last = formed;
        // The system answers in the stored case.
        return asksFileSystem(*options_.form) ? inCase(formed.text) : formed.text;
    }

    bool printListing(const std::wstring& longForm) {
        if (options_.wholeTree) return printTree(longForm);
        ListingReport report(*options_.listing);
        const TreeListing listing = buildListing(fileSystem_, text_, longForm, false, report);
        // A listing cut short is not the folder's listing: none of it is printed.
        if (!listing.failure.empty()) return fail(texts::kCannotList + listing.folder + L": " + listing.failure);
        for (const std::wstring& piece : report.pieces)
            if (!console_.writeOut(piece)) return false;
        return true;
    }

    // A tree is printed as it is read, so memory holds the folders on the way
    // down rather than the whole text; the listed folder is read before any
    // of it, and when it fails nothing is printed.
    bool printTree(const std::wstring& longForm) {
        struct Output final : ListingSink {
            Output(Console& console, ListMode mode) : console(console), mode(mode) {}
            void folder(const std::wstring& listed) override { appendListingHead(text, listed, mode), pass(); }
            void entry(const std::wstring& name, const ListingEntry& entry) override {
                appendListingLine(text, name, entry, mode);
                if (text.size() >= kTreePiece) pass();
            }
            bool pass() {
                going = going && console.writeOut(text);
                text.clear();
                return going;
            }
            Console& console;
            const ListMode mode;
            std::wstring text;
            bool going = true;
        } output(console_, *options_.listing);
        const TreeListing tree = buildListing(fileSystem_, text_, longForm, true, output);
        if (!tree.failure.empty()) return fail(texts::kCannotList + tree.folder + L": " + tree.failure);
        if (!output.pass()) return false;
        for (const UnreadFolder& unread : tree.unread)
            fail(texts::kCannotList + unread.folder + L": " + unread.message);
        return true;
    }

    const Options& options_;
    FileSystem& fileSystem_;
    TextServices& text_;
    Console& console_;
    PathConverter converter_;
    const std::wstring recordEnd_;
    bool failed_ = false;
};

int run(const std::vector<std::wstring>& arguments, const std::wstring& version, FileSystem& fileSystem,
        TextServices& text, Console& console) {
    const ParsedArguments parsed = parseArguments(arguments);
    const Options& options = parsed.options;
    if (!parsed.error.empty()) {
        console.writeError(kName + parsed.error + L"\r\n" + kUsage + L"Run \"tpath --help\" for the options.\r\n");
        return kUsageError;
    }
    console.setEncoding(options.encoding);
    if (options.request == Options::Request::Help)
        return console.writeOut(std::wstring(kUsage) + kHelp) ? kAllFound : kOutputClosed;
    if (options.request == Options::Request::Version)
        return console.writeOut(L"tpath " + version + L"\r\n") ? kAllFound : kOutputClosed;

    Printer printer(options, fileSystem, text, console);
    for (const std::wstring& path : options.paths)
        if (!printer.print(path)) return kOutputClosed;
    if (!options.pathsFile) return printer.status();

    const std::wstring& file = *options.pathsFile;
    std::wstring failure;
    const auto source = console.openPaths(file, failure);
    if (!source) {
        printer.fail(L"cannot open " + file + L": " + failure);
        return kSomeFailed;
    }
    PathLines lines([&printer](const std::wstring& path) { return printer.print(path); });
    std::string bytes;
    while (source->read(bytes))
        if (!lines.feed(bytes)) return kOutputClosed;
    // The line that reading broke off in may be cut short: it is not a path.
    if (!source->failure().empty()) {
        printer.fail(L"cannot read " + file + L": " + source->failure());
        return kSomeFailed;
    }
    if (!lines.finish()) return kOutputClosed;
    return printer.status();
}

}  // namespace

int runCompanion(const std::vector<std::wstring>& arguments, const std::wstring& version, FileSystem& fileSystem,
                 TextServices& text, Console& console) {
    const int status = run(arguments, version, fileSystem, text, console);
    if (status != kOutputClosed && console.flush()) return status;
    console.writeError(std::wstring(kName) + L"standard output takes no more\r\n");
    return kSomeFailed;
}

}  // namespace twinpath::cli
