#include "tags/page_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/file_dialog_seam.h"
#include "platform/message_seam.h"
#include "tags/image_dialog.h"
#include "tags/radio_group.h"

namespace vesk {

namespace {

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

QLineEdit* NewEdit(const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(ToQString(text), parent);
    edit->setMinimumWidth(200);
    return edit;
}

// A drop-down list; an index outside it leaves nothing chosen.
QComboBox* NewList(const QStringList& items, int index, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    return combo;
}

QStringList RobotsEntries(const char* blank) {
    return {Q(page_texts::kRobotsAll),     Q(page_texts::kRobotsIndex),
            Q(page_texts::kRobotsNoindex), Q(page_texts::kRobotsNofollow),
            Q(page_texts::kRobotsNone),    Q(blank)};
}

QStringList CharsetEntries(const char* blank) {
    return {QStringLiteral("Shift JIS"), QStringLiteral("JIS"), QStringLiteral("EUC"),
            Q(page_texts::kUtf8), Q(blank)};
}

// Multi-line edits show "\n" between lines; the records keep "\r\n".
QString ToEditLines(const std::string& text) {
    QString lines = ToQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

std::string FromEditLines(const QPlainTextEdit& edit) {
    QString lines = edit.toPlainText();
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return lines.toStdString();
}

QPlainTextEdit* NewSizesEdit(QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setToolTip(Q(page_texts::kSizesTip));
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 10);
    return edit;
}

ReferenceFileRequest BackgroundRequest(const QString& documentPath) {
    ReferenceFileRequest request;
    request.kind = ReferenceFileRequest::Kind::kImage;
    request.title = Q(tag_texts::kImageFileTitle);
    request.filter = Q(image_texts::kImageFilter);
    request.basePath = documentPath;
    return request;
}

template <typename Data>
QGroupBox* NewMetaGroup(const Data& data, QWidget* parent, MetaFields& fields) {
    auto* group = new QGroupBox(Q(page_texts::kMetaGroup), parent);
    fields.author = NewEdit(data.author, group);
    fields.copyright = NewEdit(data.copyright, group);
    fields.replyTo = NewEdit(data.replyTo, group);
    fields.build = NewEdit(data.build, group);
    fields.keywords = NewEdit(data.keywords, group);
    fields.description = NewEdit(data.description, group);
    fields.robots = NewList(RobotsEntries(page_texts::kHalfWidthBlank), data.robots, group);
    fields.charset = NewList(CharsetEntries(page_texts::kHalfWidthBlank), data.charset, group);
    auto* grid = new QGridLayout(group);
    AddFieldRow(*grid, Q(page_texts::kAuthor), fields.author);
    AddFieldRow(*grid, Q(page_texts::kCopyright), fields.copyright);
    AddFieldRow(*grid, Q(page_texts::kReplyTo), fields.replyTo);
    AddFieldRow(*grid, Q(page_texts::kBuild), fields.build);
    AddFieldRow(*grid, Q(page_texts::kKeywords), fields.keywords);
    AddFieldRow(*grid, Q(page_texts::kDescription), fields.description);
    AddFieldRow(*grid, Q(page_texts::kSkeletonRobots), fields.robots);
    AddFieldRow(*grid, Q(page_texts::kSkeletonCharset), fields.charset);
    grid->setColumnStretch(1, 1);
    return group;
}

template <typename Data>
void ReadMetaFields(const MetaFields& fields, Data& data) {
    data.author = fields.author->text().toStdString();
    data.copyright = fields.copyright->text().toStdString();
    data.replyTo = fields.replyTo->text().toStdString();
    data.build = fields.build->text().toStdString();
    data.keywords = fields.keywords->text().toStdString();
    data.description = fields.description->text().toStdString();
    data.robots = fields.robots->currentIndex();
    data.charset = fields.charset->currentIndex();
}

ColourFieldOptions ColourOptions(int maxLength, RgbColour defaultColour) {
    ColourFieldOptions options;
    options.maxLength = maxLength;
    options.defaultColour = defaultColour;
    return options;
}

}  // namespace

// Division sizes.

CDivisionFields::CDivisionFields(QWidget* parent)
    : QWidget(parent),
      cols_(NewSizesEdit(this)),
      colsPercent_(new QCheckBox(Q(page_texts::kColsPercent), this)),
      rows_(NewSizesEdit(this)),
      rowsPercent_(new QCheckBox(Q(page_texts::kRowsPercent), this)),
      border_(new QLineEdit(this)) {
    AcceptDigitsOnly(*border_);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    AddFieldRow(*grid, Q(page_texts::kCols), cols_);
    grid->addWidget(colsPercent_, grid->rowCount() - 1, 2, Qt::AlignTop);
    AddFieldRow(*grid, Q(page_texts::kRows), rows_);
    grid->addWidget(rowsPercent_, grid->rowCount() - 1, 2, Qt::AlignTop);
    AddFieldRow(*grid, Q(page_texts::kBorder), border_);
    grid->setColumnStretch(1, 1);
}

void CDivisionFields::SetFields(const std::string& cols, int colsPercent, const std::string& rows,
                                int rowsPercent, const std::string& border) {
    cols_->setPlainText(ToEditLines(cols));
    colsPercent_->setChecked(colsPercent != 0);
    rows_->setPlainText(ToEditLines(rows));
    rowsPercent_->setChecked(rowsPercent != 0);
    border_->setText(ToQString(border));
}

std::string CDivisionFields::Cols() const {
    return FromEditLines(*cols_);
}

std::string CDivisionFields::Rows() const {
    return FromEditLines(*rows_);
}

int CDivisionFields::ColsPercent() const {
    return colsPercent_->isChecked() ? 1 : 0;
}

int CDivisionFields::RowsPercent() const {
    return rowsPercent_->isChecked() ? 1 : 0;
}

std::string CDivisionFields::Border() const {
    return border_->text().toStdString();
}

bool CDivisionFields::Check(QWidget* parent) {
    if (IsDivisionText(Cols()) && IsDivisionText(Rows()))
        return true;
    ShowMessage(Q(tag_texts::kNumericDataMessage), Q(tag_texts::kCaption), MsgIcon::Exclamation,
                MsgButtons::Ok, parent);
    return false;
}

void CDivisionFields::DropPercentSigns() {
    if (colsPercent_->isChecked())
        cols_->setPlainText(ToEditLines(RemovePercentSigns(Cols())));
    if (rowsPercent_->isChecked())
        rows_->setPlainText(ToEditLines(RemovePercentSigns(Rows())));
}

// Page colours.

CBodyColoursDlg::CBodyColoursDlg(const QString& caption, int colourLength, const QFont& sampleFont,
                                 const QString& documentPath, QWidget* parent,
                                 ISettingsStore& store)
    : CTagDialog(caption, ConfirmRule::kCheckThenInsertButton, parent, Q(tag_texts::kInsert),
                 store),
      text_(AddColourField(recent_keys::kBodyText, ColourOptions(7, kBlack))),
      link_(
          AddColourField(recent_keys::kBodyLink, ColourOptions(colourLength, kDefaultLinkColour))),
      vlink_(AddColourField(recent_keys::kBodyVlink,
                            ColourOptions(colourLength, kDefaultVlinkColour))),
      alink_(AddColourField(recent_keys::kBodyAlink,
                            ColourOptions(colourLength, kDefaultAlinkColour))),
      bgcolor_(AddColourField(recent_keys::kBodyBgcolor, ColourOptions(colourLength, kWhite))),
      background_(new CFileReferenceField(BackgroundRequest(documentPath),
                                          Q(tag_texts::kFileButton), this)),
      preview_(new CBodyPreview(sampleFont, this)) {
    for (CColourField* field : ColourFields())
        connect(field, &CColourField::ColourChanged, this, [this] { ShowColours(); });
}

void CBodyColoursDlg::ShowColours() {
    BodyColours colours;
    colours.text = text_->CurrentColour();
    colours.link = link_->CurrentColour();
    colours.vlink = vlink_->CurrentColour();
    colours.alink = alink_->CurrentColour();
    colours.background = bgcolor_->CurrentColour();
    preview_->SetColours(colours);
}

// General-page skeleton.

CPageSkeletonDlg::CPageSkeletonDlg(const PageSkeletonData& data, const QFont& sampleFont,
                                   const QString& documentPath, QWidget* parent,
                                   ISettingsStore& store)
    : CBodyColoursDlg(Q(page_texts::kPageSkeletonCaption), 0, sampleFont, documentPath, parent,
                      store),
      title_(NewEdit(data.title, this)),
      html5_(new QCheckBox(Q(page_texts::kHtml5), this)) {
    auto* titleGrid = new QGridLayout;
    AddFieldRow(*titleGrid, Q(page_texts::kPageTitle), title_);
    titleGrid->addWidget(html5_, titleGrid->rowCount() - 1, 2);
    titleGrid->setColumnStretch(1, 1);
    html5_->setChecked(data.html5);
    html5_->setToolTip(Q(page_texts::kHtml5Tip));

    QGroupBox* metaGroup = NewMetaGroup(data, this, meta_);

    auto* bodyGroup = new QGroupBox(Q(page_texts::kBodyGroup), this);
    auto* bodyGrid = new QGridLayout;
    AddFieldRow(*bodyGrid, Q(page_texts::kSkeletonText), TextField(), QString(),
                TextField()->Combo());
    AddFieldRow(*bodyGrid, Q(page_texts::kBgcolor), BgcolorField(), QString(),
                BgcolorField()->Combo());
    AddFieldRow(*bodyGrid, Q(page_texts::kSkeletonLink), LinkField(), QString(),
                LinkField()->Combo());
    AddFieldRow(*bodyGrid, Q(page_texts::kSkeletonVlink), VlinkField(), QString(),
                VlinkField()->Combo());
    AddFieldRow(*bodyGrid, Q(page_texts::kAlink), AlinkField(), QString(), AlinkField()->Combo());
    AddFieldRow(*bodyGrid, Q(page_texts::kBackground), BackgroundField(), QString(),
                BackgroundField()->Edit());
    bodyGrid->setColumnStretch(1, 1);
    auto* bodyLayout = new QVBoxLayout(bodyGroup);
    bodyLayout->addLayout(bodyGrid);
    bodyLayout->addWidget(Preview(), 1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(metaGroup, 1);
    columns->addWidget(bodyGroup, 1);
    ContentLayout()->addLayout(titleGrid);
    ContentLayout()->addLayout(columns);

    TextField()->SetText(data.textColor);
    BgcolorField()->SetText(data.bgColor);
    LinkField()->SetText(data.linkColor);
    VlinkField()->SetText(data.vlinkColor);
    AlinkField()->SetText(data.alinkColor);
    BackgroundField()->SetText(data.background);
    ShowColours();

    OrderFields({title_,
                 html5_,
                 meta_.author,
                 meta_.copyright,
                 meta_.replyTo,
                 meta_.build,
                 meta_.keywords,
                 meta_.description,
                 meta_.robots,
                 meta_.charset,
                 TextField()->Combo(),
                 TextField()->Button(),
                 BgcolorField()->Combo(),
                 BgcolorField()->Button(),
                 LinkField()->Combo(),
                 LinkField()->Button(),
                 VlinkField()->Combo(),
                 VlinkField()->Button(),
                 AlinkField()->Combo(),
                 AlinkField()->Button(),
                 BackgroundField()->Edit(),
                 BackgroundField()->Button()});
}

PageSkeletonData CPageSkeletonDlg::Data() const {
    PageSkeletonData data;
    data.title = title_->text().toStdString();
    data.html5 = html5_->isChecked();
    ReadMetaFields(meta_, data);
    data.textColor = TextField()->Text();
    data.bgColor = BgcolorField()->Text();
    data.linkColor = LinkField()->Text();
    data.vlinkColor = VlinkField()->Text();
    data.alinkColor = AlinkField()->Text();
    data.background = BackgroundField()->Text();
    return data;
}

// Frame-page skeleton.

CFrameSkeletonDlg::CFrameSkeletonDlg(const FrameSkeletonData& data, QWidget* parent,
                                     ISettingsStore& store)
    : CTagDialog(Q(page_texts::kFrameSkeletonCaption), ConfirmRule::kCheckThenInsertButton, parent,
                 Q(tag_texts::kInsert), store),
      title_(NewEdit(data.title, this)),
      division_(new CDivisionFields(this)) {
    auto* titleGrid = new QGridLayout;
    AddFieldRow(*titleGrid, Q(page_texts::kFrameTitle), title_);
    titleGrid->setColumnStretch(1, 1);

    QGroupBox* metaGroup = NewMetaGroup(data, this, meta_);

    auto* framesetGroup = new QGroupBox(Q(page_texts::kFramesetGroup), this);
    auto* framesetLayout = new QVBoxLayout(framesetGroup);
    framesetLayout->addWidget(division_);
    framesetLayout->addStretch(1);
    division_->SetFields(data.cols, data.colsPercent, data.rows, data.rowsPercent, data.border);

    auto* columns = new QHBoxLayout;
    columns->addWidget(metaGroup, 1);
    columns->addWidget(framesetGroup, 1);
    ContentLayout()->addLayout(titleGrid);
    ContentLayout()->addLayout(columns);

    OrderFields({title_, meta_.author, meta_.copyright, meta_.replyTo, meta_.build, meta_.keywords,
                 meta_.description, meta_.robots, meta_.charset, division_->ColsEdit(),
                 division_->ColsPercentBox(), division_->RowsEdit(), division_->RowsPercentBox(),
                 division_->BorderEdit()});
}

FrameSkeletonData CFrameSkeletonDlg::Data() const {
    FrameSkeletonData data;
    data.title = title_->text().toStdString();
    ReadMetaFields(meta_, data);
    data.cols = division_->Cols();
    data.colsPercent = division_->ColsPercent();
    data.rows = division_->Rows();
    data.rowsPercent = division_->RowsPercent();
    data.border = division_->Border();
    return data;
}

bool CFrameSkeletonDlg::CheckFields() {
    return division_->Check(this);
}

void CFrameSkeletonDlg::SaveFields() {
    division_->DropPercentSigns();
}

// Document type.

CDoctypeDlg::CDoctypeDlg(const DoctypeData& data, QWidget* parent)
    : CTagDialog(QStringLiteral("<!DOCTYPE HTML PUBLIC>"), ConfirmRule::kEnter, parent),
      version_(new QComboBox(this)) {
    version_->setEditable(true);
    version_->setInsertPolicy(QComboBox::NoInsert);
    version_->setCompleter(nullptr);
    version_->addItems({QStringLiteral("HTML 4.0"), QStringLiteral("HTML 4.0 Frameset"),
                        QStringLiteral("HTML 4.0 Transitional"), QStringLiteral("HTML 3.2 Final"),
                        QStringLiteral("Compact HTML 1.0 Draft"), QString()});
    version_->setCurrentIndex(-1);
    version_->setEditText(ToQString(data.version));
    version_->setMinimumWidth(240);
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, Q(page_texts::kVersion), version_);
    grid->setColumnStretch(1, 1);
    ContentLayout()->addLayout(grid);
    OrderFields({version_});
}

DoctypeData CDoctypeDlg::Data() const {
    return {version_->currentText().toStdString()};
}

// BODY.

CBodyDlg::CBodyDlg(const BodyData& data, const QFont& sampleFont, const QString& documentPath,
                   QWidget* parent, ISettingsStore& store)
    : CBodyColoursDlg(Q(page_texts::kBodyCaption), 7, sampleFont, documentPath, parent, store) {
    auto* grid = new QGridLayout;
    AddFieldRow(*grid, Q(page_texts::kBodyText), TextField(), QString(), TextField()->Combo());
    AddFieldRow(*grid, Q(page_texts::kBodyLink), LinkField(), QString(), LinkField()->Combo());
    AddFieldRow(*grid, Q(page_texts::kAlink), AlinkField(), QString(), AlinkField()->Combo());
    AddFieldRow(*grid, Q(page_texts::kBodyVlink), VlinkField(), QString(), VlinkField()->Combo());
    AddFieldRow(*grid, Q(page_texts::kBgcolor), BgcolorField(), QString(), BgcolorField()->Combo());
    AddFieldRow(*grid, Q(page_texts::kBackground), BackgroundField(), QString(),
                BackgroundField()->Edit());
    grid->setColumnStretch(1, 1);
    ContentLayout()->addLayout(grid);
    ContentLayout()->addWidget(Preview(), 1);

    // A tag being edited brings its colours; a text that is no colour shows
    // as these until the user types.
    auto start = [](CColourField* field, const std::string& text, RgbColour invalid) {
        field->SetText(text);
        if (!text.empty() && !IsValidColourText(text))
            field->SetCurrentColour(invalid);
    };
    start(TextField(), data.textColor, kBlack);
    start(LinkField(), data.linkColor, kDefaultLinkColour);
    start(AlinkField(), data.alinkColor, kBlack);
    start(VlinkField(), data.vlinkColor, kBlack);
    start(BgcolorField(), data.bgColor, kWhite);
    BackgroundField()->SetText(data.background);
    ShowColours();

    OrderFields({TextField()->Combo(), TextField()->Button(), LinkField()->Combo(),
                 LinkField()->Button(), AlinkField()->Combo(), AlinkField()->Button(),
                 VlinkField()->Combo(), VlinkField()->Button(), BgcolorField()->Combo(),
                 BgcolorField()->Button(), BackgroundField()->Edit(), BackgroundField()->Button()});
}

BodyData CBodyDlg::Data() const {
    BodyData data;
    data.textColor = TextField()->Text();
    data.linkColor = LinkField()->Text();
    data.vlinkColor = VlinkField()->Text();
    data.alinkColor = AlinkField()->Text();
    data.bgColor = BgcolorField()->Text();
    data.background = BackgroundField()->Text();
    return data;
}

// META.

namespace {

// The text field's label for each kind that uses it.
const char* TextLabelOf(int kind) {
    switch (kind) {
        case kMetaReplyTo:
            return page_texts::kTextReplyTo;
        case kMetaCopyright:
            return page_texts::kTextCopyright;
        case kMetaBuild:
            return page_texts::kTextBuild;
        case kMetaKeywords:
            return page_texts::kTextKeywords;
        case kMetaDescription:
            return page_texts::kTextDescription;
        case kMetaRefresh:
            return page_texts::kTextRefresh;
        default:
            return page_texts::kTextAuthor;
    }
}

}  // namespace

CMetaDlg::CMetaDlg(const MetaData& data, const QString& documentPath, QWidget* parent)
    : CTagDialog(Q(page_texts::kMetaCaption), ConfirmRule::kEnter, parent),
      documentPath_(documentPath),
      shownKind_(data.kind),
      kind_(new CRadioGroup(
          Q(page_texts::kMetaKindGroup),
          {Q(page_texts::kKindAuthor), Q(page_texts::kKindReplyTo), Q(page_texts::kKindCopyright),
           Q(page_texts::kKindBuild), Q(page_texts::kKindKeywords), Q(page_texts::kKindDescription),
           Q(page_texts::kKindRobots), Q(page_texts::kKindContentType),
           Q(page_texts::kKindRefresh)},
          Qt::Vertical, this)),
      textLabel_(new QLabel(this)),
      text_(NewEdit(data.text, this)),
      browse_(new QPushButton(Q(page_texts::kBrowse), this)),
      robotsLabel_(new QLabel(Q(page_texts::kMetaRobots), this)),
      robots_(NewList(RobotsEntries(page_texts::kFullWidthBlank), data.robots, this)),
      charsetLabel_(new QLabel(Q(page_texts::kMetaCharset), this)),
      charset_(NewList(CharsetEntries(page_texts::kFullWidthBlank), data.charset, this)),
      secondsLabel_(new QLabel(Q(page_texts::kSeconds), this)),
      seconds_(NewEdit(data.seconds, this)),
      secondsNote_(new QLabel(Q(page_texts::kSecondsNote), this)) {
    textLabel_->setBuddy(text_);
    robotsLabel_->setBuddy(robots_);
    charsetLabel_->setBuddy(charset_);
    secondsLabel_->setBuddy(seconds_);
    seconds_->setMinimumWidth(60);

    auto* grid = new QGridLayout;
    grid->addWidget(textLabel_, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(browse_, 0, 2);
    grid->addWidget(robotsLabel_, 1, 0);
    grid->addWidget(robots_, 1, 1);
    grid->addWidget(charsetLabel_, 2, 0);
    grid->addWidget(charset_, 2, 1);
    grid->addWidget(secondsLabel_, 3, 0);
    grid->addWidget(seconds_, 3, 1);
    grid->addWidget(secondsNote_, 3, 2);
    grid->setColumnStretch(1, 1);
    auto* fields = new QVBoxLayout;
    fields->addLayout(grid);
    fields->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(kind_);
    row->addLayout(fields, 1);
    ContentLayout()->addLayout(row);

    kind_->SetIndex(data.kind);
    ShowKind(kind_->Index());
    connect(kind_, &CRadioGroup::IndexChanged, this, [this](int kind) { OnKind(kind); });
    connect(browse_, &QPushButton::clicked, this, [this] { BrowseJumpTarget(); });
    OrderFields(
        {kind_->Button(std::max(kind_->Index(), 0)), text_, browse_, robots_, charset_, seconds_});
}

void CMetaDlg::OnKind(int kind) {
    // A new kind of text does not inherit the text of the one before.
    if (IsMetaTextKind(kind) && kind != shownKind_)
        text_->clear();
    shownKind_ = kind;
    ShowKind(kind);
}

void CMetaDlg::ShowKind(int kind) {
    const bool all = kind < 0 || kind >= kMetaKindCount;
    const bool text = all || IsMetaTextKind(kind);
    textLabel_->setVisible(text);
    text_->setVisible(text);
    textLabel_->setText(Q(TextLabelOf(kind)));
    robotsLabel_->setVisible(all || kind == kMetaRobots);
    robots_->setVisible(all || kind == kMetaRobots);
    charsetLabel_->setVisible(all || kind == kMetaContentType);
    charset_->setVisible(all || kind == kMetaContentType);
    const bool refresh = all || kind == kMetaRefresh;
    browse_->setVisible(refresh);
    secondsLabel_->setVisible(refresh);
    seconds_->setVisible(refresh);
    secondsNote_->setVisible(refresh);
}

bool CMetaDlg::BrowseJumpTarget() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.folder = documentPath_.isEmpty() ? QString() : QFileInfo(documentPath_).absolutePath();
    request.filter = Q(page_texts::kJumpFilter);
    request.title = Q(page_texts::kJumpTitle);
    const FileDialogResult result = RunFileDialog(request, this);
    if (!result.accepted || result.paths.isEmpty())
        return false;
    text_->setText(QFileInfo(result.paths.front()).fileName());
    return true;
}

MetaData CMetaDlg::Data() const {
    MetaData data;
    data.kind = kind_->Index();
    data.text = text_->text().toStdString();
    data.robots = robots_->currentIndex();
    data.charset = charset_->currentIndex();
    data.seconds = seconds_->text().toStdString();
    return data;
}

}  // namespace vesk
