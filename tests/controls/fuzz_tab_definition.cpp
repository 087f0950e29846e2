// Fuzz target for the group frame's text handling: any window text, any control size,
// any selection word. Checks the invariants that the drawing and the messages rely on.
// The native build runs it with fuzz_tab_definition_main.cpp; with libFuzzer:
//   clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I. controls/TabDefinition.cpp
//       tests/controls/fuzz_tab_definition.cpp -o fuzz_tabs
//   ./fuzz_tabs corpus/ -max_len=70000 -max_total_time=240
#include "controls/TabDefinition.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace controls;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::uint16_t Take16(const std::uint8_t*& data, std::size_t& size) {
    std::uint16_t value = 0;
    const std::size_t n = size < 2 ? size : 2;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint16_t width = Take16(data, size);
    const std::uint16_t height = Take16(data, size);
    const std::uint16_t word = Take16(data, size);
    const std::uint16_t pointX = Take16(data, size);
    const std::uint16_t pointY = Take16(data, size);
    const int tabHeight = static_cast<std::int16_t>(Take16(data, size));
    const std::string text(reinterpret_cast<const char*>(data), size);

    const TabDefinition def = ParseTabDefinition(text);
    Check(def.columns >= 1 && def.columns <= kMaxTabColumns && def.rows >= 1 && def.rows <= kMaxTabRows);
    Check(def.items.size() <= text.size());
    for (std::size_t k = 0; k < def.items.size(); ++k) {
        const TabItem& item = def.items[k];
        Check(item.label.size() <= kMaxTabLabel && item.labelOffset <= text.size());
        Check(item.labelOffset > 0 && text[item.labelOffset - 1] == '=');
        Check(def.IsSelectable(def.CellOf(k)) == (k < static_cast<std::size_t>(def.columns) * def.rows &&
                                                  item.id != 0 && !item.disabled));
    }
    // FindTab gives the first item with the identifier; a few items are checked, since
    // checking every one would cost time quadratic in the items of a 64 KiB text.
    if (!def.items.empty())
        for (std::size_t k : {std::size_t{0}, def.items.size() / 2, def.items.size() - 1, pointX % def.items.size()}) {
            const int id = def.items[k].id;
            if (id == 0) continue;
            std::size_t first = 0;
            while (def.items[first].id != id) ++first;
            Check(def.FindTab(id) == first);
        }

    const TabCell selection = DecodeSelection(word, def);
    Check(selection.column < def.columns && selection.row < def.rows);
    Check(DecodeSelection(EncodeSelection(selection), def) == selection);

    for (bool forward : {true, false})
        if (const auto next = StepSelection(def, selection, forward)) Check(*next != selection && def.IsSelectable(*next));

    const TabLayout layout(def, width, height, tabHeight);
    Check(layout.TabWidth() >= 1 && layout.TabHeight() >= 1);
    if (const auto hit = layout.HitTest(pointX, pointY, selection)) {
        Check(hit->column >= 0 && hit->column < def.columns && hit->row >= 0 && hit->row < def.rows);
        const TabSelectResult result = SelectTabAt(def, selection, *hit);
        Check(result.answer == (def.IsSelectable(*hit) ? 1 : 0));
        Check(!result.changed || EncodeSelection(result.cell) != EncodeSelection(selection));
    }

    // Enabling or disabling a tab changes only its '!'. A label shown with a '!' of its
    // own ("!!x") cannot be enabled: its next '!' disables it again.
    const int id = def.items.empty() ? pointX : def.items[pointX % def.items.size()].id;
    const bool enable = (pointY & 1) != 0;
    if (const auto edited = SetTabEnabledInText(text, id, enable)) {
        const TabItem& before = def.items[*def.FindTab(id)];
        const TabDefinition after = ParseTabDefinition(*edited);
        const auto index = after.FindTab(id);
        Check(index.has_value());
        Check(edited->size() + 1 >= text.size() && edited->size() <= text.size() + 1);
        if (!enable || before.label.empty() || before.label[0] != '!') {
            Check(after.items[*index].disabled == !enable && after.items[*index].label == before.label);
            Check(SetTabEnabledInText(*edited, id, enable) == *edited);
        }
    } else {
        Check(!def.FindTab(id));
    }
    return 0;
}
