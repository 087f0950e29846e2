// Command tables: static arrays of entries that map command ids, id ranges, control
// notifications and window messages to member handlers, scanned top to bottom.
// No platform header here, so the lookup is tested natively.
#ifndef PEMZ_FRAMEWORK_COMMANDTABLE_H
#define PEMZ_FRAMEWORK_COMMANDTABLE_H

#include <cstddef>
#include <type_traits>

namespace fw {

// The platform's LRESULT, WPARAM and LPARAM (LONG_PTR, UINT_PTR, LONG_PTR) spelled
// without its headers; the Windows side checks that they are the same types.
#ifdef _WIN64
using MessageResult = long long;
using WordParam = unsigned long long;
using LongParam = long long;
#else
using MessageResult = long;
using WordParam = unsigned int;
using LongParam = long;
#endif

// Base of every class that owns a command table (dialogs, the application).
class CommandTarget {
protected:
    CommandTarget() = default;
    CommandTarget(const CommandTarget&) = default;
    CommandTarget& operator=(const CommandTarget&) = default;
    ~CommandTarget() = default;
};

struct CommandEntry {
    enum class Kind : unsigned char {
        Command,  // one id, notification code 0 (menu, button click) or 1 (accelerator)
        Range,    // ids first..last, codes 0 and 1; the handler gets the id
        Notify,   // one id with one notification code
        Message,  // a window message other than WM_COMMAND
    };
    using Thunk = MessageResult (*)(CommandTarget& target, unsigned id, WordParam wParam, LongParam lParam);

    Kind kind;
    unsigned first;  // id, or message number
    unsigned last;   // last id of a range; equal to first otherwise
    unsigned code;   // notification code of a Notify entry
    Thunk invoke;

    bool MatchesCommand(unsigned id, unsigned notifyCode) const noexcept;
    bool MatchesMessage(unsigned message) const noexcept;
};

// A view of one class's table; converts from the array itself.
class CommandTable {
public:
    constexpr CommandTable() noexcept = default;
    template <std::size_t N>
    constexpr CommandTable(const CommandEntry (&entries)[N]) noexcept : entries_(entries), count_(N) {}

    const CommandEntry* begin() const noexcept { return entries_; }
    const CommandEntry* end() const noexcept { return entries_ + count_; }
    std::size_t size() const noexcept { return count_; }

private:
    const CommandEntry* entries_ = nullptr;
    std::size_t count_ = 0;
};

// First entry that takes WM_COMMAND with this id and notification code, or null.
const CommandEntry* FindCommand(CommandTable table, unsigned id, unsigned notifyCode) noexcept;
// First entry for this window message, or null.
const CommandEntry* FindMessage(CommandTable table, unsigned message) noexcept;

// Run the first matching entry; false when the table has none.
bool RouteCommand(CommandTarget& target, CommandTable table, unsigned id, unsigned notifyCode);
bool RouteMessage(CommandTarget& target, CommandTable table, unsigned message, WordParam wParam, LongParam lParam,
                  MessageResult& result);

namespace detail {

// Anything but a member function: matches no factory.
template <typename Member>
struct HandlerTraits {
    using Class = void;
    using Result = void;
    template <typename... Expected>
    static constexpr bool Takes = false;
};

template <typename C, typename R, typename... Args>
struct HandlerTraits<R (C::*)(Args...)> {
    using Class = C;
    using Result = R;
    template <typename... Expected>
    static constexpr bool Takes = std::is_same_v<void(Args...), void(Expected...)>;
};

template <auto Handler>
using ClassOf = typename HandlerTraits<decltype(Handler)>::Class;

template <auto Handler, typename R, typename... Args>
constexpr bool kHasSignature = std::is_same_v<typename HandlerTraits<decltype(Handler)>::Result, R>&&
    HandlerTraits<decltype(Handler)>::template Takes<Args...>;

template <auto Handler>
MessageResult CallPlain(CommandTarget& target, unsigned, WordParam, LongParam) {
    (static_cast<ClassOf<Handler>&>(target).*Handler)();
    return 0;
}

template <auto Handler>
MessageResult CallWithId(CommandTarget& target, unsigned id, WordParam, LongParam) {
    (static_cast<ClassOf<Handler>&>(target).*Handler)(id);
    return 0;
}

template <auto Handler, auto Argument>
MessageResult CallWithArgument(CommandTarget& target, unsigned, WordParam, LongParam) {
    (static_cast<ClassOf<Handler>&>(target).*Handler)(Argument);
    return 0;
}

template <auto Handler>
MessageResult CallMessage(CommandTarget& target, unsigned, WordParam wParam, LongParam lParam) {
    return (static_cast<ClassOf<Handler>&>(target).*Handler)(wParam, lParam);
}

}  // namespace detail

// Each factory exists only for its handler signature, so a wrong pairing does not compile.

// Command `id` (menu, button click or accelerator): handler void().
template <auto Handler>
constexpr std::enable_if_t<detail::kHasSignature<Handler, void>, CommandEntry> OnCommand(unsigned id) {
    return {CommandEntry::Kind::Command, id, id, 0, &detail::CallPlain<Handler>};
}

// Command `id` calling a handler that takes one fixed argument, such as
// OnCommand<&CalculatorDialog::OnOperator, Operator::Add>(IDC_KEY_ADD).
template <auto Handler, auto Argument>
constexpr std::enable_if_t<detail::kHasSignature<Handler, void, decltype(Argument)>, CommandEntry> OnCommand(
    unsigned id) {
    return {CommandEntry::Kind::Command, id, id, 0, &detail::CallWithArgument<Handler, Argument>};
}

// Commands `first`..`last`: handler void(unsigned id).
template <auto Handler>
constexpr std::enable_if_t<detail::kHasSignature<Handler, void, unsigned>, CommandEntry> OnRange(unsigned first,
                                                                                                 unsigned last) {
    return {CommandEntry::Kind::Range, first, last, 0, &detail::CallWithId<Handler>};
}

// Notification `code` from control `id` (CBN_SELCHANGE, EN_SETFOCUS...): handler void().
template <auto Handler>
constexpr std::enable_if_t<detail::kHasSignature<Handler, void>, CommandEntry> OnNotify(unsigned id, unsigned code) {
    return {CommandEntry::Kind::Notify, id, id, code, &detail::CallPlain<Handler>};
}

// Window message `message`: handler LRESULT(WPARAM, LPARAM), whose result is the message's.
template <auto Handler>
constexpr std::enable_if_t<detail::kHasSignature<Handler, MessageResult, WordParam, LongParam>, CommandEntry> OnMessage(
    unsigned message) {
    return {CommandEntry::Kind::Message, message, message, 0, &detail::CallMessage<Handler>};
}

}  // namespace fw

#endif
