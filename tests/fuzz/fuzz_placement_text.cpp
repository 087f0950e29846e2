// The stored window placement: any text either gives five integers or nothing,
// what it gives prints and reads back the same, and any record survives a round
// trip through its text.
#include <cstdint>
#include <string>

#include "services/PlacementText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

bool Same(const services::PlacementRecord& a, const services::PlacementRecord& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom && a.state == b.state;
}

}  // namespace

// Input: a record (20 bytes) whose bytes are also read, with the rest, as a text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzz::FuzzInput in(data, size);
    services::PlacementRecord record;
    for (std::int32_t* field : {&record.left, &record.top, &record.right, &record.bottom, &record.state})
        *field = in.Take<std::int32_t>();

    const std::string printed = services::FormatPlacementText(record);
    const auto back = services::ParsePlacementText(printed);
    FUZZ_CHECK(back && Same(*back, record));
    // Whatever follows the fifth number is ignored.
    const auto followed = services::ParsePlacementText(printed + ' ' + in.Rest());
    FUZZ_CHECK(followed && Same(*followed, record));

    if (const auto parsed = services::ParsePlacementText(text)) {
        const auto again = services::ParsePlacementText(services::FormatPlacementText(*parsed));
        FUZZ_CHECK(again && Same(*again, *parsed));
        // Five numbers need at least five digits.
        FUZZ_CHECK(text.size() >= 5 && text.find_first_of("0123456789") != std::string::npos);
    }
    return 0;
}
