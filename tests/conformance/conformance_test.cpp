// The conformance suite: the nine windows as designed, games played to their
// result box, and switching with its lifetimes, checked the same way on every
// binding through its Inspector. The designs are written down here again, in
// twips, from the layout as drawn; nothing is taken from the program's tables.

#include "inspection/inspector.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <set>

namespace zelvo::inspection {

void PrintTo(const Rect& r, std::ostream* out) { *out << "(" << r.left << "," << r.top << " " << r.width << "x" << r.height << ")"; }
void PrintTo(const Font& f, std::ostream* out) { *out << f.family << " " << f.points << (f.bold ? " bold" : ""); }
void PrintTo(const MenuCommandView& c, std::ostream* out)
{
    *out << c.name << " " << c.caption << (c.enabled ? "" : " (off)") << (c.onBar ? "" : " (not on the bar)");
}

namespace {

// A control as drawn, in twips; no points means the window's default font.
struct Drawn {
    std::string name;
    Kind kind;
    std::string text;
    int left, top, width, height;
    double points = 0;
    bool bold = false;
    Align alignment = Align::Left;
};

const std::vector<Drawn> kMenuControls{
    {"Label1", Kind::Label, "メニュー", 600, 480, 3375, 375, 18, false, Align::Centre},
    {"Command1", Kind::CommandButton, "カウントアップ", 600, 1080, 1455, 855, 9.75, true},
    {"Command2", Kind::CommandButton, "３０１", 2640, 1080, 1455, 855, 14.25, true},
};

struct Game {
    std::string caption, score, rules;
    int roundLeft, roundWidth, rulesHeight;
    std::string afterRound; // the score after a first round of 20, 20, 20
};
const Game kGames[] = {
    {"ぽてのダーツ点数計算（カウントアップ）", "0",
     "ダーツの点数計算ソフトです。ルールはカウントアップ\r\n３回投げてください。全部で８ラウンドです。", 6000, 135, 375, "60"},
    {"ぽてのダーツ点数計算（３０１）", "301",
     "ダーツの点数計算ソフトです。ルールは３０１です。\r\n３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
     "３回投げてください。全部で２０ラウンドです。", 5640, 495, 615, "241"},
};

struct Sheet { std::string form; int game, players, rulesWidth; };
const Sheet kSheets[] = {
    {"Form1", 0, 1, 5535}, {"Form2", 0, 2, 5175}, {"Form3", 0, 3, 5175}, {"Form4", 0, 4, 5175},
    {"Form6", 1, 1, 5055}, {"Form7", 1, 2, 5175}, {"Form8", 1, 3, 5175}, {"Form9", 1, 4, 5175},
};

// Each player's column as drawn: everything at 1440 twips per player but
// the score labels, which grow wider to the right.
const std::vector<Drawn> kColumns[] = {
    {{"Text4", Kind::TextField, "プレーヤー1", 360, 960, 1215, 270}, {"Text1", Kind::TextField, "", 960, 1440, 615, 270},
     {"Text2", Kind::TextField, "", 960, 1920, 615, 270}, {"Text3", Kind::TextField, "", 960, 2400, 615, 270},
     {"Command1", Kind::CommandButton, "計算", 360, 3600, 1215, 1335}, {"Label5", Kind::Label, "", 960, 2880, 615, 375, 14.25, true, Align::Right}},
    {{"Text5", Kind::TextField, "プレーヤー2", 1800, 960, 1215, 270}, {"Text6", Kind::TextField, "", 2400, 1440, 615, 270},
     {"Text7", Kind::TextField, "", 2400, 1920, 615, 270}, {"Text8", Kind::TextField, "", 2400, 2400, 615, 270},
     {"Command2", Kind::CommandButton, "計算", 1800, 3600, 1215, 1335}, {"Label9", Kind::Label, "", 2280, 2880, 615, 375, 14.25, true, Align::Right}},
    {{"Text9", Kind::TextField, "プレーヤー3", 3240, 960, 1215, 270}, {"Text10", Kind::TextField, "", 3840, 1440, 615, 270},
     {"Text11", Kind::TextField, "", 3840, 1920, 615, 270}, {"Text12", Kind::TextField, "", 3840, 2400, 615, 270},
     {"Command3", Kind::CommandButton, "計算", 3240, 3600, 1215, 1335}, {"Label10", Kind::Label, "", 3720, 2880, 735, 375, 14.25, true, Align::Right}},
    {{"Text13", Kind::TextField, "プレーヤー4", 4680, 960, 1215, 270}, {"Text14", Kind::TextField, "", 5280, 1440, 615, 270},
     {"Text15", Kind::TextField, "", 5280, 1920, 615, 270}, {"Text16", Kind::TextField, "", 5280, 2400, 615, 270},
     {"Command4", Kind::CommandButton, "計算", 4680, 3600, 1215, 1335}, {"Label11", Kind::Label, "", 5040, 2880, 855, 375, 14.25, true, Align::Right}},
};

const std::string kCommands[] = {"reset", "one", "two", "three", "four"};
const std::string kCaptions[] = {"リセット（再スタート）", "１人でスタート", "２人でスタート", "３人でスタート", "４人でスタート"};

std::vector<Drawn> sheetControls(const Sheet& sheet)
{
    const Game& game = kGames[sheet.game];
    std::vector<Drawn> controls{
        {"Label8", Kind::Label, game.rules, 120, 240, sheet.rulesWidth, game.rulesHeight}, // Form_Load wrote the rules
        {"Label6", Kind::Label, "1", game.roundLeft, 360, game.roundWidth, 255},
        {"Label7", Kind::Label, "回目", 6120, 360, 495, 375},
        {"Label1", Kind::Label, "1", 600, 1440, 255, 255},
        {"Label2", Kind::Label, "2", 600, 1920, 255, 255},
        {"Label3", Kind::Label, "3", 600, 2400, 255, 255},
        {"Label4", Kind::Label, "合計", 120, 2880, 615, 495, 14.25, true},
    };
    for (int p = 0; p < sheet.players; ++p)
        for (Drawn control : kColumns[p]) {
            if (control.kind == Kind::Label)
                control.text = game.score;
            controls.push_back(control);
        }
    return controls;
}

// Twips to the binding's pixels, rounded as a window system rounds.
int pixels(int twips, int dotsPerInch) { return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0)); }

