// The map canvas driven by mouse and key events on its window, and the
// clipboard block it copies areas in.

#include "mapedit/map_canvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>
#include <set>
#include <tuple>

#include "mapedit/map_clipboard.h"
#include "support/test_env.h"

namespace vesk {
namespace {

using test::MakeTempDir;

MapShape Shape(int kind, std::vector<MapPoint> points, int id = 0) {
    MapShape shape;
    shape.kind = kind;
    shape.points = std::move(points);
    shape.id = id;
    return shape;
}

std::vector<MapPoint> Rect(int left, int top, int right, int bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

QString WritePicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    const QString path = MakeTempDir() + "/picture.png";
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

class CanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QGuiApplication::clipboard()->clear();
        canvas = std::make_unique<CMapCanvas>();
        canvas->resize(360, 280);
        canvas->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas.get()));
        vp = canvas->viewport();
    }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    // A move with no button goes through the cursor, which reports nothing when
    // it is already there: come from a pixel aside.
    void Hover(QPoint p) {
        QTest::mouseMove(vp, p + QPoint(1, 0));
        QTest::mouseMove(vp, p);
    }
    void Click(QPoint p) {
        Hover(p);
        QTest::mouseClick(vp, Qt::LeftButton, {}, p);
    }
    void Drag(QPoint from, QPoint to) {
        Hover(from);
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }
    void Key(Qt::Key key) { QTest::keyClick(vp, key); }
    // Areas in list order; index 0 is the built-in default area.
    MapShape At(int index) { return canvas->Shapes().at(index); }
    int AddArea(const MapShape& shape) {
        canvas->LoadShapes({shape});
        return canvas->AreaCount() - 1;
    }

    std::unique_ptr<CMapCanvas> canvas;
    QWidget* vp = nullptr;
};

// ---- drawing -------------------------------------------------------------------

TEST_F(CanvasTest, RectangleTakesTwoClicksAndDraggingMakesNothing) {
    QSignalSpy rows(canvas.get(), &CMapCanvas::RowSelected);
    canvas->SetTool(CMapCanvas::kRectTool);
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorDraw);

    // Press, drag, release: only the first corner is given.
    Drag({80, 70}, {20, 30});
    EXPECT_EQ(canvas->AreaCount(), 1);
    EXPECT_TRUE(canvas->OperationInProgress());

    Hover({120, 100});
    Click({20, 30});
    ASSERT_EQ(canvas->AreaCount(), 2);
    const MapShape rect = At(1);
    EXPECT_EQ(rect.kind, kShapeRect);
    // Corners from the two clicks, in order whichever way the mouse went.
    EXPECT_EQ(rect.points, Rect(20, 30, 80, 70));

    EXPECT_EQ(canvas->Tool(), CMapCanvas::kSelectTool);
    EXPECT_FALSE(canvas->OperationInProgress());
    EXPECT_EQ(canvas->SelectedIndex(), 1);
    EXPECT_EQ(canvas->Handles().size(), 8u);
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.at(0).at(0).toInt(), 1);
}

TEST_F(CanvasTest, CircleSquareFollowsTheDiagonal) {
    canvas->SetTool(CMapCanvas::kCircleTool);
    Click({10, 10});
    Hover({30, 30});
    Click({40, 50});
    ASSERT_EQ(canvas->AreaCount(), 2);
    // Distance 50, side trunc(50 x 0.7071...) = 35, plus one.
    EXPECT_EQ(At(1).kind, kShapeCirc);
    EXPECT_EQ(At(1).points, Rect(10, 10, 46, 46));

    // Towards the upper left the square grows the other way and comes out normalised.
    canvas->SetTool(CMapCanvas::kCircleTool);
    Click({100, 100});
    Click({70, 60});
    ASSERT_EQ(canvas->AreaCount(), 3);
    EXPECT_EQ(At(2).points, Rect(66, 66, 100, 100));
}

