#include "settings_sheet/settings_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/dialog_seam.h"
#include "platform/file_dialog_seam.h"
#include "settings_sheet/font_dialog_ex.h"

namespace {

const QSize kSwatchSize(40, 16);

QLabel* ValueLabel() {
    auto* label = new QLabel;
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMinimumWidth(120);
    return label;
}

}  // namespace

std::vector<SampleSegment> SampleSegments(bool colourTags, bool colourValues, bool colourComments) {
    const StyleIndex tag = colourTags ? kStyleTag : kStyleText;
    StyleIndex param = kStyleParam;
    if (!colourTags)
        param = kStyleText;
    else if (!colourValues)
        param = kStyleTag;
    const StyleIndex com = colourComments ? kStyleCom : kStyleText;
    return {
        {QStringLiteral("テキスト"), kStyleText}, {QStringLiteral("<TAG PARAM="), tag},
        {QStringLiteral("\"param\""), param},     {QStringLiteral(">"), tag},
        {QStringLiteral("</TAG>"), tag},          {QStringLiteral(" <!-- コメント -->"), com},
    };
}

QFont FontOfStyle(const StyleFormat& style) {
    QFont font(style.faceName);
    font.setPointSizeF(std::max(1, style.height) / 20.0);
    font.setBold(style.effects & kEffectBold);
    font.setItalic(style.effects & kEffectItalic);
    font.setUnderline(style.effects & kEffectUnderline);
    font.setStrikeOut(style.effects & kEffectStrikeout);
    return font;
}

CStyleSample::CStyleSample(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void CStyleSample::SetStyles(const std::array<StyleFormat, kStyleCount>& styles, bool colourTags,
                             bool colourValues, bool colourComments) {
    styles_ = styles;
    segments_ = SampleSegments(colourTags, colourValues, colourComments);
    updateGeometry();
    update();
}

QSize CStyleSample::sizeHint() const {
    int width = 8;
    int height = 0;
    for (const SampleSegment& s : segments_) {
        const QFontMetrics metrics(FontOfStyle(styles_[s.style]));
        width += metrics.horizontalAdvance(s.text);
        height = std::max(height, metrics.height());
    }
    return QSize(width, height + 10);
}

void CStyleSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    int ascent = 0;
    for (const SampleSegment& s : segments_)
        ascent = std::max(ascent, QFontMetrics(FontOfStyle(styles_[s.style])).ascent());
    const int baseline = (height() - ascent) / 2 + ascent - 2;
    int x = 4;
    painter.setClipRect(rect().adjusted(1, 1, -1, -1));
    for (const SampleSegment& s : segments_) {
        const StyleFormat& style = styles_[s.style];
        const QFont font = FontOfStyle(style);
        painter.setFont(font);
        painter.setPen(ColorOfColorRef(style.textColor));
        painter.drawText(x, baseline, s.text);
        x += QFontMetrics(font).horizontalAdvance(s.text);
    }
}

// Font page

CPrpIniFont::CPrpIniFont(const SettingsSnapshot& values, ISettingsStore& store, QWidget* parent)
    : QWidget(parent), store_(store), styles_(values.styles) {
    auto* grid = new QGridLayout;
    grid->addWidget(MakeGroup(kStyleText, QStringLiteral("テキスト"), QString()), 0, 0);
    grid->addWidget(
        MakeGroup(kStyleParam, QStringLiteral("属性"), QStringLiteral("色分けしない(&I)")), 0, 1);
    grid->addWidget(
        MakeGroup(kStyleTag, QStringLiteral("タグ"), QStringLiteral("色分けしない(&T)")), 1, 0);
    grid->addWidget(
        MakeGroup(kStyleCom, QStringLiteral("コメント"), QStringLiteral("色分けしない(&C)")), 1, 1);

    groups_[kStyleTag].noColour->setChecked(values.formatTag == 0);
    groups_[kStyleParam].noColour->setChecked(values.formatVal == 0);
    groups_[kStyleCom].noColour->setChecked(values.formatCom == 0);
    for (StyleIndex s : {kStyleTag, kStyleParam, kStyleCom}) {
        connect(groups_[s].noColour, &QCheckBox::toggled, this, [this] {
            changed_ = true;
            Refresh();
        });
    }

    sample_ = new CStyleSample;
    sample_->setMinimumHeight(40);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sample_);
    layout->addStretch();
    Refresh();
}

