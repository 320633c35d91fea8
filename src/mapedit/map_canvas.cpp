#include "mapedit/map_canvas.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "mapedit/map_clipboard.h"

namespace vesk {

namespace {

const QColor kBackground(208, 208, 208);
const QColor kHatch(221, 221, 221);
constexpr int kHandleHalf = 3;
constexpr int kBandHalf = 5;

QPolygon ToPolygon(const std::vector<MapPoint>& points, QPoint offset) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const MapPoint& p : points) polygon << QPoint(p.x, p.y) + offset;
    return polygon;
}

// Left, top, right, bottom of the points.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};
Box BoxOf(const std::vector<MapPoint>& points) {
    Box box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const MapPoint& p : points) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

std::vector<MapPoint> Corners(MapPoint a, MapPoint b) {
    const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// The band around the edge a-b in which a press inserts a vertex.
QRegion EdgeBand(MapPoint a, MapPoint b) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    int ox = kBandHalf, oy = 0;
    if (dy == 0) {
        ox = 0;
        oy = kBandHalf;
    } else if (dx != 0) {
        const double angle = std::atan(double(std::abs(dx)) / double(std::abs(dy)));
        ox = static_cast<int>(kBandHalf * std::cos(angle));
        oy = static_cast<int>(kBandHalf * std::sin(angle));
        // Across the edge: for a falling edge the offset climbs.
        if ((dx > 0) == (dy > 0))
            oy = -oy;
    }
    QPolygon band;
    band << QPoint(a.x + ox, a.y + oy) << QPoint(b.x + ox, b.y + oy) << QPoint(b.x - ox, b.y - oy)
         << QPoint(a.x - ox, a.y - oy);
    return QRegion(band, Qt::OddEvenFill);
}

QCursor DrawingCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(15, 3, 15, 27);
    p.drawLine(3, 15, 27, 15);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(15, 3, 15, 27);
    p.drawLine(3, 15, 27, 15);
    p.setBrush(Qt::NoBrush);
    p.drawRect(12, 12, 6, 6);
    return QCursor(pixmap, 15, 15);
}

QCursor InsertVertexCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygon arrow;
    arrow << QPoint(0, 0) << QPoint(0, 16) << QPoint(4, 12) << QPoint(7, 19) << QPoint(9, 18)
          << QPoint(6, 11) << QPoint(11, 11);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(14, 14, 13, 13, Qt::white);
    p.drawRect(14, 14, 12, 12);
    p.fillRect(19, 16, 3, 9, Qt::black);
    p.fillRect(16, 19, 9, 3, Qt::black);
    return QCursor(pixmap, 0, 0);
}

QCursor CursorFor(int state) {
    switch (state) {
        case CMapCanvas::kCursorMove:
            return Qt::SizeAllCursor;
        case CMapCanvas::kCursorNwse:
            return Qt::SizeFDiagCursor;
        case CMapCanvas::kCursorNesw:
            return Qt::SizeBDiagCursor;
        case CMapCanvas::kCursorNs:
            return Qt::SizeVerCursor;
        case CMapCanvas::kCursorWe:
            return Qt::SizeHorCursor;
        case CMapCanvas::kCursorDraw: {
            static const QCursor cursor = DrawingCursor();
            return cursor;
        }
        case CMapCanvas::kCursorInsertVertex: {
            static const QCursor cursor = InsertVertexCursor();
            return cursor;
        }
        default:
            return Qt::ArrowCursor;
    }
}

void DrawShape(QPainter& painter, int kind, const std::vector<MapPoint>& points, QPoint origin) {
    if (points.empty())
        return;
    if (kind == kShapeCirc) {
        const Box box = BoxOf(points);
        painter.drawEllipse(QRect(QPoint(box.left, box.top) + origin,
                                  QPoint(box.right - 1, box.bottom - 1) + origin));
    } else {
        painter.drawPolygon(ToPolygon(points, origin));
    }
}

}  // namespace

