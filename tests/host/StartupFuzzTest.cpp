// Start-up over arbitrary stored settings, checked against a model of what the
// stored values must lead to.

#include "app/Tuckaway.h"
#include "fake/FakeSystem.h"
#include "host/StartUp.h"
#include "state/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tuckaway {

using namespace tuckaway::ui;
namespace {

constexpr std::array<std::string_view, 7> kKeys = {
    "HideQ3Func", "ShowQ3Func", "HideQ3Key", "ShowQ3Key", "currentgame_display", "currentgame", "DynaScreen"};
constexpr std::array<std::string_view, 7> kDefaults = {
    "Control", "Control+Shift", "Z", "Z", catalogue::kAutomaticEntry, "Quake 3: Arena", "1"};
enum Key { HideFunc, ShowFunc, HideKey, ShowKey, GameDisplay, Game, DynaScreen };

constexpr std::array<std::pair<std::string_view, unsigned>, 7> kModifiers = {{{"Control+Alt+Shift", 7},
                                                                              {"Control+Alt", 3},
                                                                              {"Control", 2},
                                                                              {"Alt+Shift", 5},
                                                                              {"Alt", 1},
                                                                              {"Shift", 4},
                                                                              {"Control+Shift", 6}}};

std::optional<unsigned> Modifier(std::string_view text) {
    for (const auto& [name, value] : kModifiers) {
        if (name == text) {
            return value;
        }
    }
    return std::nullopt;
}

// The code point of a well-formed first character; otherwise the first byte.
unsigned FirstCharacterCode(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned lead = byte(0);
    std::size_t more = 0;
    unsigned code = 0;
    unsigned least = 0;
    if (lead < 0x80) {
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, code = lead & 0x07, least = 0x10000;
    } else {
        return lead;
    }
    if (s.size() <= more) {
        return lead;
    }
    for (std::size_t i = 1; i <= more; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return lead;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return lead;
    }
    return code;
}

std::string Failure(bool hide, std::string_view modifier, std::string_view key) {
    return "Could not register '" + std::string(modifier) + "+" + std::string(key) + "' to " +
           (hide ? "hide" : "show") +
           " the game. Another program may already be using that key combination. Please enter in a "
           "different key combination for it.";
}

std::string Printable(const std::optional<std::string>& value) {
    if (!value) {
        return "(missing)";
    }
    return ::testing::PrintToString(value->substr(0, 40)) + (value->size() > 40 ? "..." : "");
}

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::optional<std::string> Value(Key key) {
        switch (Below(13)) {
        case 0:
            return std::nullopt;
        case 1:
            return "";
        case 2:
            return RandomBytes(1 + Below(8));
        case 3:
            return Utf8(1 + Below(4));
        case 4:
            if (Below(8) == 0) {
                return std::string(100 * 1024, static_cast<char>('A' + Below(26)));
            }
            return Utf8(1 + Below(4)) + RandomBytes(Below(3));
        case 5:
            return Malformed() + RandomBytes(Below(3));
        default:
            return Plausible(key);
        }
    }

private:
    std::string Plausible(Key key) {
        static const std::vector<std::string> mods = {"control",  "Ctrl", "Shift+Control",
                                                      "Control+", " Alt", "Win"};
        static const std::vector<std::string> keys = {"z", "zz", "F12", "1", " ", "\xC3\xA9"};
        static const std::vector<std::string> games = {"Quake 4", "Quake 3: Arena", "quake iii arena", " "};
        static const std::vector<std::string> switches = {"0", "2", "yes", " 1", "1 ", "01", "-1"};
        const auto pick = [&](const std::vector<std::string>& v) {
            return v[static_cast<std::size_t>(Below(static_cast<int>(v.size())))];
        };
        const bool valid = Below(2) == 0;
        switch (key) {
        case HideFunc:
        case ShowFunc:
            return valid ? std::string(kModifiers[static_cast<std::size_t>(Below(7))].first) : pick(mods);
        case HideKey:
        case ShowKey:
            return valid ? std::string(1, static_cast<char>('A' + Below(26))) : pick(keys);
        case GameDisplay:
        case Game: {
            static const catalogue::Catalogue nine;
            const auto entries = nine.ListEntries();
            return valid ? std::string(
                               entries[static_cast<std::size_t>(Below(static_cast<int>(entries.size())))])
                         : pick(games);
        }
        case DynaScreen:
            return valid ? "1" : pick(switches);
        }
        return {};
    }

