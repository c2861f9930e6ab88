// Whole games played on the real widgets: throws typed into the QLineEdits,
// the real 計算 buttons clicked, message boxes read and closed as a player
// would close them.

#include "shell/application_shell.hpp"
#include "tests/shell_test_support.hpp"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace zelvo::testing {
namespace {

QString captionOf(QWidget* window, const QString& label)
{
    auto* found = control<QLabel>(window, label);
    return found ? found->text() : QString();
}

// Closes every message box that opens while it lives, recording its text,
// how it was made, and what a label of the window showed while it was open.
class BoxCloser {
public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        bool modal;
        QString watchedLabel;
    };

    BoxCloser(QWidget* window, QString watchedLabel) : window(window), watchedLabel(std::move(watchedLabel))
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { closeOpenBox(); });
        timer.start();
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Seen& box : seen)
            all << box.text;
        return all;
    }

    std::vector<Seen> seen;

private:
    void closeOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                        box->windowModality() == Qt::ApplicationModal, captionOf(window, watchedLabel)});
        box->button(QMessageBox::Ok)->click();
    }

    QWidget* window;
    QString watchedLabel;
    QTimer timer;
};

void throwDarts(QWidget* window, const QStringList& fields, const QStringList& points, const QString& button)
{
    for (int i = 0; i < 3; ++i)
        type(window, fields[i], points[i]);
    click(window, button);
}

const QStringList kPlayer1Throws{"Text1", "Text2", "Text3"};
const QStringList kPlayer2Throws{"Text6", "Text7", "Text8"};

TEST(GameWindow, OnePlayerCountUpPlaysEightRoundsFromTheMenu)
{
    Shell shell;
    shell.start();
    click(shell.currentWindow(), "Command1");
    QWidget* sheet = shell.currentWindow();
    ASSERT_EQ(sheet->objectName(), "Form1");

    BoxCloser boxes(sheet, "Label5");
    throwDarts(sheet, kPlayer1Throws, {"20", "60", "19"}, "Command1");
    EXPECT_EQ(captionOf(sheet, "Label5"), "99");
    EXPECT_EQ(captionOf(sheet, "Label6"), "2");
    for (const QString& field : kPlayer1Throws)
        EXPECT_EQ(textOf(sheet, field), "");

    // A full-width entry counts like any other; a bad one changes nothing.
    throwDarts(sheet, kPlayer1Throws, {"２０", "abc", "1"}, "Command1");
    EXPECT_EQ(boxes.texts(), QStringList{"数字を入力してください"});
    EXPECT_EQ(captionOf(sheet, "Label5"), "99");
    EXPECT_EQ(textOf(sheet, "Text2"), "abc");

    for (int round = 2; round <= 8; ++round)
        throwDarts(sheet, kPlayer1Throws, {"１", "1", "1"}, "Command1");
    EXPECT_EQ(captionOf(sheet, "Label5"), "120");
    EXPECT_EQ(captionOf(sheet, "Label6"), "8");
    ASSERT_EQ(boxes.seen.size(), 2u);
    const BoxCloser::Seen final = boxes.seen.back();
    EXPECT_EQ(final.text, "プレーヤー1さんの合計は 120点です。おつかれさまでした。");
    EXPECT_EQ(final.watchedLabel, "120"); // the total is written before the box opens
    EXPECT_EQ(final.title, "ZELVO");
    EXPECT_EQ(final.icon, QMessageBox::NoIcon);
    EXPECT_EQ(final.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(final.modal);

    // After the game a press only repeats the total, whatever the fields hold.
    throwDarts(sheet, kPlayer1Throws, {"x", "y", "z"}, "Command1");
    EXPECT_EQ(boxes.seen.back().text, final.text);
    EXPECT_EQ(textOf(sheet, "Text1"), "");
}

TEST(GameWindow, NamesInMessagesAreShownAsTyped)
{
    Shell shell;
    shell.switchTo("Form6");
    QWidget* sheet = shell.currentWindow();
    BoxCloser boxes(sheet, "Label5");
    type(sheet, "Text4", "<b>Ann</b>");
    throwDarts(sheet, kPlayer1Throws, {"301", "0", "0"}, "Command1");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "<b>Ann</b>さんの勝ちです。おめでとうございます！");
    auto* label = sheet->findChild<QLabel*>("Label5");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "0");
}

