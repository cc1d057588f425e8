#pragma once

// One request the window made of the background work: when it began, and
// when the window last told of it.
#include <cstdint>
#include <optional>

namespace twinpath {

struct WorkRequest {
    explicit WorkRequest(std::uint64_t startedAt) : startedAt(startedAt) {}

    // On the work's clock; read and written on the window's thread only.
    const std::uint64_t startedAt;
    // When the window last told of its progress; nothing before it first did.
    std::optional<std::uint64_t> toldAt;
};

// Work that ends sooner is not worth a word: the fields just change.
inline constexpr std::uint64_t kQuietMs = 300;
// Progress changes no more often than this: faster is only flicker.
inline constexpr std::uint64_t kProgressEveryMs = 100;

// Whether a request should tell of its progress now.
inline bool timeToTell(const WorkRequest& request, std::uint64_t now) {
    return now - request.startedAt >= kQuietMs && (!request.toldAt || now - *request.toldAt >= kProgressEveryMs);
}

}  // namespace twinpath
