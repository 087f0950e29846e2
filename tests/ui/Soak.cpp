// Soak run: drives the running calculator with N random user actions (keys typed
// and clicked, menu commands, copy and paste, precision and currency changes, the
// settings dialog closed by OK or cancel, the about box) and samples its GDI
// objects, windows and private bytes every 1,000 actions.
// Usage: pemz_soak N [seed [kind]], kind being one of kKinds' names to make only
// that kind of action. Exit code 0 when the program lived through every
// action and, over 2,000 actions or more, its counts stayed flat after the first
// 1,000 (GDI objects and windows within 2, private bytes within 1 %).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/Driver.h"

namespace {

using e2e::Program;

constexpr const char* kSettingsCaption = "Paramètres de la Calculatrice Euro Pemz";
constexpr const char* kAboutCaption = "A propos de la Calculatrice Euro Pemz";
constexpr int kSampleEvery = 1000;
constexpr int kFlatObjects = 2;
constexpr double kFlatMemory = 0.01;
// The heap grows by whole commits of up to 64 KiB: one such step is no growth, which
// matters in a short run, where 1 % is a few pages.
constexpr double kFlatMemoryStep = 64.0 * 1024;
// How long the program may take to answer before it counts as hung: generous,
// since the machine may be busy with other work.
constexpr DWORD kPatienceMs = 30000;

// The kinds of action, in the order Act makes them, each with the picks out of 100
// it takes up to: typed keys 30 %, clicked keys 25 %, menu commands 8 %, ...
struct Kind {
    const char* name;
    unsigned below;
};
constexpr Kind kKinds[] = {{"typed", 30},     {"clicked", 55},  {"menu", 63},     {"paste", 71},
                           {"precision", 79}, {"currency", 87}, {"settings", 95}, {"about", 100}};

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed) {}

    std::string Start() { return app_.Start(); }
    Program& App() { return app_; }

    // Restricts the run to one kind of action (a name from kKinds); false for an unknown name.
    bool Only(const std::string& kind) {
        for (only_ = 0; only_ < std::size(kKinds) && kind != kKinds[only_].name;) ++only_;
        return only_ < std::size(kKinds);
    }

    // One random action; false when the program stopped answering.
    bool Act() {
        size_t kind = only_;
        if (kind == std::size(kKinds)) {
            const unsigned pick = Below(100);
            for (kind = 0; pick >= kKinds[kind].below;) ++kind;
        }
        last_ = kKinds[kind].name;
        switch (kind) {
        case 0: TypeKey(); break;
        case 1:
            if (!app_.ClickItem(RandomKeyId())) return Failed("a key did not take a click");
            break;
        case 2: MenuCommand(); break;
        case 3: Paste(); break;
        case 4: app_.SelectPrecision(static_cast<int>(Below(PrecisionCount()))); break;
        case 5: app_.ClickItem(Below(2) ? IDC_INPUT_EURO : IDC_INPUT_FRANCS); break;
        case 6: ++settingsOpened_; return Settings();
        default: ++aboutOpened_; return About();
        }
        return Answering();
    }

    const char* LastAction() const { return last_; }
    int LostClicks() const { return lostClicks_; }
    int SettingsOpened() const { return settingsOpened_; }
    int AboutOpened() const { return aboutOpened_; }
    int LostKeys() const { return lostKeys_; }

