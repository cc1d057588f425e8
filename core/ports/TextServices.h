#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace twinpath {

// Makes the sort keys of texts handed over one at a time, as a lister reads
// them. A platform's maker may make them while the caller goes on reading,
// so that few or none are left to make once the last text has come.
class SortKeyMaker {
public:
    virtual ~SortKeyMaker() = default;
    virtual void add(const std::wstring& text) = 0;
    // The keys of the texts added since the last take, in the order added.
    virtual std::vector<std::string> take() = 0;
};

// Locale-aware text operations of the platform.
class TextServices {
public:
    virtual ~TextServices() = default;

    // Maps every letter to its capital or small form, one character for one.
    virtual std::wstring toUpper(const std::wstring& text) = 0;
    virtual std::wstring toLower(const std::wstring& text) = 0;

    // Compares without regard to case in the locale's collation:
    // negative, zero or positive as `a` sorts before, with or after `b`.
    virtual int compareNoCase(const std::wstring& a, const std::wstring& b) = 0;
    // The text's sort key under the same comparison: two keys compared as
    // unsigned bytes order as compareNoCase orders their texts.
    virtual std::string sortKey(const std::wstring& text) = 0;
    // A maker of the same keys as sortKey's. This one makes each key as its
    // text is added.
    virtual std::unique_ptr<SortKeyMaker> sortKeyMaker();
};

inline std::unique_ptr<SortKeyMaker> TextServices::sortKeyMaker() {
    class AtOnce final : public SortKeyMaker {
    public:
        explicit AtOnce(TextServices& text) : text_(text) {}
        void add(const std::wstring& text) override { keys_.push_back(text_.sortKey(text)); }
        std::vector<std::string> take() override { return std::exchange(keys_, {}); }

    private:
        TextServices& text_;
        std::vector<std::string> keys_;
    };
    return std::make_unique<AtOnce>(*this);
}

}  // namespace twinpath
