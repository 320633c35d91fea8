#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <memory>
#include <ostream>
#include <string>

#include "platform/encoding.h"
#include "platform/settings_store.h"
#include "sidepane/file_preview_wnd.h"
#include "support/test_env.h"

// Readable failure messages for the window's texts.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vesk {
namespace {

const QRgb kHolderBack = qRgb(203, 203, 203);  // 208 less 5
const QRgb kPictureBack = qRgb(208, 208, 208);
const QRgb kInfoBack = qRgb(238, 238, 238);
const QRgb kRed = qRgb(255, 0, 0);

std::string ToSjis(const std::string& utf8) {
    return EncodeText(utf8, TextEncoding::ShiftJis).bytes;
}

// Left half fully transparent, right half opaque red.
QString WriteHalfTransparentPng(const QString& dir, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) image.setPixel(x, y, qRgba(255, 0, 0, 255));
    }
    const QString path = dir + "/half.png";
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

QString WriteRedPng(const QString& dir, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(kRed));
    const QString path = dir + QString("/red%1x%2.png").arg(width).arg(height);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

class PreviewWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        wnd = std::make_unique<CFilePreviewWnd>();
        wnd->SetOptions(SidePanePreviewOptions(1));
        wnd->resize(200, 150);
        wnd->show();
    }
    QImage Grab() { return wnd->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    static QRgb Rgb(QRgb value) { return value & 0xFFFFFF; }
    QColor Face() const { return wnd->palette().color(QPalette::Button); }

    // Count of pixels of one colour in a rectangle.
    static int Count(const QImage& image, const QRect& rect, QRgb colour) {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) n += At(image, x, y) == Rgb(colour);
        }
        return n;
    }

    // Bounds of the dark (text) pixels in a rectangle.
    static QRect Ink(const QImage& image, const QRect& rect) {
        QRect bounds;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (qGray(image.pixel(x, y)) < 160)
                    bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }

    QString dir;
    std::unique_ptr<CFilePreviewWnd> wnd;
};

// ---- what a file shows ------------------------------------------------------------