MapPoint CircleCorner(MapPoint start, MapPoint cursor, int extra) {
    const double dx = start.x - cursor.x, dy = start.y - cursor.y;
    const int f = static_cast<int>(std::sqrt(dx * dx + dy * dy) * kCircleDiagonalFactor);
    return {cursor.x > start.x ? start.x + f + extra : start.x - f + extra,
            cursor.y > start.y ? start.y + f + extra : start.y - f + extra};
}

MapPoint ProjectOnEdge(MapPoint a, MapPoint b, MapPoint p) {
    if (a.x == b.x)
        return {a.x, p.y};
    const double m = double(b.y - a.y) / double(a.x - b.x);
    if (std::abs(std::trunc(m)) > 1)
        return {static_cast<int>(a.x - (p.y - a.y) / m), p.y};
    return {p.x, static_cast<int>(a.y - m * (p.x - a.x))};
}

// ---- CMapArea ----------------------------------------------------------------

CMapArea::CMapArea(MapShape shape) : shape_(std::move(shape)) {
    RebuildRegion();
}

void CMapArea::SetShape(MapShape shape) {
    shape_ = std::move(shape);
    RebuildRegion();
}

void CMapArea::Reset() {
    SetShape(MapShape{});
}

void CMapArea::SetKind(int kind) {
    shape_.kind = kind;
    RebuildRegion();
}

void CMapArea::SetPoints(std::vector<MapPoint> points) {
    shape_.points = std::move(points);
    RebuildRegion();
}

void CMapArea::AppendPoint(MapPoint point) {
    shape_.points.push_back(point);
    RebuildRegion();
}

void CMapArea::SetHref(std::string href, int localFile) {
    shape_.href = std::move(href);
    shape_.localFile = localFile;
}

void CMapArea::MoveBy(int dx, int dy) {
    for (MapPoint& p : shape_.points) {
        p.x += dx;
        p.y += dy;
    }
    region_.translate(dx, dy);
}

void CMapArea::SetVertex(int index, MapPoint point) {
    if (index < 0 || index >= static_cast<int>(shape_.points.size()))
        return;
    shape_.points[index] = point;
    RebuildRegion();
}

void CMapArea::InsertVertex(int before, MapPoint point) {
    before = std::clamp(before, 0, static_cast<int>(shape_.points.size()));
    shape_.points.insert(shape_.points.begin() + before, point);
    RebuildRegion();
}

void CMapArea::DragCorner(int corner, MapPoint point) {
    if (shape_.points.size() != 4 || corner < 0 || corner > 3)
        return;
    // Corners 0 and 3 share the left edge, 1 and 2 the right; 0 and 1 the top.
    static constexpr int kSameX[4] = {3, 2, 1, 0};
    static constexpr int kSameY[4] = {1, 0, 3, 2};
    shape_.points[corner] = point;
    shape_.points[kSameX[corner]].x = point.x;
    shape_.points[kSameY[corner]].y = point.y;
    RebuildRegion();
}

void CMapArea::DragEdge(int edge, MapPoint point) {
    if (shape_.points.size() != 4 || edge < 0 || edge > 3)
        return;
    auto& p = shape_.points;
    switch (edge) {
        case 0:
            p[0].y = p[1].y = point.y;
            break;
        case 1:
            p[1].x = p[2].x = point.x;
            break;
        case 2:
            p[2].y = p[3].y = point.y;
            break;
        default:
            p[3].x = p[0].x = point.x;
            break;
    }
    RebuildRegion();
}

void CMapArea::ResizeCircle(int corner, MapPoint point) {
    if (shape_.points.size() != 4 || corner < 0 || corner > 3)
        return;
    const MapPoint anchor = shape_.points[(corner + 2) % 4];
    const MapPoint far = CircleCorner(anchor, point, 0);
    auto rightSide = [](int i) { return i == 1 || i == 2; };
    auto bottomSide = [](int i) { return i == 2 || i == 3; };
    for (int i = 0; i < 4; ++i) {
        shape_.points[i].x = rightSide(i) == rightSide(corner) ? far.x : anchor.x;
        shape_.points[i].y = bottomSide(i) == bottomSide(corner) ? far.y : anchor.y;
    }
    RebuildRegion();
}

