// Reading something of unknown size through a call that fills a buffer of given capacity.
#ifndef PEMZ_FRAMEWORK_GROWINGBUFFER_H
#define PEMZ_FRAMEWORK_GROWINGBUFFER_H

#include <cstddef>
#include <optional>
#include <vector>

namespace fw {

// `read(data, capacity)` fills the buffer and answers how many elements it used
// (<= capacity: done, the buffer is cut to that), how many it needs (> capacity: read
// again into that many), or nothing (failed). What is read may grow between two calls (a
// value rewritten, a variable changed meanwhile), so a few reads are allowed, then none.
template <class T, class Read>
std::optional<std::vector<T>> ReadGrowing(std::size_t capacity, Read read, int attempts = 4) {
    std::vector<T> buffer;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        buffer.assign(capacity, T{});
        const std::optional<std::size_t> size = read(buffer.data(), buffer.size());
        if (!size) return std::nullopt;
        if (*size <= buffer.size()) {
            buffer.resize(*size);
            return buffer;
        }
        capacity = *size;
    }
    return std::nullopt;
}

}  // namespace fw

#endif
