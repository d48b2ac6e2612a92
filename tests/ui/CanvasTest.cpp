#include "WindowsFixture.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/CanvasPainter.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/DiagramGeometry.h"
#include "platform/Cp932Codec.h"

#include <QFile>
#include <QFontMetrics>
#include <stdexcept>

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kWhite = qRgb(255, 255, 255);

QImage& canvas() {
    return Form1->img1->image();
}

QRgb pixel(int x, int y) {
    return canvas().pixel(x, y) | 0xFF000000;
}

QRgb buttonFace() {
    return buttonFaceColor().rgb();
}

int textWidth(const QString& text) {
    return QFontMetrics(Form1->img1->font(), &canvas()).horizontalAdvance(text);
}

// Adds an item to the active scene at (x, y) the way a double-click does.
hakoniwa::Item& addItem(int x, int y, const char* label = "", const char* colour = "") {
    Form2->downX = x;
    Form2->downY = y;
    Form2->addItm(*Form1->project.activeScene());
    Form2->newItm->sheet.setCell(4, 1, label);
    Form2->newItm->sheet.setCell(5, 1, colour);
    return *Form2->newItm;
}

void setRow(hakoniwa::Item& item, int row, const char* jump, std::array<int, 4> offsets = {}) {
    item.sheet.setCell(1, row, jump);
    for (int i = 0; i < 4; ++i)
        item.sheet.setCell(6 + i, row, std::to_string(offsets[i]));
}

int countPixelsOutside(QRgb colour, const hakoniwa::CanvasRect& box) {
    int count = 0;
    for (int y = 0; y < canvas().height(); ++y)
        for (int x = 0; x < canvas().width(); ++x)
            if (pixel(x, y) == colour &&
                !(box.left <= x && x < box.right && box.top <= y && y < box.bottom))
                ++count;
    return count;
}

// The icon lies pixel for pixel in the rectangle, except where the box covers it.
bool iconShows(const QImage& icon, const hakoniwa::CanvasRect& rect,
               const hakoniwa::CanvasRect& box) {
    for (int j = 0; j < rect.height(); ++j)
        for (int i = 0; i < rect.width(); ++i) {
            const int x = rect.left + i, y = rect.top + j;
            const bool covered = box.left <= x && x < box.right && box.top <= y && y < box.bottom;
            if (!covered && pixel(x, y) != (icon.pixel(i, j) | 0xFF000000))
                return false;
        }
    return true;
}

} // namespace

using Canvas = WindowsFixture;

TEST_F(Canvas, BoxOutlineAndTextFollowTheTextWidth) {
    hakoniwa::Item& item = addItem(50, 60, "abc");
    item.sheet.setCell(3, 1, "0");
    Form2->dspAllItm();
    const int w = textWidth("abc");
    const QRgb background = pixel(300, 250);
    const int middleX = 50 + w / 2;
    EXPECT_EQ(pixel(45, 66), background);
    EXPECT_EQ(pixel(46, 66), kBlack);
    EXPECT_EQ(pixel(50 + w + 3, 66), kBlack);
    EXPECT_EQ(pixel(50 + w + 4, 66), background);
    EXPECT_EQ(pixel(middleX, 55), background);
    EXPECT_EQ(pixel(middleX, 56), kBlack);
    EXPECT_EQ(pixel(middleX, 75), kBlack);
    EXPECT_EQ(pixel(middleX, 76), background);

    // The text starts 2 pixels right of and below the anchor.
    int firstInkX = 1000, firstInkY = 1000;
    for (int y = 57; y < 75; ++y)
        for (int x = 47; x < 50 + w + 3; ++x)
            if (pixel(x, y) != buttonFace()) {
                firstInkX = std::min(firstInkX, x);
                firstInkY = std::min(firstInkY, y);
            }
    EXPECT_GE(firstInkX, 52);
    EXPECT_LE(firstInkX, 54);
    EXPECT_GE(firstInkY, 62);
}

