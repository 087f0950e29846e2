// The keys' spoken names and the text of their shortcuts.
#include "controls/SpokenText.h"

#include <cstddef>

namespace controls {

namespace {

struct SpokenCaption {
    std::string_view caption;
    const char* name;
};

// clang-format off
constexpr SpokenCaption kSpokenCaptions[] = {
    {"0", "Zéro"},  {"1", "Un"},    {"2", "Deux"},  {"3", "Trois"}, {"4", "Quatre"},
    {"5", "Cinq"},  {"6", "Six"},   {"7", "Sept"},  {"8", "Huit"},  {"9", "Neuf"},
    {"+", "Plus"},  {"-", "Moins"}, {"*", "Multiplié par"},         {"/", "Divisé par"},
    {"=", "Égal"},  {",", "Virgule"},               {"+/-", "Changer de signe"},
    {"%", "Pourcentage"},           {"1/x", "Inverse"},
    {"CE", "Effacer l'entrée"},     {"C", "Tout effacer"},          {"<-", "Effacer le dernier chiffre"},
    {"MC", "Mémoire : effacer"},    {"MR", "Mémoire : rappeler"},
    {"MS", "Mémoire : enregistrer"},                {"M+", "Mémoire : ajouter"},
    {"&Ok", "Ok"},  {"&Annul.", "Annuler"},         {"S&ortir", "Sortir"},
};
// clang-format on

// Keys said by name: virtual keys, and the characters that they type (Backspace, Tab,
// Return and Escape type their own codes).
struct KeyName {
    unsigned key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "Retour arrière"}, {0x09, "Tab"},    {0x0D, "Entrée"}, {0x1B, "Échap"}, {0x20, "Espace"}, {0x25, "Gauche"},
    {0x26, "Haut"},           {0x27, "Droite"}, {0x28, "Bas"},    {0x2D, "Inser"}, {0x2E, "Suppr"},
};
constexpr unsigned kFirstPrintable = 0x21, kLastPrintable = 0x7E;

const char* NameOf(unsigned key) {
    for (const KeyName& named : kKeyNames)
        if (named.key == key) return named.name;
    return nullptr;
}

std::string KeyText(const AcceleratorEntry& entry) {
    const unsigned key = entry.key;
    if (!(entry.flags & kAcceleratorVirtualKey)) {
        if (key < kFirstPrintable) {
            const char* name = NameOf(key);
            return name ? name : "";
        }
        if (key > kLastPrintable) return {};
        // "c" and "C" are the same key.
        return std::string(1, static_cast<char>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key));
    }
    std::string text;
    if (entry.flags & kAcceleratorControl) text += "Ctrl+";
    if (entry.flags & kAcceleratorAlt) text += "Alt+";
    if (entry.flags & kAcceleratorShift) text += "Maj+";
    if (const char* name = NameOf(key)) return text + name;
    // Digits and letters are their own virtual-key codes.
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
    return {};
}

}  // namespace

std::string SpokenName(std::string_view caption) {
    for (const SpokenCaption& spoken : kSpokenCaptions)
        if (spoken.caption == caption) return spoken.name;
    return WithoutMnemonic(caption);
}

std::string WithoutMnemonic(std::string_view caption) {
    std::string plain(caption);
    if (const auto mark = plain.find('&'); mark != std::string::npos) plain.erase(mark, 1);
    return plain;
}

std::string ShortcutText(const AcceleratorEntry* table, std::size_t count, unsigned command) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        if (table[i].command != command) continue;
        const std::string text = KeyText(table[i]);
        bool said = text.empty();
        for (std::size_t j = 0; j < i && !said; ++j) said = table[j].command == command && KeyText(table[j]) == text;
        if (said) continue;
        if (!joined.empty()) joined += " ou ";
        joined += text;
    }
    return joined;
}

}  // namespace controls
