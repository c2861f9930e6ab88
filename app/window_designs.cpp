#include "app/window_designs.hpp"

#include "core/message.hpp"
#include "sheet/player_controls.hpp"

#include <array>
#include <cmath>
#include <stdexcept>

namespace zelvo {

namespace {

constexpr int kTwipsPerInch = 1440;

constexpr FontDesign kTitleFont{18, false};
constexpr FontDesign kSmallBold{9.75, true};
constexpr FontDesign kLargeBold{14.25, true};

WindowDesign menuWindow()
{
    using enum ControlType;
    return {
        .name = std::string(kMenuWindow),
        .caption = "ぽてのダーツ計算Ver2",
        .clientSize = {4680, 3195},
        .fixedPosition = TwipsPoint{5370, 3630},
        .sheet = std::nullopt,
        .menu = {},
        .controls = {
            {Label, "Label1", "メニュー", {600, 480, 3375, 375}, kTitleFont, Alignment::Centre, {}, {}, false},
            {CommandButton, "Command1", "カウントアップ", {600, 1080, 1455, 855}, kSmallBold, Alignment::Centre, {}, "Form1", false},
            {CommandButton, "Command2", "３０１", {2640, 1080, 1455, 855}, kLargeBold, Alignment::Centre, {}, "Form6", false},
        },
    };
}

// What tells the Count-Up sheets from the 301 sheets.
struct GameLook {
    Game game;
    const char* caption;
    const char* scoreAtLoad;
    std::string_view scoreKind;
    int roundLabelLeft;
    int roundLabelWidth;
    int rulesLabelHeight; // two lines of rules for Count-Up, three for 301
};

constexpr GameLook kGameLooks[] = {
    {Game::CountUp, "ぽてのダーツ点数計算（カウントアップ）", "0", kTotalScore, 6000, 135, 375},
    {Game::Game301, "ぽてのダーツ点数計算（３０１）", "301", kRemainingScore, 5640, 495, 615},
};

struct SheetRow {
    const char* name;
    Game game;
    int players;
    int rulesLabelWidth;
};

// The one-player sheets were drawn with a rules label of their own width.
constexpr SheetRow kSheets[] = {
    {"Form1", Game::CountUp, 1, 5535},
    {"Form2", Game::CountUp, 2, 5175},
    {"Form3", Game::CountUp, 3, 5175},
    {"Form4", Game::CountUp, 4, 5175},
    {"Form6", Game::Game301, 1, 5055},
    {"Form7", Game::Game301, 2, 5175},
    {"Form8", Game::Game301, 3, 5175},
    {"Form9", Game::Game301, 4, 5175},
};

// The score labels grow wider to the right and do not follow the 1440 grid
// of the other controls of a player's column.
struct ScoreLabelPlace {
    int left;
    int width;
};

constexpr std::array<ScoreLabelPlace, kMaxPlayers> kScoreLabels{{{960, 615}, {2280, 615}, {3720, 735}, {5040, 855}}};

constexpr const char* kMenuCaptions[] = {
    "リセット（再スタート）", "１人でスタート", "２人でスタート", "３人でスタート", "４人でスタート",
};

ControlDesign label(std::string_view name, std::string text, TwipsRect geometry,
                    std::optional<FontDesign> font = std::nullopt, std::string accessibleName = {},
                    bool spokenElsewhere = false)
{
    return {ControlType::Label, std::string(name), std::move(text), geometry, font, Alignment::Left,
            std::move(accessibleName), {}, spokenElsewhere};
}

std::string_view sheetWindowName(Game game, int players)
{
    for (const SheetRow& row : kSheets)
        if (row.game == game && row.players == players)
            return row.name;
    throw std::out_of_range("no score sheet for " + std::to_string(players) + " players");
}

const GameLook& lookOf(Game game)
{
    return kGameLooks[game == Game::CountUp ? 0 : 1];
}

void addPlayerColumn(std::vector<ControlDesign>& controls, int player, const GameLook& look)
{
    using enum ControlType;
    const PlayerControls& names = controlsOf(player);
    const ScoreLabelPlace& score = kScoreLabels[static_cast<std::size_t>(player - 1)];
    const int c = 1440 * (player - 1);
    const std::string who = playerName(player);
    const int throwTops[] = {1440, 1920, 2400};

    controls.push_back({TextField, std::string(names.nameField), who, {360 + c, 960, 1215, 270}, std::nullopt,
                        Alignment::Left, who + " 名前", {}, false});
    for (std::size_t i = 0; i < names.throwFields.size(); ++i)
        controls.push_back({TextField, std::string(names.throwFields[i]), "", {960 + c, throwTops[i], 615, 270},
                            std::nullopt, Alignment::Left, who + " " + std::to_string(i + 1) + "投目", {}, false});
    controls.push_back({CommandButton, std::string(names.calculateButton), "計算", {360 + c, 3600, 1215, 1335},
                        std::nullopt, Alignment::Centre, who + " 計算", {}, false});
    controls.push_back({Label, std::string(names.scoreLabel), look.scoreAtLoad, {score.left, 2880, score.width, 375},
                        kLargeBold, Alignment::Right, spokenScore(player, look.scoreKind, kShownText), {}, false});
}

WindowDesign scoreSheet(const SheetRow& row)
{
    const GameLook& look = lookOf(row.game);
    WindowDesign design{
        .name = row.name,
        .caption = look.caption,
        .clientSize = {6585, 5355},
        .fixedPosition = std::nullopt,
        .sheet = SheetKind{row.game, row.players},
        .menu = {},
        .controls = {
            // Form_Load writes the rules before the window is seen.
            label(kRulesLabel, "Label8", {120, 240, row.rulesLabelWidth, look.rulesLabelHeight}),
            label(kRoundLabel, "1", {look.roundLabelLeft, 360, look.roundLabelWidth, 255}, std::nullopt,
                  spokenRound(kShownText)),
            // Read as part of the round's name.
            label("Label7", "回目", {6120, 360, 495, 375}, std::nullopt, {}, true),
            label("Label1", "1", {600, 1440, 255, 255}),
            label("Label2", "2", {600, 1920, 255, 255}),
            label("Label3", "3", {600, 2400, 255, 255}),
            label("Label4", "合計", {120, 2880, 615, 495}, kLargeBold),
        },
    };

    // The command for the sheet's own player count is switched off and opens
    // nothing: it never reloads or restarts the window.
    design.menu.push_back({std::string(kResetCommand), kMenuCaptions[0], true, {}});
    for (int players = 1; players <= kMaxPlayers; ++players) {
        const bool own = players == row.players;
        design.menu.push_back({std::string(kPlayerCountCommands[players - 1]), kMenuCaptions[players], !own,
                               own ? std::string() : std::string(sheetWindowName(row.game, players))});
    }

    for (int player = 1; player <= row.players; ++player)
        addPlayerColumn(design.controls, player, look);
    return design;
}

std::vector<WindowDesign> composeDesigns()
{
    std::vector<WindowDesign> designs;
    for (const SheetRow& row : kSheets)
        designs.push_back(scoreSheet(row));
    designs.insert(designs.begin() + 4, menuWindow());
    return designs;
}

} // namespace

const std::vector<WindowDesign>& windowDesigns()
{
    static const std::vector<WindowDesign> designs = composeDesigns();
    return designs;
}

std::string accessibleName(const ControlDesign& control, std::string_view shown)
{
    std::string name = control.accessibleName;
    if (const auto mark = name.find(kShownText); mark != std::string::npos)
        name.replace(mark, kShownText.size(), shown);
    return name;
}

int twipsToPixels(int twips, int dotsPerInch)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dotsPerInch / kTwipsPerInch));
}

const WindowDesign& windowDesign(std::string_view name)
{
    for (const WindowDesign& design : windowDesigns())
        if (design.name == name)
            return design;
    throw std::out_of_range("no window named " + std::string(name));
}

} // namespace zelvo
