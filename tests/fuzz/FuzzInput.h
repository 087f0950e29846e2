// What every fuzz target shares: reading the input as fixed fields followed by a
// text, so that seeds stay writable by hand, and a check that names what broke.
#ifndef PEMZ_TESTS_FUZZ_FUZZINPUT_H
#define PEMZ_TESTS_FUZZ_FUZZINPUT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz {

// An invariant that does not hold is a crash for libFuzzer, which keeps the input.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next sizeof(T) bytes, little-endian; bytes past the end read as zero.
    template <class T>
    T Take() {
        T value{};
        const std::size_t n = std::min(size_, sizeof value);
        if (n != 0) std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }

    char TakeChar() { return static_cast<char>(Take<std::uint8_t>()); }

    // A text of the next byte's length (or what is left).
    std::string TakeText() {
        const std::size_t n = std::min<std::size_t>(Take<std::uint8_t>(), size_);
        return Skip(n);
    }

    std::string Rest() { return Skip(size_); }
    bool Empty() const { return size_ == 0; }

private:
    std::string Skip(std::size_t n) {
        std::string text(reinterpret_cast<const char*>(data_), n);
        data_ += n;
        size_ -= n;
        return text;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace fuzz

#endif
