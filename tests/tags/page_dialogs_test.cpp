// What the skeleton, BODY, META, FRAMESET and FRAME dialogs do while open:
// the colour preview and its layout, the META controls per kind, the FRAME
// border choice and its recent colours, and the confirmation of each.

#include "tags/page_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include "core/app_settings.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/body_preview.h"
#include "tags/frame_dialogs.h"
#include "tags/image_dialog.h"
#include "tags/page_tag_writers.h"
#include "tags/radio_group.h"
#include "tags/recent_values.h"
#include "tags/table_dialogs.h"

namespace {

using namespace vesk;

// How many characters typing leaves in a colour field (its text is restored).
int TypedLength(CColourField* field) {
    const std::string before = field->Text();
    field->Combo()->lineEdit()->clear();
    QTest::keyClicks(field->Combo()->lineEdit(), "#0123456789");
    const int length = static_cast<int>(field->Text().size());
    field->SetText(before);
    return length;
}

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    return items;
}

QFont TestFont() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(14);
    return font;
}

void Type(CColourField* field, const QString& text) {
    QLineEdit* edit = field->Combo()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, text);
}

class PageDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override {
        test::InstallNonBlockingSeams();
        SetReferenceFileChooser({});
    }
    static void Open(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    static void ClickInsert(CTagDialog& dialog) {
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    }
    static void EnterIn(QWidget* field) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
    }
};

// The preview.

TEST(BodyPreviewLayout, GapsAreAThirdOfTheSpaceLeftAndNeverNegative) {
    EXPECT_EQ(ComputePreviewLayout(300, 100, 80, 100, 20), (PreviewLayout{40, 160, 20, 60}));
    EXPECT_EQ(ComputePreviewLayout(302, 101, 80, 100, 20), (PreviewLayout{40, 160, 20, 60}));
    // Too small: the texts touch the edges and each other.
    EXPECT_EQ(ComputePreviewLayout(150, 30, 80, 100, 20), (PreviewLayout{0, 80, 0, 20}));
}

