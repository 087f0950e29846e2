// Table lookup and dispatch for command tables.
#include "framework/CommandTable.h"

namespace fw {

namespace {

// Menus send notification code 0, accelerators 1; a button click is BN_CLICKED, also 0.
bool IsPlainCommandCode(unsigned notifyCode) { return notifyCode == 0 || notifyCode == 1; }

}  // namespace

bool CommandEntry::MatchesCommand(unsigned id, unsigned notifyCode) const noexcept {
    switch (kind) {
    case Kind::Command: return id == first && IsPlainCommandCode(notifyCode);
    case Kind::Range: return first <= id && id <= last && IsPlainCommandCode(notifyCode);
    case Kind::Notify: return id == first && notifyCode == code;
    case Kind::Message: return false;
    }
    return false;
}

bool CommandEntry::MatchesMessage(unsigned message) const noexcept { return kind == Kind::Message && message == first; }

const CommandEntry* FindCommand(CommandTable table, unsigned id, unsigned notifyCode) noexcept {
    for (const CommandEntry& entry : table) {
        if (entry.MatchesCommand(id, notifyCode)) return &entry;
    }
    return nullptr;
}

const CommandEntry* FindMessage(CommandTable table, unsigned message) noexcept {
    for (const CommandEntry& entry : table) {
        if (entry.MatchesMessage(message)) return &entry;
    }
    return nullptr;
}

bool RouteCommand(CommandTarget& target, CommandTable table, unsigned id, unsigned notifyCode) {
    const CommandEntry* entry = FindCommand(table, id, notifyCode);
    if (!entry) return false;
    entry->invoke(target, id, 0, 0);
    return true;
}

bool RouteMessage(CommandTarget& target, CommandTable table, unsigned message, WordParam wParam, LongParam lParam,
                  MessageResult& result) {
    const CommandEntry* entry = FindMessage(table, message);
    if (!entry) return false;
    result = entry->invoke(target, message, wParam, lParam);
    return true;
}

}  // namespace fw