TEST(CircleCornerTest, SideIsTruncatedAndGrowsTowardsTheCursor) {
    // 100 x 0.7071 = 70.7: truncated, not rounded; level with the start counts as "above".
    EXPECT_EQ(CircleCorner({0, 0}, {100, 0}, 0), (MapPoint{70, -70}));
    EXPECT_EQ(CircleCorner({50, 50}, {20, 80}, 1), (MapPoint{50 - 30 + 1, 50 + 30 + 1}));
}

TEST_F(CanvasTest, PolygonEndsWithADoubleClickOnlyAfterTheMouseMoved) {
    canvas->SetTool(CMapCanvas::kPolygonTool);
    // Clicks without any movement in between: a double click does not end it.
    QTest::mouseClick(vp, Qt::LeftButton, {}, {10, 10});
    QTest::mouseClick(vp, Qt::LeftButton, {}, {60, 10});
    QTest::mouseDClick(vp, Qt::LeftButton, {}, {60, 10});
    EXPECT_EQ(canvas->AreaCount(), 1);
    EXPECT_TRUE(canvas->OperationInProgress());

    // The next click continues it; after a move the double click ends it, the
    // click before it having given the last vertex.
    Click({40, 60});
    QTest::mouseDClick(vp, Qt::LeftButton, {}, {40, 60});
    ASSERT_EQ(canvas->AreaCount(), 2);
    EXPECT_EQ(At(1).kind, kShapePoly);
    EXPECT_EQ(At(1).points, (std::vector<MapPoint>{{10, 10}, {60, 10}, {40, 60}}));
    EXPECT_EQ(canvas->Tool(), CMapCanvas::kSelectTool);
    EXPECT_EQ(canvas->SelectedIndex(), 1);
    EXPECT_FALSE(canvas->OperationInProgress());
}

TEST_F(CanvasTest, DrawnAreasGetIdsNoOtherAreaHas) {
    // Read areas keep their ids; the built-in default area moves off them.
    canvas->LoadShapes({Shape(kShapeRect, Rect(0, 0, 5, 5), 1), Shape(kShapePoly, {{1, 1}}, 2)});
    canvas->SetTool(CMapCanvas::kRectTool);
    Click({100, 100});
    Click({120, 120});
    std::set<int> ids;
    for (const MapShape& shape : canvas->Shapes()) ids.insert(shape.id);
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_FALSE(ids.count(0));
    EXPECT_EQ(At(1).id, 1);
    EXPECT_EQ(At(2).id, 2);
}

TEST_F(CanvasTest, DraggingAnAreaMovesItByTheMouseTravel) {
    const int index = AddArea(Shape(kShapeRect, Rect(20, 20, 60, 60), 7));
    Hover({40, 40});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorMove);
    Drag({40, 40}, {55, 30});
    EXPECT_EQ(At(index).points, Rect(35, 10, 75, 50));
    EXPECT_EQ(At(index).id, 7);
    EXPECT_EQ(canvas->SelectedIndex(), index);
    EXPECT_FALSE(canvas->OperationInProgress());
}

TEST_F(CanvasTest, RectangleCornersAndEdgesKeepItAxisParallel) {
    const int index = AddArea(Shape(kShapeRect, Rect(20, 20, 60, 60)));
    Click({40, 40});
    ASSERT_EQ(canvas->SelectedIndex(), index);

    Hover({60, 60});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorNwse);
    Hover({60, 20});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorNesw);
    Hover({40, 20});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorNs);
    Hover({20, 40});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorWe);

    Drag({60, 60}, {80, 90});
    EXPECT_EQ(At(index).points, Rect(20, 20, 80, 90));
    Drag({50, 20}, {50, 5});  // the top edge's middle handle
    EXPECT_EQ(At(index).points, Rect(20, 5, 80, 90));
    Drag({20, 47}, {30, 47});  // the left edge's middle handle
    EXPECT_EQ(At(index).points, Rect(30, 5, 80, 90));

    // Dragged across the opposite corner, it comes back in corner order.
    Drag({30, 5}, {100, 100});
    EXPECT_EQ(At(index).points, Rect(80, 90, 100, 100));
}

