// The group frame's tabs as pure data: parsing of the window text that describes them,
// the selection word, the tab geometry, hit testing, arrow-key stepping and the
// enable/disable edit of the text. No window system here; GroupFrame_win.cpp draws it.
#ifndef PEMZ_CONTROLS_TABDEFINITION_H
#define PEMZ_CONTROLS_TABDEFINITION_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// The selection keeps a column and a row in one byte each.
constexpr int kMaxTabColumns = 256;
constexpr int kMaxTabRows = 256;
// Longer labels are cut to this many characters for display.
constexpr std::size_t kMaxTabLabel = 79;

struct TabItem {
    int id = 0;                   // 0: no identifier, the tab can be neither found nor selected
    std::string label;            // as shown: without the leading '!', at most kMaxTabLabel characters
    bool disabled = false;        // the label began with '!'
    std::size_t labelOffset = 0;  // where the label (with its '!') starts in the window text
};

// A tab's place in the grid: column and data row.
struct TabCell {
    int column = 0;
    int row = 0;
    friend bool operator==(TabCell a, TabCell b) { return a.column == b.column && a.row == b.row; }
    friend bool operator!=(TabCell a, TabCell b) { return !(a == b); }
};

// "C,R,id=label,id=!label,..." parsed. Item k sits in column k mod C of data row k div C;
// items past the C x R grid are kept (found by identifier, never shown nor selected)
// and cells past the last item are empty tabs.
struct TabDefinition {
    int columns = 1;  // 1..kMaxTabColumns
    int rows = 1;     // 1..kMaxTabRows
    std::vector<TabItem> items;

    // The item shown in a cell, or nullptr for an empty tab or a cell outside the grid.
    const TabItem* ItemAt(TabCell cell) const;
    // Index of the first item with this identifier; none for 0 or an unknown one.
    std::optional<std::size_t> FindTab(int id) const;
    TabCell CellOf(std::size_t index) const;
    // A tab that a click, a key or the application may select: present, identified, enabled.
    bool IsSelectable(TabCell cell) const;
};

TabDefinition ParseTabDefinition(std::string_view text);

// The 16-bit selection word: low byte column, high byte data row; values outside
// the grid read as 0.
TabCell DecodeSelection(std::uint16_t word, const TabDefinition& def);
std::uint16_t EncodeSelection(TabCell cell);

// Outcome of a selection request (CLM_SELECTTAB).
struct TabSelectResult {
    long answer = 0;       // the message's result
    bool changed = false;  // the selection became `cell`: store, redraw and notify
    TabCell cell;
};
// By identifier (id >= 0). An item past the grid cannot be selected (answer 0).
TabSelectResult SelectTabById(const TabDefinition& def, TabCell current, int id);
// By position; a position outside the grid is an empty tab. Re-selecting the current
// tab answers 1 without a change.
TabSelectResult SelectTabAt(const TabDefinition& def, TabCell current, TabCell wanted);

// Arrow keys: the next (or previous) selectable tab in item order with wrap-around,
// or none when no other tab can be selected.
std::optional<TabCell> StepSelection(const TabDefinition& def, TabCell current, bool forward);

// The window text with the tab's '!' added (disable) or removed (enable); none when no
// tab has the identifier. The text comes back unchanged when the state already matched.
std::optional<std::string> SetTabEnabledInText(std::string_view text, int id, bool enable);

struct TabRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TabRect& a, const TabRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// Each row of tabs, and the edge of the page behind it, stands this many pixels right
// of the row in front of it.
constexpr int kTabRowStep = 8;

// Sizes of one control: its client area, the height of a tab; the tab width follows.
class TabLayout {
public:
    TabLayout(const TabDefinition& def, int clientWidth, int clientHeight, int tabHeight);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int TabHeight() const { return tabHeight_; }
    // (width - kTabRowStep * rows) / columns, but at least one pixel when the control is too narrow.
    int TabWidth() const { return tabWidth_; }

    // Display row 0 is the front row, touching the page; rows - 1 is at the top.
    // The right end is inclusive.
    TabRect TabBounds(int displayRow, int column) const;
    int RowRight(int displayRow) const;  // where the last tab of the row ends
    TabRect TabStrip() const;            // (0, 0, width, rows * tabHeight + 3)
    TabRect PageArea() const;            // (2, rows * tabHeight + 3, width - 2, height - 2)
    bool InTabStrip(int y) const;        // the part that takes the mouse: y < rows * tabHeight

    // The data row whose item a display cell shows: only the selected column rotates.
    int DataRowShown(int displayRow, int column, TabCell selection) const;
    // The grid cell under a client point, or none (a point left of or above the control too).
    std::optional<TabCell> HitTest(int x, int y, TabCell selection) const;

private:
    int columns_, rows_, width_, height_, tabHeight_, tabWidth_;
};

}  // namespace controls

#endif