TEST_F(PreviewWindow, PathLimitOf256Characters) {
    // Nest folders until the file's path is exactly 256 characters long.
    QString folder = dir;
    while (folder.size() + 1 + 20 < 256) folder += "/" + QString(20, QChar('d'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const int nameLength = 256 - int(folder.size()) - 1;
    const QString exact = folder + "/" + QString(nameLength - 4, QChar('f')) + ".txt";
    ASSERT_EQ(exact.size(), 256);
    test::WriteTestFile(exact, "abc");
    const QString longer = folder + "/" + QString(nameLength - 3, QChar('f')) + ".txt";
    test::WriteTestFile(longer, "abc");

    EXPECT_TRUE(wnd->ShowFile(exact));
    EXPECT_EQ(wnd->SizeText(), "0.0 kbyte");

    EXPECT_FALSE(wnd->ShowFile(longer));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_TRUE(wnd->SizeText().isEmpty());
    const QImage shot = Grab();
    EXPECT_EQ(At(shot, 100, 20), Rgb(Face().rgb()));
    EXPECT_GT(Count(shot, QRect(1, 1, 198, 148), qRgb(119, 119, 119)), 0) << "no \"Preview\"";
}

TEST_F(PreviewWindow, MissingFilesAndFolders) {
    EXPECT_FALSE(wnd->ShowFile(dir + "/none.png"));
    EXPECT_FALSE(wnd->ShowFile(dir));
    EXPECT_FALSE(wnd->ShowFile(QString()));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_TRUE(wnd->SizeText().isEmpty());
    EXPECT_TRUE(wnd->TitleText().isEmpty());
}

TEST_F(PreviewWindow, OtherFilesGetOnlyTheirSize) {
    const QString big = test::WriteTestFile(dir + "/a.txt", std::string(2048, 'x'));
    EXPECT_TRUE(wnd->ShowFile(big));
    EXPECT_EQ(wnd->SizeText(), "2.0 kbyte");
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_EQ(wnd->Path(), big);

    const QString empty = test::WriteTestFile(dir + "/empty.dat", "");
    EXPECT_TRUE(wnd->ShowFile(empty));
    EXPECT_EQ(wnd->SizeText(), "0.0 kbyte");
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_TRUE(wnd->HeightText().isEmpty());
    EXPECT_TRUE(wnd->WidthText().isEmpty());
    // Nothing but the placeholder is drawn for it.
    const QImage shot = Grab();
    EXPECT_EQ(At(shot, 5, 5), Rgb(Face().rgb()));
    EXPECT_EQ(At(shot, 5, 140), Rgb(Face().rgb()));
    EXPECT_GT(Count(shot, QRect(1, 1, 198, 148), qRgb(119, 119, 119)), 0);

    // No extension, and a dotted folder whose name is no extension of the file.
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/README", std::string(1500, 'x'))));
    EXPECT_EQ(wnd->SizeText(), "1.5 kbyte");
    ASSERT_TRUE(QDir().mkpath(dir + "/site.html"));
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/site.html/notes", "<title>x</title>")));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_TRUE(wnd->TitleText().isEmpty());
}

TEST_F(PreviewWindow, HtmlTitles) {
    std::string sjisPage = "<HTML><HEAD><Title>" + ToSjis("日本語のページ") +
                           "</tItLe></HEAD><BODY>" + ToSjis("本文です") + "</BODY>";
    sjisPage.resize(1000, ' ');
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/sjis.htm", sjisPage)));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kHtml);
    EXPECT_EQ(wnd->TitleText(), "[ 日本語のページ ]");
    EXPECT_EQ(wnd->SizeText(), "1.0 kbyte");

    // EUC-JP bytes of kana also read as half-width katakana in Shift-JIS: the
    // page's declaration settles it.
    const std::string eucPage =
        "<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=EUC-JP\">\r\n<title>" +
        EncodeText("かな漢字", TextEncoding::EucJp).bytes + "</title>\r\n</head>";
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/euc.html", eucPage)));
    EXPECT_EQ(wnd->TitleText(), "[ かな漢字 ]");

    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/u.shtml", "<title>ユニコード</title>")));
    EXPECT_EQ(wnd->TitleText(), "[ ユニコード ]");

    // The closing tag must also lie within the first 500 bytes.
    const std::string late = "<title>" + std::string(500, 'a') + "</title>";
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/late.htm", late)));
    EXPECT_EQ(wnd->TitleText(), "[  ]");
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kHtml);
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/none.HTML", "<p>no title</p>")));
    EXPECT_EQ(wnd->TitleText(), "[  ]");
}

TEST(HtmlTitleText, FindsTagsInFirst500Bytes) {
    EXPECT_EQ(FindHtmlTitle("<TITLE>a b</TITLE>"), "a b");
    EXPECT_EQ(FindHtmlTitle("<title></title>"), "");
    EXPECT_EQ(FindHtmlTitle("<title>open only"), "");
    EXPECT_EQ(FindHtmlTitle("</title>x<title>y"), "");
    EXPECT_EQ(FindHtmlTitle("<title lang=ja>x</title>"), "");
    const std::string pad(500 - 16, ' ');
    EXPECT_EQ(FindHtmlTitle(pad + "<title>x</title>"), "x");
    EXPECT_EQ(FindHtmlTitle(pad + " <title>x</title>"), "");
    // Undeclared Shift-JIS ("表" ends in a backslash byte).
    const std::string sjis = ToSjis("表示");
    EXPECT_EQ(DecodeHtmlTitle("<title>" + sjis + "</title>"), "表示");
    // A multi-byte character cut at the end of what was read does not spoil the title.
    const std::string utf8Cut = "<title>見出し</title>\n" + std::string("本文").substr(0, 4);
    EXPECT_EQ(DecodeHtmlTitle(utf8Cut), "見出し");
}

TEST(HtmlTitleText, KilobyteTexts) {
    EXPECT_EQ(KilobyteText(0), "0.0 kbyte");
    EXPECT_EQ(KilobyteText(2048), "2.0 kbyte");
    EXPECT_EQ(KilobyteText(123456), "123.5 kbyte");
    EXPECT_EQ(KilobyteText(5LL * 1024 * 1024 * 1024), "5368709.1 kbyte");
}

// ---- painting ----------------------------------------------------------------------

TEST_F(PreviewWindow, TransparentPngInStripForm) {
    const QString png = WriteHalfTransparentPng(dir, 40, 30);
    EXPECT_TRUE(wnd->ShowFile(png));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kImage);
    EXPECT_EQ(wnd->HeightText(), "高さ 30");
    EXPECT_EQ(wnd->WidthText(), "幅 40");
    int w = 0;
    int h = 0;
    ASSERT_TRUE(wnd->Holder().GetSize(&w, &h, nullptr));
    EXPECT_EQ(w, 40);

    const QImage shot = Grab();
    // Picture area: the content inside the frame above a 30-pixel strip.
    const QRect picture(1, 1, 198, 148 - 30);
    const int left = picture.left() + (picture.width() - 40) / 2;
    const int top = picture.top() + (picture.height() - 30) / 2;
    EXPECT_EQ(At(shot, left + 5, top + 15), Rgb(kHolderBack));
    EXPECT_EQ(At(shot, left + 35, top + 15), Rgb(kRed));
    // Drawn at its own size: the pixels just outside its rectangle are background.
    EXPECT_EQ(At(shot, left, top), Rgb(kHolderBack));
    EXPECT_EQ(At(shot, left - 1, top + 15), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, left + 39, top + 29), Rgb(kRed));
    EXPECT_EQ(At(shot, left + 40, top + 15), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, left + 20, top + 30), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, 5, 5), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, 5, 140), Rgb(kInfoBack));
    // The frame: shadow on top and left, white at the bottom and right.
    const QRgb shadow = Rgb(wnd->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(At(shot, 100, 0), shadow);
    EXPECT_EQ(At(shot, 0, 75), shadow);
    EXPECT_EQ(At(shot, 100, 149), Rgb(qRgb(255, 255, 255)));
    EXPECT_EQ(At(shot, 199, 75), Rgb(qRgb(255, 255, 255)));

    // The two lines of text sit inside the strip, starting near the centring x.
    const QRect strip(1, 149 - 30, 198, 30);
    const QRect above(1, 1, 198, 118);
    EXPECT_GT(Count(shot, strip, qRgb(0, 0, 0)), 20);
    EXPECT_EQ(Count(shot, above, qRgb(0, 0, 0)), 0);
    const QFontMetrics metrics(wnd->PreviewFont());
    const int firstWidth = metrics.horizontalAdvance(wnd->WidthText() + " " + wnd->HeightText());
    const int expectedX = (199 - 1 - firstWidth - 7) / 2;
    const QRect ink = Ink(shot, strip);
    EXPECT_GE(ink.left(), expectedX - 1);
    EXPECT_LE(ink.left(), expectedX + 3);
}