TEST_F(CanvasTest, CircleCornerResizesFromTheOppositeCorner) {
    const int index = AddArea(Shape(kShapeCirc, Rect(20, 20, 60, 60)));
    Click({40, 40});
    Hover({60, 60});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorNwse);
    // Anchor (20,20); cursor at distance sqrt(80^2 + 80^2) = 113.1 gives 80.
    Drag({60, 60}, {100, 100});
    EXPECT_EQ(At(index).points, Rect(20, 20, 100, 100));
}

TEST_F(CanvasTest, PressOnAPolygonEdgeInsertsAVertexAndDragsIt) {
    const int index = AddArea(Shape(kShapePoly, {{20, 20}, {120, 20}, {70, 100}}));
    Click({70, 50});
    ASSERT_EQ(canvas->SelectedIndex(), index);
    Hover({70, 23});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorInsertVertex);
    Drag({70, 23}, {72, 5});
    EXPECT_EQ(At(index).points, (std::vector<MapPoint>{{20, 20}, {72, 5}, {120, 20}, {70, 100}}));
    EXPECT_EQ(canvas->Handles().size(), 4u);

    // The closing edge, from the last vertex back to the first, takes one too.
    Hover({45, 60});
    EXPECT_EQ(canvas->CursorState(), CMapCanvas::kCursorInsertVertex);
    QTest::mousePress(vp, Qt::LeftButton, {}, {45, 60});
    QTest::mouseRelease(vp, Qt::LeftButton, {}, {45, 60});
    ASSERT_EQ(At(index).points.size(), 5u);
    EXPECT_EQ(At(index).points.back().y, 60);
}

TEST_F(CanvasTest, NewVertexLiesOnTheEdgeLine) {
    // Vertical: the x of the edge, the y of the press.
    EXPECT_EQ(ProjectOnEdge({10, 0}, {10, 50}, {13, 20}), (MapPoint{10, 20}));
    // Shallow (slope 1/2): straight down onto the line.
    EXPECT_EQ(ProjectOnEdge({0, 0}, {40, 20}, {20, 14}), (MapPoint{20, 10}));
    // Steep (slope 4): straight across onto the line.
    EXPECT_EQ(ProjectOnEdge({0, 0}, {10, 40}, {8, 20}), (MapPoint{5, 20}));
}

TEST_F(CanvasTest, ArrowKeysMoveTheSelectedAreaByOnePixel) {
    const int index = AddArea(Shape(kShapeRect, Rect(20, 20, 60, 60)));
    Key(Qt::Key_Right);  // nothing selected: nothing moves
    EXPECT_EQ(At(index).points, Rect(20, 20, 60, 60));

    Click({40, 40});
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Left);
    EXPECT_EQ(At(index).points, Rect(21, 21, 61, 61));
    // The handles went along.
    EXPECT_EQ(canvas->Handles().front().center(), QRect(18, 18, 6, 6).center());
}

TEST_F(CanvasTest, DeleteRemovesTheSelectedAreaOnly) {
    AddArea(Shape(kShapeRect, Rect(20, 20, 60, 60), 1));
    AddArea(Shape(kShapeRect, Rect(100, 20, 140, 60), 2));
    QSignalSpy changed(canvas.get(), &CMapCanvas::AreasChanged);
    Key(Qt::Key_Delete);
    EXPECT_EQ(canvas->AreaCount(), 3);

    Click({120, 40});
    Key(Qt::Key_Delete);
    ASSERT_EQ(canvas->AreaCount(), 2);
    EXPECT_EQ(At(1).id, 1);
    EXPECT_EQ(canvas->SelectedIndex(), -1);
    EXPECT_TRUE(canvas->Handles().empty());
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(CanvasTest, EmptySpotOfThePictureChoosesTheDefaultRowWithoutSelecting) {
    canvas->LoadImage(WritePicture(200, 150));
    const QPoint origin = canvas->Origin();
    AddArea(Shape(kShapeRect, Rect(10, 10, 40, 40)));
    QSignalSpy rows(canvas.get(), &CMapCanvas::RowSelected);
    QSignalSpy cleared(canvas.get(), &CMapCanvas::SelectionCleared);

    Click(origin + QPoint(20, 20));
    EXPECT_EQ(canvas->SelectedIndex(), 1);
    Click(origin + QPoint(150, 100));
    EXPECT_EQ(canvas->SelectedIndex(), -1);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.at(1).at(0).toInt(), canvas->DefaultIndex());
    EXPECT_EQ(cleared.count(), 0);

    // The default area cannot be deleted or moved from there.
    Key(Qt::Key_Delete);
    Key(Qt::Key_Left);
    EXPECT_EQ(canvas->AreaCount(), 2);
    EXPECT_EQ(At(0).points, (std::vector<MapPoint>{{0, 0}, {200, 150}}));

    // Outside the picture the selection is simply cleared.
    Click(origin + QPoint(-5, 20));
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(rows.count(), 2);
}

