// The nine windows on the real widgets, offscreen, as the player meets them:
// each laid out as written down below in twips (15 to the pixel), start-up
// and switching, and games played by typing throws, clicking 計算 and
// closing the message boxes.

#include "resources/app_icon.hpp"
#include "shell/application_shell.hpp"
#include "shell/window_builder.hpp"

#include <QtWidgets>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
void PrintTo(const QVariant& value, std::ostream* out) { *out << QDebug::toString(value).toStdString(); }

namespace zelvo::shell_test {

// A control as the layout gives it: no points means the window's default
// font, no alignment that the layout leaves it open.
struct Control { QString name, type, text; int left, top, width, height;
                 double points = 0; bool bold = false; Qt::Alignment alignment = Qt::AlignLeft; };

const QList<Control> kMenuControls{
    {"Label1", "QLabel", "メニュー", 600, 480, 3375, 375, 18, false, Qt::AlignHCenter},
    {"Command1", "QPushButton", "カウントアップ", 600, 1080, 1455, 855, 9.75, true, {}},
    {"Command2", "QPushButton", "３０１", 2640, 1080, 1455, 855, 14.25, true, {}},
};

// The labels every sheet has, less Label8 and Label6 which differ (kSheets, kGames).
const QList<Control> kSharedLabels{
    {"Label7", "QLabel", "回目", 6120, 360, 495, 375}, {"Label1", "QLabel", "1", 600, 1440, 255, 255},
    {"Label2", "QLabel", "2", 600, 1920, 255, 255},    {"Label3", "QLabel", "3", 600, 2400, 255, 255},
    {"Label4", "QLabel", "合計", 120, 2880, 615, 495, 14.25, true},
};

// Each player's column; the score labels lie off its 1440 grid.
struct Player { QString name, throws[3], button, score; int scoreLeft, scoreWidth; };
const Player kPlayers[] = {
    {"Text4", {"Text1", "Text2", "Text3"}, "Command1", "Label5", 960, 615},
    {"Text5", {"Text6", "Text7", "Text8"}, "Command2", "Label9", 2280, 615},
    {"Text9", {"Text10", "Text11", "Text12"}, "Command3", "Label10", 3720, 735},
    {"Text13", {"Text14", "Text15", "Text16"}, "Command4", "Label11", 5040, 855},
};

// The score after a first round of 20, 20, 20 tells a new game from an old one.
struct Game { QString caption, score, rules; int roundLeft, roundWidth; QString afterRound; };
const Game kGames[] = {
    {"ぽてのダーツ点数計算（カウントアップ）", "0",
     "ダーツの点数計算ソフトです。ルールはカウントアップ\r\n３回投げてください。全部で８ラウンドです。", 6000, 135, "60"},
    {"ぽてのダーツ点数計算（３０１）", "301",
     "ダーツの点数計算ソフトです。ルールは３０１です。\r\n３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
     "３回投げてください。全部で２０ラウンドです。", 5640, 495, "241"},
};

struct Sheet { QString form; int game, players, rulesWidth, rulesHeight; };
const Sheet kSheets[] = {
    {"Form1", 0, 1, 5535, 375}, {"Form2", 0, 2, 5175, 375}, {"Form3", 0, 3, 5175, 375}, {"Form4", 0, 4, 5175, 375},
    {"Form6", 1, 1, 5055, 615}, {"Form7", 1, 2, 5175, 615}, {"Form8", 1, 3, 5175, 615}, {"Form9", 1, 4, 5175, 615},
};

const QStringList kCommands{"reset", "one", "two", "three", "four"};
const QStringList kCaptions{"リセット（再スタート）", "１人でスタート", "２人でスタート", "３人でスタート", "４人でスタート"};

QList<Control> sheetControls(const Sheet& sheet)
{
    const Game& game = kGames[sheet.game];
    QList<Control> controls{
        {"Label8", "QLabel", game.rules, 120, 240, sheet.rulesWidth, sheet.rulesHeight}, // Form_Load wrote the rules
        {"Label6", "QLabel", "1", game.roundLeft, 360, game.roundWidth, 255},
    };
    controls += kSharedLabels;
    for (int p = 0, c = 0; p < sheet.players; ++p, c += 1440) {
        const Player& col = kPlayers[p];
        controls.append({col.name, "QLineEdit", QStringLiteral("プレーヤー%1").arg(p + 1), 360 + c, 960, 1215, 270});
        for (int t = 0; t < 3; ++t)
            controls.append({col.throws[t], "QLineEdit", "", 960 + c, 1440 + 480 * t, 615, 270, 0, false, {}});
        controls.append({col.button, "QPushButton", "計算", 360 + c, 3600, 1215, 1335, 0, false, {}});
        controls.append({col.score, "QLabel", game.score, col.scoreLeft, 2880, col.scoreWidth, 375, 14.25, true, Qt::AlignRight});
    }
    return controls;
}

template <typename T = QWidget> T* get(QObject* parent, const QString& name)
{
    T* found = parent ? parent->findChild<T*>(name) : nullptr;
    return found ? found : throw std::runtime_error("no " + name.toStdString()); // fails the test
}

QString textOf(QWidget* window, const QString& name) { return get(window, name)->property("text").toString(); }
// A font as the layout gives one: family, size in points, weight.
QVariantList fontOf(const QWidget* c) { return {c->font().families().value(0), c->font().pointSizeF(), c->font().weight()}; }

QStringList textsOf(QWidget* window, QStringList names)
{
    for (QString& name : names)
        name = textOf(window, name);
    return names;
}

void turn(QWidget* window, int player, const QStringList& points)
{
    for (int t = 0; t < 3; ++t)
        get<QLineEdit>(window, kPlayers[player - 1].throws[t])->setText(points[t]);
    get<QPushButton>(window, kPlayers[player - 1].button)->click();
}

// Chooses a menu command as a player does: a mouse click on it in the bar.
void choose(QWidget* window, const QString& command)
{
    QMenuBar* bar = get<QMenuBar>(window, {});
    const QPointF at = bar->actionGeometry(get<QAction>(bar, command)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(bar, &press);
    QApplication::sendEvent(bar, &release);
}

// The program's windows alive once Qt has carried out the deletions it was asked for.
QStringList windows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName().startsWith("Form"))
            names << widget->objectName();
    return names;
}