// The box holding every pixel of exactly this colour; empty when none.
QRect PixelsOf(const QImage& image, const QColor& colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Whether some row inside box is colour for at least most of its width.
bool HasLine(const QImage& image, const QRect& box, const QColor& colour) {
    for (int y = box.top(); y <= box.bottom(); ++y) {
        int run = 0;
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                ++run;
        if (run > box.width() * 8 / 10)
            return true;
    }
    return false;
}

TEST(BodyPreview, PaintsTheFourTextsInTheirCellsOnTheBackground) {
    CBodyPreview preview(TestFont());
    preview.resize(460, 110);
    BodyColours colours;
    colours.text = RgbColour{0x10, 0x20, 0x30};
    colours.link = RgbColour{0x00, 0x00, 0xFF};
    colours.alink = RgbColour{0xFF, 0x00, 0x00};
    colours.vlink = RgbColour{0x00, 0x90, 0x00};
    colours.background = RgbColour{0xFF, 0xFF, 0xCC};
    preview.SetColours(colours);
    const QImage image = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect area = preview.contentsRect();
    EXPECT_EQ(image.pixelColor(area.topLeft() + QPoint(1, 1)), QColor(0xFF, 0xFF, 0xCC));
    EXPECT_EQ(image.pixelColor(area.bottomRight() - QPoint(1, 1)), QColor(0xFF, 0xFF, 0xCC));

    const PreviewLayout layout = preview.Layout();
    const QFontMetrics metrics(preview.LinkFont());
    const int activeWidth =
        metrics.horizontalAdvance(QString::fromUtf8(body_preview_texts::kActiveLink));
    const int visitedWidth =
        metrics.horizontalAdvance(QString::fromUtf8(body_preview_texts::kVisitedLink));
    EXPECT_EQ(layout, ComputePreviewLayout(area.width(), area.height(), activeWidth, visitedWidth,
                                           metrics.height()));
    ASSERT_GT(layout.left, 0);
    ASSERT_GT(layout.top, 0);

    const QPoint origin = area.topLeft();
    const int h = metrics.height();
    const QRect topLeft(origin + QPoint(layout.left, layout.top), QSize(activeWidth, h));
    const QRect topRight(origin + QPoint(layout.right, layout.top), QSize(visitedWidth, h));
    const QRect bottomLeft(origin + QPoint(layout.left, layout.bottom), QSize(activeWidth, h));
    const QRect bottomRight(origin + QPoint(layout.right, layout.bottom), QSize(visitedWidth, h));
    struct Cell {
        QColor colour;
        QRect cell;
        bool underlined;
    };
    for (const Cell& c :
         {Cell{QColor(0x10, 0x20, 0x30), topLeft, false}, Cell{QColor(0, 0, 0xFF), topRight, true},
          Cell{QColor(0xFF, 0, 0), bottomLeft, true},
          Cell{QColor(0, 0x90, 0), bottomRight, true}}) {
        const QRect drawn = PixelsOf(image, c.colour);
        ASSERT_FALSE(drawn.isEmpty()) << c.colour.name().toStdString();
        EXPECT_TRUE(c.cell.adjusted(-1, -1, 1, 1).contains(drawn)) << c.colour.name().toStdString();
        EXPECT_EQ(HasLine(image, drawn, c.colour), c.underlined) << c.colour.name().toStdString();
    }
}

TEST_F(PageDialogTest, BodyDialogTakesThePreviewFontOfTheSettings) {
    CAppSettings settings;
    settings.general.previewSize = 21;
    CVeskHtmlDoc doc;
    CVeskHtmlView view(settings, &doc);
    int size = 0;
    dialog_seam::SetScript([&](QDialog& dialog) {
        size = dynamic_cast<CBodyDlg&>(dialog).Preview()->font().pointSize();
        return static_cast<int>(QDialog::Rejected);
    });
    BodyData data;
    EXPECT_FALSE(WriteBody(view, data, kWriterInsert, CTagScanner()));
    EXPECT_EQ(size, 21);
}

// General-page skeleton and BODY.

TEST_F(PageDialogTest, SkeletonStartsAtTheDefaultColoursAndFollowsTyping) {
    CPageSkeletonDlg dialog(PageSkeletonData{}, TestFont(), QString());
    EXPECT_EQ(dialog.Preview()->Colours(), BodyColours{});
    EXPECT_EQ(dialog.Preview()->Colours().vlink, (RgbColour{0x80, 0x00, 0x40}));
    EXPECT_EQ(TypedLength(dialog.TextField()), 7);
    EXPECT_GT(TypedLength(dialog.LinkField()), 7);
    EXPECT_EQ(dialog.RobotsCombo()->currentIndex(), -1);
    EXPECT_EQ(Items(*dialog.CharsetCombo()),
              (QStringList{"Shift JIS", "JIS", "EUC", "UTF-8", " "}));
    EXPECT_EQ(dialog.CharsetCombo()->currentIndex(), -1);
    EXPECT_EQ(dialog.RobotsCombo()->count(), 6);
    EXPECT_EQ(dialog.RobotsCombo()->itemText(5), " ");

    Type(dialog.VlinkField(), "aqua");
    EXPECT_EQ(dialog.Preview()->Colours().vlink, (RgbColour{0, 0xFF, 0xFF}));
    // Unfinished, the text stands for no colour: the default shows.
    Type(dialog.VlinkField(), "#12");
    EXPECT_EQ(dialog.Preview()->Colours().vlink, (RgbColour{0x80, 0x00, 0x40}));
    Type(dialog.BgcolorField(), "#000080");
    EXPECT_EQ(dialog.Preview()->Colours().background, (RgbColour{0, 0, 0x80}));
}

TEST_F(PageDialogTest, BodyDialogShowsInvalidColoursOfATagAsTheirOwn) {
    BodyData data{"#102030", "Blue", "purpl", "#FF00", "bad", "bg.gif"};
    CBodyDlg dialog(data, TestFont(), QString());
    const BodyColours shown = dialog.Preview()->Colours();
    EXPECT_EQ(shown.text, (RgbColour{0x10, 0x20, 0x30}));
    EXPECT_EQ(shown.link, (RgbColour{0, 0, 0xFF}));
    EXPECT_EQ(shown.vlink, kBlack);
    EXPECT_EQ(shown.alink, kBlack);
    EXPECT_EQ(shown.background, kWhite);
    EXPECT_EQ(dialog.Data().background, "bg.gif");
    for (CColourField* field : dialog.ColourFields()) EXPECT_EQ(TypedLength(field), 7);

    // Typing falls back to the field's default instead.
    Type(dialog.AlinkField(), "zz");
    EXPECT_EQ(dialog.Preview()->Colours().alink, (RgbColour{0xFF, 0, 0}));
    CBodyDlg empty(BodyData{}, TestFont(), QString());
    EXPECT_EQ(empty.Preview()->Colours(), BodyColours{});
}

TEST_F(PageDialogTest, BodyDialogChecksFirstAndConfirmsOnlyByTheInsertButton) {
    test::ScriptedSeams seams;
    {
        CBodyDlg dialog(BodyData{}, TestFont(), QString());
        Open(dialog);
        dialog.TextField()->SetText("#00FF00");
        dialog.LinkField()->SetText("Red");
        EnterIn(dialog.TextField()->Combo()->lineEdit());
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(tag_texts::kColourDataMessage));

        dialog.LinkField()->SetText("red");
        EnterIn(dialog.TextField()->Combo()->lineEdit());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(seams.Messages().size(), 1u);
        ClickInsert(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(RecentValueList(recent_keys::kBodyText).Offered(),
              std::vector<std::string>{"#00FF00"});
    EXPECT_EQ(RecentValueList(recent_keys::kBodyLink).Offered(), std::vector<std::string>{"red"});
    EXPECT_TRUE(RecentValueList(recent_keys::kBodyBgcolor).Offered().empty());
    EXPECT_TRUE(AppStore().HasEntry("CustumColors", "COLOR_0"));
}

TEST_F(PageDialogTest, BackgroundButtonAsksForAPicture) {
    ReferenceFileRequest asked;
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        asked = request;
        return std::optional<ReferenceFileChoice>(
            ReferenceFileChoice{"img/bg.png", "/w/img/bg.png"});
    });
    CPageSkeletonDlg dialog(PageSkeletonData{}, TestFont(), "/w/index.html");
    dialog.BackgroundField()->Button()->click();
    EXPECT_EQ(asked.kind, ReferenceFileRequest::Kind::kImage);
    EXPECT_EQ(asked.title, "画像ファイルの選択");
    EXPECT_EQ(asked.filter, QString::fromUtf8(image_texts::kImageFilter));
    EXPECT_EQ(asked.basePath, "/w/index.html");
    EXPECT_EQ(dialog.Data().background, "img/bg.png");
}

