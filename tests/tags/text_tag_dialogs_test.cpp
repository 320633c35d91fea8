// What the heading, list, link, mail, font and image dialogs do while open:
// their start states, the page colours and sample of the font dialog, the
// anchor and mail lists, and the picture preview with its size import.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "sidepane/file_preview_wnd.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/font_dialog.h"
#include "tags/heading_rule_dialogs.h"
#include "tags/image_dialog.h"
#include "tags/link_dialogs.h"
#include "tags/list_dialogs.h"
#include "tags/radio_group.h"
#include "tags/recent_values.h"
#include "tags/text_tag_writers.h"

namespace {

using namespace vesk;

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    return items;
}

class TagDialogTest : public ::testing::Test {
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
    // A picture of the given size in a fresh folder; returns its path.
    static QString Picture(const QString& folder, const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = folder + "/" + name;
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
};

// Each dialog opens on its first field (a group on its checked button), and
// Tab goes through the fields as they are shown, then to "挿入".
TEST_F(TagDialogTest, DialogsOpenOnTheirFirstFieldAndTabInTheOrderShown) {
    HeadingData heading;
    heading.level = 2;
    CHeadingDlg headingDlg(heading);
    CRuleDlg rule(RuleData{});
    CAnchorDlg anchor(AnchorData{});
    CFontDlg font(FontData{}, QFont());
    CListDlg list(ListKind::kBulleted, CListDlg::Target::kList, ListData{});
    const struct {
        CTagDialog* dialog;
        std::vector<QWidget*> tabs;  // the focus from opening on, one Tab after another
    } cases[] = {
        {&headingDlg, {headingDlg.LevelGroup()->Button(2)}},
        {&rule,
         {rule.SizeEdit(), rule.WidthEdit(), rule.PercentBox(), rule.NoShadeBox(),
          rule.AlignGroup()->Button(0)}},
        {&anchor, {anchor.NameEdit(), anchor.InsertButton()}},
        {&font, {font.SizeModeGroup()->Button(0)}},
        {&list, {list.TypeGroup()->Button(0)}},
    };
    for (const auto& c : cases) {
        Open(*c.dialog);
        for (QWidget* expected : c.tabs) {
            EXPECT_EQ(c.dialog->focusWidget(), expected) << c.dialog->windowTitle().toStdString();
            QTest::keyClick(c.dialog->focusWidget(), Qt::Key_Tab);
        }
        c.dialog->close();
    }
}

TEST_F(TagDialogTest, PageColoursComeFromTheFirstBodyTag) {
    PageColours page = FindPageColours("<HTML><BODY BGCOLOR=\"#003366\" TEXT=\"yellow\">");
    EXPECT_EQ(page.background, (RgbColour{0x00, 0x33, 0x66}));
    EXPECT_EQ(page.text, (RgbColour{0xFF, 0xFF, 0x00}));
    // Upper case first, lower case only when there is none.
    page = FindPageColours("<body bgcolor=\"red\"><BODY TEXT=\"#00ff00\">");
    EXPECT_EQ(page.background, kWhite);
    EXPECT_EQ(page.text, (RgbColour{0, 0xFF, 0}));
    page = FindPageColours("<body bgcolor=\"Red\" text=#123>");
    EXPECT_EQ(page.background, kWhite);
    EXPECT_EQ(page.text, kBlack);
    page = FindPageColours("no body here");
    EXPECT_EQ(page.background, kWhite);
    EXPECT_EQ(page.text, kBlack);
}

TEST_F(TagDialogTest, NewDialogsStartOnTheirFirstChoiceOrOnNone) {
    CHeadingDlg heading(HeadingData{});
    EXPECT_EQ(heading.windowTitle(), "見出し <Hn>");
    EXPECT_EQ(heading.LevelGroup()->Index(), 0);
    EXPECT_EQ(heading.AlignGroup()->Index(), 0);
    EXPECT_EQ(heading.LevelGroup()->Button(0)->text(), "&１");
    EXPECT_EQ(heading.AlignGroup()->Button(1)->text(), "&left (左寄せ）");

    CRuleDlg rule(RuleData{});
    EXPECT_EQ(rule.Data().align, 0);
    EXPECT_EQ(rule.AlignGroup()->title(), "位置　ALIGN =");

    CListDlg numbered(ListKind::kNumbered, CListDlg::Target::kList, ListData{});
    EXPECT_EQ(numbered.windowTitle(), "番号付きリスト <OL TYPE=>");
    EXPECT_EQ(numbered.TypeGroup()->Index(), -1);
    EXPECT_EQ(numbered.TypeGroup()->Count(), 5);
    CListDlg item(ListKind::kBulleted, CListDlg::Target::kItem, ListData{2});
    EXPECT_EQ(item.windowTitle(), "マーク付きリストの項目 <LI TYPE=>");
    EXPECT_EQ(item.TypeGroup()->Index(), 2);
    EXPECT_EQ(item.TypeGroup()->Button(0)->text(), "&disc　(●マーク付きリスト)");
    // A group can go back to nothing checked.
    item.TypeGroup()->SetIndex(-1);
    EXPECT_EQ(item.Data().type, -1);
}

TEST_F(TagDialogTest, FontDialogStartsFromThePageColours) {
    FontData data;
    data.pageBackground = RgbColour{0, 0x33, 0x66};
    data.pageText = RgbColour{0xFF, 0xFF, 0xCC};
    CFontDlg dialog(data, QFont());
    EXPECT_EQ(dialog.SizeModeGroup()->Index(), 0);
    EXPECT_EQ(dialog.SizeGroup()->Index(), 0);
    EXPECT_FALSE(dialog.SizeGroup()->Button(0)->isEnabled());
    EXPECT_EQ(dialog.ColourModeGroup()->Index(), 0);
    EXPECT_TRUE(dialog.ColourModeGroup()->Button(1)->isHidden());
    EXPECT_EQ(dialog.Sample()->Background(), data.pageBackground);
    EXPECT_EQ(dialog.Sample()->TextColour(), data.pageText);

    // Any size mode but "none" enables the sizes.
    dialog.SizeModeGroup()->Button(3)->click();
    EXPECT_TRUE(dialog.SizeGroup()->Button(6)->isEnabled());
    dialog.SizeModeGroup()->Button(0)->click();
    EXPECT_FALSE(dialog.SizeGroup()->Button(6)->isEnabled());

    // A prefilled dialog: its sizes usable, its colour current.
    FontData filled = data;
    filled.sizeMode = 2;
    filled.sizeIndex = 4;
    filled.colorMode = 1;
    filled.color = "#ff0000";
    CFontDlg prefilled(filled, QFont());
    EXPECT_TRUE(prefilled.SizeGroup()->Button(4)->isChecked());
    EXPECT_TRUE(prefilled.SizeGroup()->Button(4)->isEnabled());
    EXPECT_EQ(prefilled.ColourModeGroup()->Index(), 1);
    EXPECT_EQ(prefilled.Sample()->TextColour(), (RgbColour{0xFF, 0, 0}));
    filled.color = "nonsense";
    CFontDlg invalid(filled, QFont());
    EXPECT_EQ(invalid.Sample()->TextColour(), kBlack);
    // A tag's text longer than the field takes by typing stays whole.
    EXPECT_EQ(invalid.ColourField()->Text(), "nonsense");
}

TEST_F(TagDialogTest, TypingAColourGivesItAndNoColourGoesBackToThePageText) {
    FontData data;
    data.pageText = RgbColour{0x11, 0x22, 0x33};
    CFontDlg dialog(data, QFont());
    Open(dialog);
    QLineEdit* edit = dialog.ColourField()->Combo()->lineEdit();
    QTest::keyClicks(edit, "lime");
    EXPECT_EQ(dialog.ColourModeGroup()->Index(), 1);
    EXPECT_EQ(dialog.Sample()->TextColour(), (RgbColour{0, 0xFF, 0}));
    // An unfinished or wrong text shows black.
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(dialog.Sample()->TextColour(), kBlack);

    dialog.ColourModeGroup()->Button(0)->click();
    EXPECT_EQ(dialog.ColourField()->Text(), "");
    EXPECT_EQ(dialog.Sample()->TextColour(), data.pageText);

    // Choosing a list entry gives the colour too.
    const int navy = dialog.ColourField()->Combo()->findText("navy");
    dialog.ColourField()->Combo()->setCurrentIndex(navy);
    emit dialog.ColourField()->Combo()->activated(navy);
    EXPECT_EQ(dialog.ColourModeGroup()->Index(), 1);
    EXPECT_EQ(dialog.Sample()->TextColour(), (RgbColour{0, 0, 0x80}));
}

TEST_F(TagDialogTest, FontDialogStoresColoursOnlyWhenOneIsTyped) {
    {
        CFontDlg dialog(FontData{}, QFont());
        Open(dialog);
        // Enter in the field never confirms this dialog.
        dialog.ColourField()->Combo()->lineEdit()->setFocus();
        QTest::keyClick(dialog.ColourField()->Combo()->lineEdit(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(AppStore().HasEntry("CustumColors", "COLOR_0"));
    EXPECT_EQ(RecentValueList(recent_keys::kFontColor).Offered().size(), 0u);

    test::ScriptedSeams seams;
    {
        CFontDlg dialog(FontData{}, QFont());
        Open(dialog);
        dialog.ColourField()->SetText("Red");
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(seams.Messages().size(), 1u);
        dialog.ColourField()->SetText("#ff00cc");
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(AppStore().HasEntry("CustumColors", "COLOR_0"));
    EXPECT_EQ(RecentValueList(recent_keys::kFontColor).Offered(),
              std::vector<std::string>{"#ff00cc"});
    // The recent colour heads the next dialog's list.
    CFontDlg next(FontData{}, QFont());
    EXPECT_EQ(Items(*next.ColourField()->Combo()).value(0), "#ff00cc");
}

TEST_F(TagDialogTest, LinkDialogOffersTheDocumentsAnchorNamesInOrder) {
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view(settings, &doc);
    view.SetText(
        "<a name=\"Top\">t</a><AREA NAME=\"zone\" HREF=\"x\"><A HREF=\"#Top\">l</A>"
        "<A NAME=news>n</A>");
    QStringList anchors, targets;
    dialog_seam::SetScript([&](QDialog& dialog) {
        auto& link = dynamic_cast<CLinkDlg&>(dialog);
        anchors = Items(*link.AnchorCombo());
        targets = Items(*link.TargetCombo());
        return static_cast<int>(QDialog::Rejected);
    });
    LinkData data;
    EXPECT_FALSE(WriteLink(view, data, kWriterInsert, CTagScanner()));
    EXPECT_EQ(anchors, (QStringList{"Top", "zone", "news"}));
    EXPECT_EQ(targets, (QStringList{"_blank", "_parent", "_self", "_top"}));

    view.SetText("<P>no anchors</P>");
    WriteLink(view, data, kWriterInsert, CTagScanner());
    EXPECT_EQ(anchors, QStringList{QString()});
}

TEST_F(TagDialogTest, LinkDialogPreviewsTheTargetSeenFromTheDocument) {
    const QString site = test::MakeTempDir();
    QDir(site).mkpath("img");
    const QString picture = Picture(site + "/img", "a.png", 30, 20);
    LinkData data;
    data.href = "img/a.png";
    CLinkDlg dialog(data, site + "/index.html");
    EXPECT_EQ(dialog.Preview()->Path(), picture);
    EXPECT_EQ(dialog.Preview()->FileKind(), CFilePreviewWnd::kImage);

    // The file button: the reference goes into HREF, the preview shows the file.
    const QString other = Picture(site, "b.png", 5, 5);
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        EXPECT_EQ(request.title, "ファイルの選択");
        EXPECT_EQ(request.basePath, site + "/index.html");
        EXPECT_TRUE(request.filter.startsWith("htmlファイル(*.htm* *.shtm*)|"));
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{"./b.png", other});
    });
    dialog.HrefField()->Button()->click();
    EXPECT_EQ(dialog.Data().href, "./b.png");
    EXPECT_EQ(dialog.Preview()->Path(), other);
}

TEST_F(TagDialogTest, MailDialogOffersAddressesAndRemembersTheConfirmedOne) {
    RecentValueList mail(recent_keys::kMailTo);
    mail.Remember("old@example.jp");
    mail.Remember("no-at-sign");
    {
        CMailLinkDlg dialog(MailLinkData{});
        EXPECT_EQ(Items(*dialog.AddressCombo()), QStringList{"old@example.jp"});
        Open(dialog);
        dialog.AddressCombo()->setEditText("new@example.jp");
        QTest::keyClick(dialog.AddressCombo()->lineEdit(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(RecentValueList(recent_keys::kMailTo).Offered(),
              (std::vector<std::string>{"new@example.jp", "no-at-sign", "old@example.jp"}));
    {
        // An empty address is not remembered.
        CMailLinkDlg dialog(MailLinkData{});
        Open(dialog);
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    }
    EXPECT_EQ(RecentValueList(recent_keys::kMailTo).Offered().size(), 3u);
}

TEST_F(TagDialogTest, ImageDialogTakesTheSizeFromThePicture) {
    const QString site = test::MakeTempDir();
    QDir(site).mkpath("img");
    Picture(site + "/img", "logo.png", 123, 45);
    ImageData data;
    data.src = "img/logo.png";
    CImageDlg dialog(data, site + "/index.html");
    EXPECT_EQ(dialog.SizeButton()->toolTip(), "画像のサイズを取り込みます");
    ASSERT_TRUE(dialog.SizeButton()->isEnabled());
    EXPECT_EQ(dialog.WidthEdit()->text(), "");
    dialog.SizeButton()->click();
    EXPECT_EQ(dialog.WidthEdit()->text(), "123");
    EXPECT_EQ(dialog.HeightEdit()->text(), "45");

    // Nothing to load: no size to take.
    data.src = "img/missing.png";
    CImageDlg missing(data, site + "/index.html");
    EXPECT_FALSE(missing.SizeButton()->isEnabled());
    data.src = "img/logo.png";
    CImageDlg untitled(data, QString());
    EXPECT_FALSE(untitled.SizeButton()->isEnabled());
}

TEST_F(TagDialogTest, BrowsingForAPictureFillsSrcAndItsSize) {
    const QString site = test::MakeTempDir();
    const QString picture = Picture(site, "wide.png", 300, 10);
    const QString text = test::WriteTestFile(site + "/notes.txt", "not a picture");
    QString chosen = picture;
    std::string reference = "./wide.png";
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        EXPECT_EQ(request.title, "画像ファイルの選択");
        EXPECT_EQ(request.kind, ReferenceFileRequest::Kind::kImage);
        EXPECT_TRUE(request.filter.startsWith("画像ファイル(*.jpg *.jpeg *png *gif *bmp)|"));
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{reference, chosen});
    });
    CImageDlg dialog(ImageData{}, site + "/index.html");
    dialog.WidthEdit()->setText("1");
    dialog.SrcField()->Button()->click();
    EXPECT_EQ(dialog.Data().src, "./wide.png");
    EXPECT_EQ(dialog.WidthEdit()->text(), "300");
    EXPECT_EQ(dialog.HeightEdit()->text(), "10");
    EXPECT_FALSE(dialog.SizeButton()->isEnabled());

    // A file that is no picture empties the size.
    chosen = text;
    reference = "./notes.txt";
    dialog.SrcField()->Button()->click();
    EXPECT_EQ(dialog.Data().src, "./notes.txt");
    EXPECT_EQ(dialog.WidthEdit()->text(), "");
    EXPECT_EQ(dialog.HeightEdit()->text(), "");

    // A cancelled choice changes nothing.
    SetReferenceFileChooser(
        [](QWidget*, const ReferenceFileRequest&) { return std::optional<ReferenceFileChoice>(); });
    dialog.WidthEdit()->setText("7");
    dialog.SrcField()->Button()->click();
    EXPECT_EQ(dialog.Data().src, "./notes.txt");
    EXPECT_EQ(dialog.WidthEdit()->text(), "7");
}

}  // namespace
