#include "mapedit/map_pages.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

#include "mapedit/map_canvas.h"
#include "tags/dialog_fields.h"
#include "tags/relative_paths.h"

namespace vesk {

namespace t = map_editor_texts;

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QLabel* BuddyLabel(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setBuddy(buddy);
    return label;
}

QComboBox* EditableCombo(const QStringList& entries) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    // Enter in the field must not grow the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(entries);
    return combo;
}

}  // namespace

std::string ShownReference(std::string_view path, std::string_view documentPath) {
    if (path.empty() || path.front() != '/')
        return std::string(path);
    return RelativeReference(path, documentPath);
}

std::string ShownHref(const MapShape& shape, std::string_view documentPath) {
    return shape.localFile == 1 ? ShownReference(shape.href, documentPath) : shape.href;
}

// ---- CMapAreaPage ------------------------------------------------------------

CMapAreaPage::CMapAreaPage(CMapCanvas& canvas, const QString& documentPath, QWidget* parent)
    : QWidget(parent),
      canvas_(canvas),
      documentPath_(documentPath),
      list_(new QTableWidget(0, 2, this)),
      href_(new QLineEdit(this)),
      alt_(new QLineEdit(this)),
      target_(EditableCombo({"", "_top", "_blank", "_self", "_parent"})),
      browse_(new QPushButton(QString::fromUtf8(t::kLinkBrowse), this)) {
    list_->setHorizontalHeaderLabels(
        {QString::fromUtf8(t::kShapeColumn), QString::fromUtf8(t::kHrefColumn)});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->setWordWrap(false);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->viewport()->installEventFilter(this);
    browse_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(BuddyLabel(t::kHrefLabel, href_));
    auto* hrefRow = new QHBoxLayout;
    hrefRow->addWidget(href_, 1);
    hrefRow->addWidget(browse_);
    layout->addLayout(hrefRow);
    layout->addWidget(BuddyLabel(t::kAreaAltLabel, alt_));
    layout->addWidget(alt_);
    layout->addWidget(BuddyLabel(t::kTargetLabel, target_));
    layout->addWidget(target_);

    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        if (filling_)
            return;
        const QList<QTableWidgetSelectionRange> ranges = list_->selectedRanges();
        ChooseRow(ranges.isEmpty() ? -1 : ranges.front().topRow());
    });
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        std::unique_ptr<QMenu> menu(CreateListMenu(this));
        menu->exec(list_->viewport()->mapToGlobal(pos));
    });
    connect(href_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (CMapArea* area = CurrentArea(); area && !filling_) {
            area->SetHref(Utf8(text), 0);
            UpdateRowText(row_);
        }
    });
    connect(alt_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (CMapArea* area = CurrentArea(); area && !filling_)
            area->SetAlt(Utf8(text));
    });
    connect(target_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (CMapArea* area = CurrentArea(); area && !filling_)
            area->SetTarget(Utf8(text));
    });
    connect(browse_, &QPushButton::clicked, this, [this] { BrowseHref(); });

    connect(&canvas_, &CMapCanvas::AreasChanged, this, &CMapAreaPage::Rebuild);
    connect(&canvas_, &CMapCanvas::RowSelected, this, &CMapAreaPage::ShowRow);
    connect(&canvas_, &CMapCanvas::SelectionCleared, this, &CMapAreaPage::ClearSelection);
    Rebuild();
}

void CMapAreaPage::Rebuild() {
    filling_ = true;
    list_->setRowCount(canvas_.AreaCount());
    for (int row = 0; row < canvas_.AreaCount(); ++row) {
        list_->setItem(row, 0, new QTableWidgetItem(Q(ShapeWord(canvas_.AreaAt(row)->Kind()))));
        list_->setItem(row, 1, new QTableWidgetItem);
        UpdateRowText(row);
    }
    // Only now: removing the current row makes the list choose its neighbour
    // (often "default") while the fields stay empty and disabled.
    list_->selectionModel()->clear();
    filling_ = false;
    row_ = -1;
    FillFields();
    EnableFields(false);
}