QWidget* CPrpIniFont::MakeGroup(StyleIndex style, const QString& title, const QString& checkText) {
    Group& g = groups_[style];
    auto* box = new QGroupBox(title);
    auto* form = new QGridLayout(box);
    g.face = ValueLabel();
    g.size = ValueLabel();
    g.effects = ValueLabel();
    g.colour = new QLabel;
    g.button = new QPushButton(QStringLiteral("フォント選択 ..."));
    form->addWidget(g.face, 0, 0, 1, 2);
    form->addWidget(g.size, 1, 0);
    form->addWidget(g.effects, 1, 1);
    form->addWidget(g.colour, 2, 0, Qt::AlignLeft);
    form->addWidget(g.button, 2, 1);
    if (!checkText.isEmpty()) {
        g.noColour = new QCheckBox(checkText);
        form->addWidget(g.noColour, 3, 0, 1, 2);
    }
    form->setRowStretch(4, 1);
    connect(g.button, &QPushButton::clicked, this, [this, style] { ChooseFont(style); });
    return box;
}

void CPrpIniFont::ChooseFont(StyleIndex style) {
    CFontDialogEx dialog(FontChoiceOf(styles_[style]), true, store_, this);
    if (vesk::RunDialog(dialog) != QDialog::Accepted)
        return;
    styles_[style] = ApplyFontChoice(styles_[style], dialog.Choice());
    changed_ = true;
    Refresh();
}

void CPrpIniFont::Refresh() {
    for (int i = 0; i < kStyleCount; ++i) {
        const StyleFormat& style = styles_[i];
        Group& g = groups_[i];
        g.face->setText(style.faceName);
        g.size->setText(FontSizeText(style.height / 20));
        g.effects->setText(FontStyleText(style.effects));
        g.colour->setPixmap(ColourSwatch(style.textColor, kSwatchSize));
    }
    sample_->SetStyles(styles_, !groups_[kStyleTag].noColour->isChecked(),
                       !groups_[kStyleParam].noColour->isChecked(),
                       !groups_[kStyleCom].noColour->isChecked());
}

void CPrpIniFont::Store(SettingsSnapshot& values) const {
    values.styles = styles_;
    values.formatTag = groups_[kStyleTag].noColour->isChecked() ? 0 : 1;
    values.formatVal = groups_[kStyleParam].noColour->isChecked() ? 0 : 1;
    values.formatCom = groups_[kStyleCom].noColour->isChecked() ? 0 : 1;
}

// Editor page