    // Byte sequences that look like a character but are not one.
    std::string Malformed() {
        const char letter = static_cast<char>('A' + Below(26));
        switch (Below(6)) {
        case 0: // stray continuation byte
            return {static_cast<char>(0x80 + Below(0x40))};
        case 1: // cut short
            return {static_cast<char>(0xE0 + Below(0x10)), static_cast<char>(0x80 + Below(0x40))};
        case 2: // overlong form of a letter
            return {static_cast<char>(0xC0 | (letter >> 6)), static_cast<char>(0x80 | (letter & 0x3F))};
        case 3: // surrogate
            return {'\xED', static_cast<char>(0xA0 + Below(0x20)), static_cast<char>(0x80 + Below(0x40))};
        case 4: // past U+10FFFF
            return {static_cast<char>(0xF4 + Below(4)), static_cast<char>(0x90 + Below(0x30)), '\x80',
                    '\x80'};
        default: // lead byte without continuation
            return {static_cast<char>(0xC2 + Below(0x30)), letter};
        }
    }

    std::string RandomBytes(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>(1 + Below(255));
        }
        return s;
    }

    // Well-formed characters of two, three and four bytes.
    std::string Utf8(int characters) {
        static const std::array<std::string_view, 8> pool = {
            "\xC3\xA9",     "\xC3\x9F",     "\xD0\x96",         "\xE2\x82\xAC",
            "\xE4\xB8\xAD", "\xEF\xBD\x9A", "\xF0\x9F\x98\x80", "\xF0\x9D\x94\x98"};
        std::string s;
        for (int i = 0; i < characters; ++i) {
            s += pool[static_cast<std::size_t>(Below(8))];
        }
        return s;
    }

    std::mt19937 rng_;
};

struct Case {
    std::array<std::optional<std::string>, 7> stored;
    std::vector<std::pair<unsigned, unsigned>> heldElsewhere;

    std::string Describe() const {
        std::string out;
        for (std::size_t i = 0; i < kKeys.size(); ++i) {
            out += std::string(kKeys[i]) + "=" + Printable(stored[i]) + " ";
        }
        return out + "held=" + std::to_string(heldElsewhere.size());
    }
};