TEST_F(Canvas, EmptyTextGivesAnEightByTwentyBoxAroundTheAnchor) {
    {
        CanvasPainter painter(*Form1->img1);
        painter.setBrushColor(Qt::white);
        painter.clear();
        Form2->drawItmBox(painter, 100, 100, "", -1);
    }
    QRect ink;
    for (int y = 0; y < canvas().height(); ++y)
        for (int x = 0; x < canvas().width(); ++x)
            if (pixel(x, y) == kBlack)
                ink |= QRect(x, y, 1, 1);
    EXPECT_EQ(ink, QRect(96, 96, 8, 20));
}

TEST_F(Canvas, FillStartsWhiteThenReturnsToButtonFaceAfterEveryBox) {
    // The first box ever drawn finds the canvas's initial white fill.
    hakoniwa::Item& red = addItem(40, 40);
    EXPECT_EQ(pixel(300, 250), kWhite);
    EXPECT_EQ(pixel(38, 50), kWhite);

    red.sheet.setCell(5, 1, "0x000000FF");
    hakoniwa::Item& plain = addItem(140, 40, "", "abc");
    EXPECT_EQ(pixel(300, 250), buttonFace());
    EXPECT_EQ(pixel(38, 50), kRed);
    EXPECT_EQ(pixel(138, 50), buttonFace());

    Form2->selItm = &plain;
    Form2->dspAllItm();
    EXPECT_EQ(pixel(136, 50), kRed);
    EXPECT_EQ(pixel(36, 50), kBlack);
    // Now drawn with "abc" in its colour cell: a colour that is not a number is no colour.
    EXPECT_EQ(pixel(138, 50), buttonFace());
    EXPECT_EQ(pixel(38, 50), kRed);
}

