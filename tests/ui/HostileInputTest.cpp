// Hostile stored data: settings of the wrong type or size, extreme numbers, unusable
// parity texts, odd placements, and a registry that refuses the program's writes.
// Whatever it finds, the program starts, computes, closes and rewrites only its own values.
#include <map>
#include <regex>

#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

// A registry value as the program may find it: a type and raw bytes (type 0: absent).
struct Stored {
    DWORD type = 0;
    std::string bytes;
};

Stored Text(const std::string& text) { return {REG_SZ, text + '\0'}; }
Stored Dword(DWORD value) { return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4)}; }

void Put(HKEY root, const std::string& key, const std::string& name, const Stored& value) {
    if (value.type == 0) return;
    fw::UniqueKey handle;
    if (::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.put(), nullptr) == ERROR_SUCCESS)
        ::RegSetValueExA(handle.get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                         static_cast<DWORD>(value.bytes.size()));
}

// Every value under a key and its subkeys, by "subkey\name".
using Snapshot = std::map<std::string, std::pair<DWORD, std::string>>;

void Collect(HKEY root, const std::string& key, const std::string& prefix, Snapshot& snapshot) {
    fw::UniqueKey handle;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.put()) != ERROR_SUCCESS) return;
    std::vector<char> name(256);
    std::vector<BYTE> data(2 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (::RegEnumValueA(handle.get(), i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            break;
        snapshot[prefix + name.data()] = {type, std::string(data.begin(), data.begin() + dataSize)};
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExA(handle.get(), i, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::string sub = name.data();
        Collect(root, key + "\\" + sub, prefix + sub + "\\", snapshot);
    }
}

Snapshot TakeSnapshot() {
    Snapshot snapshot;
    Collect(HKEY_CURRENT_USER, "Software\\Pemz", "HKCU\\", snapshot);
    Collect(HKEY_LOCAL_MACHINE, "Software\\Pemz", "HKLM\\", snapshot);
    return snapshot;
}

const char* const kPlacementValue = "HKCU\\PemzCalc\\Desktop\\Main";

// The input line (yellow) reads 2, in whatever form precision, point and separator give it.
bool ShowsTwo(const std::string& line) { return std::regex_match(line, std::regex("2([^0-9]0*)?")); }

// The user sees the window: its client area lies on the screen (a maximised window's
// frame and caption may lie beyond the screen's edges).
bool OnScreen(HWND window) {
    const RECT r = ClientRectOnScreen(window);
    return r.left >= 0 && r.top >= 0 && r.right <= ::GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom <= ::GetSystemMetrics(SM_CYSCREEN) && r.right > r.left && r.bottom > r.top;
}

using HostileInputTest = CalculatorTest;

TEST_F(HostileInputTest, AnyStoredDataStartsComputesAndIsLeftAsItWas) {
    const std::string empty;
    struct Launch {
        const char* name;
        Stored integer;  // every integer setting stored this way
        Stored parity;
        bool parityUsable;
        Stored placement;
        bool integersFallBack;  // the integers read as their defaults
    };
    const Launch launches[] = {
        {"text", Text("3"), Text(""), false, Text("garbage"), true},
        {"binary",
         {REG_BINARY, std::string("\1\0\0\0", 4)},
         Text(" "),
         false,
         Text("100 80 352 412 0" + std::string(64 << 10, 'x')),
         true},
        {"empty", {REG_DWORD, empty}, Text("abc"), false, Text("-5000 -5000 -4748 -4668 0"), true},
        {"64 KiB",
         {REG_DWORD, std::string(64 << 10, '\1')},
         Text("0"),
         false,
         Text("2147483000 2147483000 2147483600 2147483600 2"),
         true},
        {"largest", Dword(0x7FFFFFFF), Text("-3"), false, Text("-2147483648 -2147483648 2147483647 2147483647 0"),
         false},
        {"smallest", Dword(0x80000000), Text("nan"), false, Dword(5), false},
        {"all ones", Dword(0xFFFFFFFF), Text("inf"), false, Text(std::string(64 << 10, '9')), false},
        {"one byte", {REG_DWORD, "\x2E"}, Text("1e999"), false, {}, true},
        {"low byte zero", Dword(0x100), Text("1e-320"), true, {}, false},
        {"three bytes", {REG_DWORD, std::string("\1\0\0", 3)}, Text("0x10"), false, {}, true},
        {"none", {}, Text(std::string(1 << 20, '9')), false, {}, true},
        {"none", {}, Dword(7), false, {}, true},
    };
    for (const Launch& launch : launches) {
        SCOPED_TRACE(launch.name);
        CleanProgramRegistry();
        for (const char* name : {"Precision", "SaisieEuro", "TopMost", "Milliers", "Point"})
            Put(HKEY_CURRENT_USER, reg::kProgramKey, name, launch.integer);
        Put(HKEY_LOCAL_MACHINE, reg::kParityKey, "Euro", launch.parity);
        Put(HKEY_CURRENT_USER, std::string(reg::kProgramKey) + "\\Desktop", "Main", launch.placement);
        const Snapshot before = TakeSnapshot();

        Program program;
        ASSERT_EQ(program.Start(), "");
        EXPECT_TRUE(OnScreen(program.Window()));
        const std::string label = program.Text(kParityLabel);
        EXPECT_EQ(std::regex_match(label, std::regex("1 Euro=6.5 F")), !launch.parityUsable) << label;
        program.Type("1+1=");
        DWORD_PTR euroInput = 0;
        ::SendMessageTimeoutA(program.Item(kEuroButton), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &euroInput);
        const std::string input = euroInput == BST_CHECKED ? program.Euro() : program.Francs();
        EXPECT_TRUE(ShowsTwo(input)) << input;
        if (launch.integersFallBack) {
            EXPECT_EQ(input, "2,00");
        }
        program.Command(kExit);
        ASSERT_TRUE(program.WaitForExit());

        // Only the placement is rewritten, as a text of five numbers.
        Snapshot after = TakeSnapshot();
        const auto placement = after.find(kPlacementValue);
        ASSERT_NE(placement, after.end());
        EXPECT_EQ(placement->second.first, static_cast<DWORD>(REG_SZ));
        EXPECT_TRUE(std::regex_match(placement->second.second, std::regex("(-?[0-9]+ ){4}[0-2]\\0?")))
            << placement->second.second.substr(0, 60);
        after.erase(placement);
        Snapshot expected = before;
        expected.erase(kPlacementValue);
        EXPECT_TRUE(after == expected) << after.size() << " values after, " << expected.size() << " before";
    }
}

TEST_F(HostileInputTest, RefusedWritesAreNeverShownAsStored) {
    // A volatile parent refuses the program's own key: every per-user write fails.
    {
        fw::UniqueKey parent;
        DWORD disposition = 0;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Pemz", 0, nullptr, REG_OPTION_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, parent.put(), &disposition),
                  ERROR_SUCCESS);
    }
    ASSERT_EQ(app.Start(), "");
    app.Command(kTopMost);
    app.Sync();
    EXPECT_FALSE(OnTop()) << "always on top was not stored";
    app.Type("7.6");
    const Lines before = Shown();
    const int precision = Selection(kPrecisionSelector);
    app.SelectPrecision(precision == 1 ? 2 : 1);
    EXPECT_EQ(Selection(kPrecisionSelector), precision) << "the new precision was not stored";
    EXPECT_EQ(Shown(), before);
    ASSERT_TRUE(app.ClickItem(kEuroButton));
    ASSERT_TRUE(app.Sync());
    EXPECT_TRUE(Checked(kFrancsButton)) << "euro input was not stored";

    // The settings dialog says so, and the calculator keeps the separator it had.
    app.Command(kSettingsCommand);
    HWND dialog = app.WaitForWindow(kSettingsCaption);
    ASSERT_NE(dialog, nullptr);
    Program::SetTextOf(::GetDlgItem(dialog, kSeparatorField), ".");
    ASSERT_TRUE(app.Click(::GetDlgItem(dialog, IDOK)));
    HWND box = app.WaitForWindow("PemzCalc");
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(Program::TextOf(::GetDlgItem(box, 0xFFFF)),
              "Ces paramètres n'ont pas tous pu être enregistrés : la calculatrice garde ceux qui le sont.");
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(app.WindowGone(dialog));
    ASSERT_TRUE(app.Sync());
    app.PressKey(VK_ESCAPE);
    app.Type("12345678");
    EXPECT_EQ(app.Euro(), "1 899 335,08");
    EXPECT_FALSE(reg::KeyExists(HKEY_CURRENT_USER, reg::kProgramKey));
    app.Command(kExit);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_FALSE(reg::KeyExists(HKEY_CURRENT_USER, reg::kProgramKey));
}

}  // namespace
}  // namespace e2e
