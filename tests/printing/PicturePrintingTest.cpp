#include "PrintingFixture.h"

#include "printing/JobSteps.h"
#include "printing/PrintPicture.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

QVector<RecordedOp> printed(const QImage& box, int x = 50, int y = 200)
{
    RecordingSurface surface;
    JobSteps steps(surface);
    int rows = 0;
    PrintPicture(steps, surface, box, x, y, [&] { ++rows; });
    EXPECT_EQ(rows, box.height());
    return opsOfKind(surface, RecordedOp::Kind::Box);
}

}  // namespace

TEST(PrintPicture, onlyTheExactLightGreyIsLeftOut)
{
    QImage box(3, 1, QImage::Format_RGB32);
    box.setPixel(0, 0, qRgb(192, 192, 192));
    box.setPixel(1, 0, qRgb(192, 192, 193));
    box.setPixel(2, 0, qRgb(255, 255, 255));
    const auto boxes = printed(box);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].colour, 0xC1C0C0u);  // blue in the third byte
    EXPECT_EQ(boxes[1].colour, 0xFFFFFFu);  // white still covers what lies below
}

TEST(PrintPicture, eachPixelIsABoxOfOneDisplayPixelAtTheLabelCorner)
{
    QImage box(37, 37, QImage::Format_RGB32);
    box.fill(qRgb(192, 192, 192));
    box.setPixel(2, 1, qRgb(10, 20, 30));
    const auto boxes = printed(box);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].x, 80);
    EXPECT_EQ(boxes[0].y, 215);
    EXPECT_EQ(boxes[0].width, 15);
    EXPECT_EQ(boxes[0].height, 15);
    EXPECT_EQ(boxes[0].colour, 0x1E140Au);

    box.fill(qRgb(0, 0, 0));
    EXPECT_EQ(printed(box).size(), 37 * 37);
}

TEST(PrintPicture, emptyDrawingAreaPrintsNothing)
{
    EXPECT_TRUE(printed(QImage()).isEmpty());
    EXPECT_TRUE(printed(QImage(0, 5, QImage::Format_RGB32)).isEmpty());
}

// A picture in one piece prints what a box for each of its other pixels prints, and leaves
// the position where the last of those boxes would.
TEST(PrintPicture, aPictureInOnePiecePrintsTheBoxesOfItsPixels)
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(0, 0, qRgb(10, 20, 30));
    picture.setPixel(1, 1, qRgb(255, 255, 255));
    RecordingSurface surface;
    surface.Picture(50, 200, picture);
    const auto boxes = opsOfKind(surface, RecordedOp::Kind::Box);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(std::tuple(boxes[0].x, boxes[0].y, boxes[0].width, boxes[0].colour), std::tuple(50.f, 200.f, 15.f, 0x1E140Au));
    EXPECT_EQ(std::tuple(boxes[1].x, boxes[1].y, boxes[1].height, boxes[1].colour), std::tuple(65.f, 215.f, 15.f, 0xFFFFFFu));
    EXPECT_EQ(std::pair(surface.CurrentX(), surface.CurrentY()), std::pair(80.f, 230.f));

    RecordingSurface untouched;
    picture.fill(Qt::transparent);
    untouched.Picture(50, 200, picture);
    EXPECT_TRUE(untouched.ops().isEmpty() && !untouched.jobOpen());
}