TEST(Windows, LaidOutAsDesignedWithTheirMenuBarAndFocusOrder)
{
    for (int w = -1; w < 8; ++w) {
        const Sheet* sheet = w < 0 ? nullptr : &kSheets[w];
        SCOPED_TRACE(sheet ? sheet->form.toStdString() : "Form5");
        Shell shell;
        shell.switchTo(sheet ? sheet->form.toStdString() : "Form5");
        QWidget* window = shell.currentWindow();
        auto* mainWindow = qobject_cast<QMainWindow*>(window);
        QWidget* client = mainWindow ? mainWindow->centralWidget() : window;
        ASSERT_TRUE(client && window->isVisible());
        EXPECT_EQ(window->windowTitle(), sheet ? kGames[sheet->game].caption : "ぽてのダーツ計算Ver2");
        EXPECT_EQ(client->size(), sheet ? QSize(6585 / 15, 5355 / 15) : QSize(4680 / 15, 3195 / 15));
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the layout is fixed";
        EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), applicationIcon().pixmap(32).toImage());
        EXPECT_TRUE(QFontMetrics(window->font()).inFont(QChar(u'ダ')));
        const QRect screen = QGuiApplication::primaryScreen()->geometry(), place = window->geometry();
        const QPoint off = sheet ? place.center() - screen.center() : place.topLeft() - screen.topLeft() - QPoint(5370, 3630) / 15;
        EXPECT_LE(off.manhattanLength(), sheet ? 2 : 0) << "sheets centred, the menu window at its place";

        const QList<Control> controls = sheet ? sheetControls(*sheet) : kMenuControls;
        QStringList order, visited; // focus: the fields and buttons, player after player
        for (const Control& e : controls) {
            SCOPED_TRACE(e.name.toStdString());
            if (e.type != "QLabel")
                order << e.name;
            QWidget* c = get(client, e.name);
            EXPECT_EQ(c->metaObject()->className(), e.type);
            EXPECT_EQ(textOf(client, e.name), e.text);
            EXPECT_EQ(c->geometry(), QRect(e.left / 15, e.top / 15, e.width / 15, e.height / 15));
            EXPECT_EQ(fontOf(c), e.points ? QVariantList({"ＭＳ Ｐゴシック", e.points, e.bold ? QFont::Bold : QFont::Normal})
                                          : fontOf(window));
            const auto alignment = c->property("alignment").value<Qt::Alignment>();
            EXPECT_EQ(e.alignment ? alignment & Qt::AlignHorizontal_Mask : Qt::Alignment(), e.alignment);
            EXPECT_TRUE(e.type != "QLineEdit" || !c->accessibleName().isEmpty()) << "a screen reader names each field";
            if (auto* label = qobject_cast<QLabel*>(c)) { // as drawn: plain text from the top, never wrapped
                EXPECT_TRUE(label->textFormat() == Qt::PlainText && (alignment & Qt::AlignTop) && !label->wordWrap());
            }
        }
        EXPECT_EQ(client->findChildren<QWidget*>().size(), controls.size()) << "no controls of other players";

        // The five commands directly on the bar, the own count switched off.
        QStringList commands, expected;
        QMenuBar* bar = mainWindow ? mainWindow->menuBar() : nullptr;
        for (QAction* action : bar ? bar->actions() : QList<QAction*>())
            commands << action->objectName() + (action->isEnabled() ? " " : " (off) ") + action->text()
                    + (action->menu() || !bar->rect().contains(bar->actionGeometry(action)) ? " (not on the bar)" : "");
        for (int i = 0; sheet && i < 5; ++i)
            expected << kCommands[i] + (i == sheet->players ? " (off) " : " ") + kCaptions[i];
        EXPECT_EQ(commands, expected);

        // The focus opens on the first control; Tab runs through all and wraps.
        for (int i = 0; i <= order.size(); ++i) {
            QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
            visited << focused->objectName();
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(focused, &tab);
        }
        EXPECT_EQ(visited, order << order.first());
    }
}

