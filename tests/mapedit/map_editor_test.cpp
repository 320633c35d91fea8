// The map editor window: filled from a map of the page, its pages and canvas
// kept in step, the browse buttons, and what confirming gives.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <tuple>

#include "core/app_settings.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "mapedit/map_canvas.h"
#include "mapedit/map_clipboard.h"
#include "mapedit/map_editor_dlg.h"
#include "mapedit/map_pages.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/dialog_fields.h"

namespace vesk {
namespace {

using test::MakeTempDir;

const char kPage[] =
    "<HTML><BODY>\r\n"
    "<IMG SRC=\"img/map.png\" USEMAP=\"#nav\" WIDTH=\"200\" HEIGHT=\"100\" ALT=\"地図\" "
    "BORDER=\"0\">\r\n"
    "<MAP NAME=\"nav\">\r\n"
    "  <AREA SHAPE=\"rect\" COORDS=\"10,10,60,40\" HREF=\"a.html\" ALT=\"A\">\r\n"
    "  <AREA SHAPE=\"circle\" COORDS=\"120,50,20\" HREF=\"http://example.com/\" "
    "TARGET=\"_blank\">\r\n"
    "  <AREA SHAPE=\"default\" HREF=\"top.html\">\r\n"
    "</MAP>\r\n";

QString WritePicture(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(90, 160, 90));
    test::WriteTestFile(path, "");
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

// Typed as one key event carrying the text, as an input method delivers it.
void TypeText(QWidget* widget, const char* utf8) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUtf8(utf8),
                        Qt::NoModifier);
}

std::string U8(const QString& text) {
    return text.toStdString();
}

class MapEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QGuiApplication::clipboard()->clear();
        dir = MakeTempDir();
        document = dir + "/index.html";
        WritePicture(dir + "/img/map.png", 200, 100);
    }
    void TearDown() override {
        SetReferenceFileChooser({});
        QGuiApplication::clipboard()->clear();
    }

    // The editor on the page's map, shown.
    CMapEditorDlg& OpenOnPage() {
        pairs = ReadImageMaps(kPage);
        EXPECT_EQ(pairs.size(), 1u);
        return Open(&pairs.at(0));
    }
    CMapEditorDlg& Open(MapImagePair* pair) {
        dialog = std::make_unique<CMapEditorDlg>(pair, document);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    CMapCanvas& Canvas() { return *dialog->Canvas(); }
    CMapAreaPage& Areas() { return *dialog->AreaPage(); }
    QTableWidget& List() { return *Areas().List(); }
    QWidget* CanvasWindow() { return Canvas().viewport(); }
    void ShowAreaTab() {
        dialog->Tabs()->setCurrentWidget(dialog->AreaPage());
        QApplication::processEvents();
    }
    void ClickRow(int row) {
        const QRect cell = List().visualItemRect(List().item(row, 0));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void ClickCanvas(QPoint imagePoint) {
        const QPoint p = Canvas().Origin() + imagePoint;
        QTest::mouseMove(CanvasWindow(), p + QPoint(1, 0));
        QTest::mouseMove(CanvasWindow(), p);
        QTest::mouseClick(CanvasWindow(), Qt::LeftButton, {}, p);
    }
    void DrawRect(QPoint from, QPoint to) {
        dialog->RectButton()->click();
        ClickCanvas(from);
        ClickCanvas(to);
    }
    std::string Cell(int row, int column) { return U8(List().item(row, column)->text()); }

    QString dir;
    QString document;
    std::vector<MapImagePair> pairs;
    std::unique_ptr<CMapEditorDlg> dialog;
};

TEST_F(MapEditorTest, OpeningOnAMapFillsPagesAndCanvas) {
    CMapEditorDlg& dlg = OpenOnPage();
    EXPECT_EQ(dlg.Tabs()->currentWidget(), dlg.ImagePage());

    const MapImageData& image = dlg.ImagePage()->Data();
    EXPECT_EQ(image.name, "nav");
    EXPECT_EQ(image.imagePath, U8(dir + "/img/map.png"));
    EXPECT_EQ(U8(dlg.ImagePage()->PathEdit()->text()), "./img/map.png");
    EXPECT_EQ(U8(dlg.ImagePage()->AltEdit()->text()), "地図");

    ASSERT_TRUE(Canvas().Holder().IsLoaded());
    ASSERT_EQ(Canvas().AreaCount(), 3);
    // The page's default area took the built-in one's place and spans the picture.
    const std::vector<MapShape> shapes = Canvas().Shapes();
    EXPECT_EQ(shapes[0].kind, kShapeDefault);
    EXPECT_EQ(shapes[0].href, U8(dir + "/top.html"));
    EXPECT_EQ(shapes[0].points, (std::vector<MapPoint>{{0, 0}, {200, 100}}));
    EXPECT_EQ(shapes[2].points,
              (std::vector<MapPoint>{{100, 30}, {140, 30}, {140, 70}, {100, 70}}));

    ASSERT_EQ(List().rowCount(), 3);
    EXPECT_EQ(Cell(0, 0), "default");
    EXPECT_EQ(Cell(0, 1), "./top.html");
    EXPECT_EQ(Cell(1, 0), "rect");
    EXPECT_EQ(Cell(1, 1), "./a.html");
    EXPECT_EQ(Cell(2, 0), "circ");
    EXPECT_EQ(Cell(2, 1), "http://example.com/");
    EXPECT_EQ(Areas().CurrentRow(), -1);
    EXPECT_FALSE(Areas().HrefEdit()->isEnabled());
    EXPECT_FALSE(Areas().BrowseButton()->isEnabled());
}

TEST_F(MapEditorTest, RowsAndCanvasSelectTogether) {
    OpenOnPage();
    ShowAreaTab();

    ClickRow(1);
    EXPECT_EQ(Canvas().SelectedIndex(), 1);
    EXPECT_EQ(U8(Areas().HrefEdit()->text()), "./a.html");
    EXPECT_EQ(U8(Areas().AltEdit()->text()), "A");
    EXPECT_TRUE(Areas().HrefEdit()->isEnabled());

    // A click on the circle picks its row.
    ClickCanvas({120, 50});
    EXPECT_EQ(Canvas().SelectedIndex(), 2);
    EXPECT_EQ(Areas().CurrentRow(), 2);
    EXPECT_TRUE(List().item(2, 0)->isSelected());
    EXPECT_EQ(U8(Areas().TargetCombo()->currentText()), "_blank");

    // An area drawn is added to the list and chosen there.
    DrawRect({150, 5}, {190, 25});
    ASSERT_EQ(List().rowCount(), 4);
    EXPECT_EQ(Areas().CurrentRow(), 3);
    EXPECT_EQ(Cell(3, 0), "rect");

    // A click below the rows lets go of everything.
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {},
                      QPoint(10, List().viewport()->height() - 3));
    EXPECT_EQ(Areas().CurrentRow(), -1);
    EXPECT_EQ(Canvas().SelectedIndex(), -1);
    EXPECT_FALSE(Areas().AltEdit()->isEnabled());
}

// After a delete the list shows no row chosen, as the disabled fields say.
TEST_F(MapEditorTest, DeletedAreaLeavesNoRowChosen) {
    for (int row : {2, 1}) {
        OpenOnPage();
        ShowAreaTab();
        ClickRow(row);
        ASSERT_EQ(Canvas().SelectedIndex(), row);
        Canvas().setFocus();
        QTest::keyClick(CanvasWindow(), Qt::Key_Delete);
        ASSERT_EQ(List().rowCount(), 2) << row;
        EXPECT_TRUE(List().selectedItems().isEmpty()) << row;
        EXPECT_EQ(Areas().CurrentRow(), -1);
        EXPECT_FALSE(Areas().HrefEdit()->isEnabled());
    }
}

TEST_F(MapEditorTest, DefaultRowIsEditedWithoutACanvasSelection) {
    OpenOnPage();
    ShowAreaTab();
    ClickRow(1);
    ClickRow(0);
    EXPECT_EQ(Canvas().SelectedIndex(), -1);
    EXPECT_TRUE(Canvas().Handles().empty());
    ASSERT_TRUE(Areas().AltEdit()->isEnabled());
    TypeText(Areas().AltEdit(), "全体");
    QTest::keyClicks(Areas().TargetCombo()->lineEdit(), "_top");
    EXPECT_EQ(Canvas().Shapes()[0].alt, "全体");
    EXPECT_EQ(Canvas().Shapes()[0].target, "_top");

    // An empty spot of the picture chooses the same row.
    ClickRow(2);
    ClickCanvas({180, 90});
    EXPECT_EQ(Areas().CurrentRow(), 0);
    EXPECT_EQ(Canvas().SelectedIndex(), -1);
    EXPECT_EQ(U8(Areas().AltEdit()->text()), "全体");
}

