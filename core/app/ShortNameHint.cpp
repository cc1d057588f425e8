#include "app/ShortNameHint.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "app/Texts.h"
#include "paths/PathShape.h"

namespace twinpath {

namespace {

bool allowedInShortName(wchar_t c) {
    constexpr std::wstring_view kMarks = L"$%'-_@~`!(){}^#&";
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           kMarks.find(c) != std::wstring_view::npos;
}

std::wstring unknown(const std::wstring& what) { return texts::kCauseUnknown + what; }

// Only NTFS follows the system-wide setting; it decides unless it leaves the
// choice to each volume.
std::wstring ntfsCause(const ShortNameFacts& facts) {
    const auto value = facts.systemSetting;
    if (!value || *value >= std::size(texts::kSystemSettingMeanings)) {
        std::wstring what = texts::kSystemSetting;
        if (!facts.volumeMakesThem) what += std::wstring(L" or ") + texts::kVolumeSetting;
        return unknown(what);
    }
    std::optional<bool> makes = facts.volumeMakesThem;
    if (*value == 0 || (*value == 3 && facts.systemVolume)) makes = true;
    if (*value == 1 || (*value == 3 && !facts.systemVolume)) makes = false;
    if (!makes) return unknown(texts::kVolumeSetting);
    const std::wstring setting = std::wstring(L" (") + texts::kSystemSetting + L" " + std::to_wstring(*value) + L": " +
                                 texts::kSystemSettingMeanings[*value] + L")";
    return *makes ? texts::kVolumeMakesThem + setting + texts::kCameWithoutOne : texts::kVolumeMakesNone + setting;
}

std::wstring causeOf(const ShortNameFacts& facts) {
    // The server's own settings decide, and they cannot be read from here.
    if (facts.remote) return texts::kShareOffersNone;
    if (facts.fileSystem.empty()) return unknown(texts::kFileSystemName);
    if (facts.fileSystem == L"ReFS" || facts.fileSystem == L"exFAT")
        return texts::kKeepsNone + (L" (" + facts.fileSystem + L")");
    if (facts.fileSystem == L"NTFS") return ntfsCause(facts);
    if (!facts.volumeMakesThem) return unknown(texts::kVolumeSetting);
    return *facts.volumeMakesThem ? std::wstring(texts::kVolumeMakesThem) + texts::kCameWithoutOne
                                  : texts::kVolumeMakesNone;
}

}  // namespace

bool fitsEightDotThree(std::wstring_view name) {
    const auto dot = name.find(L'.');
    const std::size_t baseLength = dot == std::wstring_view::npos ? name.size() : dot;
    if (baseLength == 0 || baseLength > 8 || name.size() - baseLength > 4 || name.ends_with(L'.')) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (i != dot && !allowedInShortName(name[i])) return false;
    return true;
}

std::vector<MissingShortName> missingShortNames(FileSystem& fileSystem, const std::wstring& longForm) {
    const PathShape shape = shapeOf(longForm);
    if (!shape.hasRoot()) return {};
    std::vector<MissingShortName> missing;
    std::size_t folderEnd = shape.rootLength;  // the folder that holds the next item ends here
    for (std::size_t start = shape.rootLength; start < longForm.size(); start = folderEnd + 1) {
        const std::size_t end = std::min(longForm.find(L'\\', start), longForm.size());
        std::wstring item = longForm.substr(start, end - start);
        const bool namesEntry = !item.empty() && !isRelativeStep(item) && item.find_first_of(L"*?") == item.npos;
        // An alias that cannot be read tells nothing: only an empty one counts.
        const auto alias =
            namesEntry && !fitsEightDotThree(item) ? fileSystem.shortName(longForm.substr(0, end)) : std::nullopt;
        if (alias && alias->empty())
            missing.push_back({std::move(item), causeOf(fileSystem.shortNameFacts(longForm.substr(0, folderEnd)))});
        folderEnd = end;
    }
    return missing;
}

std::wstring shortNameHint(FileSystem& fileSystem, const std::wstring& longForm) {
    // Each cause with the items it explains, in the order they were met.
    std::vector<std::pair<std::wstring, std::wstring>> causes;
    for (const MissingShortName& missing : missingShortNames(fileSystem, longForm)) {
        const auto sameCause = [&](const auto& group) { return group.first == missing.cause; };
        auto group = std::find_if(causes.begin(), causes.end(), sameCause);
        if (group == causes.end()) group = causes.insert(causes.end(), {missing.cause, L""});
        group->second += (group->second.empty() ? L"\"" : L", \"") + missing.item + L"\"";
    }
    std::wstring hint;
    for (const auto& [cause, items] : causes)
        hint += (hint.empty() ? L"" : L"\r\n") + (texts::kNoShortNameFor + items) + L": " + cause + L".";
    return hint;
}

}  // namespace twinpath
