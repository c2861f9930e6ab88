#pragma once

// A plain window for driving the game logic in tests. It keeps field texts
// and label captions in maps, records every message box together with what
// the labels showed while it was open, and can be told to fail on a control.

#include "ui/player_controls.hpp"
#include "ui/window.hpp"

#include <map>
#include <string>
#include <vector>

namespace zelvo::testing {

class FakeWindow : public Window {
public:
    struct Box {
        std::string text;
        std::map<std::string, std::string> captionsWhileOpen;
        std::map<std::string, std::string> fieldsWhileOpen;
    };

    // The sheet's controls with the contents they have when the window is
    // built: names "プレーヤー1".., empty throw fields, the given score text.
    static FakeWindow sheet(int players, const std::string& scoreAtLoad)
    {
        FakeWindow window;
        for (int p = 0; p < players; ++p) {
            const auto& c = kPlayerControls[static_cast<std::size_t>(p)];
            window.fields[std::string(c.nameField)] = "プレーヤー" + std::to_string(p + 1);
            for (auto field : c.throwFields)
                window.fields[std::string(field)] = "";
            window.captions[std::string(c.scoreLabel)] = scoreAtLoad;
        }
        window.captions[std::string(kRoundLabel)] = "1";
        window.captions[std::string(kRulesLabel)] = "Label8";
        return window;
    }

    std::string text(std::string_view field) const override
    {
        auto it = fields.find(std::string(field));
        if (it == fields.end() || std::string(field) == failOn)
            throw WindowError("no field " + std::string(field));
        return it->second;
    }

    void setText(std::string_view field, std::string_view text) override
    {
        auto it = fields.find(std::string(field));
        if (it == fields.end() || std::string(field) == failOn)
            throw WindowError("no field " + std::string(field));
        it->second = text;
        log.push_back("text " + std::string(field) + "=" + std::string(text));
    }

    void setCaption(std::string_view label, std::string_view caption) override
    {
        auto it = captions.find(std::string(label));
        if (it == captions.end() || std::string(label) == failOn)
            throw WindowError("no label " + std::string(label));
        it->second = caption;
        log.push_back("caption " + std::string(label) + "=" + std::string(caption));
    }

    void showMessage(std::string_view message) override
    {
        boxes.push_back({std::string(message), captions, fields});
        log.push_back("box " + std::string(message));
    }

    // Types three throws into player p's fields (1-based).
    void type(int player, const std::string& first, const std::string& second, const std::string& third)
    {
        const auto& c = kPlayerControls[static_cast<std::size_t>(player - 1)];
        fields[std::string(c.throwFields[0])] = first;
        fields[std::string(c.throwFields[1])] = second;
        fields[std::string(c.throwFields[2])] = third;
    }

    std::string score(int player) const
    {
        return captions.at(std::string(kPlayerControls[static_cast<std::size_t>(player - 1)].scoreLabel));
    }
    std::string round() const { return captions.at(std::string(kRoundLabel)); }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes)
            texts.push_back(box.text);
        return texts;
    }
    void forget()
    {
        boxes.clear();
        log.clear();
    }

    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> captions;
    std::vector<Box> boxes;
    std::vector<std::string> log;
    std::string failOn; // a control whose every operation fails
};

} // namespace zelvo::testing