TEST_F(MapEditorTest, TypedHrefIsNotLocalAndBrowsedHrefIs) {
    OpenOnPage();
    ShowAreaTab();
    ClickRow(1);
    ASSERT_EQ(Canvas().Shapes()[1].localFile, 1);
    Areas().HrefEdit()->selectAll();
    QTest::keyClicks(Areas().HrefEdit(), "http://x.jp/");
    EXPECT_EQ(Canvas().Shapes()[1].href, "http://x.jp/");
    EXPECT_EQ(Canvas().Shapes()[1].localFile, 0);
    EXPECT_EQ(Cell(1, 1), "http://x.jp/");

    ReferenceFileRequest asked;
    const QString chosen = dir + "/sub/p.html";
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        asked = request;
        // The dialog's own relative text is not what the area keeps.
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{"p.html", chosen});
    });
    QTest::mouseClick(Areas().BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(asked.kind, ReferenceFileRequest::Kind::kLink);
    EXPECT_EQ(U8(asked.title), map_editor_texts::kLinkFileTitle);
    EXPECT_EQ(U8(asked.filter), map_editor_texts::kLinkFilter);
    EXPECT_EQ(asked.basePath, document);
    EXPECT_EQ(Canvas().Shapes()[1].href, U8(chosen));
    EXPECT_EQ(Canvas().Shapes()[1].localFile, 1);
    EXPECT_EQ(U8(Areas().HrefEdit()->text()), "./sub/p.html");
    EXPECT_EQ(Cell(1, 1), "./sub/p.html");
}

TEST_F(MapEditorTest, BrowsedPictureIsLoadedAndItsSizeTaken) {
    CMapEditorDlg& dlg = OpenOnPage();
    const QString chosen = WritePicture(dir + "/pics/b.png", 120, 90);
    ReferenceFileRequest asked;
    SetReferenceFileChooser([&](QWidget*, const ReferenceFileRequest& request) {
        asked = request;
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{"./pics/b.png", chosen});
    });
    QTest::mouseClick(dlg.ImagePage()->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(asked.kind, ReferenceFileRequest::Kind::kImage);
    EXPECT_EQ(U8(asked.filter), map_editor_texts::kImageFilter);

    EXPECT_EQ(dlg.ImagePage()->Data().width, "120");
    EXPECT_EQ(dlg.ImagePage()->Data().height, "90");
    EXPECT_EQ(U8(dlg.ImagePage()->WidthEdit()->text()), "120");
    EXPECT_EQ(U8(dlg.ImagePage()->HeightEdit()->text()), "90");
    EXPECT_EQ(U8(dlg.ImagePage()->PathEdit()->text()), "./pics/b.png");
    EXPECT_EQ(Canvas().Shapes()[0].points, (std::vector<MapPoint>{{0, 0}, {120, 90}}));

    // Cancelling the file dialog changes nothing.
    SetReferenceFileChooser(
        [](QWidget*, const ReferenceFileRequest&) { return std::optional<ReferenceFileChoice>(); });
    QTest::mouseClick(dlg.ImagePage()->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.ImagePage()->Data().imagePath, U8(chosen));
    EXPECT_TRUE(Canvas().Holder().IsLoaded());
}