void CMapArea::Normalise() {
    if ((shape_.kind != kShapeRect && shape_.kind != kShapeCirc) || shape_.points.size() != 4)
        return;
    const Box box = BoxOf(shape_.points);
    SetPoints(Corners({box.left, box.top}, {box.right, box.bottom}));
}

QRect CMapArea::BoundingBox() const {
    if (shape_.points.empty())
        return QRect();
    const Box box = BoxOf(shape_.points);
    return QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom));
}

void CMapArea::RebuildRegion() {
    region_ = QRegion();
    if (shape_.points.empty())
        return;
    if (shape_.kind == kShapePoly || shape_.kind == kShapeRect) {
        region_ = QRegion(ToPolygon(shape_.points, QPoint()), Qt::OddEvenFill);
    } else if (shape_.kind == kShapeCirc) {
        // A circle squeezed flat while it is resized stays hittable.
        const Box box = BoxOf(shape_.points);
        region_ = QRegion(QRect(box.left, box.top, std::max(box.right - box.left, 2),
                                std::max(box.bottom - box.top, 2)),
                          QRegion::Ellipse);
    }
}

// ---- CMapCanvas --------------------------------------------------------------

CMapCanvas::CMapCanvas(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    holder_.SetBackground(kBackground);
    // Releasing the thumb repaints everything, whatever the last step left behind.
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, viewport(),
            qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, viewport(),
            qOverload<>(&QWidget::update));

    MapShape builtIn;
    builtIn.kind = kShapeDefault;
    builtIn.points = {{0, 0}, {0, 0}};
    builtIn.id = nextId_++;
    areas_.push_back(std::make_unique<CMapArea>(std::move(builtIn)));
    UpdateScrollBars();
}

CMapCanvas::~CMapCanvas() = default;

bool CMapCanvas::LoadImage(const QString& path) {
    holder_.SetBackground(kBackground);
    const bool loaded = holder_.Load(path);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollBars();
    UpdateDefaultPoints();
    viewport()->update();
    return loaded;
}

QPoint CMapCanvas::Origin() const {
    int width = 0, height = 0;
    if (!holder_.GetSize(&width, &height, nullptr))
        return QPoint(0, 0);
    const QSize client = viewport()->size();
    return QPoint(std::max(0, (client.width() - width) / 2) - horizontalScrollBar()->value(),
                  std::max(0, (client.height() - height) / 2) - verticalScrollBar()->value());
}

CMapArea* CMapCanvas::AreaAt(int index) {
    if (index < 0 || index >= AreaCount())
        return nullptr;
    return areas_[index].get();
}

int CMapCanvas::IndexOf(const CMapArea* area) const {
    if (!area)
        return -1;
    for (int i = 0; i < AreaCount(); ++i) {
        if (areas_[i].get() == area)
            return i;
    }
    return -1;
}

int CMapCanvas::DefaultIndex() const {
    for (int i = 0; i < AreaCount(); ++i) {
        if (areas_[i]->Kind() == kShapeDefault)
            return i;
    }
    return -1;
}

std::vector<MapShape> CMapCanvas::Shapes() const {
    std::vector<MapShape> shapes;
    shapes.reserve(areas_.size());
    for (const auto& area : areas_) shapes.push_back(area->Shape());
    return shapes;
}