Rect pixels(const Drawn& d, int dotsPerInch)
{
    return {pixels(d.left, dotsPerInch), pixels(d.top, dotsPerInch), pixels(d.width, dotsPerInch), pixels(d.height, dotsPerInch)};
}

const Sheet& sheetOf(int game, int players) { return kSheets[4 * game + players - 1]; }

class Conformance : public ::testing::Test {
protected:
    void SetUp() override { ui = makeInspector(); }

    // Types three throws for the player and clicks their Calculate button.
    void turn(int player, const std::vector<std::string>& points)
    {
        for (int t = 0; t < 3; ++t)
            ui->type(kColumns[player - 1][t + 1].name, points[static_cast<std::size_t>(t)]);
        ui->click(kColumns[player - 1][4].name);
    }

    std::string text(const std::string& control) { return ui->control(control).text; }

    std::vector<std::string> texts(const std::vector<BoxView>& boxes)
    {
        std::vector<std::string> all;
        for (const BoxView& box : boxes)
            all.push_back(box.text);
        return all;
    }

    // Opens a sheet the way a user reaches it: from the menu, then the count command.
    void open(const Sheet& sheet)
    {
        ui->start();
        ui->click(sheet.game == 0 ? "Command1" : "Command2");
        if (sheet.players > 1)
            ui->click(kCommands[sheet.players]);
        ASSERT_EQ(ui->window().name, sheet.form);
    }

