#pragma once

// A plain window for driving the game logic in tests. It keeps field texts and
// label captions in maps and logs every write and every message box in order,
// so the log also tells what each label showed while a box was open. It can be
// told to fail on one control.

#include "sheet/player_controls.hpp"
#include "ui/window.hpp"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zelvo::testing {

class FakeWindow : public Window {
public:
    // The sheet's controls as the window design builds them: names
    // "プレーヤー1".., empty throw fields, every score label showing scoreAtLoad.
    FakeWindow(int players, const std::string& scoreAtLoad)
    {
        for (int p = 1; p <= players; ++p) {
            const auto& c = kPlayerControls[static_cast<std::size_t>(p - 1)];
            fields[std::string(c.nameField)] = "プレーヤー" + std::to_string(p);
            for (auto field : c.throwFields)
                fields[std::string(field)] = "";
            captions[std::string(c.scoreLabel)] = scoreAtLoad;
        }
        // Made in place rather than assigned: GCC 12 at -O3 warns wrongly
        // (-Wrestrict inside libstdc++) about assigning a literal here.
        captions.emplace(kRoundLabel, "1");
        captions.emplace(kRulesLabel, "");
    }

    std::string text(std::string_view field) const override { return fields.find(existing(fields, field))->second; }
    void setText(std::string_view field, std::string_view text) override { write(fields, field, text); }
    void setCaption(std::string_view label, std::string_view caption) override { write(captions, label, caption); }
    // Appended rather than "[" + text, for the same false warning.
    void showMessage(std::string_view message) override { log.push_back(std::string("[").append(message).append("]")); }
    void announce(std::string_view text) override
    {
        if (logSpeech)
            log.push_back(std::string("«").append(text).append("»"));
    }

    using Controls = std::map<std::string, std::string, std::less<>>;
    Controls fields;
    Controls captions;
    std::vector<std::string> log; // "Label5=60", "Text1=", "[message]", "«announcement»"
    bool logSpeech = false;
    std::string failOn;            // a control whose every operation fails

private:
    std::string_view existing(const Controls& controls, std::string_view name) const
    {
        if (!controls.contains(name) || name == failOn)
            throw WindowError("no control " + std::string(name));
        return name;
    }
    void write(Controls& controls, std::string_view name, std::string_view value)
    {
        controls.find(existing(controls, name))->second = value;
        log.push_back(std::string(name) + "=" + std::string(value));
    }
};

} // namespace zelvo::testing