void CMapAreaPage::ShowRow(int index) {
    if (index < 0 || index >= list_->rowCount()) {
        ClearSelection();
        return;
    }
    filling_ = true;
    list_->selectRow(index);
    list_->scrollToItem(list_->item(index, 0));
    filling_ = false;
    row_ = index;
    FillFields();
    EnableFields(true);
}

void CMapAreaPage::ClearSelection() {
    filling_ = true;
    list_->clearSelection();
    filling_ = false;
    row_ = -1;
    FillFields();
    EnableFields(false);
}

void CMapAreaPage::ChooseRow(int row) {
    row_ = row;
    // The default area's row clears the canvas selection: it has no handles.
    canvas_.SelectArea(row);
    FillFields();
    EnableFields(row >= 0);
}

CMapArea* CMapAreaPage::CurrentArea() const {
    return row_ >= 0 ? canvas_.AreaAt(row_) : nullptr;
}

void CMapAreaPage::FillFields() {
    filling_ = true;
    const CMapArea* area = CurrentArea();
    const std::string doc = Utf8(documentPath_);
    href_->setText(area ? Q(ShownHref(area->Shape(), doc)) : QString());
    alt_->setText(area ? Q(area->Shape().alt) : QString());
    target_->setEditText(area ? Q(area->Shape().target) : QString());
    filling_ = false;
}

void CMapAreaPage::EnableFields(bool enable) {
    href_->setEnabled(enable);
    alt_->setEnabled(enable);
    target_->setEnabled(enable);
    browse_->setEnabled(enable);
}

void CMapAreaPage::UpdateRowText(int row) {
    CMapArea* area = canvas_.AreaAt(row);
    QTableWidgetItem* item = list_->item(row, 1);
    if (area && item)
        item->setText(Q(ShownHref(area->Shape(), Utf8(documentPath_))));
}

bool CMapAreaPage::BrowseHref() {
    CMapArea* area = CurrentArea();
    if (!area)
        return false;
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kLink;
    request.title = QString::fromUtf8(t::kLinkFileTitle);
    request.filter = QString::fromUtf8(t::kLinkFilter);
    request.basePath = documentPath_;
    const std::optional<ReferenceFileChoice> choice = ChooseReferenceFile(window(), request);
    if (!choice)
        return false;
    // The full path, not the dialog's relative text: it is made relative when written.
    area->SetHref(Utf8(choice->fullPath), 1);
    FillFields();
    UpdateRowText(row_);
    return true;
}

QMenu* CMapAreaPage::CreateListMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    QAction* remove = menu->addAction(QString::fromUtf8(t::kAreaListDelete));
    remove->setData(int(kCmdAreaListDelete));
    remove->setEnabled(canvas_.SelectedArea() != nullptr);
    connect(remove, &QAction::triggered, this, [this] { canvas_.RunCommand(kCmdAreaListDelete); });
    return menu;
}

void CMapAreaPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CMapAreaPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

void CMapAreaPage::FitColumns() {
    list_->setColumnWidth(0, list_->viewport()->width() * 2 / 9);
}