CPrpIniEditor::CPrpIniEditor(const SettingsSnapshot& values, ISettingsStore& store, QWidget* parent)
    : QWidget(parent),
      store_(store),
      previewFont_(values.previewFont),
      previewSize_(values.previewSize) {
    auto* confirm = new QGroupBox(QStringLiteral("確認ダイアログの表示"));
    auto* confirmLayout = new QVBoxLayout(confirm);
    colorCopy_ = new QCheckBox(QStringLiteral("カラーデータのコピー(&C)"));
    pathCopy_ = new QCheckBox(QStringLiteral("相対パスの取得(&P)"));
    confirmLayout->addWidget(colorCopy_);
    confirmLayout->addWidget(pathCopy_);

    auto* notation = new QGroupBox(QStringLiteral("タグ表記"));
    auto* notationLayout = new QHBoxLayout(notation);
    upper_ = new QRadioButton(QStringLiteral("大文字"));
    lower_ = new QRadioButton(QStringLiteral("小文字"));
    notationLayout->addWidget(upper_);
    notationLayout->addWidget(lower_);
    notationLayout->addStretch();

    auto* docList = new QGroupBox(QStringLiteral("ドキュメントリストバーの表示項目"));
    auto* docListLayout = new QVBoxLayout(docList);
    groupName_ = new QCheckBox(QStringLiteral("グループ名を表示(&G)"));
    title_ = new QCheckBox(QStringLiteral("HTMLタイトルを表示(&T)"));
    docListLayout->addWidget(groupName_);
    docListLayout->addWidget(title_);

    auto* preview = new QGroupBox(QStringLiteral("VeskViewの画像プレビュースタイル"));
    auto* previewLayout = new QVBoxLayout(preview);
    previewForm_[0] = new QRadioButton(QStringLiteral("画像情報非表示"));
    previewForm_[1] = new QRadioButton(QStringLiteral("画像情報を下に"));
    previewForm_[2] = new QRadioButton(QStringLiteral("画像情報を右に"));
    auto* previewGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        previewGroup->addButton(previewForm_[i], i);
        previewLayout->addWidget(previewForm_[i]);
    }

    wrap_ = new QCheckBox(QStringLiteral("右端で自動的に折り返す(&W)"));
    omitTagP_ = new QCheckBox(QStringLiteral("<P>タグの終了タグを省略(&O)"));
    tabbedView_ = new QCheckBox(QStringLiteral("タブで表示"));
    lineNumbers_ = new QCheckBox(QStringLiteral("行番号を表示"));
    autoCloseTags_ = new QCheckBox(QStringLiteral("終了タグを自動で挿入"));

    auto* fontBox = new QGroupBox(QStringLiteral("サンプル表示のフォント"));
    auto* fontLayout = new QGridLayout(fontBox);
    face_ = ValueLabel();
    size_ = ValueLabel();
    effects_ = ValueLabel();
    fontButton_ = new QPushButton(QStringLiteral("フォント選択..."));
    fontLayout->addWidget(face_, 0, 0, 1, 2);
    fontLayout->addWidget(size_, 1, 0);
    fontLayout->addWidget(effects_, 1, 1);
    fontLayout->addWidget(fontButton_, 0, 2);
    connect(fontButton_, &QPushButton::clicked, this, &CPrpIniEditor::ChoosePreviewFont);

    auto* left = new QVBoxLayout;
    left->addWidget(confirm);
    left->addWidget(notation);
    left->addWidget(docList);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(preview);
    right->addWidget(wrap_);
    right->addWidget(omitTagP_);
    right->addWidget(autoCloseTags_);
    right->addWidget(lineNumbers_);
    right->addWidget(tabbedView_);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(fontBox);
    layout->addStretch();

    colorCopy_->setChecked(values.colorCopyDlgShowHide != 0);
    pathCopy_->setChecked(values.pathCopyDlgShowHide != 0);
    wrap_->setChecked(values.wrap != 0);
    omitTagP_->setChecked(values.omitTagP != 0);
    tabbedView_->setChecked(values.tabbedView != 0);
    lineNumbers_->setChecked(values.lineNumbers != 0);
    autoCloseTags_->setChecked(values.autoCloseTags != 0);
    (values.sizeLower != 0 ? lower_ : upper_)->setChecked(true);
    // The boxes follow their labels; the bits are the document list's own.
    groupName_->setChecked(values.docListBarItems & kDocListShowGroup);
    title_->setChecked(values.docListBarItems & kDocListShowTitle);
    // A stored form outside 0..2 selects no radio; OK then keeps the stored value.
    if (values.vvPreviewForm >= 0 && values.vvPreviewForm < 3)
        previewForm_[values.vvPreviewForm]->setChecked(true);
    RefreshFont();
}

void CPrpIniEditor::ChoosePreviewFont() {
    CFontDialogEx dialog(FontChoiceOf(previewFont_, previewSize_), false, store_, this);
    if (vesk::RunDialog(dialog) != QDialog::Accepted)
        return;
    ApplyFontChoice(previewFont_, previewSize_, dialog.Choice());
    RefreshFont();
}

void CPrpIniEditor::RefreshFont() {
    face_->setText(previewFont_.faceName);
    size_->setText(FontSizeText(previewSize_));
    std::uint32_t effects = 0;
    if (previewFont_.weight >= 600)
        effects |= kEffectBold;
    if (previewFont_.italic)
        effects |= kEffectItalic;
    effects_->setText(FontStyleText(effects));
}

