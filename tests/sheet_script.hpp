#pragma once

// Plays a score sheet from a short script and compares what its window logged
// with the expected log, so that a whole rule of a game is a line of data. The
// sheet is shown (built, then Form_Load) before the script starts. Actions,
// blank-separated:
//   2:20,0,0    player 2 types these three throws and presses Calculate
//   2:          player 2 presses with whatever the throw fields hold
//   7*15        seven rounds in which every player, player 1 first, throws 15, 0, 0
//   Text4=花子  text typed into a field
//   !Label6     every later operation on Label6 fails ("!" alone: none fails)
//   R           the reset command
//   L           the window shown anew: built from its design, then Form_Load
//   |           the log starts here; later ones mark the step in it
//   S           the log lists announcements too, from here on
// The log lists writes as "Label5=60" and "Text1=", boxes as "[text]",
// announcements as "«text»".

#include "tests/fake_window.hpp"
#include "sheet/score_sheet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#define WINS(who) "[" who "さんの勝ちです。おめでとうございます。]"
#define DRAW "[引き分けです。]"
#define INPUT_ERROR "[数字を入力してください]"

namespace zelvo::testing {

inline std::string play(ScoreSheet&& sheet, int players, const std::string& scoreAtLoad, const std::string& script)
{
    FakeWindow window(players, scoreAtLoad);
    sheet.load(window);
    const auto press = [&](int player, const std::string& throws) {
        std::istringstream in(throws);
        for (auto field : kPlayerControls[static_cast<std::size_t>(player - 1)].throwFields)
            if (!throws.empty())
                std::getline(in, window.fields[std::string(field)], ',');
        sheet.press(window, player);
    };
    bool logging = false;
    std::istringstream actions(script);
    for (std::string act; actions >> act;) {
        const auto at = std::min(act.find_first_of("=*:"), act.size());
        if (act == "|" && !std::exchange(logging, true))
            window.log.clear();
        else if (act == "|")
            window.log.push_back(act);
        else if (act == "S")
            window.logSpeech = true;
        else if (act == "R")
            sheet.reset(window);
        else if (act == "L") {
            FakeWindow shown(players, scoreAtLoad);
            shown.log = std::move(window.log);
            shown.logSpeech = window.logSpeech;
            sheet.load(window = std::move(shown));
        } else if (act[0] == '!')
            window.failOn = act.substr(1);
        else if (act[at] == '=')
            window.fields[act.substr(0, at)] = act.substr(at + 1);
        else if (act[at] == '*')
            for (int round = std::stoi(act); round > 0; --round)
                for (int player = 1; player <= players; ++player)
                    press(player, act.substr(at + 1) + ",0,0");
        else
            press(std::stoi(act), act.substr(at + 1));
    }
    std::string log;
    for (const auto& entry : window.log)
        log += (log.empty() ? "" : " ") + entry;
    return log;
}

// One scenario: what it shows, on a sheet for how many players, the script
// and the log it must leave.
struct Row { const char* what; int players; const char* script; const char* log; };

template <typename Sheet>
void expectLogs(const std::string& scoreAtLoad, std::initializer_list<Row> rows)
{
    for (const auto& row : rows) {
        const std::string log = play(Sheet(row.players), row.players, scoreAtLoad, row.script);
        EXPECT_EQ(log, row.log) << row.what << " (" << row.players << " players), script: " << row.script;
    }
}

} // namespace zelvo::testing
