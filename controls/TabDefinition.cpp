// Parsing, selection and geometry of the group frame's tabs.
#include "controls/TabDefinition.h"

#include <algorithm>
#include <climits>

#include "calc/CharacterClass.h"

namespace controls {
namespace {

using calc::IsCSpace;
using calc::IsDigit;

// atoi's reading (blanks, sign, digits) without its overflow: the value saturates
// far beyond any count we accept, so clamping afterwards is enough.
long long ReadCount(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) value = std::min(value * 10 + (text[pos] - '0'), 1LL << 40);
    return negative ? -value : value;
}

int ClampCount(long long value, int limit) { return static_cast<int>(std::clamp<long long>(value, 1, limit)); }

// The identifier is the number written right before the '=' at `equals`. One that does
// not fit in an int is no identifier at all, like a missing one.
int ReadIdentifier(std::string_view text, std::size_t equals) {
    std::size_t start = equals;
    while (start > 0 && IsDigit(text[start - 1])) --start;
    if (start == equals) return 0;
    long long value = 0;
    for (std::size_t i = start; i < equals; ++i) value = std::min(value * 10 + (text[i] - '0'), 1LL << 40);
    if (start > 0 && text[start - 1] == '-') value = -value;
    return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : 0;
}

}  // namespace

TabDefinition ParseTabDefinition(std::string_view text) {
    TabDefinition def;
    def.columns = ClampCount(ReadCount(text, 0), kMaxTabColumns);
    const std::size_t firstComma = text.find(',');
    def.rows = firstComma == std::string_view::npos ? 1 : ClampCount(ReadCount(text, firstComma + 1), kMaxTabRows);

    // Items past the grid are kept: they are never shown nor selected, but they can be
    // found, enabled and disabled like the others.
    std::size_t nextComma = 0;  // moves forward only, so the whole scan stays linear
    for (std::size_t eq = text.find('='); eq != std::string_view::npos; eq = text.find('=', eq + 1)) {
        const std::size_t labelStart = eq + 1;
        if (nextComma != std::string_view::npos && nextComma < labelStart) nextComma = text.find(',', labelStart);
        const std::size_t labelEnd = nextComma == std::string_view::npos ? text.size() : nextComma;

        TabItem item;
        item.id = ReadIdentifier(text, eq);
        item.labelOffset = labelStart;
        std::string_view label = text.substr(labelStart, labelEnd - labelStart);
        if (!label.empty() && label.front() == '!') {
            item.disabled = true;
            label.remove_prefix(1);
        }
        item.label = std::string(label.substr(0, kMaxTabLabel));
        def.items.push_back(std::move(item));
    }
    return def;
}

const TabItem* TabDefinition::ItemAt(TabCell cell) const {
    if (cell.column < 0 || cell.column >= columns || cell.row < 0 || cell.row >= rows) return nullptr;
    const std::size_t index = static_cast<std::size_t>(cell.row) * columns + cell.column;
    return index < items.size() ? &items[index] : nullptr;
}

std::optional<std::size_t> TabDefinition::FindTab(int id) const {
    if (id == 0) return std::nullopt;
    for (std::size_t k = 0; k < items.size(); ++k)
        if (items[k].id == id) return k;
    return std::nullopt;
}

TabCell TabDefinition::CellOf(std::size_t index) const {
    return {static_cast<int>(index % columns), static_cast<int>(index / columns)};
}

bool TabDefinition::IsSelectable(TabCell cell) const {
    const TabItem* item = ItemAt(cell);
    return item && item->id != 0 && !item->disabled;
}

TabCell DecodeSelection(std::uint16_t word, const TabDefinition& def) {
    TabCell cell{word & 0xFF, word >> 8};
    if (cell.column >= def.columns) cell.column = 0;
    if (cell.row >= def.rows) cell.row = 0;
    return cell;
}