// META.

TEST_F(PageDialogTest, MetaShowsTheControlsOfTheChosenKind) {
    CMetaDlg dialog(MetaData{}, QString());
    // Nothing chosen yet: everything shows.
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.TextEdit(), dialog.RobotsCombo(),
                                                      dialog.CharsetCombo(), dialog.SecondsEdit(),
                                                      dialog.BrowseButton()})
        EXPECT_FALSE(w->isHidden());
    EXPECT_EQ(Items(*dialog.CharsetCombo()),
              (QStringList{"Shift JIS", "JIS", "EUC", "UTF-8", "　"}));
    EXPECT_EQ(dialog.RobotsCombo()->itemText(5), "　");

    dialog.KindGroup()->Button(kMetaRobots)->click();
    EXPECT_FALSE(dialog.RobotsCombo()->isHidden());
    EXPECT_EQ(dialog.RobotsLabel()->text(), "検索制限(&E)");
    EXPECT_TRUE(dialog.TextEdit()->isHidden());
    EXPECT_TRUE(dialog.CharsetCombo()->isHidden());
    EXPECT_TRUE(dialog.SecondsEdit()->isHidden());

    dialog.KindGroup()->Button(kMetaContentType)->click();
    EXPECT_FALSE(dialog.CharsetCombo()->isHidden());
    EXPECT_TRUE(dialog.RobotsCombo()->isHidden());

    dialog.KindGroup()->Button(kMetaRefresh)->click();
    EXPECT_FALSE(dialog.TextEdit()->isHidden());
    EXPECT_FALSE(dialog.SecondsEdit()->isHidden());
    EXPECT_FALSE(dialog.BrowseButton()->isHidden());
    EXPECT_EQ(dialog.TextLabel()->text(), "ジャンプ先のURL");

    dialog.KindGroup()->Button(kMetaReplyTo)->click();
    EXPECT_EQ(dialog.TextLabel()->text(), "連絡先");
    EXPECT_TRUE(dialog.SecondsEdit()->isHidden());
    EXPECT_TRUE(dialog.BrowseButton()->isHidden());
    dialog.KindGroup()->Button(kMetaDescription)->click();
    EXPECT_EQ(dialog.TextLabel()->text(), "検索結果の文");
}