// ---- menu and clipboard ---------------------------------------------------------

QAction* MenuAction(QMenu& menu, int id) {
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == id)
            return action;
    }
    return nullptr;
}

TEST_F(CanvasTest, MenuItemsNeedASelectionOrAnAreaOnTheClipboard) {
    AddArea(Shape(kShapeRect, Rect(20, 20, 60, 60)));
    {
        std::unique_ptr<QMenu> menu(canvas->CreateContextMenu(nullptr, {}));
        for (int id :
             {kCmdMapCopy, kCmdMapCut, kCmdMapDelete, kCmdMapPaste, kCmdMapPasteWithAttributes})
            EXPECT_FALSE(MenuAction(*menu, id)->isEnabled()) << id;
        EXPECT_TRUE(MenuAction(*menu, kCmdMapRect)->isEnabled());
        EXPECT_EQ(menu->actions().size(), 11);  // eight items, three separators
    }
    Click({40, 40});
    std::unique_ptr<QMenu> menu(canvas->CreateContextMenu(nullptr, {}));
    EXPECT_TRUE(MenuAction(*menu, kCmdMapCopy)->isEnabled());
    EXPECT_FALSE(MenuAction(*menu, kCmdMapPaste)->isEnabled());
    MenuAction(*menu, kCmdMapCopy)->trigger();
    EXPECT_TRUE(canvas->Copied());
    menu.reset(canvas->CreateContextMenu(nullptr, {}));
    EXPECT_TRUE(MenuAction(*menu, kCmdMapPaste)->isEnabled());
    EXPECT_TRUE(MenuAction(*menu, kCmdMapPasteWithAttributes)->isEnabled());

    MenuAction(*menu, kCmdMapCircle)->trigger();
    EXPECT_EQ(canvas->Tool(), CMapCanvas::kCircleTool);
}

TEST_F(CanvasTest, RightButtonOpensTheMenuOnlyWhenNothingIsUnderWay) {
    bool opened = false;
    auto rightClick = [&](QPoint p) {
        opened = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                opened = true;
                popup->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, vp->mapToGlobal(p));
        QApplication::sendEvent(vp, &event);
        QApplication::processEvents();
    };
    rightClick({50, 50});
    EXPECT_TRUE(opened);

    canvas->SetTool(CMapCanvas::kRectTool);
    Click({10, 10});
    rightClick({50, 50});
    EXPECT_FALSE(opened);
}