TEST_F(Canvas, NoActiveSceneDrawsAndClearsNothing) {
    addItem(40, 40);
    Form1->clrAllScene();
    ASSERT_EQ(Form1->project.activeScene(), nullptr);
    canvas().fill(Qt::blue);
    Form2->dspAllItm();
    EXPECT_EQ(pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(pixel(40, 40), qRgb(0, 0, 255));
}

TEST_F(Canvas, SelfJumpDrawsTheLoopAndTheSelfIcon) {
    hakoniwa::Item& item = addItem(100, 100, "loop");
    item.sheet.setCell(3, 1, "0");
    setRow(item, 2, "1", {40, -40, 80, 0});
    Form2->dspAllItm();
    const hakoniwa::CanvasRect box = hakoniwa::boxRect({100, 100}, textWidth("loop"));
    EXPECT_EQ(pixel(160, 80), kBlack);  // anchor + (40,-40) to anchor + (80,0)
    EXPECT_EQ(pixel(160, 100), kBlack); // back to the anchor
    EXPECT_TRUE(iconShows(Form2->imgSlf, hakoniwa::selfIconRect({100, 100}), box));
}

TEST_F(Canvas, SceneCallDrawsTheCallIconAndNoLine) {
    hakoniwa::Item& item = addItem(100, 100, "call", "0x0000FF00");
    item.sheet.setCell(3, 1, "0");
    setRow(item, 2, "2"); // one item, so 2 is the first scene
    Form2->dspAllItm();
    const hakoniwa::CanvasRect box = hakoniwa::boxRect({100, 100}, textWidth("call"));
    EXPECT_TRUE(iconShows(Form2->imgCl, hakoniwa::callIconRect({100, 100}), box));
    EXPECT_EQ(pixel(98, 104), kGreen);
    EXPECT_EQ(countPixelsOutside(kGreen, box), 0);
}

TEST_F(Canvas, StartLineIsBlackWhateverTheItemsColour) {
    addItem(200, 100, "start", "0x0000FF00");
    Form2->dspAllItm();
    EXPECT_EQ(pixel(100, 50), kBlack);
    EXPECT_EQ(countPixelsOutside(kGreen, hakoniwa::boxRect({200, 100}, textWidth("start"))), 0);
}

TEST_F(Canvas, LinkTakesTheSourceColourAndTheCurrentItemsHandlesAreBlack) {
    hakoniwa::Item& from = addItem(50, 150, "a", "0x0000FF00");
    hakoniwa::Item& to = addItem(250, 150, "b");
    from.sheet.setCell(3, 1, "0");
    setRow(from, 2, "2", {0, -60, -100, -60}); // over (50,90) and (150,90) to (250,150)
    Form2->dspAllItm();
    EXPECT_EQ(pixel(100, 90), kGreen);
    EXPECT_EQ(pixel(200, 120), kGreen);
    EXPECT_NE(pixel(150, 88), kBlack); // no handles: a is not the current item

    Form2->curItm = &from;
    Form2->dspAllItm();
    EXPECT_EQ(pixel(150, 88), kBlack);
    EXPECT_EQ(pixel(50, 88), kBlack);
    Form2->curItm = &to; // b's links have handles, a's do not
    Form2->dspAllItm();
    EXPECT_NE(pixel(150, 88), kBlack);
}

TEST_F(Canvas, WithNoCurrentItemEveryStartLineShowsItsHandles) {
    hakoniwa::Item& item = addItem(120, 60);
    auto drawStartLine = [&] {
        {
            CanvasPainter painter(*Form1->img1);
            painter.setBrushColor(Qt::white);
            painter.clear();
            Form2->drawLinkLine(painter, nullptr, item, -1);
        }
        return canvas().copy();
    };
    Form2->curItm = &item;
    const QImage plain = drawStartLine();
    Form2->curItm = nullptr;
    const QImage handles = drawStartLine();
    // Both circles changed something, and nothing else changed.
    const QRect origin(-2, -2, 4, 4), anchor(118, 58, 4, 4);
    int nearOrigin = 0, nearAnchor = 0, elsewhere = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != handles.pixel(x, y))
                ++(origin.contains(x, y)   ? nearOrigin
                   : anchor.contains(x, y) ? nearAnchor
                                           : elsewhere);
    EXPECT_GT(nearOrigin, 0);
    EXPECT_GT(nearAnchor, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(Canvas, UpdItemJumpNoKeepsSceneCallsOnTheirScenes) {
    hakoniwa::Item& first = addItem(10, 10);
    addItem(60, 10);
    addItem(110, 10);
    for (const char* jump : {"2", "3", "4", "5", "-4"})
        setRow(first, first.sheet.rowCount(), jump);
    addItem(160, 10);
    Form2->updItemJumpNo();
    std::vector<std::string> jumps;
    for (int row = 5; row < first.sheet.rowCount(); ++row)
        jumps.emplace_back(first.sheet.cell(1, row));
    EXPECT_EQ(jumps, (std::vector<std::string>{"2", "3", "5", "6", "-4"}));
}

TEST_F(Canvas, FitColWidthsMeasuresInTheDetailsWindowsFont) {
    hakoniwa::Item& item = addItem(10, 10);
    item.sheet.setCell(2, 3, hakoniwa::Cp932Codec::encode(QStringLiteral("命令の名前,引数")));
    Form2->fitColWidths(item.sheet);
    const int expected =
        QFontMetrics(Form3->font()).horizontalAdvance(QStringLiteral("命令の名前5"));
    EXPECT_EQ(item.sheet.columnWidths()[2], std::max(30, expected));
    EXPECT_EQ(item.sheet.columnWidths()[5], 30);
}

TEST_F(Canvas, BackBufferFollowsTheCanvasSize) {
    Form1->img1->resize(500, 420);
    EXPECT_EQ(canvas().size(), QSize(500, 420));
}

TEST_F(Canvas, MissingIconEndsStartUpNamingTheFile) {
    destroyWindows();
    const QString icon = scratch.path() + "/dat/img/call.bmp";
    ASSERT_TRUE(QFile::remove(icon));
    try {
        createWindows();
        ADD_FAILURE() << "start-up went on without the call icon";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("call.bmp"), std::string::npos);
    }
    EXPECT_EQ(Form2, nullptr);
    destroyWindows();
    ASSERT_TRUE(QFile::copy(HAKONIWA_SOURCE_DIR "/dat/img/call.bmp", icon));
    createWindows();
}
