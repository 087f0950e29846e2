// The group frame's text parsing, selection rules and geometry, without a window.
#include "controls/TabDefinition.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;

namespace {

struct ExpectedItem {
    int id;
    const char* label;
    bool disabled;
};

void ExpectItems(const TabDefinition& def, std::initializer_list<ExpectedItem> expected) {
    ASSERT_EQ(def.items.size(), expected.size());
    std::size_t k = 0;
    for (const ExpectedItem& e : expected) {
        SCOPED_TRACE("item " + std::to_string(k));
        EXPECT_EQ(def.items[k].id, e.id);
        EXPECT_EQ(def.items[k].label, e.label);
        EXPECT_EQ(def.items[k].disabled, e.disabled);
        ++k;
    }
}

const char* const kSixTabs = "3,2,101=Général,102=Affichage,103=!Réseau,104=Aide,105=Divers,106=Fin";

}  // namespace

TEST(TabDefinitionParse, ReadsColumnsRowsAndItemsInGridOrder) {
    const TabDefinition def = ParseTabDefinition(kSixTabs);
    EXPECT_EQ(def.columns, 3);
    EXPECT_EQ(def.rows, 2);
    ExpectItems(def, {{101, "Général", false},
                      {102, "Affichage", false},
                      {103, "Réseau", true},
                      {104, "Aide", false},
                      {105, "Divers", false},
                      {106, "Fin", false}});
    EXPECT_EQ(def.ItemAt({2, 0})->id, 103);
    EXPECT_EQ(def.ItemAt({0, 1})->id, 104);
    EXPECT_EQ(def.CellOf(4), (TabCell{1, 1}));
    EXPECT_EQ(std::string(kSixTabs).substr(def.items[2].labelOffset, 2), "!R");
}