void CMapCanvas::LoadShapes(const std::vector<MapShape>& shapes) {
    bool defaultRead = false;
    for (const MapShape& shape : shapes) {
        const int defaultIndex = DefaultIndex();
        if (shape.kind == kShapeDefault && defaultIndex >= 0)
            areas_[defaultIndex]->SetShape(shape);
        else
            areas_.push_back(std::make_unique<CMapArea>(shape));
        defaultRead = defaultRead || shape.kind == kShapeDefault;
        nextId_ = std::max(nextId_, shape.id + 1);
    }
    // The built-in default area must not share an id with an area read.
    const int defaultIndex = DefaultIndex();
    if (!defaultRead && defaultIndex >= 0)
        areas_[defaultIndex]->SetId(nextId_++);
    UpdateDefaultPoints();
    emit AreasChanged();
    viewport()->update();
}

void CMapCanvas::SelectArea(int index) {
    CMapArea* area = AreaAt(index);
    if (!area || area->Kind() == kShapeDefault) {
        ClearSelection();
        return;
    }
    selected_ = area;
    RebuildHandles();
    viewport()->update();
}

void CMapCanvas::ClearSelection() {
    selected_ = nullptr;
    RebuildHandles();
    viewport()->update();
}

void CMapCanvas::SetTool(int tool) {
    tool_ = tool;
    SetCursorState(tool == kSelectTool ? kCursorNormal : kCursorDraw);
    viewport()->update();
    emit ToolChanged(tool);
}

bool CMapCanvas::OperationInProgress() const {
    return op_ != Op::kNone || polygonUnderWay_ || rectFirstGiven_ || circleFirstGiven_;
}

void CMapCanvas::CopyArea() {
    if (!selected_)
        return;
    PutMapShapeOnClipboard(selected_->Shape());
    copied_ = true;
}

void CMapCanvas::CutArea() {
    if (!selected_ || op_ != Op::kNone)
        return;
    PutMapShapeOnClipboard(selected_->Shape());
    DeleteSelected();
}

void CMapCanvas::PasteArea(bool withAttributes, QPoint canvasPos) {
    if (op_ != Op::kNone)
        return;
    std::optional<MapShape> shape = MapShapeFromClipboard();
    if (!shape)
        return;
    if (!withAttributes) {
        shape->href.clear();
        shape->localFile = 0;
        shape->alt.clear();
        shape->target.clear();
    }
    ghost_.SetShape(std::move(*shape));
    const QRect box = ghost_.BoundingBox();
    const MapPoint centre{box.left() + (box.right() - box.left()) / 2,
                          box.top() + (box.bottom() - box.top()) / 2};
    const MapPoint at = ToImage(canvasPos);
    ghost_.MoveBy(at.x - centre.x, at.y - centre.y);
    // Placing is done with the select tool: the next press puts the area down.
    if (tool_ != kSelectTool)
        SetTool(kSelectTool);
    op_ = Op::kPlacing;
    lastPos_ = canvasPos;
    viewport()->update();
}

void CMapCanvas::DeleteSelected() {
    if (!selected_ || op_ != Op::kNone)
        return;
    const int index = IndexOf(selected_);
    selected_ = nullptr;
    hoverArea_ = nullptr;
    RebuildHandles();
    areas_.erase(areas_.begin() + index);
    emit AreasChanged();
    viewport()->update();
}

QMenu* CMapCanvas::CreateContextMenu(QWidget* parent, QPoint canvasPos) {
    namespace t = map_editor_texts;
    auto* menu = new QMenu(parent);
    auto add = [&](const char* text, int id, bool enabled) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setData(id);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this,
                [this, id, canvasPos] { RunCommand(id, canvasPos); });
    };
    const bool selection = selected_ != nullptr;
    const bool clip = ClipboardHasMapShape();
    add(t::kMenuRect, kCmdMapRect, true);
    add(t::kMenuCircle, kCmdMapCircle, true);
    add(t::kMenuPolygon, kCmdMapPolygon, true);
    menu->addSeparator();
    add(t::kMenuCopy, kCmdMapCopy, selection);
    add(t::kMenuCut, kCmdMapCut, selection);
    menu->addSeparator();
    add(t::kMenuPaste, kCmdMapPaste, clip);
    add(t::kMenuPasteWithAttributes, kCmdMapPasteWithAttributes, clip);
    menu->addSeparator();
    add(t::kMenuDelete, kCmdMapDelete, selection);
    return menu;
}