TEST(Shell, MenuButtonsAndCountCommandsSwitchWithinTheGameToFreshSheets)
{
    for (int game = 0; game < 2; ++game) {
        Shell shell;
        shell.start();
        get<QPushButton>(shell.currentWindow(), game == 0 ? "Command1" : "Command2")->click();
        const ScoreSheet* instance = shell.sheet(kSheets[4 * game].form.toStdString());
        for (int from = 1; from <= 4; ++from)
            for (int to = 1; to <= 4; ++to) {
                const Sheet &source = kSheets[4 * game + from - 1], &target = kSheets[4 * game + to - 1];
                SCOPED_TRACE((source.form + " " + kCommands[to]).toStdString());
                shell.switchTo(source.form.toStdString());
                get<QLineEdit>(shell.currentWindow(), "Text4")->setText("たろう");
                turn(shell.currentWindow(), 1, {"20", "20", "20"});
                EXPECT_EQ(textOf(shell.currentWindow(), "Label5"), kGames[game].afterRound) << "a new game";
                choose(shell.currentWindow(), kCommands[to]);
                EXPECT_EQ(windows(), QStringList{target.form}) << "one window, the menu window never back";
                QWidget* window = shell.currentWindow();
                ASSERT_TRUE(window && window->objectName() == target.form);
                // Typed text and the game stay behind; the own count neither reloads nor restarts.
                EXPECT_EQ(textsOf(window, {"Text4", "Label5"}), from == to ? QStringList({"たろう", kGames[game].afterRound})
                                                                  : QStringList({"プレーヤー1", kGames[game].score}));
                for (const Control& e : from == to ? QList<Control>() : sheetControls(target))
                    EXPECT_EQ(textOf(window, e.name), e.text) << e.name.toStdString();
            }
        EXPECT_EQ(shell.sheet(kSheets[4 * game].form.toStdString()), instance) << "one instance for the whole run";
    }
}

// Whole runs inside Qt's event loop, wired as main() does: closing the open
// window ends them, also the menu window at start, switches do not.
TEST(Shell, TheEventLoopEndsOnlyWhenTheOpenWindowIsClosed)
{
    const QList<std::pair<QStringList, QStringList>> runs{
        {{"close"}, {"(none)"}}, {{"Command1", "four", "two", "close"}, {"Form1", "Form4", "Form2", "(none)"}}};
    for (const auto& [plan, expected] : runs) {
        Shell shell;
        QObject::connect(&shell, &Shell::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        QStringList seen;
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            if (seen.size() == plan.size())
                return seen << "(still running)", QCoreApplication::quit();
            const QString step = plan[seen.size()];
            QWidget* window = shell.currentWindow();
            step == "close" ? void(window->close()) : step.startsWith("Command") ? get<QPushButton>(window, step)->click() : choose(window, step);
            seen << (shell.currentWindow() ? shell.currentWindow()->objectName() : "(none)");
        });
        player.start(20);
        shell.start();
        EXPECT_EQ(windows(), QStringList{"Form5"});
        QApplication::exec();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(windows(), QStringList());
        EXPECT_EQ(shell.sheet("Form1") || shell.sheet("Form6"), plan.size() > 1) << "no sheet made before it opens";
    }
}

