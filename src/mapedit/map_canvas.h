#pragma once
// The picture of the map editor with the areas drawn on it: drawing
// rectangles, circles and polygons by clicks, selecting, moving and reshaping
// them with the mouse and the arrow keys, and copying them through the
// clipboard. Coordinates kept in the areas are image pixels; the window adds
// the image origin.

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <memory>
#include <vector>

#include "mapedit/map_data.h"
#include "sidepane/image_holder.h"

class QMenu;

namespace vesk {

// The editor's user-visible texts, kept together.
namespace map_editor_texts {
inline constexpr char kCaption[] = "クリッカブルマップの作成";
inline constexpr char kMapTab[] = "マップ";
inline constexpr char kAreaTab[] = "エリア";
inline constexpr char kInsert[] = "挿入";
inline constexpr char kCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kRectButton[] = "四角形";
inline constexpr char kCircleButton[] = "円形";
inline constexpr char kPolygonButton[] = "多角形";
inline constexpr char kMenuRect[] = "四角形 (&R)";
inline constexpr char kMenuCircle[] = "円形 (&L)";
inline constexpr char kMenuPolygon[] = "多角形 (&N)";
inline constexpr char kMenuCopy[] = "エリアのコピー (&C)";
inline constexpr char kMenuCut[] = "エリアの切り取り (&T)";
inline constexpr char kMenuPaste[] = "エリアの貼り付け (&P)";
inline constexpr char kMenuPasteWithAttributes[] = "エリアと属性の貼り付け (&S)";
inline constexpr char kMenuDelete[] = "選択エリアを削除 (&D)";
inline constexpr char kDefaultMapName[] = "VeskHtmlMap";
inline constexpr char kAreaListDelete[] = "選択エリアを削除(&D)";
inline constexpr char kShapeColumn[] = "SHAPE=";
inline constexpr char kHrefColumn[] = "リンク先 HREF=";
inline constexpr char kHrefLabel[] = "リンク先 HRE&F=";
inline constexpr char kAreaAltLabel[] = "説明文 &ALT=";
inline constexpr char kTargetLabel[] = "ターゲットウィンドウ TAR&GET=";
inline constexpr char kLinkBrowse[] = "参照(F)...";
inline constexpr char kLinkFileTitle[] = "リンク先ファイルの選択";
inline constexpr char kLinkFilter[] =
    "htmlファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|画像ファイル(*.jpg *.jpeg *.png *.gif "
    "*.bmp)|*.jpg;*.jpeg;*.png*;*.gif;*.bmp|アーカイブファイル(*.lzh "
    "*.zip)|*.lzh;*.zip|全てのファイル(*.*)|*.*||";
inline constexpr char kNameLabel[] = "マップの名前 &NAME= / USEMAP=";
inline constexpr char kImageBrowse[] = "参照(&I)...";
inline constexpr char kSrcGroup[] = "画像URL &SRC=";
inline constexpr char kBorderLabel[] = "枠の太さ &BORDER=";
inline constexpr char kAlignLabel[] = "画像の位置 A&LIGN=";
inline constexpr char kImageAltLabel[] = "説明文 AL&T=";
inline constexpr char kHspaceLabel[] = "左右 &HSPACE=";
inline constexpr char kVspaceLabel[] = "上下 &VSPACE=";
inline constexpr char kSpaceGroup[] = "画像の周りの余白";
inline constexpr char kSizeGroup[] = "画像のサイズ";
inline constexpr char kWidthLabel[] = "幅 &WIDTH=";
inline constexpr char kHeightLabel[] = "高さ &HEIGHT=";
inline constexpr char kImageFileTitle[] = "画像ファイルの選択";
inline constexpr char kImageFilter[] =
    "画像ファイル(*.jpg *.jpeg *png *gif *bmp)|*.jpg;*.jpeg;*png;*.gif;*.bmp|JPEGファイル(*.jpg "
    "*.jpeg)|*.jpg;*.jpeg|PNGファイル(*.png)|*.png|GIFファイル(*gif)|*.gif|BMPファイル(*.bmp)|*."
    "bmp|全てのファイル(*.*)|*.*||";
}  // namespace map_editor_texts

// Command ids of the canvas menu and of the area list menu.
enum MapEditorCommand : int {
    kCmdMapPolygon = 32772,
    kCmdMapRect = 32773,
    kCmdMapCircle = 32774,
    kCmdMapCopy = 32781,
    kCmdMapPasteWithAttributes = 32782,
    kCmdMapPaste = 32783,
    kCmdMapCut = 32784,
    kCmdMapDelete = 32789,
    kCmdAreaListDelete = 32874,
};

// The diagonal factor of the circle tool; deliberately not exactly 1/sqrt(2),
// so that circles come out the size users of the editor are used to.
inline constexpr double kCircleDiagonalFactor = 0.707106781373095;

// The far corner of a circle's bounding square drawn from start towards the
// cursor: the square's side is the distance times the factor, truncated; it
// grows towards the cursor's side of start, plus extra (1 while drawing, 0
// while resizing).
MapPoint CircleCorner(MapPoint start, MapPoint cursor, int extra);

// The point where a new vertex goes on the edge from a to b when the press is
// at p: p carried onto the edge's line along whichever axis the edge is
// steeper in.
MapPoint ProjectOnEdge(MapPoint a, MapPoint b, MapPoint p);

// One area on the canvas: its shape and the region hit tests use (the polygon
// for poly and rect, the ellipse in the bounding box for circ, nothing for the
// default area). Every change of the points rebuilds the region.
class CMapArea {
  public:
    CMapArea() = default;
    explicit CMapArea(MapShape shape);