TEST(GameWindow, TwoPlayerCountUpEndsWithTheWinnerByName)
{
    Shell shell;
    shell.switchTo("Form2");
    QWidget* sheet = shell.currentWindow();
    BoxCloser boxes(sheet, "Label9");
    type(sheet, "Text5", "ハナコ");
    for (int round = 1; round <= 8; ++round) {
        throwDarts(sheet, kPlayer1Throws, {"10", "10", "10"}, "Command1");
        throwDarts(sheet, kPlayer2Throws, {"20", "20", "20"}, "Command2");
    }
    EXPECT_EQ(captionOf(sheet, "Label5"), "240");
    EXPECT_EQ(captionOf(sheet, "Label9"), "480");
    EXPECT_EQ(captionOf(sheet, "Label6"), "8");
    EXPECT_EQ(boxes.texts(), (QStringList{"プレーヤー1さんの合計は 240点です。おつかれさまでした。",
                                          "ハナコさんの合計は 480点です。おつかれさまでした。",
                                          "ハナコさんの勝ちです。おめでとうございます。"}));
    EXPECT_EQ(boxes.seen.back().watchedLabel, "480");

    throwDarts(sheet, kPlayer1Throws, {"1", "1", "1"}, "Command1");
    EXPECT_EQ(boxes.seen.back().text, "合計は 240です。おつかれさまでした。");
}

TEST(GameWindow, TwoPlayer301EndsWithTheLowerScoreWinning)
{
    Shell shell;
    shell.switchTo("Form7");
    QWidget* sheet = shell.currentWindow();
    BoxCloser boxes(sheet, "Label9");
    for (int round = 1; round <= 20; ++round) {
        throwDarts(sheet, kPlayer1Throws, {"5", "5", "0"}, "Command1");
        throwDarts(sheet, kPlayer2Throws, {"4", "4", "4"}, "Command2");
    }
    EXPECT_EQ(captionOf(sheet, "Label5"), "101");
    EXPECT_EQ(captionOf(sheet, "Label9"), "61");
    EXPECT_EQ(captionOf(sheet, "Label6"), "20");
    EXPECT_EQ(boxes.texts(), (QStringList{"２０ラウンド終わりました。プレーヤー1さんの合計は 101点です。おつかれさまでした。",
                                          "２０ラウンド終わりました。プレーヤー2さんの合計は 61点です。おつかれさまでした。",
                                          "プレーヤー2さんの勝ちです。おめでとうございます。"}));

    // The game is over: the buttons do nothing and the fields keep their text.
    throwDarts(sheet, kPlayer1Throws, {"1", "1", "1"}, "Command1");
    EXPECT_EQ(boxes.seen.size(), 3u);
    EXPECT_EQ(textOf(sheet, "Text1"), "1");
    EXPECT_EQ(captionOf(sheet, "Label5"), "101");
}

TEST(GameWindow, ABustShowsTheNegativeScoreUntilItsBoxIsClosed)
{
    Shell shell;
    shell.switchTo("Form6");
    QWidget* sheet = shell.currentWindow();
    BoxCloser boxes(sheet, "Label5");
    throwDarts(sheet, kPlayer1Throws, {"100", "100", "100"}, "Command1");
    throwDarts(sheet, kPlayer1Throws, {"1", "1", "1"}, "Command1");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "★☆バースト☆★");
    EXPECT_EQ(boxes.seen[0].watchedLabel, "-2");
    EXPECT_EQ(captionOf(sheet, "Label5"), "1");
    EXPECT_EQ(captionOf(sheet, "Label6"), "3");
}

} // namespace
} // namespace zelvo::testing