void CheckStartup(const Case& c) {
    fake::FakeSystem fake;
    Tuckaway app(fake.Services(), fake);
    Program& program = app.program;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (c.stored[i]) {
            fake.registry[std::string(kKeys[i])] = *c.stored[i];
        }
    }
    fake.heldElsewhere = c.heldElsewhere;
    ASSERT_TRUE(StartUp(app, fake));

    std::array<std::string, 7> value;
    std::array<bool, 7> wasEmpty{};
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        wasEmpty[i] = !c.stored[i] || c.stored[i]->empty();
        value[i] = wasEmpty[i] ? std::string(kDefaults[i]) : *c.stored[i];
    }

    // The game list always ends up with a choice, and the title follows it.
    const std::string entry = program.catalogue.EntryIndex(value[GameDisplay])
                                  ? value[GameDisplay]
                                  : std::string(catalogue::kAutomaticEntry);
    ASSERT_TRUE(program.frmAbout.Combo1.has_value());
    EXPECT_EQ(program.frmAbout.SelectedText(), entry);
    EXPECT_EQ(program.frmAbout.Text1, program.catalogue.TitleOfEntry(entry).value());
    EXPECT_EQ(fake.registry["currentgame"], program.frmAbout.Text1);
    EXPECT_EQ(fake.registry["currentgame_display"], entry);

    // Nothing outside the seven keys, and the stored values survive unless empty.
    for (const std::string& line : fake.LogStartingWith("Write ")) {
        const std::string key = line.substr(6, line.find('=') - 6);
        EXPECT_NE(std::ranges::find(kKeys, key), kKeys.end()) << key;
    }
    EXPECT_EQ(fake.registry.size(), kKeys.size());
    for (const Key k : {HideFunc, ShowFunc, HideKey, ShowKey, DynaScreen}) {
        EXPECT_EQ(fake.registry[std::string(kKeys[k])], value[k]) << kKeys[k];
        const auto writes = fake.LogStartingWith("Write " + std::string(kKeys[k]) + "=");
        const std::size_t expectedWrites =
            (wasEmpty[k] ? 1 : 0) + (k == DynaScreen && value[k] == "1" ? 1 : 0);
        EXPECT_EQ(writes.size(), expectedWrites) << kKeys[k];
    }
    if (wasEmpty[GameDisplay]) {
        EXPECT_EQ(fake.LogStartingWith("Write currentgame_display=").front(),
                  "Write currentgame_display=" + std::string(catalogue::kAutomaticEntry));
    }
    EXPECT_EQ(program.frmAbout.ScreenResCheck, value[DynaScreen] == "1" ? 1 : 0);

    // Hot keys: what was attempted, what took, and one box per key left unbound.
    std::vector<std::string> expectedCalls;
    std::vector<std::string> expectedBoxes;
    std::optional<std::pair<unsigned, unsigned>> taken;
    std::array<bool, 2> bound{};
    for (int id = 0; id < 2; ++id) {
        const std::string& modText = value[HideFunc + id];
        const std::string& keyText = value[HideKey + id];
        const auto modifiers = Modifier(modText);
        if (modifiers && !keyText.empty()) {
            const std::pair combination{*modifiers, FirstCharacterCode(keyText)};
            expectedCalls.push_back("RegisterHotKey " + std::to_string(id) + " " +
                                    std::to_string(combination.first) + " " +
                                    std::to_string(combination.second));
            bound[id] = std::ranges::find(c.heldElsewhere, combination) == c.heldElsewhere.end() &&
                        taken != combination;
            if (bound[id]) {
                taken = combination;
            }
        }
        if (!bound[id]) {
            expectedBoxes.push_back(Failure(id == 0, modText, keyText));
        }
        EXPECT_EQ(program.form1.Text(static_cast<HotkeyField>(1 + id)), modText);
        EXPECT_EQ(program.form1.Text(static_cast<HotkeyField>(3 + id)), keyText);
    }
    EXPECT_EQ(fake.LogStartingWith("RegisterHotKey "), expectedCalls);
    EXPECT_EQ(program.varer.HideKeyRegistered, bound[0]);
    EXPECT_EQ(program.varer.ShowKeyRegistered, bound[1]);
    std::vector<std::string> boxes;
    for (const auto& box : fake.boxes) {
        boxes.push_back(box.text);
        EXPECT_EQ(box.style, os::BoxStyle::OkError);
        EXPECT_EQ(box.caption, "Tuckaway v1.0");
    }
    EXPECT_EQ(boxes, expectedBoxes);
    EXPECT_EQ(program.PrevWndProc, fake::FakeSystem::kPreviousProc);
}

TEST(StartupFuzz, ArbitraryStoredSettings) {
    for (const unsigned seed : {1u, 20260101u, 0xC0FFEEu}) {
        Generator gen(seed);
        for (int iteration = 0; iteration < 1000; ++iteration) {
            Case c;
            for (std::size_t i = 0; i < kKeys.size(); ++i) {
                c.stored[i] = gen.Value(static_cast<Key>(i));
            }
            // Sometimes another program holds the defaults or a random letter combination.
            if (gen.Below(4) == 0) {
                c.heldElsewhere = {{2, 'Z'},
                                   {kModifiers[static_cast<std::size_t>(gen.Below(7))].second,
                                    static_cast<unsigned>('A' + gen.Below(26))}};
            }
            SCOPED_TRACE("seed " + std::to_string(seed) + " iteration " + std::to_string(iteration) + ": " +
                         c.Describe());
            CheckStartup(c);
            if (::testing::Test::HasFailure()) {
                return; // one reproducible case is enough to read
            }
        }
    }
}

} // namespace
} // namespace tuckaway