    // A program of its own at window w: the menu window for -1, otherwise
    // kSheets[w], reached as a user reaches it.
    const Sheet* openAfresh(int w)
    {
        ui = makeInspector();
        if (w < 0)
            ui->start();
        else
            open(kSheets[w]);
        return w < 0 ? nullptr : &kSheets[w];
    }

    std::unique_ptr<Inspector> ui;
};

TEST_F(Conformance, TheNineWindowsAreLaidOutAsDesigned)
{
    for (int w = -1; w < 8; ++w) {
        const Sheet* sheet = openAfresh(w);
        SCOPED_TRACE(sheet ? sheet->form : "Form5");
        const WindowView window = ui->window();
        const int dpi = window.dotsPerInch;
        EXPECT_EQ(window.caption, sheet ? kGames[sheet->game].caption : "ぽてのダーツ計算Ver2");
        EXPECT_EQ(window.client.width, pixels(sheet ? 6585 : 4680, dpi));
        EXPECT_EQ(window.client.height, pixels(sheet ? 5355 : 3195, dpi));
        EXPECT_TRUE(window.fixedSize) << "the layout is fixed";
        if (sheet) { // centred on the screen's available area as a whole window
            const Rect &f = window.frame, &a = window.workArea;
            EXPECT_LE(std::abs((f.left + f.width / 2) - (a.left + a.width / 2)), 2) << "frame left " << f.left;
            EXPECT_LE(std::abs((f.top + f.height / 2) - (a.top + a.height / 2)), 2) << "frame top " << f.top;
        } else {
            EXPECT_EQ(window.client.left, pixels(5370, dpi));
            EXPECT_EQ(window.client.top, pixels(3630, dpi));
        }

        const std::vector<Drawn> controls = sheet ? sheetControls(*sheet) : kMenuControls;
        std::vector<std::string> names;
        for (const Drawn& d : controls) {
            SCOPED_TRACE(d.name);
            names.push_back(d.name);
            const ControlView c = ui->control(d.name);
            EXPECT_EQ(c.kind, d.kind);
            EXPECT_EQ(c.text, d.text);
            EXPECT_EQ(c.rect, pixels(d, dpi));
            EXPECT_EQ(c.font, d.points ? Font({"ＭＳ Ｐゴシック", d.points, d.bold}) : window.defaultFont);
            if (d.kind == Kind::Label || d.text.starts_with("プレーヤー")) { // the throw fields' alignment is left open
                EXPECT_EQ(c.alignment, d.alignment);
            }
        }
        std::vector<std::string> found = ui->controlNames();
        std::sort(found.begin(), found.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(found, names) << "no controls of other players";

        // The five commands directly on the bar, the own count switched off.
        std::vector<MenuCommandView> expected;
        for (int i = 0; sheet && i < 5; ++i)
            expected.push_back({kCommands[i], kCaptions[i], i != sheet->players, true});
        EXPECT_EQ(ui->menu(), expected);
    }
}

// Tab walks the fields and buttons player after player from the first, and
// wraps; Shift+Tab walks back.
TEST_F(Conformance, FocusOpensOnTheFirstControlAndTabWalksTheDesignedOrder)
{
    for (int w = -1; w < 8; ++w) {
        const Sheet* sheet = openAfresh(w);
        SCOPED_TRACE(sheet ? sheet->form : "Form5");
        std::vector<std::string> order;
        for (int p = 0; sheet && p < sheet->players; ++p)
            for (int c = 0; c < 5; ++c)
                order.push_back(kColumns[p][c].name);
        if (!sheet)
            order = {"Command1", "Command2"};
        // After a switch by the menu bar the focus is where the window opened it.
        std::vector<std::string> forward{ui->focus()}, backward;
        for (std::size_t i = 0; i < order.size(); ++i) {
            ui->key(Key::Tab);
            forward.push_back(ui->focus());
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            ui->key(Key::BackTab);
            backward.insert(backward.begin(), ui->focus());
        }
        std::vector<std::string> expected = order;
        expected.push_back(order.front());
        EXPECT_EQ(forward, expected);
        EXPECT_EQ(backward, order);
    }
}

// Return, keypad Enter and Space press the focused button exactly as a click
// does, message boxes and all; Escape presses nothing. In a text field
// Return, Enter and Escape press nothing either, no button being the
// default, and Tab walks on from there as ever.
TEST_F(Conformance, KeysPressTheFocusedButtonAndNothingElse)
{
    const Key presses[] = {Key::Return, Key::Enter, Key::Space};
    for (Key press : presses)
        for (int game = 0; game < 2; ++game) { // the focus opens on Count-Up; Tab takes it to 301
            ui = makeInspector();
            ui->start();
            if (game == 1)
                ui->key(Key::Tab);
            ui->key(Key::Escape);
            EXPECT_EQ(ui->window().name, "Form5") << "Escape";
            ui->key(press);
            EXPECT_EQ(ui->window().name, sheetOf(game, 1).form);
        }

    // A four-player Count-Up to its end, by clicks and by each key on the
    // focused Calculate buttons: the same scores and the same boxes. By keys,
    // Tab walks from one player's button to the next one's, and Return, Enter
    // and Escape are pressed in every field on the way.
    const auto play = [&](std::optional<Key> press) {
        ui = makeInspector();
        open(sheetOf(0, 4));
        const auto walkTo = [&](const std::string& button) { // past a player's four fields
            for (int field = 0; field < 4; ++field) {
                if (field > 0 || ui->focus().starts_with("Command"))
                    ui->key(Key::Tab);
                const std::string focused = ui->focus();
                for (Key key : {Key::Return, Key::Enter, Key::Escape})
                    ui->key(key);
                EXPECT_EQ(ui->focus(), focused) << "a key in " << focused;
            }
            ui->key(Key::Tab);
            EXPECT_EQ(ui->focus(), button);
            ui->key(Key::Escape);
        };
        std::vector<std::string> seen;
        const auto turnOf = [&](int player, const std::vector<std::string>& throws) {
            for (int t = 0; t < 3; ++t)
                ui->type(kColumns[player - 1][t + 1].name, throws[static_cast<std::size_t>(t)]);
            if (press)
                ui->key(*press);
            else
                ui->click(kColumns[player - 1][4].name);
            std::string scores = "round " + text("Label6") + ":";
            for (int p = 0; p < 4; ++p)
                scores.append(" ").append(text(kColumns[p][5].name));
            seen.push_back(scores);
            for (const std::string& box : texts(ui->boxes()))
                seen.push_back(box);
        };
        for (int round = 1; round <= 8; ++round)
            for (int player = 1; player <= 4; ++player) {
                if (press)
                    walkTo(kColumns[player - 1][4].name);
                if (round == 3 && player == 2)
                    turnOf(player, {"x", "1", "1"});
                turnOf(player, {std::to_string(player), "20", "0"});
            }
        return seen;
    };
    const std::vector<std::string> clicked = play(std::nullopt);
    const auto turns = std::count_if(clicked.begin(), clicked.end(), [](const std::string& s) { return s.starts_with("round"); });
    ASSERT_EQ(turns, 8 * 4 + 1);
    ASSERT_GT(clicked.size(), 8U * 4 + 1 + 1) << "the bad entry's box and the result boxes";
    for (Key press : presses)
        EXPECT_EQ(play(press), clicked) << "key " << static_cast<int>(press);
}

// The menu bar from the keyboard, as on every desktop: F10, or Alt pressed
// and released alone, selects its first command, Right the next one; Return
// chooses and Escape leaves, the focus back where it was either way.
TEST_F(Conformance, TheMenuBarIsReachedFromTheKeyboard)
{
    for (Key menu : {Key::Menu, Key::Alt}) {
        SCOPED_TRACE(menu == Key::Menu ? "F10" : "Alt");
        ui = makeInspector();
        open(sheetOf(1, 4));
        turn(1, {"20", "20", "20"});
        const std::string focused = ui->focus();
        ASSERT_NE(focused, "");
        ui->keys({menu, Key::Right, Key::Escape});
        EXPECT_EQ(text("Label5"), "241") << "nothing chosen";
        EXPECT_EQ(ui->focus(), focused);
        ui->keys({menu, Key::Return});
        EXPECT_EQ(text("Label5"), "301") << "reset";
        EXPECT_EQ(ui->focus(), focused);
        ui->key(Key::Tab);
        EXPECT_EQ(ui->focus(), "Text5") << "Tab walks on as ever";
        ui->keys({menu, Key::Right, Key::Return}); // from a text field
        EXPECT_EQ(ui->window().name, "Form6");
        EXPECT_TRUE(ui->boxes().empty());
    }
}

// A score too wide for its label is drawn smaller, not cut off, and the same
// scores shrink to the same size on every binding: the labels are 615, 615,
// 735 and 855 twips wide, designed at 14.25 pt.
TEST_F(Conformance, ScoresTooWideForTheirLabelShrinkAlikeEverywhere)
{
    open(sheetOf(0, 4));
    if (ui->control("Label5").drawnPoints == 0)
        GTEST_SKIP() << "this binding does not tell the size it draws at";
    // Each round takes every player's total on to the next score.
    const struct { std::string throw1, score; double points[4]; } rounds[] = {
        {"-32768", "-32768", {8.25, 8.25, 9.75, 11.25}},
        {"31268", "-1500", {9.75, 9.75, 12, 14.25}},
        {"2500", "1000", {11.25, 11.25, 13.5, 14.25}},
        {"9000", "10000", {9, 9, 10.5, 12.75}},
        {"22767", "32767", {9, 9, 10.5, 12.75}},
    };
    for (const auto& round : rounds)
        for (int player = 0; player < 4; ++player) {
            turn(player + 1, {round.throw1, "0", "0"});
            const ControlView score = ui->control(kColumns[player][5].name);
            SCOPED_TRACE(kColumns[player][5].name);
            ASSERT_EQ(score.text, round.score);
            EXPECT_EQ(score.drawnPoints, round.points[player]) << round.score;
        }
}

TEST_F(Conformance, MenuButtonsAndCountCommandsSwitchWithinTheGameToFreshSheets)
{
    for (int game = 0; game < 2; ++game) {
        ui = makeInspector();
        ui->start();
        ui->click(game == 0 ? "Command1" : "Command2");
        EXPECT_EQ(ui->windows(), std::vector<std::string>{sheetOf(game, 1).form}) << "the menu window is gone";
        for (int from = 1; from <= 4; ++from)
            for (int to = 1; to <= 4; ++to) {
                const Sheet &source = sheetOf(game, from), &target = sheetOf(game, to);
                SCOPED_TRACE(source.form + " " + kCommands[to]);
                if (ui->window().name == source.form) // open it afresh
                    ui->click(kCommands[from % 4 + 1]);
                ui->click(kCommands[from]);
                ASSERT_EQ(ui->window().name, source.form);
                ui->type("Text4", "たろう");
                turn(1, {"20", "20", "20"});
                EXPECT_EQ(text("Label5"), kGames[game].afterRound);
                ui->click(kCommands[to]);
                EXPECT_EQ(ui->windows(), std::vector<std::string>{target.form}) << "one window, the menu window never back";
                ASSERT_EQ(ui->window().name, target.form);
                if (from == to) { // the own count neither reloads nor restarts
                    EXPECT_EQ(text("Text4"), "たろう");
                    EXPECT_EQ(text("Label5"), kGames[game].afterRound);
                    continue;
                }
                for (const Drawn& d : sheetControls(target)) // typed text and the game stay behind
                    EXPECT_EQ(text(d.name), d.text) << d.name;
            }
        EXPECT_FALSE(ui->ended());
    }
}

TEST_F(Conformance, ClosingTheOpenWindowEndsTheProgram)
{
    ui->start();
    ui->close();
    EXPECT_TRUE(ui->ended()) << "closing the menu window";
    EXPECT_EQ(ui->windows(), std::vector<std::string>{});

    ui = makeInspector();
    ui->start();
    for (const char* step : {"Command1", "four", "two"}) {
        ui->click(step);
        EXPECT_FALSE(ui->ended()) << "a switch never ends the program";
    }
    ui->close();
    EXPECT_TRUE(ui->ended());
    EXPECT_EQ(ui->windows(), std::vector<std::string>{});
}

TEST_F(Conformance, OnePlayerCountUpWithABadEntryAndTheFinalBox)
{
    open(kSheets[0]);
    turn(1, {"20", "60", "19"});
    EXPECT_EQ(text("Label5"), "99");
    EXPECT_EQ(text("Label6"), "2");
    EXPECT_EQ(text("Text1"), "");
    turn(1, {"２０", "abc", "1"});
    EXPECT_EQ(texts(ui->boxes()), std::vector<std::string>{"数字を入力してください"});
    EXPECT_EQ(text("Label5"), "99") << "a bad entry changes nothing";
    EXPECT_EQ(text("Text2"), "abc");
    for (int round = 2; round <= 8; ++round)
        turn(1, {"１", "1", "1"});
    const std::vector<BoxView> boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 1U);
    // A plain box titled ZELVO with OK alone, over a label that already shows the total.
    EXPECT_EQ(boxes[0].text, "プレーヤー1さんの合計は 120点です。おつかれさまでした。");
    EXPECT_EQ(boxes[0].caption, "ZELVO");
    EXPECT_TRUE(boxes[0].okOnly);
    EXPECT_TRUE(boxes[0].noIcon);
    EXPECT_EQ(boxes[0].labels.at("Label5"), "120");
    EXPECT_EQ(boxes[0].labels.at("Label6"), "8");
}

