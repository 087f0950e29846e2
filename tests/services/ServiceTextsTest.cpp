// Placement text, browser command line, version text, paths and message formats.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "services/Browser.h"
#include "services/MessageText.h"
#include "services/PlacementText.h"
#include "services/ShellRegistration.h"
#include "services/Version.h"

namespace services {
namespace {

TEST(PlacementText, FormatsFiveIntegers) {
    EXPECT_EQ(FormatPlacementText({100, 80, 352, 412, 0}), "100 80 352 412 0");
    EXPECT_EQ(PlacementSettingPath("Main"), ".\\Desktop\\Main");
}

TEST(PlacementText, AnyFiveIntegersRoundTrip) {
    const PlacementRecord records[] = {
        {100, 80, 352, 412, 0},
        {-32000, -32000, -31840, -31880, 1},
        {INT_MIN, INT_MAX, INT_MIN, INT_MAX, 2},
        {INT_MAX, INT_MIN, -1, 0, INT_MIN},
    };
    for (const auto& record : records) {
        const std::string text = FormatPlacementText(record);
        const auto parsed = ParsePlacementText(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->left, record.left);
        EXPECT_EQ(parsed->top, record.top);
        EXPECT_EQ(parsed->right, record.right);
        EXPECT_EQ(parsed->bottom, record.bottom);
        EXPECT_EQ(parsed->state, record.state);
    }
}

TEST(PlacementText, ReadsLikeTheScanOfFiveIntegers) {
    const auto spaced = ParsePlacementText("  -1 \t +2\n3 4 7 trailing 9");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->left, -1);
    EXPECT_EQ(spaced->top, 2);
    EXPECT_EQ(spaced->state, 7);
    EXPECT_TRUE(ParsePlacementText("1 2 3 4 5x"));