TEST_F(PageDialogTest, AnotherTextKindStartsWithAnEmptyText) {
    MetaData data;
    data.kind = kMetaKeywords;
    data.text = "html";
    CMetaDlg dialog(data, QString());
    EXPECT_EQ(dialog.TextEdit()->text(), "html");
    EXPECT_TRUE(dialog.RobotsCombo()->isHidden());

    // Robots and character code leave the text alone...
    dialog.KindGroup()->Button(kMetaRobots)->click();
    dialog.KindGroup()->Button(kMetaContentType)->click();
    EXPECT_EQ(dialog.Data().text, "html");
    // ...a text kind does not.
    dialog.KindGroup()->Button(kMetaAuthor)->click();
    EXPECT_EQ(dialog.Data().text, "");
    dialog.TextEdit()->setText("me");
    dialog.KindGroup()->Button(kMetaBuild)->click();
    EXPECT_EQ(dialog.Data().text, "");
}

TEST_F(PageDialogTest, BrowseTakesTheJumpTargetsFileName) {
    test::ScriptedSeams seams;
    seams.dialogs.push_back(test::Chosen({"/site/sub/next.html"}));
    MetaData data;
    data.kind = kMetaRefresh;
    data.text = "old.html";
    CMetaDlg dialog(data, "/site/index.html");
    dialog.BrowseButton()->click();
    ASSERT_EQ(seams.requests.size(), 1u);
    EXPECT_EQ(seams.requests[0].filter,
              "htmlファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|全てのファイル(*.*)|*.*||");
    EXPECT_EQ(seams.requests[0].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(seams.requests[0].title, "ジャンプ先の選択");
    EXPECT_EQ(seams.requests[0].folder, "/site");
    EXPECT_EQ(dialog.TextEdit()->text(), "next.html");

    // Cancelled: the text stays.
    EXPECT_FALSE(dialog.BrowseJumpTarget());
    EXPECT_EQ(dialog.TextEdit()->text(), "next.html");
}

// FRAMESET.

TEST_F(PageDialogTest, FramesetRefusesLettersAndDropsPercentSignsOfCheckedFields) {
    test::ScriptedSeams seams;
    CFramesetDlg dialog(FramesetData{});
    Open(dialog);
    CDivisionFields* division = dialog.Division();
    EXPECT_EQ(division->ColsEdit()->toolTip(), QString::fromUtf8(page_texts::kSizesTip));
    QTest::keyClicks(division->BorderEdit(), "1a2");
    EXPECT_EQ(division->Border(), "12");

    division->ColsEdit()->setPlainText("a");
    ClickInsert(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(tag_texts::kNumericDataMessage));

    division->ColsEdit()->setPlainText("30%\n*");
    division->ColsPercentBox()->setChecked(true);
    division->RowsEdit()->setPlainText("50%\n50%");
    // Enter in the border field checks, but does not confirm.
    EnterIn(division->BorderEdit());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(division->Cols(), "30%\r\n*");
    ClickInsert(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(seams.Messages().size(), 1u);
    const FramesetData data = dialog.Data();
    EXPECT_EQ(data.cols, "30\r\n*");
    EXPECT_EQ(data.rows, "50%\r\n50%");
    EXPECT_EQ(FramesetTexts(data).opening,
              "<FRAMESET BORDER=\"12\" COLS=\"30%,*\" ROWS=\"50%,50%\"");
}

// FRAME.

// Width left for text in an edit field (a combo box's edit has no frame).
int TextRoom(const QLineEdit& edit) {
    const int frame = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    return edit.width() - 2 * frame - edit.textMargins().left() - edit.textMargins().right() - 4;
}

TEST_F(PageDialogTest, FieldsAreWideEnoughForTheirTexts) {
    CPageSkeletonDlg skeleton(PageSkeletonData{}, TestFont(), QString());
    CCellDlg cell(CellKind::kData, CellData{}, QString());
    const struct {
        QDialog* dialog;
        QLineEdit* field;
        const char* text;
    } cases[] = {
        {&skeleton, skeleton.TextField()->Combo()->lineEdit(), "#FFFFFF"},
        {&skeleton, skeleton.LinkField()->Combo()->lineEdit(), "fuchsia"},
        {&skeleton, skeleton.BackgroundField()->Edit(), "./img/background.gif"},
        {&cell, cell.ColSpanCombo()->lineEdit(), "100"},
        {&cell, cell.RowSpanCombo()->lineEdit(), "100"},
    };
    for (const auto& c : cases) {
        Open(*c.dialog);
        // At the smallest size the dialog can take.
        c.dialog->resize(c.dialog->minimumSizeHint());
        QApplication::processEvents();
        EXPECT_GE(TextRoom(*c.field), c.field->fontMetrics().horizontalAdvance(c.text)) << c.text;
    }
}

TEST_F(PageDialogTest, FrameBorderColourAndNoBorderExcludeEachOther) {
    CFrameDlg plain(FrameData{}, QString());
    EXPECT_TRUE(plain.BorderColorField()->isHidden());
    plain.BorderColorOnBox()->setChecked(true);
    EXPECT_FALSE(plain.BorderColorField()->isHidden());
    EXPECT_FALSE(plain.FrameBorderNoBox()->isEnabled());
    plain.BorderColorOnBox()->setChecked(false);
    EXPECT_TRUE(plain.BorderColorField()->isHidden());
    EXPECT_TRUE(plain.FrameBorderNoBox()->isEnabled());
    plain.FrameBorderNoBox()->setChecked(true);
    EXPECT_FALSE(plain.BorderColorOnBox()->isEnabled());

    FrameData data;
    data.borderColorOn = 1;
    data.borderColor = "#ff0000";
    CFrameDlg red(data, QString());
    EXPECT_FALSE(red.BorderColorField()->isHidden());
    EXPECT_EQ(red.BorderColorField()->CurrentColour(), (RgbColour{0xFF, 0, 0}));
    EXPECT_EQ(red.BorderColorField()->Button()->text(), "色...");
    ASSERT_NE(red.BorderColorField()->SampleBox(), nullptr);
    data.borderColor = "bogus";
    CFrameDlg invalid(data, QString());
    EXPECT_EQ(invalid.BorderColorField()->CurrentColour(), (RgbColour{0xBF, 0xBF, 0xBF}));
    Type(invalid.BorderColorField(), "navy");
    EXPECT_EQ(invalid.BorderColorField()->CurrentColour(), (RgbColour{0, 0, 0x80}));
}

TEST_F(PageDialogTest, FrameWithBothBorderAttributesLetsEitherGo) {
    FrameData data;
    data.borderColorOn = 1;
    data.frameBorderNo = 1;
    data.borderColor = "#123456";
    const struct {
        QCheckBox* (CFrameDlg::*clicked)() const;
        bool colourOn;
        bool noBorder;
    } cases[] = {
        {&CFrameDlg::FrameBorderNoBox, true, false},
        {&CFrameDlg::BorderColorOnBox, false, true},
    };
    for (const auto& c : cases) {
        CFrameDlg dialog(data, QString());
        Open(dialog);
        EXPECT_TRUE(dialog.BorderColorOnBox()->isEnabled());
        EXPECT_TRUE(dialog.FrameBorderNoBox()->isEnabled());
        QCheckBox* box = (dialog.*c.clicked)();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        EXPECT_EQ(dialog.BorderColorOnBox()->isChecked(), c.colourOn);
        EXPECT_EQ(dialog.FrameBorderNoBox()->isChecked(), c.noBorder);
        // The one left checked now locks the other, as a new choice would.
        EXPECT_TRUE(
            (c.colourOn ? dialog.BorderColorOnBox() : dialog.FrameBorderNoBox())->isEnabled());
        EXPECT_FALSE(box->isEnabled());
        EXPECT_EQ(dialog.BorderColorField()->isVisible(), c.colourOn);
    }
}

TEST_F(PageDialogTest, FrameChecksFirstAndPushesEveryConfirmedColour) {
    test::ScriptedSeams seams;
    auto confirm = [&](const std::string& colour, bool on) {
        FrameData data;
        data.borderColorOn = on ? 1 : 0;
        data.borderColor = colour;
        CFrameDlg dialog(data, QString());
        Open(dialog);
        ClickInsert(dialog);
        return dialog.result() == QDialog::Accepted;
    };
    EXPECT_TRUE(confirm("#00ff00", true));
    EXPECT_TRUE(confirm("#00ff00", true));
    EXPECT_EQ(RecentValueList(recent_keys::kFrameBordercolor).Entries(),
              (std::vector<std::string>{"#00ff00", "#00ff00"}));
    // Without its box the colour is not checked, yet still pushed.
    EXPECT_TRUE(confirm("#GG0000", false));
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_TRUE(confirm("", true));
    EXPECT_EQ(RecentValueList(recent_keys::kFrameBordercolor).Entries(),
              (std::vector<std::string>{"", "#GG0000"}));
    EXPECT_FALSE(confirm("#GG0000", true));
    EXPECT_EQ(seams.Messages().size(), 1u);

    {
        CFrameDlg dialog(FrameData{}, QString());
        EXPECT_EQ(Items(*dialog.BorderColorField()->Combo()).value(0), "#GG0000");
        Open(dialog);
        dialog.MarginWidthEdit()->setText("5a");
        EnterIn(dialog.MarginHeightEdit());
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(seams.Messages().size(), 2u);
        EXPECT_EQ(seams.Messages()[1].text, QString::fromUtf8(tag_texts::kNumericDataMessage));
        dialog.MarginWidthEdit()->setText("5");
        EnterIn(dialog.MarginHeightEdit());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(seams.Messages().size(), 2u);
        ClickInsert(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(PageDialogTest, FrameSourceTakesAnyFileFromTheFirstFilter) {
    ReferenceFileRequest asked;
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        asked = request;
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{"new.html", "/w/new.html"});
    });
    CFrameDlg dialog(FrameData{}, "/w/index.html");
    dialog.SrcField()->Button()->click();
    EXPECT_EQ(asked.kind, ReferenceFileRequest::Kind::kLink);
    EXPECT_EQ(asked.title, "ファイルの選択");
    EXPECT_EQ(asked.filter, QString::fromUtf8(frame_texts::kSrcFilter));
    EXPECT_FALSE(asked.requireExistingFile);
    EXPECT_FALSE(asked.rememberFilter);
    EXPECT_EQ(dialog.Data().src, "new.html");
}

}  // namespace
