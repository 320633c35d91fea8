#include "mapedit/map_editor_dlg.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>
#include <algorithm>

#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "mapedit/map_canvas.h"
#include "mapedit/map_clipboard.h"
#include "mapedit/map_pages.h"
#include "mapedit/map_writeback.h"
#include "platform/dialog_seam.h"

namespace vesk {

namespace t = map_editor_texts;

namespace {

constexpr int kMinimumWidth = 520;
constexpr int kMinimumHeight = 580;
constexpr int kMargin = 10;
constexpr int kPanelWidth = 300;
constexpr int kCanvasLeft = 315;
constexpr int kCanvasTop = 50;
constexpr int kBottomSpace = 40;
constexpr int kButtonGap = 7;
constexpr int kButtonRise = 30;

QIcon ToolIcon(int tool) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QBrush(QColor(120, 150, 200), Qt::BDiagPattern));
    if (tool == CMapCanvas::kRectTool) {
        p.drawRect(QRectF(3, 5, 14, 10));
    } else if (tool == CMapCanvas::kCircleTool) {
        p.drawEllipse(QRectF(3, 3, 14, 14));
    } else {
        const QPointF points[] = {{3, 16}, {6, 4}, {13, 7}, {17, 3}, {16, 16}};
        p.drawPolygon(points, 5);
    }
    return QIcon(pixmap);
}

}  // namespace

CMapEditorDlg::CMapEditorDlg(MapImagePair* pair, const QString& documentPath, QWidget* parent)
    : QDialog(parent),
      pair_(pair),
      tabs_(new QTabWidget(this)),
      canvas_(new CMapCanvas(this)),
      areaPage_(new CMapAreaPage(*canvas_, documentPath)),
      imagePage_(new CMapImagePage(*canvas_)),
      rect_(new QPushButton(ToolIcon(CMapCanvas::kRectTool), QString::fromUtf8(t::kRectButton),
                            this)),
      circle_(new QPushButton(ToolIcon(CMapCanvas::kCircleTool),
                              QString::fromUtf8(t::kCircleButton), this)),
      polygon_(new QPushButton(ToolIcon(CMapCanvas::kPolygonTool),
                               QString::fromUtf8(t::kPolygonButton), this)),
      insert_(new QPushButton(QString::fromUtf8(t::kInsert), this)),
      cancel_(new QPushButton(QString::fromUtf8(t::kCancel), this)) {
    setWindowTitle(QString::fromUtf8(t::kCaption));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setSizeGripEnabled(true);

    tabs_->addTab(imagePage_, QString::fromUtf8(t::kMapTab));
    tabs_->addTab(areaPage_, QString::fromUtf8(t::kAreaTab));
    tabs_->setCurrentIndex(0);

    for (QPushButton* button : {rect_, circle_, polygon_}) {
        button->setCheckable(true);
        button->setAutoDefault(false);
    }
    insert_->setDefault(true);
    connect(rect_, &QPushButton::clicked, this,
            [this] { canvas_->SetTool(CMapCanvas::kRectTool); });
    connect(circle_, &QPushButton::clicked, this,
            [this] { canvas_->SetTool(CMapCanvas::kCircleTool); });
    connect(polygon_, &QPushButton::clicked, this,
            [this] { canvas_->SetTool(CMapCanvas::kPolygonTool); });
    connect(canvas_, &CMapCanvas::ToolChanged, this, &CMapEditorDlg::ShowTool);
    connect(insert_, &QPushButton::clicked, this, &CMapEditorDlg::OnInsert);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    MapImageData image;
    if (pair_) {
        image = ReadMapPair(*pair_, documentPath.toStdString());
        std::vector<MapShape> shapes;
        shapes.reserve(pair_->areas.size());
        for (const MapAreaEntry& entry : pair_->areas) shapes.push_back(entry.shape);
        canvas_->LoadShapes(shapes);
    }
    image.documentPath = documentPath.toStdString();
    if (!image.imagePath.empty())
        canvas_->LoadImage(QString::fromStdString(image.imagePath));
    imagePage_->SetData(image);
    areaPage_->ClearSelection();

    resize(760, 640);
    Arrange();
}

CMapEditorDlg::~CMapEditorDlg() = default;

void CMapEditorDlg::OnInsert() {
    result_ = BuildMapData(pair_, canvas_->Shapes(), imagePage_->Data());
    confirmed_ = true;
    if (canvas_->Copied())
        ClearClipboard();
    accept();
}

void CMapEditorDlg::ShowTool(int tool) {
    rect_->setChecked(tool == CMapCanvas::kRectTool);
    circle_->setChecked(tool == CMapCanvas::kCircleTool);
    polygon_->setChecked(tool == CMapCanvas::kPolygonTool);
}

void CMapEditorDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Arrange();
}

void CMapEditorDlg::Arrange() {
    const int w = width(), h = height();
    tabs_->setGeometry(kMargin, kMargin, kPanelWidth, h - kBottomSpace - kMargin);
    canvas_->setGeometry(kCanvasLeft, kCanvasTop, w - kMargin - kCanvasLeft,
                         h - kBottomSpace - kCanvasTop);

    int x = kCanvasLeft;
    const int toolHeight = kCanvasTop - kMargin - 6;
    for (QPushButton* button : {rect_, circle_, polygon_}) {
        const int toolWidth = std::max(80, button->sizeHint().width());
        button->setGeometry(x, kMargin, toolWidth, toolHeight);
        x += toolWidth + kButtonGap;
    }

    const QSize cancelSize = cancel_->sizeHint().expandedTo(QSize(90, 0));
    const QSize insertSize = insert_->sizeHint().expandedTo(QSize(90, 0));
    const int buttonHeight = std::min(std::max(cancelSize.height(), insertSize.height()), 26);
    const int top = h - kButtonRise;
    cancel_->setGeometry(w - kMargin - cancelSize.width(), top, cancelSize.width(), buttonHeight);
    insert_->setGeometry(cancel_->x() - kButtonGap - insertSize.width(), top, insertSize.width(),
                         buttonHeight);
}

std::optional<CMapData> RunMapEditor(CVeskHtmlView& view, MapImagePair* pair) {
    const QString documentPath = view.Document() ? view.Document()->PathName() : QString();
    CMapEditorDlg dialog(pair, documentPath, view.window());
    if (RunDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    // A script may accept without going through the button.
    if (!dialog.Confirmed())
        dialog.OnInsert();
    return dialog.Result();
}

void InstallMapEditor() {
    SetMapEditorRunner(RunMapEditor);
}

}  // namespace vesk
