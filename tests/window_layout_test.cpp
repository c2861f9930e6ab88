// The nine windows as the player meets them: opened by the shell (so
// Form_Load has run), each control checked against the layout tables written
// out below in twips, independently of the program's own design tables.

#include "resources/app_icon.hpp"
#include "shell/application_shell.hpp"
#include "tests/shell_test_support.hpp"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace zelvo::testing {
namespace {

enum class Kind { Label, Field, Button };

struct Font {
    double points; // 0: the window's default font
    bool bold;
};

constexpr Font kDefault{0, false};

struct Expected {
    QString name;
    Kind kind;
    QString text;
    int left, top, width, height; // twips
    Font font;
    Qt::Alignment alignment; // horizontal; none for buttons
};

struct WindowCase {
    const char* name;
    int players; // 0: the menu window
    bool countUp;
    int rulesWidth, rulesHeight;
};

const WindowCase kWindows[] = {
    {"Form5", 0, false, 0, 0},
    {"Form1", 1, true, 5535, 375},    {"Form2", 2, true, 5175, 375},    {"Form3", 3, true, 5175, 375},
    {"Form4", 4, true, 5175, 375},    {"Form6", 1, false, 5055, 615},   {"Form7", 2, false, 5175, 615},
    {"Form8", 3, false, 5175, 615},   {"Form9", 4, false, 5175, 615},
};

const QString kCountUpRules = QStringLiteral("ダーツの点数計算ソフトです。ルールはカウントアップ\r\n"
                                             "３回投げてください。全部で８ラウンドです。");
const QString k301Rules = QStringLiteral("ダーツの点数計算ソフトです。ルールは３０１です。\r\n"
                                         "３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
                                         "３回投げてください。全部で２０ラウンドです。");

void PrintTo(const WindowCase& w, std::ostream* out)
{
    *out << w.name;
}

struct PlayerNames {
    const char* nameField;
    const char* throws[3];
    const char* button;
    const char* score;
    int scoreLeft, scoreWidth;
};

const PlayerNames kPlayers[] = {
    {"Text4", {"Text1", "Text2", "Text3"}, "Command1", "Label5", 960, 615},
    {"Text5", {"Text6", "Text7", "Text8"}, "Command2", "Label9", 2280, 615},
    {"Text9", {"Text10", "Text11", "Text12"}, "Command3", "Label10", 3720, 735},
    {"Text13", {"Text14", "Text15", "Text16"}, "Command4", "Label11", 5040, 855},
};

std::vector<Expected> expectedControls(const WindowCase& w)
{
    const auto left = Qt::AlignLeft;
    if (w.players == 0)
        return {
            {"Label1", Kind::Label, "メニュー", 600, 480, 3375, 375, {18, false}, Qt::AlignHCenter},
            {"Command1", Kind::Button, "カウントアップ", 600, 1080, 1455, 855, {9.75, true}, {}},
            {"Command2", Kind::Button, "３０１", 2640, 1080, 1455, 855, {14.25, true}, {}},
        };
    std::vector<Expected> controls{
        {"Label8", Kind::Label, w.countUp ? kCountUpRules : k301Rules, 120, 240, w.rulesWidth, w.rulesHeight,
         kDefault, left},
        {"Label6", Kind::Label, "1", w.countUp ? 6000 : 5640, 360, w.countUp ? 135 : 495, 255, kDefault, left},
        {"Label7", Kind::Label, "回目", 6120, 360, 495, 375, kDefault, left},
        {"Label1", Kind::Label, "1", 600, 1440, 255, 255, kDefault, left},
        {"Label2", Kind::Label, "2", 600, 1920, 255, 255, kDefault, left},
        {"Label3", Kind::Label, "3", 600, 2400, 255, 255, kDefault, left},
        {"Label4", Kind::Label, "合計", 120, 2880, 615, 495, {14.25, true}, left},
    };
    for (int p = 0; p < w.players; ++p) {
        const PlayerNames& n = kPlayers[p];
        const int c = 1440 * p;
        controls.push_back({n.nameField, Kind::Field, QStringLiteral("プレーヤー%1").arg(p + 1), 360 + c, 960, 1215,
                            270, kDefault, left});
        for (int t = 0; t < 3; ++t)
            controls.push_back({n.throws[t], Kind::Field, "", 960 + c, 1440 + 480 * t, 615, 270, kDefault, {}});
        controls.push_back({n.score, Kind::Label, w.countUp ? "0" : "301", n.scoreLeft, 2880, n.scoreWidth, 375,
                            {14.25, true}, Qt::AlignRight});
        controls.push_back({n.button, Kind::Button, "計算", 360 + c, 3600, 1215, 1335, kDefault, {}});
    }
    return controls;
}

QStringList expectedFocusOrder(const WindowCase& w)
{
    if (w.players == 0)
        return {"Command1", "Command2"};
    QStringList order;
    for (int p = 0; p < w.players; ++p)
        order << kPlayers[p].nameField << kPlayers[p].throws[0] << kPlayers[p].throws[1] << kPlayers[p].throws[2]
              << kPlayers[p].button;
    return order;
}

int px(int twips)
{
    EXPECT_EQ(twips % 15, 0) << twips;
    return twips / 15;
}

QString text(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return field->text();
    return qobject_cast<QPushButton*>(control)->text();
}

Qt::Alignment alignment(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->alignment();
    return qobject_cast<QLineEdit*>(control)->alignment();
}

bool isKind(QWidget* control, Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return qobject_cast<QLabel*>(control);
    case Kind::Field:
        return qobject_cast<QLineEdit*>(control);
    case Kind::Button:
        return qobject_cast<QPushButton*>(control);
    }
    return false;
}

