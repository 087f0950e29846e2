// Settings dialog: placement, fields, what OK takes and stores, and what cancel refreshes.
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

class SettingsTest : public CalculatorTest {
protected:
    HWND Open() {
        app.Command(kSettingsCommand);
        return app.WaitForWindow(kSettingsCaption);
    }
    static std::string Field(HWND dialog, int id) { return Program::TextOf(::GetDlgItem(dialog, id)); }
    static void SetField(HWND dialog, int id, const std::string& text) {
        Program::SetTextOf(::GetDlgItem(dialog, id), text);
    }
    // Clicks "&Ok" (IDOK) or "&Annul." (IDCANCEL) and waits for the dialog to close.
    bool Close(HWND dialog, int button) {
        return app.Click(::GetDlgItem(dialog, button)) && app.WindowGone(dialog) && app.Sync();
    }
    // Opens the dialog, fills the fields given and clicks "&Ok".
    bool Accept(const char* parity, const char* separator = nullptr, const char* point = nullptr) {
        HWND dialog = Open();
        if (!dialog) return false;
        if (parity) SetField(dialog, kParityField, parity);
        if (separator) SetField(dialog, kSeparatorField, separator);
        if (point) SetField(dialog, kPointField, point);
        return Close(dialog, IDOK);
    }
    static std::optional<std::string> StoredParity() {
        return reg::GetString(HKEY_LOCAL_MACHINE, reg::kParityKey, "Euro");
    }
};

TEST_F(SettingsTest, OpensCentredOnTheCalculatorWithTheCurrentSettings) {
    ASSERT_EQ(app.Start(), "");
    // Away from the screen's edges, so that centring needs no clamping.
    ::SetWindowPos(app.Window(), nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.Sync();
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr) << "no window captioned " << kSettingsCaption;

    const RECT main = WindowRect(app.Window());
    const RECT box = WindowRect(dialog);
    EXPECT_NEAR((box.left + box.right) / 2, (main.left + main.right) / 2, 2);
    EXPECT_NEAR((box.top + box.bottom) / 2, (main.top + main.bottom) / 2, 2);
    EXPECT_FALSE(::IsWindowEnabled(app.Window())) << "the calculator waits while the dialog is open";

    EXPECT_EQ(Field(dialog, kParityField), "6.5");
    EXPECT_EQ(Field(dialog, kSeparatorField), " ");
    EXPECT_EQ(Field(dialog, kPointField), ",");
    for (int id : {kSeparatorField, kPointField}) {
        DWORD_PTR limit = 0;
        ::SendMessageTimeoutA(::GetDlgItem(dialog, id), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &limit);
        EXPECT_EQ(limit, 1u) << "field " << id;
    }
    EXPECT_EQ(app.Focus(), ::GetDlgItem(dialog, kParityField));

    ASSERT_TRUE(Close(dialog, IDCANCEL));
    EXPECT_TRUE(::IsWindowEnabled(app.Window()));
}

TEST_F(SettingsTest, ParityIsTakenOnlyWhenItReadsAsAPositiveFiniteNumber) {
    ASSERT_EQ(app.Start(), "");
    for (const char* refused : {"0", "-3", "abc", "1e999", "-1e999"}) {
        SCOPED_TRACE(refused);
        ASSERT_TRUE(Accept(refused));
        EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6,5 F");
        EXPECT_FALSE(StoredParity()) << StoredParity().value_or("");
    }
    app.Type("13");
    EXPECT_EQ(Shown(), Lines("13", "2,00"));

    // The number ends at the comma: 6.
    ASSERT_TRUE(Accept("6,55957"));
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6, F");
    EXPECT_EQ(StoredParity(), "   6.000000");
    EXPECT_EQ(Shown(), Lines("13", "2,17"));

    ASSERT_TRUE(Accept("6.55957"));
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6,55957 F");
    EXPECT_EQ(StoredParity(), "   6.559570");
    EXPECT_EQ(Shown(), Lines("13", "1,98"));
}