    const MapShape& Shape() const { return shape_; }
    int Kind() const { return shape_.kind; }
    const std::vector<MapPoint>& Points() const { return shape_.points; }
    const QRegion& Region() const { return region_; }

    void SetShape(MapShape shape);
    // Kind unset, no texts, no points.
    void Reset();
    void SetKind(int kind);
    void SetPoints(std::vector<MapPoint> points);
    void AppendPoint(MapPoint point);
    void SetId(int id) { shape_.id = id; }

    // Texts leave the points and the region alone.
    void SetHref(std::string href, int localFile);
    void SetAlt(std::string alt) { shape_.alt = std::move(alt); }
    void SetTarget(std::string target) { shape_.target = std::move(target); }

    void MoveBy(int dx, int dy);
    void SetVertex(int index, MapPoint point);
    void InsertVertex(int before, MapPoint point);
    // A rectangle corner moved to point: its two neighbours follow so that the
    // rectangle stays axis-parallel.
    void DragCorner(int corner, MapPoint point);
    // Edge 0 top, 1 right, 2 bottom, 3 left moved to point.
    void DragEdge(int edge, MapPoint point);
    // A circle's corner moved towards point, the opposite corner held.
    void ResizeCircle(int corner, MapPoint point);
    // Rectangle and circle corners back into the order left-top, right-top,
    // right-bottom, left-bottom.
    void Normalise();

    // The bounding box of the points (right and bottom included); null when
    // there are none.
    QRect BoundingBox() const;
    bool Meets(const QRect& square) const { return region_.intersects(square); }

  private:
    void RebuildRegion();

    MapShape shape_;
    QRegion region_;
};

class CMapCanvas : public QAbstractScrollArea {
    Q_OBJECT
  public:
    enum Tool : int { kSelectTool = 0, kPolygonTool = 1, kCircleTool = 2, kRectTool = 3 };
    enum CursorState : int {
        kCursorNormal = 0,
        kCursorMove = 1,
        kCursorNwse = 2,
        kCursorNesw = 3,
        kCursorNs = 4,
        kCursorWe = 5,
        kCursorDraw = 6,
        kCursorInsertVertex = 7,
    };

    explicit CMapCanvas(QWidget* parent = nullptr);
    ~CMapCanvas() override;

    // The picture under the areas. A file that cannot be read leaves the
    // canvas without a picture. The scroll bars start again at 0.
    bool LoadImage(const QString& path);
    const CImageHolder& Holder() const { return holder_; }
    // Where the picture's pixel (0,0) stands in the window.
    QPoint Origin() const;