TEST(TabDefinitionParse, MalformedCountsFallBackToOneOrClampTo256) {
    struct Case {
        const char* text;
        int columns, rows;
    } cases[] = {
        {"", 1, 1},
        {"abc", 1, 1},
        {"4", 4, 1},  // no comma: no row count
        {"0,0,", 1, 1},
        {"-5,-7,1=a", 1, 1},
        {"  3 , 2", 3, 2},  // read like atoi: blanks before the number
        {"300,257,", 256, 256},
        {"99999999999999999999999999,18446744073709551617,", 256, 256},
        {"-99999999999999999999999999,1", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TabDefinition def = ParseTabDefinition(c.text);
        EXPECT_EQ(def.columns, c.columns);
        EXPECT_EQ(def.rows, c.rows);
    }
}

TEST(TabDefinitionParse, IdentifiersAreTheNumberRightBeforeEachEqualsSign) {
    ExpectItems(ParseTabDefinition("3,1,=x,abc=y,-7=z"), {{0, "x", false}, {0, "y", false}, {-7, "z", false}});
    // A label may hold further '=' signs: each one starts an item of its own.
    ExpectItems(ParseTabDefinition("2,1,1=a=b"), {{1, "a=b", false}, {0, "b", false}});
    // Too big for an int: no identifier rather than a wrapped or saturated one.
    ExpectItems(ParseTabDefinition("2,1,99999999999=a,-2147483648=b"), {{0, "a", false}, {INT32_MIN, "b", false}});
    ExpectItems(ParseTabDefinition("2,1,5=!,6="), {{5, "", true}, {6, "", false}});
}

TEST(TabDefinitionParse, LabelsAreCutAndItemsPastTheGridKeptButNeverShown) {
    const std::string longLabel(200, 'x');
    const TabDefinition def = ParseTabDefinition("1,1,7=!" + longLabel + ",8=b");
    ASSERT_EQ(def.items.size(), 2u);
    EXPECT_EQ(def.items[0].label, std::string(kMaxTabLabel, 'x'));
    EXPECT_TRUE(def.items[0].disabled);
    // 8=b lies in data row 1 of a one-row grid: it can be found, not shown nor selected.
    EXPECT_EQ(def.FindTab(8), 1u);
    EXPECT_EQ(def.CellOf(1), (TabCell{0, 1}));
    EXPECT_EQ(def.ItemAt({0, 1}), nullptr);
    EXPECT_FALSE(def.IsSelectable(def.CellOf(1)));
}

TEST(TabDefinitionParse, HugeTextsParse) {
    // 64 KiB of '=' without a comma once made every label scan to the end of the text;
    // its speed is the fuzzing's and the ctest time limit's to watch.
    const TabDefinition equals = ParseTabDefinition("256,256," + std::string(65536, '='));
    const TabDefinition digits = ParseTabDefinition("1,1," + std::string(65536, '9') + "=a");
    EXPECT_EQ(equals.items.size(), 65536u);
    EXPECT_EQ(digits.items.at(0).id, 0);
}

TEST(TabSelection, WordKeepsColumnAndRowInOneByteEachAndOutOfGridReadsZero) {
    const TabDefinition def = ParseTabDefinition(kSixTabs);
    EXPECT_EQ(EncodeSelection({2, 1}), 0x0102);
    EXPECT_EQ(DecodeSelection(0x0102, def), (TabCell{2, 1}));
    EXPECT_EQ(DecodeSelection(0x0103, def), (TabCell{0, 1}));
    EXPECT_EQ(DecodeSelection(0x0502, def), (TabCell{2, 0}));
    const TabDefinition big = ParseTabDefinition("256,256,");
    EXPECT_EQ(DecodeSelection(EncodeSelection({255, 255}), big), (TabCell{255, 255}));
}

TEST(TabSelection, SelectByIdentifier) {
    const TabDefinition def = ParseTabDefinition("3,2,101=A,102=B,103=!C,0=D");
    const TabCell origin{0, 0};
    EXPECT_EQ(SelectTabById(def, origin, 999).answer, -1);
    EXPECT_EQ(SelectTabById(def, origin, 0).answer, -1);   // 0 names no tab
    EXPECT_EQ(SelectTabById(def, origin, 103).answer, 0);  // disabled
    EXPECT_FALSE(SelectTabById(def, origin, 103).changed);
    // Already selected: the answer is the item's index, and nothing changes.
    const TabSelectResult again = SelectTabById(def, TabCell{1, 0}, 102);
    EXPECT_EQ(again.answer, 1);
    EXPECT_FALSE(again.changed);
    const TabSelectResult moved = SelectTabById(def, origin, 102);
    EXPECT_EQ(moved.answer, 1);
    EXPECT_TRUE(moved.changed);
    EXPECT_EQ(moved.cell, (TabCell{1, 0}));
    // An item past the grid exists but cannot be selected: the selection would read
    // back as another tab.
    const TabSelectResult hidden = SelectTabById(ParseTabDefinition("2,1,1=a,2=b,3=c"), origin, 3);
    EXPECT_EQ(hidden.answer, 0);
    EXPECT_FALSE(hidden.changed);
}

TEST(TabSelection, SelectByPosition) {
    const TabDefinition def = ParseTabDefinition("3,2,101=A,102=B,103=!C,0=D");
    const TabCell origin{0, 0};
    EXPECT_EQ(SelectTabAt(def, origin, {2, 0}).answer, 0);  // disabled
    EXPECT_EQ(SelectTabAt(def, origin, {0, 1}).answer, 0);  // identifier 0
    EXPECT_EQ(SelectTabAt(def, origin, {1, 1}).answer, 0);  // past the last item
    EXPECT_EQ(SelectTabAt(def, origin, {3, 0}).answer, 0);  // outside the grid
    EXPECT_EQ(SelectTabAt(def, origin, {0, 2}).answer, 0);
    const TabSelectResult same = SelectTabAt(def, origin, origin);
    EXPECT_EQ(same.answer, 1);
    EXPECT_FALSE(same.changed);
    const TabSelectResult moved = SelectTabAt(def, origin, {1, 0});
    EXPECT_TRUE(moved.changed);
    EXPECT_EQ(moved.cell, (TabCell{1, 0}));
}

TEST(TabSelection, ArrowStepsWrapAndSkipTabsThatCannotBeSelected) {
    const TabDefinition def = ParseTabDefinition("3,2,1=a,2=b,3=!c,4=d,0=e,6=f");
    EXPECT_EQ(StepSelection(def, {1, 0}, true), (TabCell{0, 1}));   // skips disabled 3
    EXPECT_EQ(StepSelection(def, {0, 1}, true), (TabCell{2, 1}));   // skips identifier 0
    EXPECT_EQ(StepSelection(def, {2, 1}, true), (TabCell{0, 0}));   // wraps to the first tab
    EXPECT_EQ(StepSelection(def, {0, 0}, false), (TabCell{2, 1}));  // and back
    EXPECT_EQ(StepSelection(def, {0, 1}, false), (TabCell{1, 0}));
    // Nothing else to select: no step, whatever the grid's size.
    EXPECT_EQ(StepSelection(ParseTabDefinition("2,1,1=a,2=!b"), {0, 0}, true), std::nullopt);
    EXPECT_EQ(StepSelection(ParseTabDefinition("256,256,"), {0, 0}, false), std::nullopt);
}

TEST(TabEnable, TheExclamationMarkIsAddedOrRemovedInTheText) {
    const std::string text = "2,1,10=Un,20=Deux";
    EXPECT_EQ(SetTabEnabledInText(text, 20, false), "2,1,10=Un,20=!Deux");
    EXPECT_EQ(SetTabEnabledInText("2,1,10=Un,20=!Deux", 20, false), "2,1,10=Un,20=!Deux");
    EXPECT_EQ(SetTabEnabledInText("2,1,10=!Un,20=!Deux", 10, true), "2,1,10=Un,20=!Deux");
    EXPECT_EQ(SetTabEnabledInText(text, 10, true), text);
    EXPECT_EQ(SetTabEnabledInText("2,1,10=", 10, false), "2,1,10=!");
    EXPECT_EQ(SetTabEnabledInText(text, 30, false), std::nullopt);
    // Items past the grid are items all the same.
    EXPECT_EQ(SetTabEnabledInText("1,1,10=Un,20=Deux", 20, false), "1,1,10=Un,20=!Deux");
    EXPECT_EQ(SetTabEnabledInText(text, 0, false), std::nullopt);
}

TEST(TabLayoutGeometry, TwoTabsInTwoHundredPixels) {
    const TabDefinition def = ParseTabDefinition("2,1,10=Un,20=Deux");
    const TabLayout layout(def, 200, 120, 22);
    EXPECT_EQ(layout.TabWidth(), 96);
    EXPECT_EQ(layout.TabStrip(), (TabRect{0, 0, 200, 25}));
    EXPECT_EQ(layout.PageArea(), (TabRect{2, 25, 198, 118}));
    EXPECT_EQ(layout.TabBounds(0, 0), (TabRect{1, 0, 96, 22}));
    EXPECT_EQ(layout.TabBounds(0, 1), (TabRect{97, 0, 199, 22}));  // the last tab reaches rowRight
    EXPECT_TRUE(layout.InTabStrip(21));
    EXPECT_FALSE(layout.InTabStrip(22));
    EXPECT_EQ(layout.HitTest(150, 10, {0, 0}), (TabCell{1, 0}));
    EXPECT_EQ(layout.HitTest(0, 10, {0, 0}), std::nullopt);    // x <= 8 * display row
    EXPECT_EQ(layout.HitTest(195, 10, {0, 0}), std::nullopt);  // past the last column: nothing
    EXPECT_EQ(layout.HitTest(50, 30, {0, 0}), std::nullopt);   // below the strip
    // Signed points of a mouse left of or above the control hit nothing either.
    EXPECT_EQ(layout.HitTest(150, -1, {0, 0}), std::nullopt);
    EXPECT_EQ(layout.HitTest(-90, 10, {0, 0}), std::nullopt);
}

TEST(TabLayoutGeometry, OnlyTheSelectedColumnRotatesToTheFront) {
    const TabDefinition def = ParseTabDefinition(kSixTabs);
    const TabLayout layout(def, 300, 200, 20);
    const TabCell selection{0, 1};
    EXPECT_EQ(layout.DataRowShown(0, 0, selection), 1);
    EXPECT_EQ(layout.DataRowShown(1, 0, selection), 0);
    EXPECT_EQ(layout.DataRowShown(0, 1, selection), 0);
    EXPECT_EQ(layout.DataRowShown(1, 2, selection), 1);
    // Back row sits on top, 8 pixels further right.
    EXPECT_EQ(layout.TabBounds(1, 0), (TabRect{9, 0, 9 + 94 - 1, 20}));
    EXPECT_EQ(layout.RowRight(1), 300 - 8 + 7);
    // A click on the front row's first tab hits data row 1 there, data row 0 elsewhere.
    EXPECT_EQ(layout.HitTest(5, 25, selection), (TabCell{0, 1}));
    EXPECT_EQ(layout.HitTest(150, 25, selection), (TabCell{1, 0}));
    EXPECT_EQ(layout.HitTest(20, 5, selection), (TabCell{0, 0}));
}

TEST(TabLayoutGeometry, TooNarrowOrDegenerateSizesKeepTabsOnePixelWide) {
    const TabDefinition def = ParseTabDefinition("256,256,");
    for (int width : {0, 5, 8 * 256 + 255}) {
        SCOPED_TRACE(width);
        const TabLayout layout(def, width, 10, 0);
        EXPECT_EQ(layout.TabWidth(), 1);
        EXPECT_EQ(layout.TabHeight(), 1);
        EXPECT_EQ(layout.HitTest(8 * 255 + 3, 0, {255, 255}), (TabCell{3, 255}));
        EXPECT_EQ(layout.HitTest(8 * 255 + 3, 0, {3, 1}), (TabCell{3, 0}));  // (255 + 1) mod 256
        EXPECT_EQ(layout.HitTest(65535, 65535, {0, 0}), std::nullopt);
        EXPECT_EQ(layout.HitTest(65535, 255, {0, 0}), std::nullopt);  // column 65535 is past the grid
    }
    EXPECT_EQ(TabLayout(def, 8 * 256 + 512, 10, 20).TabWidth(), 2);
}