TEST_F(Conformance, TwoPlayerGamesOfBothKindsEndWithTheirResult)
{
    const struct { int game, rounds; std::vector<std::string> throws1, throws2, texts; } games[] = {
        {0, 8, {"10", "10", "10"}, {"20", "20", "20"},
         {"プレーヤー1さんの合計は 240点です。おつかれさまでした。", "<b>ハナコ</b>さんの合計は 480点です。おつかれさまでした。",
          "<b>ハナコ</b>さんの勝ちです。おめでとうございます。"}},
        {1, 20, {"5", "5", "0"}, {"4", "4", "4"},
         {"２０ラウンド終わりました。プレーヤー1さんの合計は 101点です。おつかれさまでした。",
          "２０ラウンド終わりました。<b>ハナコ</b>さんの合計は 61点です。おつかれさまでした。", "<b>ハナコ</b>さんの勝ちです。おめでとうございます。"}},
    };
    for (const auto& game : games) {
        ui = makeInspector();
        open(sheetOf(game.game, 2));
        ui->type("Text5", "<b>ハナコ</b>"); // shown as typed, not as markup
        for (int round = 1; round <= game.rounds; ++round) {
            turn(1, game.throws1);
            turn(2, game.throws2);
        }
        EXPECT_EQ(texts(ui->boxes()), game.texts);
        EXPECT_FALSE(ui->ended());
    }
}