void CPrpIniEditor::Store(SettingsSnapshot& values) const {
    values.colorCopyDlgShowHide = colorCopy_->isChecked() ? 1 : 0;
    values.pathCopyDlgShowHide = pathCopy_->isChecked() ? 1 : 0;
    values.wrap = wrap_->isChecked() ? 1 : 0;
    values.omitTagP = omitTagP_->isChecked() ? 1 : 0;
    values.tabbedView = tabbedView_->isChecked() ? 1 : 0;
    values.lineNumbers = lineNumbers_->isChecked() ? 1 : 0;
    values.autoCloseTags = autoCloseTags_->isChecked() ? 1 : 0;
    values.sizeLower = lower_->isChecked() ? 1 : 0;
    values.docListBarItems = (groupName_->isChecked() ? kDocListShowGroup : 0) |
                             (title_->isChecked() ? kDocListShowTitle : 0);
    for (int i = 0; i < 3; ++i) {
        if (previewForm_[i]->isChecked())
            values.vvPreviewForm = i;
    }
    values.previewFont = previewFont_;
    values.previewSize = previewSize_;
}

// External applications page

namespace {

struct PathRow {
    const char* label;
    bool browser;
};
const PathRow kPathRows[CPrpIniBrows::kPathCount] = {
    {"インターネットエクスプローラーの場所(&I)", true},
    {"ネットスケープナビゲーターの場所(&N)", true},
    {"HTMLファイルを開くアプリケーションの場所 ( html htm shtml 他 )(&H)", false},
    {"画像ファイルを開くアプリケーションの場所　( jpg jpeg png gif )(&M)", false},
};

}  // namespace

CPrpIniBrows::CPrpIniBrows(const SettingsSnapshot& values, QWidget* parent) : QWidget(parent) {
    auto* browsers = new QGroupBox(QStringLiteral("プレビューに使用するブラウザ"));
    auto* apps = new QGroupBox(QStringLiteral("お気に入りのアプリケーション"));
    auto* browsersLayout = new QGridLayout(browsers);
    auto* appsLayout = new QGridLayout(apps);
    for (int i = 0; i < kPathCount; ++i) {
        QGridLayout* grid = kPathRows[i].browser ? browsersLayout : appsLayout;
        const int row = (i % 2) * 2;
        auto* label = new QLabel(QString::fromUtf8(kPathRows[i].label));
        edits_[i] = new QLineEdit;
        buttons_[i] = new QPushButton(QStringLiteral("参照 ..."));
        label->setBuddy(edits_[i]);
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(edits_[i], row + 1, 0);
        grid->addWidget(buttons_[i], row + 1, 1);
        const auto path = static_cast<PathIndex>(i);
        connect(buttons_[i], &QPushButton::clicked, this, [this, path] { Browse(path); });
    }
    edits_[kIePath]->setText(values.iePath);
    edits_[kNnPath]->setText(values.nnPath);
    edits_[kHtmlAppPath]->setText(values.htmlAppPath);
    edits_[kImageAppPath]->setText(values.imageAppPath);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browsers);
    layout->addWidget(apps);
    layout->addStretch();
}

void CPrpIniBrows::Browse(PathIndex path) {
    vesk::FileDialogRequest request;
    request.mode = vesk::FileDialogRequest::Mode::Open;
    // Programs here carry no ".exe": the filter keeps its name but lists every file.
    request.filter = QStringLiteral("プログラム(*.exe)|*||");
    request.title = kPathRows[path].browser ? QStringLiteral("ブラウザのパスの指定")
                                            : QStringLiteral("アプリケーションのパスの指定");
    const QFileInfo current(edits_[path]->text());
    if (current.isAbsolute())
        request.folder = current.absolutePath();
    const vesk::FileDialogResult result = vesk::RunFileDialog(request, this);
    if (result.accepted && !result.paths.isEmpty())
        edits_[path]->setText(result.paths.first());
}

void CPrpIniBrows::Store(SettingsSnapshot& values) const {
    values.iePath = edits_[kIePath]->text();
    values.nnPath = edits_[kNnPath]->text();
    values.htmlAppPath = edits_[kHtmlAppPath]->text();
    values.imageAppPath = edits_[kImageAppPath]->text();
}
