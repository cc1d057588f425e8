#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace twinpath::cli {

// Splits a stream of bytes, fed piece by piece, into lines of text: UTF-16
// little-endian after its byte-order mark, UTF-8 otherwise (a mark of its own
// allowed). Lines end with LF or CR LF; blank lines are passed over. Bytes
// that are not valid UTF-8 each stand for U+FFFD.
class PathLines {
public:
    // Called with each line; false stops the feeding.
    using LineHandler = std::function<bool(const std::wstring& line)>;

    explicit PathLines(LineHandler onLine) : onLine_(std::move(onLine)) {}

    // False once the handler asked to stop.
    bool feed(std::string_view bytes);
    // Ends the stream: a last line without its line end counts.
    bool finish();

private:
    enum class Encoding { Unknown, Utf8, Utf16 };

    bool decode(bool atEnd);
    bool take(char32_t character);
    bool endLine();

    LineHandler onLine_;
    Encoding encoding_ = Encoding::Unknown;
    std::string pending_;  // bytes not yet decoded: a mark or a character still incomplete
    std::wstring line_;
};

}  // namespace twinpath::cli