void CMapCanvas::RunCommand(int id, QPoint canvasPos) {
    switch (id) {
        case kCmdMapRect:
            SetTool(kRectTool);
            break;
        case kCmdMapCircle:
            SetTool(kCircleTool);
            break;
        case kCmdMapPolygon:
            SetTool(kPolygonTool);
            break;
        case kCmdMapCopy:
            CopyArea();
            break;
        case kCmdMapCut:
            CutArea();
            break;
        case kCmdMapPaste:
            PasteArea(false, canvasPos);
            break;
        case kCmdMapPasteWithAttributes:
            PasteArea(true, canvasPos);
            break;
        case kCmdMapDelete:
        case kCmdAreaListDelete:
            DeleteSelected();
            break;
        default:
            break;
    }
}

QImage CMapCanvas::Render() {
    QImage image(viewport()->size(), QImage::Format_RGB32);
    PaintInto(image);
    return image;
}

// ---- painting ----------------------------------------------------------------

void CMapCanvas::paintEvent(QPaintEvent* event) {
    if (buffer_.size() != viewport()->size())
        buffer_ = QImage(viewport()->size(), QImage::Format_RGB32);
    if (buffer_.isNull())
        return;
    PaintInto(buffer_);
    QPainter painter(viewport());
    painter.drawImage(event->rect(), buffer_, event->rect());
}

void CMapCanvas::PaintInto(QImage& target) {
    QPainter painter(&target);
    painter.fillRect(target.rect(), kBackground);
    const QPoint origin = Origin();
    int width = 0, height = 0;
    if (holder_.GetSize(&width, &height, nullptr))
        holder_.Draw(painter, QRect(origin, QSize(width, height)));

    // Inverted lines stay visible on any picture.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    if (polygonUnderWay_ && inProgress_.Points().size() >= 2)
        painter.drawPolyline(ToPolygon(inProgress_.Points(), origin));

    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(QBrush(kHatch, Qt::BDiagPattern));
    for (const auto& area : areas_) {
        if (area->Kind() != kShapeDefault)
            DrawShape(painter, area->Kind(), area->Points(), origin);
    }

    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QRect& handle : handles_) painter.fillRect(ToCanvas(handle), Qt::black);
    if (op_ == Op::kMoving || op_ == Op::kPlacing) {
        painter.setBrush(Qt::NoBrush);
        DrawShape(painter, ghost_.Kind(), ghost_.Points(), origin);
    }

    // What the drawing tool would make at the cursor.
    if (tool_ == kPolygonTool && polygonUnderWay_ && !inProgress_.Points().empty()) {
        const MapPoint last = inProgress_.Points().back();
        painter.drawLine(QPoint(last.x, last.y) + origin, mousePos_);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(QBrush(kHatch, Qt::BDiagPattern));
    if (tool_ == kRectTool && rectFirstGiven_) {
        const QPoint end = mousePos_ + QPoint(1, 1);
        DrawShape(painter, kShapeRect,
                  Corners({drawStart_.x(), drawStart_.y()}, {end.x(), end.y()}), QPoint());
    } else if (tool_ == kCircleTool && circleFirstGiven_) {
        const MapPoint start{drawStart_.x(), drawStart_.y()};
        const MapPoint far = CircleCorner(start, {mousePos_.x(), mousePos_.y()}, 1);
        DrawShape(painter, kShapeCirc, Corners(start, far), QPoint());
    }
}

void CMapCanvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMapCanvas::scrollContentsBy(int, int) {
    viewport()->update();
}

