// Reading into a buffer that grows until what is read fits.
#include "framework/GrowingBuffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A source of `text` that answers like ExpandEnvironmentStrings: the size it needs,
// terminator included, and the text only when that fits; it grows by `growth` at each read.
struct Source {
    std::string text;
    std::size_t growth = 0;
    int reads = 0;
    std::optional<std::size_t> operator()(char* data, std::size_t capacity) {
        ++reads;
        const std::string now = text;
        text += std::string(growth, '+');
        if (now.size() + 1 > capacity) return now.size() + 1;
        now.copy(data, now.size());
        return now.size();
    }
};

TEST(ReadGrowing, ReadsAgainIntoWhatWasAskedForUntilItFits) {
    Source fits{"abc"};
    EXPECT_EQ(fw::ReadGrowing<char>(8, std::ref(fits)), (std::vector<char>{'a', 'b', 'c'}));
    EXPECT_EQ(fits.reads, 1);

    Source small{std::string(100, 'x')};
    const auto read = fw::ReadGrowing<char>(4, std::ref(small));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::string(read->begin(), read->end()), std::string(100, 'x'));
    EXPECT_EQ(small.reads, 2);

    // Grown between every two reads: three more tries, then no answer rather than a cut text.
    Source growing{"abcdef", 10};
    EXPECT_FALSE(fw::ReadGrowing<char>(4, std::ref(growing)));
    EXPECT_EQ(growing.reads, 4);

    int failures = 0;
    EXPECT_FALSE(fw::ReadGrowing<char>(4, [&](char*, std::size_t) -> std::optional<std::size_t> {
        ++failures;
        return std::nullopt;
    }));
    EXPECT_EQ(failures, 1);
}

}  // namespace