    // The areas in list order; the default area is one of them.
    int AreaCount() const { return static_cast<int>(areas_.size()); }
    CMapArea* AreaAt(int index);
    int IndexOf(const CMapArea* area) const;
    int DefaultIndex() const;
    std::vector<MapShape> Shapes() const;
    // Areas read from a page: a default area takes the built-in one's place,
    // the others are appended. They keep their ids; later areas get new ones.
    void LoadShapes(const std::vector<MapShape>& shapes);

    // The selection (handles shown). Selecting the default area's index, or
    // -1, clears it. Neither tells the area page: it is the page that asks.
    int SelectedIndex() const { return IndexOf(selected_); }
    CMapArea* SelectedArea() { return selected_; }
    void SelectArea(int index);
    void ClearSelection();
    // The handle squares of the selected area, in image pixels.
    const std::vector<QRect>& Handles() const { return handles_; }

    int Tool() const { return tool_; }
    void SetTool(int tool);
    int CursorState() const { return cursorState_; }
    // Moving, placing a paste, a drag, or a drawing under way.
    bool OperationInProgress() const;
    bool Placing() const { return op_ == Op::kPlacing; }

    // The clipboard and delete commands; each does nothing when it has nothing to work on.
    void CopyArea();
    void CutArea();
    // The area on the clipboard follows the mouse, centred at canvasPos
    // (window coordinates), until a click places it.
    void PasteArea(bool withAttributes, QPoint canvasPos);
    void DeleteSelected();
    // The Copy command ran: the clipboard is emptied when the editor is confirmed.
    bool Copied() const { return copied_; }

    // The canvas menu as the right button opens it, items enabled by the
    // state; paste places at canvasPos.
    QMenu* CreateContextMenu(QWidget* parent, QPoint canvasPos);
    void RunCommand(int id, QPoint canvasPos = QPoint());

    // What the window shows, painted as on the screen.
    QImage Render();

  signals:
    // An area was added or removed.
    void AreasChanged();
    // The canvas chose a row: an area it selected, or the default area's row
    // (the canvas then has no selection).
    void RowSelected(int index);
    // A click outside every area and outside the picture.
    void SelectionCleared();
    void ToolChanged(int tool);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    enum class Op { kNone, kMoving, kPlacing, kVertex, kCorner, kEdge, kCircle };

    void PaintInto(QImage& target);
    void UpdateScrollBars();
    void UpdateDefaultPoints();
    void SetCursorState(int state);
    void UpdateHover(QPoint canvasPos);
    void PressSelect(QPoint canvasPos);
    void ApplyDrag(QPoint canvasPos);
    void AddNewArea(const CMapArea& area);
    void SelectAndTell(CMapArea* area);
    void RebuildHandles();
    void ResetDrawing();
    void FinishPolygon();
    MapPoint ToImage(QPoint canvasPos) const;
    QRect ToCanvas(const QRect& imageRect) const;

    CImageHolder holder_;
    std::vector<std::unique_ptr<CMapArea>> areas_;
    int nextId_ = 1;

    CMapArea* selected_ = nullptr;
    std::vector<QRect> handles_;
    std::vector<QRegion> edgeBands_;
    int hoverIndex_ = -1;  // vertex, corner, edge or handle under the cursor
    CMapArea* hoverArea_ = nullptr;

    int tool_ = kSelectTool;
    int cursorState_ = kCursorNormal;
    Op op_ = Op::kNone;
    int dragIndex_ = -1;

    CMapArea inProgress_;
    bool polygonUnderWay_ = false;
    bool movedDuringPolygon_ = false;
    bool rectFirstGiven_ = false;
    bool circleFirstGiven_ = false;
    QPoint drawStart_;
    QPoint mousePos_;

    CMapArea ghost_;
    QPoint pressPos_;
    QPoint lastPos_;
    bool copied_ = false;

    QImage buffer_;
};

}  // namespace vesk