void CMapCanvas::UpdateScrollBars() {
    int width = 0, height = 0;
    const QSize client = viewport()->size();
    if (!holder_.GetSize(&width, &height, nullptr))
        width = height = 0;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, width - client.width()));
    h->setPageStep(std::max(1, client.width()));
    h->setSingleStep(1);
    v->setRange(0, std::max(0, height - client.height()));
    v->setPageStep(std::max(1, client.height()));
    v->setSingleStep(1);
}

void CMapCanvas::UpdateDefaultPoints() {
    const int index = DefaultIndex();
    if (index < 0)
        return;
    int width = 0, height = 0;
    if (!holder_.GetSize(&width, &height, nullptr))
        width = height = 0;
    areas_[index]->SetPoints({{0, 0}, {width, height}});
}

// ---- mouse and keys ----------------------------------------------------------

MapPoint CMapCanvas::ToImage(QPoint canvasPos) const {
    const QPoint p = canvasPos - Origin();
    return {p.x(), p.y()};
}

QRect CMapCanvas::ToCanvas(const QRect& imageRect) const {
    return imageRect.translated(Origin());
}

void CMapCanvas::SetCursorState(int state) {
    cursorState_ = state;
    viewport()->setCursor(CursorFor(state));
}

void CMapCanvas::RebuildHandles() {
    handles_.clear();
    edgeBands_.clear();
    if (!selected_ || selected_->Points().size() < 2)
        return;
    const auto& p = selected_->Points();
    auto handle = [](int x, int y) {
        return QRect(x - kHandleHalf, y - kHandleHalf, 2 * kHandleHalf, 2 * kHandleHalf);
    };
    if (selected_->Kind() == kShapeRect && p.size() == 4) {
        // Corners and edge middles, clockwise from the top-left corner.
        handles_ = {handle(p[0].x, p[0].y), handle(p[0].x + (p[1].x - p[0].x) / 2, p[0].y),
                    handle(p[1].x, p[1].y), handle(p[1].x, p[1].y + (p[2].y - p[1].y) / 2),
                    handle(p[2].x, p[2].y), handle(p[2].x + (p[3].x - p[2].x) / 2, p[2].y),
                    handle(p[3].x, p[3].y), handle(p[3].x, p[3].y + (p[0].y - p[3].y) / 2)};
        return;
    }
    for (const MapPoint& point : p) handles_.push_back(handle(point.x, point.y));
    if (selected_->Kind() == kShapePoly) {
        for (std::size_t i = 0; i < p.size(); ++i)
            edgeBands_.push_back(EdgeBand(p[i], p[(i + 1) % p.size()]));
    }
}

void CMapCanvas::UpdateHover(QPoint canvasPos) {
    const MapPoint pt = ToImage(canvasPos);
    hoverIndex_ = -1;
    hoverArea_ = nullptr;
    if (selected_) {
        const QRect near(pt.x - kHandleHalf, pt.y - kHandleHalf, 2 * kHandleHalf, 2 * kHandleHalf);
        for (int i = 0; i < static_cast<int>(handles_.size()); ++i) {
            if (!handles_[i].intersects(near))
                continue;
            int state = kCursorNwse;
            hoverIndex_ = i;
            if (selected_->Kind() == kShapeRect) {
                static constexpr int kRectStates[8] = {kCursorNwse, kCursorNs,   kCursorNesw,
                                                       kCursorWe,   kCursorNwse, kCursorNs,
                                                       kCursorNesw, kCursorWe};
                state = kRectStates[i % 8];
                hoverIndex_ = i / 2;
            } else if (selected_->Kind() == kShapeCirc) {
                state = i % 2 == 0 ? kCursorNwse : kCursorNesw;
            }
            SetCursorState(state);
            return;
        }
    }
    const QRect square(pt.x - 1, pt.y - 1, 2, 2);
    if (selected_ && selected_->Kind() == kShapePoly) {
        for (int i = 0; i < static_cast<int>(edgeBands_.size()); ++i) {
            if (edgeBands_[i].intersects(square)) {
                hoverIndex_ = i;
                SetCursorState(kCursorInsertVertex);
                return;
            }
        }
    }
    for (const auto& area : areas_) {
        if (area->Kind() != kShapeDefault && area->Meets(square)) {
            hoverArea_ = area.get();
            SetCursorState(kCursorMove);
            return;
        }
    }
    SetCursorState(kCursorNormal);
}