// Closes each message box as soon as it is open, noting what it says, how it
// is made, and what the watched label of the window shows meanwhile.
struct BoxCloser {
    BoxCloser(QWidget* window, const QString& label)
    {
        QObject::connect(&timer, &QTimer::timeout, [=, this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                made = {box->windowTitle(), box->icon(), int(box->standardButtons()), box->windowModality(),
                        box->textFormat(), textOf(window, label)};
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start(0);
    }
    QStringList texts;
    QVariantList made; // of the last box
    QTimer timer;
};

TEST(Games, OnePlayerCountUpFromTheMenuWithABadEntryAndTheFinalBox)
{
    Shell shell;
    shell.start();
    get<QPushButton>(shell.currentWindow(), "Command1")->click();
    QWidget* sheet = shell.currentWindow();
    BoxCloser boxes(sheet, "Label5");
    turn(sheet, 1, {"20", "60", "19"});
    EXPECT_EQ(textsOf(sheet, {"Label5", "Label6", "Text1"}), QStringList({"99", "2", ""}));
    turn(sheet, 1, {"２０", "abc", "1"});
    EXPECT_EQ(boxes.texts, QStringList{"数字を入力してください"});
    EXPECT_EQ(textsOf(sheet, {"Label5", "Text2"}), QStringList({"99", "abc"})) << "a bad entry changes nothing";
    for (int round = 2; round <= 8; ++round)
        turn(sheet, 1, {"１", "1", "1"});
    EXPECT_EQ(boxes.texts.value(1), "プレーヤー1さんの合計は 120点です。おつかれさまでした。");
    // A plain box titled ZELVO with OK alone, over a label that already shows the total.
    EXPECT_EQ(boxes.made, QVariantList({"ZELVO", QMessageBox::NoIcon, int(QMessageBox::Ok), Qt::ApplicationModal,
                                        Qt::PlainText, "120"}));
}

TEST(Games, TwoPlayerGamesOfBothKindsEndWithTheirResult)
{
    const struct { std::string form; int rounds; QStringList throws1, throws2, texts; } games[] = {
        {"Form2", 8, {"10", "10", "10"}, {"20", "20", "20"},
         {"プレーヤー1さんの合計は 240点です。おつかれさまでした。", "<b>ハナコ</b>さんの合計は 480点です。おつかれさまでした。",
          "<b>ハナコ</b>さんの勝ちです。おめでとうございます。"}},
        {"Form7", 20, {"5", "5", "0"}, {"4", "4", "4"},
         {"２０ラウンド終わりました。プレーヤー1さんの合計は 101点です。おつかれさまでした。",
          "２０ラウンド終わりました。<b>ハナコ</b>さんの合計は 61点です。おつかれさまでした。", "<b>ハナコ</b>さんの勝ちです。おめでとうございます。"}},
    };
    for (const auto& game : games) {
        Shell shell;
        shell.switchTo(game.form);
        BoxCloser boxes(shell.currentWindow(), "Label9");
        get<QLineEdit>(shell.currentWindow(), "Text5")->setText("<b>ハナコ</b>"); // shown as typed, not as markup
        for (int round = 1; round <= game.rounds; ++round) {
            turn(shell.currentWindow(), 1, game.throws1);
            turn(shell.currentWindow(), 2, game.throws2);
        }
        EXPECT_EQ(boxes.texts, game.texts);
    }
}

} // namespace zelvo::shell_test

namespace zelvo::shell_test {

// A score wider than its label is drawn smaller, never cut off at the left
// where its minus sign and leading digits stand.
TEST(Windows, ScoresTooWideForTheirLabelAreDrawnSmaller)
{
    Shell shell;
    shell.switchTo("Form4");
    for (const QString name : {"Label5", "Label9", "Label10", "Label11"}) {
        auto* label = get<QLabel>(shell.currentWindow(), name);
        label->setText("-32768");
        const QImage drawn = label->grab().toImage();
        int firstInk = drawn.width();
        for (int x = 0; x < drawn.width(); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                if (qGray(drawn.pixel(x, y)) < 128)
                    firstInk = std::min(firstInk, x);
        EXPECT_GT(firstInk, 0) << name.toStdString() << " shows all of -32768";
        EXPECT_LT(firstInk, drawn.width()) << name.toStdString() << " shows the score at all";
        for (const QString fits : {"0", "301", "-99"})
            EXPECT_EQ(fontToFit(label->font(), fits, label->width()), label->font()) << fits.toStdString() << " keeps its font";
    }
}

} // namespace zelvo::shell_test