TEST_F(CanvasTest, PasteTakesTheTextsOnlyWithAttributes) {
    MapShape source = Shape(kShapeRect, Rect(20, 20, 60, 40), 5);
    source.href = "/site/a.html";
    source.localFile = 1;
    source.alt = "説明";
    source.target = "_blank";
    AddArea(source);
    Click({30, 30});
    canvas->RunCommand(kCmdMapCut);
    EXPECT_FALSE(canvas->Copied());
    ASSERT_EQ(canvas->AreaCount(), 1);

    // Centre (40,30) put at the cursor, then carried along by the mouse.
    canvas->RunCommand(kCmdMapPaste, {100, 100});
    EXPECT_TRUE(canvas->Placing());
    Click({110, 120});
    EXPECT_FALSE(canvas->Placing());
    canvas->RunCommand(kCmdMapPasteWithAttributes, {200, 150});
    Click({200, 150});
    ASSERT_EQ(canvas->AreaCount(), 3);
    const MapShape plain = At(1), full = At(2);
    EXPECT_EQ(plain.points, Rect(90, 110, 130, 130));
    EXPECT_EQ(full.points, Rect(180, 140, 220, 160));
    EXPECT_EQ(std::tie(plain.href, plain.localFile, plain.alt, plain.target),
              std::make_tuple("", 0, "", ""));
    EXPECT_EQ(std::tie(full.href, full.localFile, full.alt, full.target),
              std::tie(source.href, source.localFile, source.alt, source.target));
    EXPECT_NE(plain.id, full.id);
    EXPECT_EQ(canvas->SelectedIndex(), 2);
}

TEST_F(CanvasTest, DamagedClipboardBlockIsNotPasted) {
    std::string block = EncodeMapShape(Shape(kShapeRect, Rect(0, 0, 10, 10)));
    block[0] = 100;  // HREF length far past the end
    auto* mime = new QMimeData;
    mime->setData(kMapDataMimeType, QByteArray(block.data(), qsizetype(block.size())));
    QGuiApplication::clipboard()->setMimeData(mime);
    ASSERT_TRUE(ClipboardHasMapShape());

    canvas->PasteArea(true, {50, 50});
    EXPECT_FALSE(canvas->Placing());
    Click({50, 50});
    EXPECT_EQ(canvas->AreaCount(), 1);
}

// ---- the block ------------------------------------------------------------------

std::uint32_t U32At(const std::string& block, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(std::uint8_t(block[at + i])) << (8 * i);
    return v;
}

TEST(MapClipboardBlock, LayoutPutsEachFieldAtItsOffset) {
    MapShape shape = Shape(kShapePoly, {{-3, 4}, {70000, -1}, {5, 6}});
    shape.href = "ab";
    shape.localFile = 1;
    shape.alt = "ü";  // two bytes in UTF-8
    shape.target = "_top";
    const std::string block = EncodeMapShape(shape);
    const std::size_t l1 = 2, l2 = 2, l3 = 4;
    ASSERT_EQ(block.size(), 28 + l1 + l2 + l3 + 8 * 3);
    EXPECT_EQ((std::vector<std::uint32_t>{U32At(block, 0), U32At(block, 4), U32At(block, 8),
                                          U32At(block, 12), U32At(block, 16)}),
              (std::vector<std::uint32_t>{l1, l2, l3, 3, kShapePoly}));
    EXPECT_EQ(block.substr(20, l1 + 1), std::string("ab\0", 3));
    EXPECT_EQ(U32At(block, 21 + l1), 1u);
    EXPECT_EQ(block.substr(25 + l1, l2 + 1), std::string("ü\0", 3));
    EXPECT_EQ(block.substr(26 + l1 + l2, l3 + 1), std::string("_top\0", 5));
    const std::size_t points = 27 + l1 + l2 + l3;
    EXPECT_EQ(std::int32_t(U32At(block, points)), -3);
    EXPECT_EQ(U32At(block, points + 8), 70000u);
    EXPECT_EQ(block.back(), '\0');

    shape.id = 0;
    EXPECT_EQ(DecodeMapShape(block), shape);
}

TEST(MapClipboardBlock, EveryTruncationIsRefused) {
    MapShape shape = Shape(kShapeCirc, Rect(1, 2, 3, 4));
    shape.href = "x.html";
    const std::string block = EncodeMapShape(shape);
    for (std::size_t size = 0; size < block.size(); ++size)
        EXPECT_FALSE(DecodeMapShape(std::string_view(block).substr(0, size))) << size;
    EXPECT_TRUE(DecodeMapShape(block));
}