private:
    bool Failed(const char* what) {
        last_ = what;
        return false;
    }

    bool Answering() {
        return e2e::WaitFor([&] { return !app_.Running() || app_.Sync(); }, kPatienceMs) && app_.Running();
    }

    unsigned Below(unsigned n) { return static_cast<unsigned>(random_() % n); }

    int RandomKeyId() {
        for (;;) {
            const int id = IDC_KEY_FIRST + static_cast<int>(Below(IDC_KEY_LAST - IDC_KEY_FIRST + 1));
            if (id != IDC_FOCUS_HOLDER) return id;  // which sits among the keys' ids
        }
    }

    void TypeKey() {
        static const char kTyped[] = "0123456789.,+-*/=%cC";
        static const UINT kKeys[] = {VK_BACK, VK_RETURN, VK_DELETE, VK_LEFT, VK_DOWN};
        if (Below(5) != 0)
            app_.Type(std::string(1, kTyped[Below(sizeof kTyped - 1)]));
        else
            app_.PressKey(kKeys[Below(std::size(kKeys))]);
    }

    void MenuCommand() {
        switch (Below(5)) {
        case 0: app_.PressKey('E', e2e::kCtrl); break;
        case 1: app_.PressKey('F', e2e::kCtrl); break;
        case 2: app_.PressKey('C', e2e::kCtrl); break;
        case 3: app_.Command(ID_COPY); break;
        default: app_.Command(ID_TOPMOST); break;
        }
    }

    // A number as a user would copy it, or any short text.
    void Paste() {
        std::string text;
        if (Below(4) != 0) {
            text = std::to_string(static_cast<long long>(random_() % 100000000)) + (Below(2) ? "," : ".") +
                   std::to_string(Below(1000));
            if (Below(3) == 0) text.insert(0, "-");
        } else {
            for (unsigned n = Below(40); n > 0; --n) text += static_cast<char>(1 + Below(255));
        }
        // In both forms: with the text alone, Wine's own conversion for the program's
        // edit control would grow the program by 1 KB a paste.
        e2e::SetClipboardText(text, true);
        if (Below(2))
            app_.PressKey('V', e2e::kCtrl);
        else
            app_.Command(ID_PASTE);
    }

    int PrecisionCount() {
        DWORD_PTR count = 0;
        ::SendMessageTimeoutA(app_.Item(IDC_PRECISION), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, e2e::kWaitMs, &count);
        return count > 0 ? static_cast<int>(count) : 1;
    }

    // Presses a dialog's button by a click or by its key (Return for OK, else Escape).
    // True for a click, false for a key.
    bool Press(HWND dialog, int button) {
        // Keys go to the focus window: only once the dialog has the focus do they reach it.
        const auto focused = [&] { return app_.Focus() == dialog || ::IsChild(dialog, app_.Focus()) != FALSE; };
        if (Below(2) || !e2e::WaitFor(focused, kPatienceMs)) {
            app_.Click(::GetDlgItem(dialog, button));
            return true;
        }
        app_.PressKey(button == IDOK ? VK_RETURN : VK_ESCAPE);
        return false;
    }

    // Presses until the dialog answers: a press can be lost while a dialog is still
    // settling (a click aimed before it took its place), so a few more are made
    // before the dialog counts as stuck.
    bool PressUntil(HWND dialog, int button, const std::function<bool()>& answered) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const bool click = Press(dialog, button);
            if (e2e::WaitFor(answered, kPatienceMs / 3)) return true;
            ++(click ? lostClicks_ : lostKeys_);
        }
        return false;
    }

    bool Settings() {
        app_.Command(ID_SETTINGS);
        HWND dialog = app_.WaitForWindow(kSettingsCaption, kPatienceMs);
        if (!dialog) return Failed("no settings dialog");
        // Mostly values the dialog takes.
        static const char* const kParities[] = {"6.55957", "6,5", "1", "40.3399", "0.5", "abc"};
        static const char* const kMarks[] = {" ", ".", ",", "'", "", "x"};
        if (Below(2))
            Program::SetTextOf(::GetDlgItem(dialog, IDC_PARITY_FIELD), kParities[Below(std::size(kParities))]);
        if (Below(2)) Program::SetTextOf(::GetDlgItem(dialog, IDC_SEPARATOR_FIELD), kMarks[Below(std::size(kMarks))]);
        if (Below(2)) Program::SetTextOf(::GetDlgItem(dialog, IDC_POINT_FIELD), kMarks[Below(std::size(kMarks))]);
        // The soak's registry takes every value: the dialog closes either way.
        if (!PressUntil(dialog, Below(2) ? IDOK : IDCANCEL, [&] { return !::IsWindowVisible(dialog); }))
            return Failed("the settings dialog stayed");
        return Answering();
    }

    bool About() {
        app_.Command(ID_ABOUT);
        HWND dialog = app_.WaitForWindow(kAboutCaption, kPatienceMs);
        if (!dialog) return Failed("no about box");
        if (!PressUntil(dialog, IDC_EXIT, [&] { return !::IsWindowVisible(dialog); }))
            return Failed("the about box stayed");
        return Answering();
    }

    Program app_;
    std::mt19937 random_;
    size_t only_ = std::size(kKinds);  // every kind
    const char* last_ = "";
    int settingsOpened_ = 0;
    int aboutOpened_ = 0;
    int lostClicks_ = 0;
    int lostKeys_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long actions = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    e2e::CleanProgramRegistry();
    Soak soak(seed);
    if (argc > 3 && !soak.Only(argv[3])) {
        std::printf("soak: no kind of action called %s\n", argv[3]);
        return 1;
    }
    if (const std::string failure = soak.Start(); !failure.empty()) {
        std::printf("soak: %s\n", failure.c_str());
        return 1;
    }
    std::printf("%9s %6s %8s %13s\n", "actions", "gdi", "windows", "private bytes");
    std::vector<e2e::ProcessResources> samples;
    std::vector<long> sampledAt;
    auto sample = [&](long done) {
        const e2e::ProcessResources r = soak.App().Resources();
        samples.push_back(r);
        sampledAt.push_back(done);
        std::printf("%9ld %6d %8d %13lu\n", done, r.gdiObjects, r.windows, static_cast<unsigned long>(r.privateBytes));
    };
    sample(0);
    // A short run (the tests' smoke) is sampled six times, so that growth is judged there too.
    const long sampleEvery = std::clamp(actions / 6, 1L, static_cast<long>(kSampleEvery));
    long done = 0;
    bool alive = true;
    while (done < actions && (alive = soak.Act())) {
        ++done;
        if (done % sampleEvery == 0 || done == actions) sample(done);
    }
    if (!alive) {
        std::printf("soak: failed at action %ld (%s); the program is %s\n", done + 1, soak.LastAction(),
                    soak.App().Running() ? "running but not answering" : "gone");
        return 1;
    }

    // Flat after warm-up (1,000 actions, or half a shorter run): every later sample
    // against the first one taken after it.
    const long warmUp = std::min(static_cast<long>(kSampleEvery), done / 2);
    const size_t first = std::lower_bound(sampledAt.begin(), sampledAt.end(), std::max(warmUp, 1L)) - sampledAt.begin();
    const bool judged = samples.size() >= first + 2;
    bool flat = true;
    if (judged) {
        const e2e::ProcessResources& base = samples[first];
        for (size_t i = first + 1; i < samples.size(); ++i) {
            const e2e::ProcessResources& s = samples[i];
            flat = flat && std::abs(s.gdiObjects - base.gdiObjects) <= kFlatObjects &&
                   std::abs(s.windows - base.windows) <= kFlatObjects &&
                   std::abs(static_cast<double>(s.privateBytes) - static_cast<double>(base.privateBytes)) <=
                       std::max(kFlatMemory * static_cast<double>(base.privateBytes), kFlatMemoryStep);
        }
    }
    std::printf(
        "soak: %ld actions, seed %u; settings dialog opened %d times, about box %d times; dialog presses "
        "repeated after %d clicks and %d keys: %s\n",
        done, seed, soak.SettingsOpened(), soak.AboutOpened(), soak.LostClicks(), soak.LostKeys(),
        !judged ? "no crash, no hang (too short to judge the counts)"
        : flat  ? "no crash, no hang, counts flat after warm-up"
                : "no crash, no hang, but the counts grew");
    return flat ? 0 : 1;
}