void CMapCanvas::AddNewArea(const CMapArea& area) {
    auto added = std::make_unique<CMapArea>(area);
    added->SetId(nextId_++);
    CMapArea* raw = added.get();
    areas_.push_back(std::move(added));
    emit AreasChanged();
    SelectAndTell(raw);
}

void CMapCanvas::SelectAndTell(CMapArea* area) {
    selected_ = area;
    RebuildHandles();
    viewport()->update();
    emit RowSelected(IndexOf(area));
}

void CMapCanvas::ResetDrawing() {
    inProgress_.Reset();
    polygonUnderWay_ = false;
    movedDuringPolygon_ = false;
    rectFirstGiven_ = false;
    circleFirstGiven_ = false;
}

void CMapCanvas::FinishPolygon() {
    CMapArea polygon = inProgress_;
    polygon.SetKind(kShapePoly);
    ResetDrawing();
    AddNewArea(polygon);
    SetTool(kSelectTool);
}

void CMapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    mousePos_ = pos;
    switch (tool_) {
        case kRectTool:
        case kCircleTool: {
            bool& firstGiven = tool_ == kRectTool ? rectFirstGiven_ : circleFirstGiven_;
            if (!firstGiven) {
                drawStart_ = pos;
                firstGiven = true;
                viewport()->update();
                return;
            }
            const MapPoint start = ToImage(drawStart_);
            const MapPoint end = ToImage(pos);
            CMapArea area;
            area.SetKind(tool_ == kRectTool ? kShapeRect : kShapeCirc);
            area.SetPoints(Corners(start, tool_ == kRectTool ? end : CircleCorner(start, end, 1)));
            ResetDrawing();
            AddNewArea(area);
            SetTool(kSelectTool);
            return;
        }
        case kPolygonTool:
            if (!polygonUnderWay_) {
                polygonUnderWay_ = true;
                movedDuringPolygon_ = false;
            }
            inProgress_.AppendPoint(ToImage(pos));
            viewport()->update();
            return;
        default:
            PressSelect(pos);
            return;
    }
}

void CMapCanvas::PressSelect(QPoint pos) {
    if (op_ == Op::kPlacing) {
        op_ = Op::kNone;
        AddNewArea(ghost_);
        return;
    }
    if (op_ != Op::kNone)
        return;
    // The state the cursor shows for this very spot.
    UpdateHover(pos);
    const int kind = selected_ ? selected_->Kind() : kShapeUnset;
    switch (cursorState_) {
        case kCursorMove:
            SelectAndTell(hoverArea_);
            ghost_ = *selected_;
            pressPos_ = lastPos_ = pos;
            op_ = Op::kMoving;
            break;
        case kCursorNwse:
        case kCursorNesw:
            dragIndex_ = hoverIndex_;
            op_ = kind == kShapePoly   ? Op::kVertex
                  : kind == kShapeRect ? Op::kCorner
                  : kind == kShapeCirc ? Op::kCircle
                                       : Op::kNone;
            pressPos_ = pos;
            break;
        case kCursorNs:
        case kCursorWe:
            dragIndex_ = hoverIndex_;
            op_ = kind == kShapeRect ? Op::kEdge : Op::kNone;
            break;
        case kCursorInsertVertex: {
            const auto& p = selected_->Points();
            const int edge = hoverIndex_;
            const MapPoint vertex = ProjectOnEdge(p[edge], p[(edge + 1) % p.size()], ToImage(pos));
            selected_->InsertVertex(edge + 1, vertex);
            RebuildHandles();
            dragIndex_ = edge + 1;
            op_ = Op::kVertex;
            SetCursorState(kCursorNwse);
            viewport()->update();
            break;
        }
        default: {
            int width = 0, height = 0;
            const QRect image = holder_.GetSize(&width, &height, nullptr)
                                    ? QRect(Origin(), QSize(width, height))
                                    : QRect();
            const bool inside = !image.isNull() && pos.x() > image.left() &&
                                pos.x() < image.left() + width && pos.y() > image.top() &&
                                pos.y() < image.top() + height;
            ClearSelection();
            if (inside)
                emit RowSelected(DefaultIndex());
            else
                emit SelectionCleared();
            break;
        }
    }
}