    for (const char* malformed : {"", "1 2 3 4", "1 2 x 4 5", "1 2 3 4 -", "a 1 2 3 4 5", "1 2 3 4 2147483648",
                                  "-2147483649 0 0 0 0", "99999999999999999999 0 0 0 0"})
        EXPECT_FALSE(ParsePlacementText(malformed)) << malformed;
}

TEST(BrowserCommand, ReplacesTheFirstPlaceholderByTheAddress) {
    const struct {
        const char* openCommand;
        const char* command;
    } table[] = {
        {"C:\\Browser\\browse.exe %1", "C:\\Browser\\browse.exe http://x/support"},
        {"C:\\Browser\\browse.exe -nohome %1 -new %1", "C:\\Browser\\browse.exe -nohome http://x/support"},
        {"browse.exe", "browse.exe http://x/support"},
        // A quoted placeholder takes the address within its quotation marks.
        {"\"C:\\Browser\\browse.exe\" \"%1\"", "\"C:\\Browser\\browse.exe\" \"http://x/support\""},
        {"\"C:\\Browser\\browse.exe\" -osint -url \"%1\" -new",
         "\"C:\\Browser\\browse.exe\" -osint -url \"http://x/support\" -new"},
        {"browse.exe -a \"%1\" %1", "browse.exe -a \"http://x/support\" %1"},
        {"browse.exe %1 \"%1\"", "browse.exe http://x/support"},
        {"browse.exe %1x", "browse.exe http://x/support"},
        {"browse.exe %2 %1", "browse.exe %2 http://x/support"},
    };
    for (const auto& row : table) EXPECT_EQ(BuildBrowserCommand(row.openCommand, "http://x/support"), row.command);

    const std::string longCommand = "C:\\" + std::string(150, 'd') + "\\browse.exe";
    const std::string longUrl = "http://x/" + std::string(200, 'p');
    EXPECT_EQ(BuildBrowserCommand(longCommand + " %1", longUrl), longCommand + " " + longUrl);
}

TEST(VersionText, PacksAndFormatsTheProductVersion) {
    const struct {
        unsigned first, second, third, fourth;
        const char* text;
    } table[] = {
        {1, 0, 0, 1, "1.00"},   {2, 5, 3, 0, "2.05.3"}, {2, 5, 0, 7, "2.05"},
        {1, 300, 0, 0, "2.44"}, {0, 0, 0, 0, "0.00"},   {12, 34, 65535, 65535, "12.34.65535"},
    };
    for (const auto& row : table) {
        const ProductVersion packed = PackProductVersion(row.first << 16 | row.second, row.third << 16 | row.fourth);
        EXPECT_EQ(FormatVersion(packed), row.text);
    }
    EXPECT_EQ(PackProductVersion(0x00010000, 0x00000001).version, 256);
    EXPECT_EQ(FormatVersion(PackProductVersion(0x00010000, 0x00000001), "Version "), "Version 1.00");
}

// A VERSIONINFO resource as windres lays it out: the record that matters and
// the mistakes that must read as no version.
TEST(VersionText, ReadsTheFixedRecordOfAVersionResource) {
    std::vector<unsigned char> resource(40 + 52 + 8);
    auto put16 = [&](std::size_t at, unsigned value) {
        resource[at] = static_cast<unsigned char>(value);
        resource[at + 1] = static_cast<unsigned char>(value >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    put16(0, static_cast<unsigned>(resource.size()));
    put16(2, 52);
    const std::string key = "VS_VERSION_INFO";
    for (std::size_t i = 0; i < key.size(); ++i) put16(6 + 2 * i, static_cast<unsigned char>(key[i]));
    put32(40, 0xFEEF04BD);
    put32(40 + 8, 0x00090009);   // file version: not the one shown
    put32(40 + 16, 0x00020005);  // product 2.5
    put32(40 + 20, 0x00030007);  // .3.7
    const auto read = [&](std::size_t size) { return ProductVersionOfResource(resource.data(), size); };
    ASSERT_TRUE(read(resource.size()));
    EXPECT_EQ(FormatVersion(*read(resource.size())), "2.05.3");
    EXPECT_FALSE(read(40 + 51)) << "cut short";
    EXPECT_FALSE(ProductVersionOfResource(nullptr, 0));
    put32(40, 0xFEEF04BC);
    EXPECT_FALSE(read(resource.size())) << "signature";
    put32(40, 0xFEEF04BD);
    put16(6, 'W');
    EXPECT_FALSE(read(resource.size())) << "another block's key";
    put16(6, 'V');
    put16(2, 0);
    EXPECT_FALSE(read(resource.size())) << "no fixed record";
}

TEST(DirectoryOfPath, CutsAfterTheLastSeparator) {
    EXPECT_EQ(DirectoryOfPath("C:\\Calc\\PemzCalc.exe"), "C:\\Calc\\");
    EXPECT_EQ(DirectoryOfPath("C:\\PemzCalc.exe"), "C:\\");
    EXPECT_EQ(DirectoryOfPath("C:PemzCalc.exe"), "C:");
    EXPECT_EQ(DirectoryOfPath("PemzCalc.exe"), "");
}

TEST(MessageText, FormatsWholeTexts) {
    const std::string command(1000, 'c');
    EXPECT_EQ(FormatText("Impossible d'exécuter la commande %s (#%d)", command.c_str(), 2),
              "Impossible d'ex\xE9"
              "cuter la commande " +
                  command + " (#2)");
    EXPECT_EQ(FormatText("%s (#%d)", "Impossible de lancer l'explorateur Internet", 0),
              "Impossible de lancer l'explorateur Internet (#0)");
}

TEST(MessageText, IdentifierWithoutEntryShowsErreurAndTheNumber) {
    MapStringTable strings{{{5002, "Texte %d"}}};
    EXPECT_EQ(MessageFormatForId(strings, 5001),
              "Erreur n\xB0"
              "5001");
    EXPECT_EQ(MessageFormatForId(strings, 5002), "Texte %d");
}

}  // namespace
}  // namespace services