TEST_F(PreviewWindow, LargePictureIsScaledDownIntoColumnForm) {
    wnd->SetForm(2);
    EXPECT_TRUE(wnd->ShowFile(WriteRedPng(dir, 400, 100)));
    const QImage shot = Grab();
    // Picture area left of a 63-pixel column: 135 x 148, so 400 x 100 becomes 135 x 33.
    const QRect picture(1, 1, 198 - 63, 148);
    const int drawnHeight = 100 * picture.width() / 400;
    const int top = picture.top() + (picture.height() - drawnHeight) / 2;
    EXPECT_EQ(At(shot, picture.left(), top + drawnHeight / 2), Rgb(kRed));
    EXPECT_EQ(At(shot, picture.right(), top + drawnHeight / 2), Rgb(kRed));
    EXPECT_EQ(At(shot, 60, top - 2), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, 60, top + drawnHeight + 1), Rgb(kPictureBack));
    EXPECT_EQ(At(shot, 190, 5), Rgb(kInfoBack));
    // Three lines near the column's bottom, none at its top.
    EXPECT_EQ(Count(shot, QRect(137, 1, 62, 60), qRgb(0, 0, 0)), 0);
    EXPECT_GT(Count(shot, QRect(137, 100, 62, 49), qRgb(0, 0, 0)), 20);

    // Form 0: all picture area, no texts.
    wnd->SetForm(0);
    const QImage bare = Grab();
    EXPECT_EQ(At(bare, 190, 5), Rgb(kPictureBack));
    EXPECT_EQ(Count(bare, QRect(1, 1, 198, 148), qRgb(0, 0, 0)), 0);

    // An unknown form shows the placeholder.
    wnd->SetForm(3);
    const QImage unknown = Grab();
    EXPECT_EQ(Count(unknown, QRect(1, 1, 198, 148), kRed), 0);
    EXPECT_GT(Count(unknown, QRect(1, 1, 198, 148), qRgb(119, 119, 119)), 0);
}

TEST_F(PreviewWindow, HtmlPageFillsTheContentWithItsTitleCentred) {
    wnd->SetForm(2);
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/p.html", "<title>Hello</title>")));
    const QImage shot = Grab();
    EXPECT_EQ(At(shot, 190, 5), Rgb(kInfoBack));
    EXPECT_EQ(At(shot, 5, 5), Rgb(kInfoBack));
    const QRect content(1, 1, 198, 148);
    const QRect ink = Ink(shot, content);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(std::abs((ink.left() + ink.right()) - 199), 8) << ink.left() << ".." << ink.right();
    EXPECT_LE(std::abs((ink.top() + ink.bottom()) - 149), 8) << ink.top() << ".." << ink.bottom();

    // A title wider than the window starts at its left edge.
    const std::string wide = "<title>" + std::string(60, 'W') + "</title>";
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/wide.htm", wide)));
    EXPECT_LE(Ink(Grab(), content).left(), 3);

    // A corrupt picture file exists but shows nothing.
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/bad.png", "not a png")));
    EXPECT_EQ(wnd->FileKind(), CFilePreviewWnd::kOther);
    EXPECT_TRUE(wnd->SizeText().isEmpty());
    EXPECT_FALSE(wnd->Holder().IsLoaded());
}