std::uint16_t EncodeSelection(TabCell cell) {
    return static_cast<std::uint16_t>((cell.column & 0xFF) | ((cell.row & 0xFF) << 8));
}

TabSelectResult SelectTabById(const TabDefinition& def, TabCell current, int id) {
    const std::optional<std::size_t> index = def.FindTab(id);
    if (!index) return {-1, false, current};
    const TabCell cell = def.CellOf(*index);
    if (!def.IsSelectable(cell)) return {0, false, current};
    if (cell == current) return {static_cast<long>(*index), false, current};
    return {1, true, cell};
}

TabSelectResult SelectTabAt(const TabDefinition& def, TabCell current, TabCell wanted) {
    if (!def.IsSelectable(wanted)) return {0, false, current};
    if (wanted == current) return {1, false, current};
    return {1, true, wanted};
}

std::optional<TabCell> StepSelection(const TabDefinition& def, TabCell current, bool forward) {
    TabCell cell = current;
    for (;;) {
        if (forward) {
            if (++cell.column > def.columns - 1) {
                cell.column = 0;
                if (++cell.row > def.rows - 1) cell.row = 0;
            }
        } else {
            if (--cell.column < 0) {
                cell.column = def.columns - 1;
                if (--cell.row < 0) cell.row = def.rows - 1;
            }
        }
        if (cell == current) return std::nullopt;
        if (def.IsSelectable(cell)) return cell;
    }
}

std::optional<std::string> SetTabEnabledInText(std::string_view text, int id, bool enable) {
    const TabDefinition def = ParseTabDefinition(text);
    const std::optional<std::size_t> index = def.FindTab(id);
    if (!index) return std::nullopt;
    std::string result(text);
    const std::size_t at = def.items[*index].labelOffset;
    const bool marked = at < result.size() && result[at] == '!';
    if (enable && marked) result.erase(at, 1);
    if (!enable && !marked) result.insert(at, 1, '!');
    return result;
}

TabLayout::TabLayout(const TabDefinition& def, int clientWidth, int clientHeight, int tabHeight)
    : columns_(def.columns),
      rows_(def.rows),
      width_(clientWidth),
      height_(clientHeight),
      tabHeight_(std::max(1, tabHeight)),
      tabWidth_(std::max(1, (clientWidth - kTabRowStep * def.rows) / def.columns)) {}

int TabLayout::RowRight(int displayRow) const { return width_ - kTabRowStep * (rows_ - displayRow) + kTabRowStep - 1; }

TabRect TabLayout::TabBounds(int displayRow, int column) const {
    TabRect r;
    r.left = kTabRowStep * displayRow + 1 + column * tabWidth_;
    r.right = column == columns_ - 1 ? RowRight(displayRow) : r.left + tabWidth_ - 1;
    r.top = (rows_ - displayRow - 1) * tabHeight_;
    r.bottom = (rows_ - displayRow) * tabHeight_;
    return r;
}

TabRect TabLayout::TabStrip() const { return {0, 0, width_, rows_ * tabHeight_ + 3}; }

TabRect TabLayout::PageArea() const { return {2, rows_ * tabHeight_ + 3, width_ - 2, height_ - 2}; }

bool TabLayout::InTabStrip(int y) const { return y < rows_ * tabHeight_; }

int TabLayout::DataRowShown(int displayRow, int column, TabCell selection) const {
    return column == selection.column ? (displayRow + selection.row) % rows_ : displayRow;
}

std::optional<TabCell> TabLayout::HitTest(int x, int y, TabCell selection) const {
    if (x < 0 || y < 0) return std::nullopt;
    const int displayRow = rows_ - y / tabHeight_ - 1;
    if (displayRow < 0 || displayRow >= rows_ || x <= kTabRowStep * displayRow) return std::nullopt;
    const int column = (x - kTabRowStep * displayRow) / tabWidth_;
    if (column >= columns_) return std::nullopt;
    return TabCell{column, DataRowShown(displayRow, column, selection)};
}

}  // namespace controls