TEST_F(SettingsTest, CancelKeepsTheSettingsButRewritesLabelAndLines) {
    ASSERT_EQ(app.Start(), "");
    app.Type("13");
    // Scribble over what the refresh must rewrite.
    Program::SetTextOf(app.Item(kParityLabel), "x");
    Program::SetTextOf(app.Item(kFrancsLine), "y");
    Program::SetTextOf(app.Item(kEuroLine), "z");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    SetField(dialog, kParityField, "9");
    SetField(dialog, kSeparatorField, ".");
    SetField(dialog, kPointField, "");
    ASSERT_TRUE(Close(dialog, IDCANCEL));
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6,5 F");
    EXPECT_EQ(Shown(), Lines("13", "2,00"));
    EXPECT_FALSE(StoredParity());
    EXPECT_FALSE(reg::Setting("Milliers"));
    EXPECT_FALSE(reg::Setting("Point"));
}

TEST_F(SettingsTest, SeparatorAndPointChangeTheDisplayAndAreStoredSignExtended) {
    ASSERT_EQ(app.Start(), "");
    app.Type("1234567=");
    ASSERT_EQ(Shown(), Lines("1 234 567,00", "189 933,38"));

    ASSERT_TRUE(Accept(nullptr, "", nullptr));  // empty separator: no grouping
    EXPECT_EQ(reg::Setting("Milliers"), 0u);
    EXPECT_EQ(Shown(), Lines("1234567,00", "189933,38"));

    // Codes above 127 are stored as negative numbers.
    ASSERT_TRUE(Accept(nullptr, "\xA0", "\xE9"));
    EXPECT_EQ(reg::Setting("Milliers"), static_cast<DWORD>(-96));
    EXPECT_EQ(reg::Setting("Point"), static_cast<DWORD>(-23));
    EXPECT_EQ(Shown(), Lines("1\xA0"
                             "234\xA0"
                             "567\xE9"
                             "00",
                             "189\xA0"
                             "933\xE9"
                             "38"));
    EXPECT_EQ(app.Text(kParityLabel),
              "1 Euro=6\xE9"
              "5 F");

    // An empty point shows ".".
    ASSERT_TRUE(Accept(nullptr, ".", ""));
    EXPECT_EQ(reg::Setting("Milliers"), static_cast<DWORD>('.'));
    EXPECT_EQ(reg::Setting("Point"), 0u);
    EXPECT_EQ(Shown(), Lines("1.234.567.00", "189.933.38"));
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6.5 F");

    // The next start finds them.
    app.Command(57665);
    ASSERT_TRUE(app.WaitForExit());
    ASSERT_EQ(app.Start(), "");
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6.5 F");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Field(dialog, kSeparatorField), ".");
    EXPECT_EQ(Field(dialog, kPointField), "");
    ASSERT_TRUE(Close(dialog, IDCANCEL));
}

TEST_F(SettingsTest, LongParityTextsAndControlCharactersAreTakenByTheRules) {
    ASSERT_EQ(app.Start(), "");
    ASSERT_TRUE(Accept(std::string(10 << 10, '9').c_str()));  // overflows: refused
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6,5 F");
    EXPECT_FALSE(StoredParity());
    ASSERT_TRUE(Accept(("7.25" + std::string(10 << 10, 'x')).c_str(), "\t", "\x01"));
    EXPECT_EQ(StoredParity(), "   7.250000");
    EXPECT_EQ(reg::Setting("Milliers"), static_cast<DWORD>('\t'));
    EXPECT_EQ(reg::Setting("Point"), 1u);
    app.Type("1234.5");
    EXPECT_EQ(Shown(), Lines("1234\x01"
                             "5",
                             "170\x01"
                             "28"));
    EXPECT_EQ(app.Text(kParityLabel),
              "1 Euro=7\x01"
              "25 F");
}

}  // namespace
}  // namespace e2e