TEST_F(PreviewWindow, PictureOfAnEarlierFileIsNotKept) {
    ASSERT_TRUE(wnd->ShowFile(WriteRedPng(dir, 10, 10)));
    EXPECT_TRUE(wnd->Holder().IsLoaded());
    EXPECT_TRUE(wnd->ShowFile(test::WriteTestFile(dir + "/x.txt", "x")));
    EXPECT_FALSE(wnd->Holder().GetSize(nullptr, nullptr, nullptr));
}

// ---- splitter ----------------------------------------------------------------------

TEST(PreviewSplitter, FileBrowserBandAndShare) {
    const auto page = PreviewPage::FileBrowser;
    // Edge at 400 - 25 - 80 = 295, band +-7.
    EXPECT_FALSE(InSplitterBand(page, 400, 0.2, 287));
    EXPECT_TRUE(InSplitterBand(page, 400, 0.2, 288));
    EXPECT_TRUE(InSplitterBand(page, 400, 0.2, 302));
    EXPECT_FALSE(InSplitterBand(page, 400, 0.2, 303));

    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 295, false), 0.2);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 295, true), 0.2);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 175, false), 0.5);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 0, false), 0.7);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 399, true), 0.1);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 900, true), 0.1);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 0, 10, true), 0.1);
}

TEST(PreviewSplitter, LinkBrowserBandAndShare) {
    const auto page = PreviewPage::LinkBrowser;
    // Edge at 400 - 80 = 320, band from 311 to 325.
    EXPECT_FALSE(InSplitterBand(page, 400, 0.2, 310));
    EXPECT_TRUE(InSplitterBand(page, 400, 0.2, 311));
    EXPECT_TRUE(InSplitterBand(page, 400, 0.2, 325));
    EXPECT_FALSE(InSplitterBand(page, 400, 0.2, 326));

    // One pixel apart between moving and release.
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 319, false), 0.2);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 318, true), 0.2);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 0, false), 0.9);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 39, false), 0.9);
    EXPECT_DOUBLE_EQ(PreviewShareWhileDragging(page, 400, 399, true), 0.1);
    EXPECT_DOUBLE_EQ(ClampPreviewShare(page, 0.85), 0.85);
    EXPECT_DOUBLE_EQ(ClampPreviewShare(PreviewPage::FileBrowser, 0.85), 0.7);
}

TEST(PreviewSplitter, StoredShares) {
    test::ClearSettings();
    ISettingsStore& store = AppStore();
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::FileBrowser), 0.2);
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::LinkBrowser), 0.2);

    WritePreviewShare(PreviewPage::FileBrowser, 0.456);
    WritePreviewShare(PreviewPage::LinkBrowser, 0.8);
    EXPECT_EQ(store.GetProfileString("VeskViewSettings", "FileView-preview-szretio", ""), "0.46");
    EXPECT_EQ(store.GetProfileString("VeskViewSettings", "LinkView-preview-szretio", ""), "0.80");
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::FileBrowser), 0.46);
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::LinkBrowser), 0.8);

    // Hand-edited values are kept within the page's limits.
    store.WriteProfileString("VeskViewSettings", "FileView-preview-szretio", "0.8");
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::FileBrowser), 0.7);
    store.WriteProfileString("VeskViewSettings", "LinkView-preview-szretio", "0.8");
    EXPECT_DOUBLE_EQ(ReadPreviewShare(PreviewPage::LinkBrowser), 0.8);
    EXPECT_DOUBLE_EQ(ParsePreviewShare(PreviewPage::LinkBrowser, " 0.35abc"), 0.35);
    EXPECT_DOUBLE_EQ(ParsePreviewShare(PreviewPage::LinkBrowser, "junk"), 0.2);
    EXPECT_DOUBLE_EQ(ParsePreviewShare(PreviewPage::LinkBrowser, "0"), 0.1);
    EXPECT_EQ(FormatPreviewShare(0.2), "0.20");
    EXPECT_EQ(FormatPreviewShare(0.125), "0.12");
    test::ClearSettings();
}

}  // namespace
}  // namespace vesk
