// What a screen reader in another process learns of the keys, the dialogs' buttons and
// the settings fields, and pressing buttons through their accessible objects.
#include "tests/ui/CalculatorTest.h"

#include <tlhelp32.h>

#include "tests/AccessibleReader.h"

namespace e2e {
namespace {

using test::AccessibleReader;

constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE;

// Whether a module of this name is loaded in the process that owns the window.
bool Loads(HWND window, const char* module) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32First(snapshot.get(), &entry); more; more = ::Module32Next(snapshot.get(), &entry))
        if (::lstrcmpiA(entry.szModule, module) == 0) return true;
    return false;
}

// The 26 keys: the name spoken, and the keys of the accelerator table that press it.
struct KeyRow {
    int id;
    const char* name;
    const char* shortcut;
};
// clang-format off
const KeyRow kKeys[] = {
    {1000, "Zéro", "0"},  {1001, "Un", "1"},      {1002, "Deux", "2"},  {1003, "Trois", "3"},
    {1004, "Quatre", "4"}, {1005, "Cinq", "5"},   {1006, "Six", "6"},   {1007, "Sept", "7"},
    {1008, "Huit", "8"},  {1009, "Neuf", "9"},
    {1010, "Plus", "+"},  {1011, "Moins", "-"},   {1012, "Multiplié par", "*"}, {1013, "Divisé par", "/"},
    {1014, "Changer de signe", ""},               {1015, "Virgule", ", ou ."},
    {1017, "Pourcentage", "%"},                   {1026, "Inverse", ""},
    {1020, "Égal", "= ou Entrée"},                {1021, "Tout effacer", "C ou Échap"},
    {1022, "Effacer l'entrée", ""},               {1023, "Effacer le dernier chiffre", "Retour arrière"},
    {1025, "Mémoire : effacer", ""},              {1024, "Mémoire : rappeler", ""},
    {1019, "Mémoire : enregistrer", ""},          {1018, "Mémoire : ajouter", ""},
};
// clang-format on

using KeyAccessibilityTest = CalculatorTest;

TEST_F(KeyAccessibilityTest, EveryKeyIsAPushButtonWithItsFrenchNameAndShortcut) {
    ASSERT_EQ(app.Start(), "");
    // Nothing asked yet: the accessibility libraries are not loaded at start-up.
    EXPECT_FALSE(Loads(app.Window(), "oleacc.dll"));
    EXPECT_FALSE(Loads(app.Window(), "oleaut32.dll"));
    for (const KeyRow& key : kKeys) {
        SCOPED_TRACE(key.id);
        AccessibleReader reader(app.Item(key.id));
        ASSERT_TRUE(reader);
        EXPECT_EQ(reader.Role(), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(reader.Name(), key.name);
        EXPECT_EQ(reader.Shortcut(), key.shortcut);
        EXPECT_EQ(reader.DefaultAction(), "Appuyer");
        EXPECT_EQ(reader.State(), kFocusable);
    }
    EXPECT_TRUE(Loads(app.Window(), "oleacc.dll"));
}

TEST_F(KeyAccessibilityTest, PressingKeysThroughTheirObjectsComputesAsClicksDo) {
    ASSERT_EQ(app.Start(), "");
    AccessibleReader seven(app.Item(1007));
    ASSERT_TRUE(seven);
    // The pushed look is the pressed state.
    ::SendMessageA(app.Item(1007), BM_SETSTATE, 1, 0);
    EXPECT_EQ(seven.State(), kFocusable | STATE_SYSTEM_PRESSED);
    ::SendMessageA(app.Item(1007), BM_SETSTATE, 0, 0);
    EXPECT_EQ(seven.State(), kFocusable);

    for (int key : {1007, 1010, 1005, 1020}) EXPECT_EQ(AccessibleReader(app.Item(key)).DoDefaultAction(), S_OK);
    ASSERT_TRUE(app.Sync());
    EXPECT_EQ(Shown(), Lines("12,00", "1,85"));
    EXPECT_EQ(app.FocusId(), kFocusHolder);  // as after a click

    // Under the settings dialog the keys cannot be pressed, by the mouse or by their objects.
    app.Command(102);
    const HWND settings = app.WaitForWindow("Paramètres de la Calculatrice Euro Pemz");
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(seven.DoDefaultAction(), E_FAIL);
    AccessibleReader ok(::GetDlgItem(settings, IDOK)), cancel(::GetDlgItem(settings, IDCANCEL));
    EXPECT_EQ(ok.Name(), "Ok");
    EXPECT_EQ(ok.Shortcut(), "Alt+O");
    EXPECT_EQ(cancel.Name(), "Annuler");
    EXPECT_EQ(cancel.Shortcut(), "Alt+A");
    EXPECT_EQ(cancel.Role(), ROLE_SYSTEM_PUSHBUTTON);
    // Its fields are the platform's edits, named by the caption before each.
    const struct {
        int id;
        const char* name;
        const char* value;
    } fields[] = {
        {1036, "Parité de l'Euro :", "6.5"}, {1037, "Séparateur de Milliers :", " "}, {1038, "Point décimal :", ","}};
    for (const auto& field : fields) {
        AccessibleReader reader(::GetDlgItem(settings, field.id));
        EXPECT_EQ(reader.Role(), ROLE_SYSTEM_TEXT);
        EXPECT_EQ(reader.Name(), field.name);
        EXPECT_EQ(reader.Value(), field.value);
    }
    EXPECT_EQ(cancel.DoDefaultAction(), S_OK);
    EXPECT_TRUE(app.WindowGone(settings));
    ASSERT_TRUE(app.Sync());
    EXPECT_EQ(Shown(), Lines("12,00", "1,85"));

    // The about box opens with the focus on its one button.
    app.Command(100);
    const HWND about = app.WaitForWindow("A propos de la Calculatrice Euro Pemz");
    ASSERT_NE(about, nullptr);
    AccessibleReader exit(::GetDlgItem(about, 20));
    EXPECT_EQ(exit.Name(), "Sortir");
    EXPECT_EQ(exit.State(), kFocusable | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(exit.DoDefaultAction(), S_OK);
    EXPECT_TRUE(app.WindowGone(about));
}

}  // namespace
}  // namespace e2e