TEST_F(MapEditorTest, EnterAndEscapeOnTheAreaPageKeepTheEditorOpen) {
    CMapEditorDlg& dlg = OpenOnPage();
    ShowAreaTab();
    ClickRow(1);
    Areas().HrefEdit()->setFocus();
    QTest::keyClick(Areas().HrefEdit(), Qt::Key_Return);
    QTest::keyClick(Areas().HrefEdit(), Qt::Key_Escape);
    QTest::keyClick(Areas().TargetCombo()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.Confirmed());
    EXPECT_EQ(Areas().TargetCombo()->count(), 5);

    // Elsewhere Enter reaches "挿入".
    dlg.Tabs()->setCurrentWidget(dlg.ImagePage());
    QTest::keyClick(dlg.ImagePage()->AltEdit(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.Confirmed());
}

TEST_F(MapEditorTest, ToolButtonsShowTheActiveTool) {
    CMapEditorDlg& dlg = OpenOnPage();
    dlg.CircleButton()->click();
    dlg.PolygonButton()->click();
    EXPECT_EQ(Canvas().Tool(), CMapCanvas::kPolygonTool);
    EXPECT_FALSE(dlg.CircleButton()->isChecked());
    EXPECT_TRUE(dlg.PolygonButton()->isChecked());
    DrawRect({5, 5}, {20, 20});
    EXPECT_EQ(Canvas().Tool(), CMapCanvas::kSelectTool);
    for (QPushButton* b : {dlg.RectButton(), dlg.CircleButton(), dlg.PolygonButton()})
        EXPECT_FALSE(b->isChecked());
}

TEST_F(MapEditorTest, ConfirmingAnExistingMapGivesItsRows) {
    CMapEditorDlg& dlg = OpenOnPage();
    ClickCanvas({120, 50});
    QTest::keyClick(CanvasWindow(), Qt::Key_Delete);
    DrawRect({150, 5}, {190, 25});
    QTest::mouseClick(dlg.InsertButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    const CMapData data = dlg.Result();
    EXPECT_TRUE(data.existing);
    EXPECT_EQ(data.name, "nav");
    EXPECT_EQ(data.src, "./img/map.png");
    EXPECT_EQ(data.imageStart, pairs[0].imageStart);
    // The page's areas in page order, the deleted circle marked, then the new one.
    ASSERT_EQ(data.rows.size(), 4u);
    EXPECT_EQ(std::tie(data.rows[0].keep, data.rows[0].isNew), std::make_tuple(1, 0));
    EXPECT_EQ(std::tie(data.rows[1].keep, data.rows[1].oldStart),
              std::make_tuple(0, pairs[0].areas[1].start));
    EXPECT_EQ(std::tie(data.rows[3].isNew, data.rows[3].coords),
              std::make_tuple(1, std::string("150,5,190,25")));
}

TEST_F(MapEditorTest, CopyThenConfirmEmptiesTheClipboardButCutDoesNot) {
    {
        CMapEditorDlg& dlg = OpenOnPage();
        ClickCanvas({30, 20});
        Canvas().RunCommand(kCmdMapCopy);
        QTest::mouseClick(dlg.InsertButton(), Qt::LeftButton);
        EXPECT_FALSE(ClipboardHasMapShape());
    }
    {
        CMapEditorDlg& dlg = OpenOnPage();
        ClickCanvas({30, 20});
        Canvas().RunCommand(kCmdMapCut);
        QTest::mouseClick(dlg.InsertButton(), Qt::LeftButton);
        EXPECT_TRUE(ClipboardHasMapShape());
        const std::optional<MapShape> onClipboard = MapShapeFromClipboard();
        ASSERT_TRUE(onClipboard);
        EXPECT_EQ(onClipboard->kind, kShapeRect);
    }
}

class RunMapEditorTest : public MapEditorTest {
  protected:
    RunMapEditorTest() : view(settings, &doc) {}
    void TearDown() override {
        test::InstallNonBlockingSeams();
        MapEditorTest::TearDown();
    }
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(RunMapEditorTest, RunsForTheViewsDocumentAndGivesTheResultOnlyWhenConfirmed) {
    test::WriteTestFile(document, kPage);
    QString error;
    ASSERT_TRUE(doc.Load(document, &error)) << U8(error);

    std::string seenDocument;
    bool confirm = true;
    dialog_seam::SetScript([&](QDialog& shown) {
        auto* editor = qobject_cast<CMapEditorDlg*>(&shown);
        if (!editor)
            return int(QDialog::Rejected);
        seenDocument = editor->ImagePage()->Data().documentPath;
        (confirm ? editor->InsertButton() : editor->CancelButton())->click();
        return shown.result();
    });
    const std::optional<CMapData> made = RunMapEditor(view, nullptr);
    ASSERT_TRUE(made);
    EXPECT_EQ(seenDocument, U8(document));
    EXPECT_EQ(made->name, "VeskHtmlMap");

    confirm = false;
    EXPECT_FALSE(RunMapEditor(view, nullptr));
}

}  // namespace
}  // namespace vesk
