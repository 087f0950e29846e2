// The group frame's text handling: any window text, any control size, any
// selection word. Checks the invariants that the drawing and the messages rely on.
#include <cstdint>
#include <string>

#include "controls/TabDefinition.h"
#include "tests/fuzz/FuzzInput.h"

using namespace controls;

// Input: width, height, selection word, point x and y, tab height (2 bytes each), then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const auto width = in.Take<std::uint16_t>();
    const auto height = in.Take<std::uint16_t>();
    const auto word = in.Take<std::uint16_t>();
    const auto pointX = in.Take<std::uint16_t>();
    const auto pointY = in.Take<std::uint16_t>();
    const int tabHeight = in.Take<std::int16_t>();
    const std::string text = in.Rest();

    const TabDefinition def = ParseTabDefinition(text);
    FUZZ_CHECK(def.columns >= 1 && def.columns <= kMaxTabColumns && def.rows >= 1 && def.rows <= kMaxTabRows);
    FUZZ_CHECK(def.items.size() <= text.size());
    for (std::size_t k = 0; k < def.items.size(); ++k) {
        const TabItem& item = def.items[k];
        FUZZ_CHECK(item.label.size() <= kMaxTabLabel && item.labelOffset <= text.size());
        FUZZ_CHECK(item.labelOffset > 0 && text[item.labelOffset - 1] == '=');
        FUZZ_CHECK(def.IsSelectable(def.CellOf(k)) ==
                   (k < static_cast<std::size_t>(def.columns) * def.rows && item.id != 0 && !item.disabled));
    }
    // FindTab gives the first item with the identifier; a few items are checked, since
    // checking every one would cost time quadratic in the items of a 64 KiB text.
    if (!def.items.empty())
        for (std::size_t k : {std::size_t{0}, def.items.size() / 2, def.items.size() - 1, pointX % def.items.size()}) {
            const int id = def.items[k].id;
            if (id == 0) continue;
            std::size_t first = 0;
            while (def.items[first].id != id) ++first;
            FUZZ_CHECK(def.FindTab(id) == first);
        }

    const TabCell selection = DecodeSelection(word, def);
    FUZZ_CHECK(selection.column < def.columns && selection.row < def.rows);
    FUZZ_CHECK(DecodeSelection(EncodeSelection(selection), def) == selection);

    for (bool forward : {true, false})
        if (const auto next = StepSelection(def, selection, forward))
            FUZZ_CHECK(*next != selection && def.IsSelectable(*next));

    const TabLayout layout(def, width, height, tabHeight);
    FUZZ_CHECK(layout.TabWidth() >= 1 && layout.TabHeight() >= 1);
    if (const auto hit = layout.HitTest(pointX, pointY, selection)) {
        FUZZ_CHECK(hit->column >= 0 && hit->column < def.columns && hit->row >= 0 && hit->row < def.rows);
        const TabSelectResult result = SelectTabAt(def, selection, *hit);
        FUZZ_CHECK(result.answer == (def.IsSelectable(*hit) ? 1 : 0));
        FUZZ_CHECK(!result.changed || EncodeSelection(result.cell) != EncodeSelection(selection));
    }

    // Enabling or disabling a tab changes only its '!'. A label shown with a '!' of its
    // own ("!!x") cannot be enabled: its next '!' disables it again.
    const int id = def.items.empty() ? pointX : def.items[pointX % def.items.size()].id;
    const bool enable = (pointY & 1) != 0;
    if (const auto edited = SetTabEnabledInText(text, id, enable)) {
        const TabItem& before = def.items[*def.FindTab(id)];
        const TabDefinition after = ParseTabDefinition(*edited);
        const auto index = after.FindTab(id);
        FUZZ_CHECK(index.has_value());
        FUZZ_CHECK(edited->size() + 1 >= text.size() && edited->size() <= text.size() + 1);
        if (!enable || before.label.empty() || before.label[0] != '!') {
            FUZZ_CHECK(after.items[*index].disabled == !enable && after.items[*index].label == before.label);
            FUZZ_CHECK(SetTabEnabledInText(*edited, id, enable) == *edited);
        }
    } else {
        FUZZ_CHECK(!def.FindTab(id));
    }
    return 0;
}