bool CMapAreaPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            // A click below the last row lets go of the chosen one.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!list_->indexAt(mouse->position().toPoint()).isValid())
                list_->clearSelection();
        } else if (event->type() == QEvent::Resize) {
            FitColumns();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- CMapImagePage -----------------------------------------------------------

CMapImagePage::CMapImagePage(CMapCanvas& canvas, QWidget* parent)
    : QWidget(parent),
      canvas_(canvas),
      name_(new QLineEdit(this)),
      path_(new QLineEdit(this)),
      browse_(new QPushButton(QString::fromUtf8(t::kImageBrowse), this)),
      border_(EditableCombo({"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"})),
      align_(EditableCombo(
          {"", "left", "right", "top", "middle", "bottom", "texttop", "absmiddle", "absbottom"})),
      alt_(new QLineEdit(this)),
      hspace_(new QLineEdit(this)),
      vspace_(new QLineEdit(this)),
      width_(new QLineEdit(this)),
      height_(new QLineEdit(this)) {
    path_->setReadOnly(true);
    width_->setReadOnly(true);
    height_->setReadOnly(true);
    browse_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel(t::kNameLabel, name_));
    layout->addWidget(name_);

    auto* src = new QGroupBox(QString::fromUtf8(t::kSrcGroup), this);
    auto* srcLayout = new QHBoxLayout(src);
    srcLayout->addWidget(path_, 1);
    srcLayout->addWidget(browse_);
    layout->addWidget(src);

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel(t::kBorderLabel, border_), 0, 0);
    grid->addWidget(border_, 0, 1);
    grid->addWidget(BuddyLabel(t::kAlignLabel, align_), 1, 0);
    grid->addWidget(align_, 1, 1);
    grid->addWidget(BuddyLabel(t::kImageAltLabel, alt_), 2, 0);
    grid->addWidget(alt_, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* space = new QGroupBox(QString::fromUtf8(t::kSpaceGroup), this);
    auto* spaceGrid = new QGridLayout(space);
    spaceGrid->addWidget(BuddyLabel(t::kHspaceLabel, hspace_), 0, 0);
    spaceGrid->addWidget(hspace_, 0, 1);
    spaceGrid->addWidget(BuddyLabel(t::kVspaceLabel, vspace_), 1, 0);
    spaceGrid->addWidget(vspace_, 1, 1);
    layout->addWidget(space);

    auto* size = new QGroupBox(QString::fromUtf8(t::kSizeGroup), this);
    auto* sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(BuddyLabel(t::kWidthLabel, width_), 0, 0);
    sizeGrid->addWidget(width_, 0, 1);
    sizeGrid->addWidget(BuddyLabel(t::kHeightLabel, height_), 1, 0);
    sizeGrid->addWidget(height_, 1, 1);
    layout->addWidget(size);
    layout->addStretch(1);

    auto store = [this](std::string MapImageData::*field) {
        return [this, field](const QString& text) {
            if (!filling_)
                data_.*field = Utf8(text);
        };
    };
    connect(name_, &QLineEdit::textChanged, this, store(&MapImageData::name));
    connect(border_, &QComboBox::editTextChanged, this, store(&MapImageData::border));
    connect(align_, &QComboBox::editTextChanged, this, store(&MapImageData::align));
    connect(alt_, &QLineEdit::textChanged, this, store(&MapImageData::alt));
    connect(hspace_, &QLineEdit::textChanged, this, store(&MapImageData::hspace));
    connect(vspace_, &QLineEdit::textChanged, this, store(&MapImageData::vspace));
    connect(browse_, &QPushButton::clicked, this, [this] { BrowseImage(); });
    Refresh();
}

void CMapImagePage::SetData(const MapImageData& data) {
    data_ = data;
    Refresh();
}

void CMapImagePage::Refresh() {
    filling_ = true;
    name_->setText(Q(data_.name));
    path_->setText(Q(ShownReference(data_.imagePath, data_.documentPath)));
    border_->setEditText(Q(data_.border));
    align_->setEditText(Q(data_.align));
    alt_->setText(Q(data_.alt));
    hspace_->setText(Q(data_.hspace));
    vspace_->setText(Q(data_.vspace));
    width_->setText(Q(data_.width));
    height_->setText(Q(data_.height));
    filling_ = false;
}

bool CMapImagePage::BrowseImage() {
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kImage;
    request.title = QString::fromUtf8(t::kImageFileTitle);
    request.filter = QString::fromUtf8(t::kImageFilter);
    request.basePath = Q(data_.documentPath);
    const std::optional<ReferenceFileChoice> choice = ChooseReferenceFile(window(), request);
    if (!choice)
        return false;
    // The full path: the SRC written is made relative to the document from it.
    data_.imagePath = Utf8(choice->fullPath);
    if (canvas_.LoadImage(choice->fullPath)) {
        std::string height, width, kilobytes;
        canvas_.Holder().GetSizeTexts(&height, &width, &kilobytes);
        data_.width = width;
        data_.height = height;
    }
    Refresh();
    return true;
}

}  // namespace vesk
