// Layout, sizing and what the control draws.

#include "tests/ui/SpinEditFixture.h"
#include "ui/SpinEditMath.h"

#include <QFont>
#include <QIcon>
#include <QImage>

#include <algorithm>
#include <cmath>

using spintest::Design;
using spintest::SpinEditTest;
using ui::TPlusSpinEdit;

namespace {

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QFont pixelFont(int px)
{
    QFont f;
    f.setPixelSize(px);
    return f;
}

QRect boxOf(const QImage &img, QRgb colour)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The darkest grey level inside `area`, text pixels included.
int darkest(const QImage &img, const QRect &area)
{
    int level = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            level = std::min(level, qGray(img.pixel(x, y)));
    return level;
}

class SpinPaintTest : public SpinEditTest {
protected:
    void SetUp() override
    {
        SpinEditTest::SetUp();
        spin->setFont(pixelFont(15));
    }
    void recreateWithFont()
    {
        recreate();
        spin->setFont(pixelFont(15));
    }
    QImage picture() const { return spin->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The text area above the row where the selection mark and the caret go.
    QRect textRows() const
    {
        const QRect cell = charCell(0);
        return QRect(QPoint(spin->contentsRect().left(), cell.top()),
                     QPoint(upButton()->x() - 1, cell.bottom() - 1));
    }
};

} // namespace

TEST_F(SpinPaintTest, ButtonsSitAtTheRightEdgeAndSplitTheHeight)
{
    using Style = TPlusSpinEdit::TBorderStyle;
    for (Style style : {Style::bsSingle, Style::bsNone}) {
        configure({2, 0.01, 0, 100, 2.5}, style);
        spin->SetBounds(3, 4, 155, 25);
        EXPECT_EQ(spin->geometry(), QRect(3, 4, 155, 25));
        const QRect client = spin->contentsRect();
        EXPECT_EQ(client,
                  style == Style::bsSingle ? spin->rect().adjusted(1, 1, -1, -1) : spin->rect());
        const int dw = digitWidth();
        const int w = std::max(10, dw + dw / 2 + 8);
        const int cw = client.width();
        const int ch = client.height();
        EXPECT_EQ(upButton()->geometry(), QRect(client.x() + cw - w, client.y(), w, ch / 2));
        EXPECT_EQ(downButton()->geometry(),
                  QRect(client.x() + cw - w, client.y() + ch / 2, w, ch - ch / 2));

        int a = static_cast<int>(std::nearbyint(1.3 * std::pow(w, 0.75))) - 2;
        a = std::max(a, 4);
        a -= a % 2;
        EXPECT_EQ(upButton()->iconSize(), QSize(a + 1, a / 2 + 2));
        EXPECT_EQ(downButton()->iconSize(), QSize(a + 1, a / 2 + 2));
        EXPECT_EQ(upButton()->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(SpinPaintTest, BorderStyleDrawsAOnePixelFrame)
{
    configure({2, 0.01, 0, 100, 2.5}, TPlusSpinEdit::TBorderStyle::bsSingle);
    spin->setColor(Qt::yellow);
    QImage img = picture();
    EXPECT_EQ(img.pixel(0, 0), kBlack);
    EXPECT_EQ(img.pixel(0, img.height() - 1), kBlack);
    EXPECT_EQ(img.pixel(1, 1), QColor(Qt::yellow).rgb());

    spin->setBorderStyle(TPlusSpinEdit::TBorderStyle::bsNone);
    img = picture();
    EXPECT_EQ(img.pixel(0, 0), QColor(Qt::yellow).rgb());
    EXPECT_TRUE(spin->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST_F(SpinPaintTest, FocusedSelectionIsABlueCellWithTheCaretUnderIt)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->SetBounds(0, 0, 120, 25);
    showFocused();
    const QRect cell = charCell(3); // the last decimal of "2.50"
    QImage img = picture();
    EXPECT_EQ(boxOf(img, kBlue), cell.adjusted(0, 0, 0, -1));
    for (int x = cell.left(); x <= cell.right(); ++x) {
        EXPECT_EQ(img.pixel(x, cell.bottom()), kBlack) << x;
        EXPECT_EQ(img.pixel(x, cell.bottom() + 1), kBlack) << x;
    }
    // the digit inside the cell is white
    int brightest = 0;
    for (int x = cell.left(); x <= cell.right(); ++x)
        brightest = std::max(brightest, qGray(img.pixel(x, cell.center().y())));
    EXPECT_GT(brightest, 200);

    // while an arrow key is held the caret is hidden; the release shows it again
    sendKey(QEvent::KeyPress, Qt::Key_Up, false);
    img = picture();
    EXPECT_EQ(boxOf(img, kBlue), cell);
    EXPECT_EQ(img.pixel(cell.left(), cell.bottom() + 1), spin->Color().rgb());
    sendKey(QEvent::KeyRelease, Qt::Key_Up, false);
    img = picture();
    EXPECT_EQ(img.pixel(cell.left(), cell.bottom() + 1), kBlack);
}

TEST_F(SpinPaintTest, UnfocusedSelectionIsUnderlined)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->SetBounds(0, 0, 120, 25);
    key(Qt::Key_Left);
    const QRect cell = charCell(2);
    const QImage img = picture();
    EXPECT_TRUE(boxOf(img, kBlue).isNull());
    for (int x = cell.left(); x <= cell.right(); ++x)
        EXPECT_EQ(img.pixel(x, cell.bottom()), kBlack) << x;
    EXPECT_NE(img.pixel(cell.left() - 1, cell.bottom()), kBlack);
    EXPECT_NE(img.pixel(cell.right() + 1, cell.bottom()), kBlack);
}

TEST_F(SpinPaintTest, SelectionPastTheLastDecimalIsNotMarked)
{
    configure({9, 5e-11, 0, 1000, 1});
    spin->SetBounds(0, 0, 160, 25);
    showFocused();
    EXPECT_TRUE(boxOf(picture(), kBlue).isNull());
    key(Qt::Key_Left);
    EXPECT_FALSE(boxOf(picture(), kBlue).isNull());
}

TEST_F(SpinPaintTest, DisabledDrawsTextAndArrowsGrey)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->SetBounds(0, 0, 120, 25);
    const auto arrowLevel = [this] {
        const QImage glyph = upButton()->icon().pixmap(upButton()->iconSize()).toImage();
        int level = 255;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (qAlpha(glyph.pixel(x, y)) == 255)
                    level = std::min(level, qGray(glyph.pixel(x, y)));
        return level;
    };
    EXPECT_LT(darkest(picture(), textRows()), 60);
    EXPECT_EQ(arrowLevel(), 0);

    spin->setControlEnabled(false);
    const int level = darkest(picture(), textRows());
    EXPECT_GE(level, 120);
    EXPECT_LE(level, 136);
    EXPECT_EQ(arrowLevel(), 128);
}

TEST_F(SpinPaintTest, AutoSizeFitsTheWidestBound)
{
    struct Case {
        QChar separator;
        int decimals;
        double minValue;
        double maxValue;
        const char16_t *widest;
    };
    const Case cases[] = {
        {QChar(u','), 9, 2e-7, 1000, u"1,000.000,000,000"},
        // the sign makes -1000 the wider one
        {QChar(u','), 0, -1000, 1000, u"-1,000"},
        // equal digit spans: still the wider text
        {QChar(), 2, 0.2, 15, u"15.00"},
        {QChar(), 2, -9, 0.5, u"-9.00"},
    };
    for (const Case &c : cases) {
        recreateWithFont();
        ASSERT_TRUE(spin->AutoSize());
        spin->setThousandSeparator(c.separator);
        spin->setDecimals(c.decimals);
        spin->setMaxValue(c.maxValue);
        spin->setMinValue(c.minValue);
        int h = digitHeight() + digitHeight() / 3;
        h += h % 2 == 0 ? 1 : 0;
        const int w =
            QFontMetrics(spin->font()).horizontalAdvance(QString::fromUtf16(c.widest)) + h;
        EXPECT_EQ(spin->size(), QSize(w, h)) << QString::fromUtf16(c.widest).toStdString();
    }
}

TEST_F(SpinPaintTest, AutoSizeFollowsTheFontAndOffKeepsTheSize)
{
    const int widthBefore = spin->width();
    spin->setFont(pixelFont(30));
    int h = digitHeight() + digitHeight() / 3;
    h += h % 2 == 0 ? 1 : 0;
    EXPECT_EQ(spin->height(), h);
    EXPECT_EQ(spin->width(), widthBefore); // equal bounds: the width stays

    spin->setAutoSize(false);
    spin->SetBounds(0, 0, 100, 40);
    spin->setMaxValue(1000);
    spin->setDecimals(5);
    spin->setFont(pixelFont(12));
    EXPECT_EQ(spin->size(), QSize(100, 40));
}