TEST(MapClipboardBlock, LengthsThatDoNotFitTheBlockAreRefused) {
    const std::string good = EncodeMapShape(Shape(kShapeRect, Rect(1, 2, 3, 4)));
    auto withU32 = [&](std::size_t at, std::uint32_t value) {
        std::string block = good;
        for (int i = 0; i < 4; ++i) block[at + i] = char((value >> (8 * i)) & 0xFF);
        return block;
    };
    for (std::size_t field : {0u, 4u, 8u}) {
        EXPECT_FALSE(DecodeMapShape(withU32(field, 1))) << field;
        EXPECT_FALSE(DecodeMapShape(withU32(field, 0xFFFFFFFFu))) << field;
    }
    // A point count whose byte size wraps 32 bits.
    EXPECT_FALSE(DecodeMapShape(withU32(12, 0x20000001u)));
    EXPECT_FALSE(DecodeMapShape(withU32(12, 5)));
}

TEST(MapClipboardBlock, ShapesTheCanvasCannotHoldAreRefused) {
    EXPECT_FALSE(DecodeMapShape(EncodeMapShape(Shape(kShapeDefault, {{0, 0}, {5, 5}}))));
    EXPECT_FALSE(DecodeMapShape(EncodeMapShape(Shape(kShapeRect, {{0, 0}, {5, 5}, {1, 1}}))));
    EXPECT_FALSE(DecodeMapShape(EncodeMapShape(Shape(kShapePoly, {}))));
    EXPECT_FALSE(DecodeMapShape(EncodeMapShape(Shape(7, {{0, 0}}))));
    // A text running into the next field instead of ending in its zero.
    std::string block = EncodeMapShape(Shape(kShapePoly, {{1, 1}}));
    block[20] = 'x';
    EXPECT_FALSE(DecodeMapShape(block));
}

// ---- picture, scrolling and painting ------------------------------------------------

TEST_F(CanvasTest, LargePictureScrollsAndAreasStayInPicturePixels) {
    ASSERT_TRUE(canvas->LoadImage(WritePicture(800, 600)));
    const QSize client = vp->size();
    QScrollBar* h = canvas->horizontalScrollBar();
    QScrollBar* v = canvas->verticalScrollBar();
    EXPECT_EQ(h->maximum(), 800 - client.width());
    EXPECT_EQ(v->maximum(), 600 - client.height());
    EXPECT_EQ(h->pageStep(), client.width());
    EXPECT_EQ(canvas->Origin(), QPoint(0, 0));

    h->setValue(100);
    v->setValue(5000);  // clamped
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(canvas->Origin(), QPoint(-100, -v->maximum()));

    canvas->SetTool(CMapCanvas::kRectTool);
    Click({10, 10});
    Click({50, 40});
    EXPECT_EQ(At(1).points, Rect(110, 10 + v->maximum(), 150, 40 + v->maximum()));

    // A picture that fits is centred and does not scroll.
    ASSERT_TRUE(canvas->LoadImage(WritePicture(100, 80)));
    EXPECT_EQ(h->maximum(), 0);
    EXPECT_EQ(canvas->Origin(), QPoint((client.width() - 100) / 2, (client.height() - 80) / 2));
}

TEST_F(CanvasTest, PaintingShowsPictureOutlinesAndInvertedHandles) {
    ASSERT_TRUE(canvas->LoadImage(WritePicture(100, 80)));
    const QPoint o = canvas->Origin();
    AddArea(Shape(kShapeRect, Rect(10, 10, 50, 50)));
    QImage shot = canvas->Render();
    const QRgb background = qRgb(208, 208, 208);
    const QRgb picture = qRgb(40, 90, 160);
    EXPECT_EQ(shot.pixel(o + QPoint(-3, 5)), background);
    EXPECT_EQ(shot.pixel(o + QPoint(70, 70)), picture);
    EXPECT_EQ(shot.pixel(o + QPoint(10, 30)), qRgb(0, 0, 0));  // the outline

    Click(o + QPoint(30, 30));
    shot = canvas->Render();
    // Handle squares invert what lies under them: the outline turns white.
    EXPECT_EQ(shot.pixel(o + QPoint(10, 30)), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(o + QPoint(11, 31)), qRgb(255 - 40, 255 - 90, 255 - 160));
}

}  // namespace
}  // namespace vesk