// A window whose box is open takes no close and no click: the press runs to
// its end (a bust puts the score back), the sheet stays and answers, and a
// close afterwards ends the program.
TEST_F(Conformance, ACloseOrAClickDuringABoxIsDropped)
{
    open(sheetOf(1, 1));
    ui->whileBoxIsOpen([&] {
        ui->close();
        ui->click("Command1");
    });
    turn(1, {"120", "120", "120"});
    EXPECT_EQ(ui->boxes().size(), 1U) << "the bust, and nothing run inside it";
    ui->whileBoxIsOpen({});
    EXPECT_FALSE(ui->ended());
    EXPECT_EQ(ui->window().name, "Form6");
    EXPECT_EQ(text("Label5"), "301");
    EXPECT_EQ(text("Label6"), "2");
    turn(1, {"1", "", ""});
    EXPECT_EQ(texts(ui->boxes()), std::vector<std::string>{"数字を入力してください"});
    ui->close();
    EXPECT_TRUE(ui->ended());
}

// What a screen reader hears: every button and field by a name of its own,
// fields by whose they are, scores and the round by what they count and
// show (回目 once), and after a press the player's new score without the
// focus moving.
TEST_F(Conformance, ScreenReadersTellControlsApartAndHearEachPress)
{
    const auto expectOwnNames = [&](const std::string& window) {
        std::set<std::string> names;
        for (const std::string& name : ui->controlNames()) {
            const ControlView view = ui->control(name);
            if (view.kind != Kind::Label) {
                EXPECT_TRUE(!view.accessibleName.empty() && names.insert(view.accessibleName).second)
                    << window << " " << name << " is called \"" << view.accessibleName << "\" like another or nothing";
            }
        }
    };
    ui->start();
    expectOwnNames("Form5");
    for (const Sheet& sheet : kSheets) {
        ui = makeInspector();
        open(sheet);
        expectOwnNames(sheet.form);
        const std::string kind = sheet.game == 0 ? " 合計 " : " 残り ";
        for (int p = 1; p <= sheet.players; ++p) {
            const std::string who = "プレーヤー" + std::to_string(p);
            for (int t = 0; t < 4; ++t)
                EXPECT_EQ(ui->control(kColumns[p - 1][t].name).accessibleName.rfind(who + " ", 0), 0U)
                    << sheet.form << " " << kColumns[p - 1][t].name << " does not say it is " << who << "'s";
            EXPECT_EQ(ui->control(kColumns[p - 1][5].name).accessibleName, who + kind + kGames[sheet.game].score);
        }
        EXPECT_EQ(ui->control("Label6").accessibleName, "1回目");
        EXPECT_EQ(ui->control("Label7").accessibleName, "") << "回目 is read once, with the round";

        const std::string last = "プレーヤー" + std::to_string(sheet.players);
        turn(sheet.players, {"20", "20", "20"});
        EXPECT_EQ(ui->announcements(), std::vector<std::string>{last + kind + kGames[sheet.game].afterRound + "、2回目"})
            << sheet.form;
        EXPECT_EQ(ui->control(kColumns[sheet.players - 1][5].name).accessibleName, last + kind + kGames[sheet.game].afterRound);
        EXPECT_EQ(ui->control("Label6").accessibleName, "2回目");
        turn(1, {"x", "0", "0"});
        EXPECT_EQ(ui->announcements(), std::vector<std::string>{}) << "a bad entry is the box alone";
        ui->boxes();
    }
}

// A name and a throw of any length: pasted text is never cut.
TEST_F(Conformance, FieldsTakeTextOfAnyLength)
{
    open(kSheets[0]);
    const std::string name(40000, 'A');
    const std::string zeros(40000, '0');
    ui->type("Text4", name);
    for (int round = 1; round <= 8; ++round)
        turn(1, {zeros + "5", "0", "0"});
    EXPECT_EQ(text("Label5"), "40");
    EXPECT_EQ(texts(ui->boxes()), std::vector<std::string>{name + "さんの合計は 40点です。おつかれさまでした。"});
    ui->click("reset");
    turn(1, {zeros + "1" + zeros, "0", "0"});
    EXPECT_EQ(texts(ui->boxes()), std::vector<std::string>{"数字を入力してください"});
    EXPECT_EQ(text("Label5"), "0");
}

} // namespace
} // namespace zelvo::inspection
