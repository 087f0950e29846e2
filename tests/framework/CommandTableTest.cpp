// Command-table lookup and dispatch, without a window system.
#include "framework/CommandTable.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

enum class Operator { Add, Subtract };

class Target : public fw::CommandTarget {
public:
    void OnFirst() { calls.push_back("first"); }
    void OnSecond() { calls.push_back("second"); }
    void OnDigit(unsigned id) { calls.push_back("digit " + std::to_string(id)); }
    void OnOperator(Operator op) { calls.push_back(op == Operator::Add ? "add" : "subtract"); }
    void OnChange() { calls.push_back("change"); }
    fw::MessageResult OnPaint(fw::WordParam wParam, fw::LongParam lParam) {
        calls.push_back("paint " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 77;
    }
    void OnLater() { calls.push_back("later"); }

    std::vector<std::string> calls;
};

constexpr unsigned kPaint = 0x000F;
constexpr unsigned kSelChange = 1;  // a notification whose code equals the accelerator code
constexpr unsigned kSetFocus = 0x0100;

const fw::CommandEntry kTable[] = {
    fw::OnMessage<&Target::OnPaint>(kPaint),
    fw::OnCommand<&Target::OnFirst>(10),
    fw::OnCommand<&Target::OnSecond>(10),  // shadowed by the entry above
    fw::OnRange<&Target::OnDigit>(1000, 1009),
    fw::OnCommand<&Target::OnSecond>(1005),  // shadowed by the range
    fw::OnCommand<&Target::OnOperator, Operator::Add>(1010),
    fw::OnCommand<&Target::OnOperator, Operator::Subtract>(1011),
    fw::OnNotify<&Target::OnChange>(1029, kSelChange),
    fw::OnNotify<&Target::OnFirst>(1030, kSetFocus),
    fw::OnCommand<&Target::OnLater>(1029),
};

std::vector<std::string> Route(unsigned id, unsigned code) {
    Target target;
    const bool handled = fw::RouteCommand(target, kTable, id, code);
    EXPECT_EQ(handled, target.calls.size() == 1);
    return target.calls;
}

bool Handled(unsigned id, unsigned code) {
    Target target;
    return fw::RouteCommand(target, kTable, id, code);
}

using Calls = std::vector<std::string>;

TEST(CommandTable, FirstMatchingEntryWins) {
    EXPECT_EQ(Route(10, 0), Calls{"first"});
    EXPECT_EQ(Route(1005, 0), Calls{"digit 1005"});
    EXPECT_EQ(fw::FindCommand(kTable, 10, 0), &kTable[1]);
}

TEST(CommandTable, PlainCommandsTakeMenuAndAcceleratorCodesOnly) {
    EXPECT_EQ(Route(10, 0), Calls{"first"});
    EXPECT_EQ(Route(10, 1), Calls{"first"});
    EXPECT_FALSE(Handled(10, 5));  // BN_DOUBLECLICKED is not the command
    EXPECT_FALSE(Handled(1000, 2));
}

TEST(CommandTable, RangeIsInclusiveAndPassesTheId) {
    EXPECT_EQ(Route(1000, 0), Calls{"digit 1000"});
    EXPECT_EQ(Route(1009, 1), Calls{"digit 1009"});
    EXPECT_FALSE(Handled(999, 0));
    EXPECT_EQ(fw::FindCommand(kTable, 1010, 0), &kTable[5]);  // just past the range
}

TEST(CommandTable, BoundArgumentReachesTheHandler) {
    EXPECT_EQ(Route(1010, 0), Calls{"add"});
    EXPECT_EQ(Route(1011, 1), Calls{"subtract"});
}

TEST(CommandTable, NotificationsRouteByIdAndCode) {
    // Code 1 from 1029 is the selector's notification, listed before the plain command.
    EXPECT_EQ(Route(1029, kSelChange), Calls{"change"});
    EXPECT_EQ(Route(1029, 0), Calls{"later"});
    EXPECT_EQ(Route(1030, kSetFocus), Calls{"first"});
    EXPECT_FALSE(Handled(1030, 0));
    EXPECT_FALSE(Handled(1031, kSetFocus));
}

TEST(CommandTable, UnknownIdsFallOff) {
    EXPECT_FALSE(Handled(103, 0));
    EXPECT_FALSE(Handled(103, 1));
    EXPECT_EQ(fw::FindCommand(fw::CommandTable{}, 10, 0), nullptr);
}

TEST(CommandTable, MessagesAndCommandsDoNotMix) {
    EXPECT_EQ(fw::FindMessage(kTable, kPaint), &kTable[0]);
    EXPECT_EQ(fw::FindMessage(kTable, 10), nullptr);  // a command id is not a message
    EXPECT_FALSE(Handled(kPaint, 0));                 // a message number is not a command
}

TEST(CommandTable, MessageHandlerGetsParametersAndGivesTheResult) {
    Target target;
    fw::MessageResult result = 0;
    ASSERT_TRUE(fw::RouteMessage(target, kTable, kPaint, 4, -6, result));
    EXPECT_EQ(result, 77);
    EXPECT_EQ(target.calls, Calls{"paint 4 -6"});
    EXPECT_FALSE(fw::RouteMessage(target, kTable, kPaint + 1, 0, 0, result));
}

// The factories exist only for matching handler signatures.
template <auto Handler, typename = void>
struct MakesCommand : std::false_type {};
template <auto Handler>
struct MakesCommand<Handler, std::void_t<decltype(fw::OnCommand<Handler>(1u))>> : std::true_type {};
template <auto Handler, typename = void>
struct MakesRange : std::false_type {};
template <auto Handler>
struct MakesRange<Handler, std::void_t<decltype(fw::OnRange<Handler>(1u, 2u))>> : std::true_type {};
template <auto Handler, typename = void>
struct MakesMessage : std::false_type {};
template <auto Handler>
struct MakesMessage<Handler, std::void_t<decltype(fw::OnMessage<Handler>(1u))>> : std::true_type {};

static_assert(MakesCommand<&Target::OnFirst>::value);
static_assert(!MakesCommand<&Target::OnDigit>::value);
static_assert(!MakesCommand<&Target::OnPaint>::value);
static_assert(MakesRange<&Target::OnDigit>::value);
static_assert(!MakesRange<&Target::OnFirst>::value);
static_assert(MakesMessage<&Target::OnPaint>::value);
static_assert(!MakesMessage<&Target::OnFirst>::value);

}  // namespace
