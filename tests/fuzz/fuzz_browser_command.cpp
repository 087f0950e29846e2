// The browser command: any registered open command and any address give a
// command that keeps what comes before the placeholder and holds the address.
#include <cstdint>
#include <string>

#include "services/Browser.h"
#include "tests/fuzz/FuzzInput.h"

// Input: the address (a length byte and its text), then the open command.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::string url = in.TakeText();
    const std::string open = in.Rest();
    const std::string command = services::BuildBrowserCommand(open, url);

    FUZZ_CHECK(command.find(url) != std::string::npos);
    // The program part, up to the placeholder, is kept as registered.
    const std::size_t placeholder = open.find("%1");
    const std::string program = open.substr(0, placeholder == std::string::npos ? open.size() : placeholder);
    FUZZ_CHECK(command.compare(0, program.size(), program) == 0);
    // A quoted placeholder, the first of all, takes the address between its quotes.
    const std::size_t quoted = open.find("\"%1\"");
    if (quoted != std::string::npos && quoted + 1 == placeholder)
        FUZZ_CHECK(command == open.substr(0, quoted + 1) + url + open.substr(quoted + 3));
    // Without a placeholder the address is appended after one space.
    if (placeholder == std::string::npos) FUZZ_CHECK(command == open + ' ' + url);
    FUZZ_CHECK(command.size() <= open.size() + url.size() + 1);
    return 0;
}