void CMapCanvas::ApplyDrag(QPoint pos) {
    if (!selected_)
        return;
    const MapPoint pt = ToImage(pos);
    switch (op_) {
        case Op::kVertex:
            selected_->SetVertex(dragIndex_, pt);
            break;
        case Op::kCorner:
            selected_->DragCorner(dragIndex_, pt);
            break;
        case Op::kEdge:
            selected_->DragEdge(dragIndex_, pt);
            break;
        case Op::kCircle:
            selected_->ResizeCircle(dragIndex_, pt);
            break;
        default:
            return;
    }
    RebuildHandles();
    viewport()->update();
}

void CMapCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    mousePos_ = pos;
    if (polygonUnderWay_)
        movedDuringPolygon_ = true;
    if (tool_ != kSelectTool) {
        if (polygonUnderWay_ || rectFirstGiven_ || circleFirstGiven_)
            viewport()->update();
        return;
    }
    switch (op_) {
        case Op::kMoving:
        case Op::kPlacing: {
            const QRect before = ghost_.BoundingBox();
            ghost_.MoveBy(pos.x() - lastPos_.x(), pos.y() - lastPos_.y());
            lastPos_ = pos;
            viewport()->update(
                ToCanvas(before.united(ghost_.BoundingBox())).adjusted(-1, -1, 1, 1));
            break;
        }
        case Op::kNone:
            UpdateHover(pos);
            break;
        default:
            ApplyDrag(pos);
            break;
    }
}

void CMapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || tool_ != kSelectTool)
        return;
    const QPoint pos = event->position().toPoint();
    switch (op_) {
        case Op::kMoving:
            if (selected_) {
                selected_->MoveBy(pos.x() - pressPos_.x(), pos.y() - pressPos_.y());
                RebuildHandles();
            }
            break;
        case Op::kVertex:
        case Op::kCorner:
        case Op::kEdge:
        case Op::kCircle:
            ApplyDrag(pos);
            // A rectangle or circle dragged across itself gets its corners back in order.
            if (selected_ && op_ != Op::kVertex) {
                selected_->Normalise();
                RebuildHandles();
            }
            break;
        default:
            break;
    }
    // A paste is placed by the next press, not by this release.
    if (op_ != Op::kPlacing)
        op_ = Op::kNone;
    viewport()->update();
}

void CMapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && tool_ == kPolygonTool && polygonUnderWay_) {
        // The first click of the pair has added the last vertex already.
        if (movedDuringPolygon_)
            FinishPolygon();
        return;
    }
    mousePressEvent(event);
}

void CMapCanvas::keyPressEvent(QKeyEvent* event) {
    int dx = 0, dy = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Up:
            dy = -1;
            break;
        case Qt::Key_Down:
            dy = 1;
            break;
        case Qt::Key_Delete:
            DeleteSelected();
            event->accept();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    if (selected_ && op_ == Op::kNone) {
        selected_->MoveBy(dx, dy);
        RebuildHandles();
        viewport()->update();
    }
    event->accept();
}

void CMapCanvas::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (OperationInProgress())
        return;
    std::unique_ptr<QMenu> menu(CreateContextMenu(this, event->pos()));
    menu->exec(event->globalPos());
}

}  // namespace vesk
