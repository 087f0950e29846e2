// A stand-alone driver for the tab definition fuzz target, for compilers without
// libFuzzer: random inputs built from the characters the text format cares about,
// mixed with raw bytes. Usage: fuzz_tab_definition [iterations] [seed].
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const unsigned long long iterations = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    std::mt19937_64 random(seed);
    static const char kAlphabet[] = "0123456789,,,,====!!--  x\xe9";
    std::vector<std::uint8_t> input;
    for (unsigned long long i = 0; i < iterations; ++i) {
        // Mostly short texts, now and then up to 64 KiB.
        const std::size_t length = random() % 8 == 0 ? random() % 65548 : random() % 80;
        input.resize(length);
        const bool raw = random() % 4 == 0;
        for (std::size_t k = 0; k < length; ++k)
            input[k] = k < 12 || raw ? static_cast<std::uint8_t>(random())
                                     : static_cast<std::uint8_t>(kAlphabet[random() % (sizeof kAlphabet - 1)]);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%llu inputs, seed %llu: no invariant broken\n", iterations, seed);
    return 0;
}