class WindowLayout : public ::testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override
    {
        shell.switchTo(GetParam().name);
        window = shell.currentWindow();
        ASSERT_NE(window, nullptr);
        auto* mainWindow = qobject_cast<QMainWindow*>(window);
        client = mainWindow ? mainWindow->centralWidget() : window;
    }

    Shell shell;
    QWidget* window = nullptr;
    QWidget* client = nullptr;
};

TEST_P(WindowLayout, FrameCaptionSizeAndPosition)
{
    const WindowCase& w = GetParam();
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->objectName(), w.name);
    EXPECT_EQ(window->windowTitle(), w.players == 0 ? QStringLiteral("ぽてのダーツ計算Ver2")
                                     : w.countUp    ? QStringLiteral("ぽてのダーツ点数計算（カウントアップ）")
                                                    : QStringLiteral("ぽてのダーツ点数計算（３０１）"));
    EXPECT_EQ(client->size(), w.players == 0 ? QSize(px(4680), px(3195)) : QSize(px(6585), px(5355)));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the layout is fixed";
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), applicationIcon().pixmap(32).toImage());

    const QScreen* screen = QGuiApplication::primaryScreen();
    if (w.players == 0) {
        EXPECT_EQ(window->geometry().topLeft(), screen->geometry().topLeft() + QPoint(px(5370), px(3630)));
    } else {
        const QPoint offCentre = window->geometry().center() - screen->availableGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y();
    }
}

TEST_P(WindowLayout, ControlsAsDesigned)
{
    const std::vector<Expected> expected = expectedControls(GetParam());
    const QFont windowFont = window->font();
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name.toStdString());
        auto* c = control<QWidget>(client, e.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parentWidget(), client);
        EXPECT_TRUE(isKind(c, e.kind));
        EXPECT_EQ(text(c), e.text);
        EXPECT_EQ(c->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height)));
        if (e.font.points > 0) {
            EXPECT_EQ(c->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
            EXPECT_EQ(c->font().pointSizeF(), e.font.points);
            EXPECT_EQ(c->font().weight(), e.font.bold ? QFont::Bold : QFont::Normal);
        } else {
            EXPECT_EQ(c->font(), windowFont);
        }
        if (e.kind == Kind::Label) {
            auto* label = qobject_cast<QLabel*>(c);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            EXPECT_FALSE(label->wordWrap());
            EXPECT_EQ(label->alignment(), Qt::AlignTop | e.alignment);
        } else if (e.alignment) {
            EXPECT_EQ(alignment(c) & Qt::AlignHorizontal_Mask, e.alignment);
        }
        if (e.kind == Kind::Field) {
            EXPECT_FALSE(c->accessibleName().isEmpty());
        }
        if (auto* button = qobject_cast<QPushButton*>(c)) {
            EXPECT_FALSE(button->autoDefault() || button->isDefault()) << "Enter must press nothing";
        }
    }
    // Nothing more: a sheet has the columns of its own players only.
    const auto count = client->findChildren<QLabel*>().size() + client->findChildren<QLineEdit*>().size()
        + client->findChildren<QPushButton*>().size();
    EXPECT_EQ(count, static_cast<qsizetype>(expected.size()));
}

TEST_P(WindowLayout, DefaultFontShowsJapanese)
{
    const QFont font = window->font();
    EXPECT_EQ(font.pointSizeF(), 9);
    EXPECT_FALSE(font.bold());
    EXPECT_TRUE(QFontMetrics(font).inFont(QChar(u'ダ')));
}

TEST_P(WindowLayout, MenuBarCommands)
{
    const WindowCase& w = GetParam();
    QMenuBar* bar = menuBarOf(window);
    if (w.players == 0) {
        EXPECT_EQ(bar, nullptr);
        EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
        return;
    }
    ASSERT_NE(bar, nullptr);
    const QStringList names{"reset", "one", "two", "three", "four"};
    const QStringList captions{"リセット（再スタート）", "１人でスタート", "２人でスタート", "３人でスタート",
                               "４人でスタート"};
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_EQ(actions[i]->objectName(), names[i]);
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_EQ(actions[i]->menu(), nullptr);
        EXPECT_EQ(actions[i]->isEnabled(), i != w.players);
        // Every command is on the bar itself, none pushed into an overflow button.
        const QRect place = bar->actionGeometry(actions[i]);
        EXPECT_FALSE(place.isEmpty());
        EXPECT_TRUE(bar->rect().contains(place));
    }
}

TEST_P(WindowLayout, FocusOpensOnFirstControlAndTabRunsThroughPlayers)
{
    const QStringList order = expectedFocusOrder(GetParam());
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_EQ(window->focusWidget()->objectName(), order.first());
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QWidget* focused = window->focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focused, &tab);
    }
    EXPECT_EQ(visited, order);
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_EQ(window->focusWidget()->objectName(), order.first()) << "Tab wraps round to the first control";
}

INSTANTIATE_TEST_SUITE_P(AllWindows, WindowLayout, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zelvo::testing
