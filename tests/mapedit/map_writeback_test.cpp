// A confirmed map editor reaching the document of a real view: the new-map
// command, Edit tag on an existing map, the messages that stop it, and undo.

#include "mapedit/map_writeback.h"

#include <gtest/gtest.h>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

const std::string kImageFirst =
    "<p>\r\n<img src=\"p.gif\" usemap=\"#m\" id=\"i\">\r\n<map name=\"m\">\r\n"
    "  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"old.html\" class=\"c\">\r\n</map>\r\n</p>";
const std::string kMapFirst =
    "<map name=\"m\">\r\n  <area shape=\"rect\" coords=\"1,2,3,4\" href=\"old.html\">\r\n</map>"
    "\r\n<img src=\"p.gif\" usemap=\"#m\">";

class MapWritebackTest : public ::testing::Test {
  protected:
    MapWritebackTest() : view(settings, &doc) {
        test::ClearSettings();
        InstallTagCaseConversion();
        InstallMapCommands(view);
        // The editor as a user uses it: a new rectangle, or the first area gets another link.
        SetMapEditorRunner([this](CVeskHtmlView&, MapImagePair* pair) -> std::optional<CMapData> {
            runs.push_back(pair ? pair->name : "(new)");
            if (cancel)
                return std::nullopt;
            MapImageData image;
            image.imagePath = "p.gif";
            MapShape area;
            if (!pair) {
                area.kind = kShapeRect;
                area.points = {{1, 2}, {3, 2}, {3, 4}, {1, 4}};
                area.href = "a.html";
                return BuildMapData(nullptr, {area}, image);
            }
            image = ReadMapPair(*pair, "");
            area = pair->areas.at(0).shape;
            area.href = "new.html";
            return BuildMapData(pair, {area}, image);
        });
    }
    ~MapWritebackTest() override { SetMapEditorRunner({}); }

    void Start(const std::string& text, int start, int end, int lower = 0) {
        settings.general.sizeLower = lower;
        view.RefreshSettings();
        view.SetText(text);
        view.Control().SetSel(start, end);
        view.RefreshCaretContextAsClick();
        steps = view.Journal().UndoCount();
        message_seam::Log().clear();
    }
    std::string Text() { return view.Control().WholeText(); }
    int Caret() {
        int s = 0, e = 0;
        view.Control().GetSel(s, e);
        return s == e ? e : -1;
    }
    void ExpectOneUndoStepBackTo(const std::string& original) {
        EXPECT_EQ(view.Journal().UndoCount(), steps + 1);
        view.OnEditUndo();
        EXPECT_EQ(Text(), original);
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    test::ScriptedSeams seams;
    std::vector<std::string> runs;
    bool cancel = false;
    int steps = 0;
};

TEST_F(MapWritebackTest, NewMapStandsBehindTheSelection) {
    const std::string map =
        "<IMG SRC=\"p.gif\" USEMAP=\"#VeskHtmlMap\" WIDTH=\"\" HEIGHT=\"\">\r\n<MAP "
        "NAME=\"VeskHtmlMap\">\r\n  <AREA SHAPE=\"rect\" COORDS=\"1,2,3,4\" "
        "HREF=\"a.html\">\r\n</MAP>";
    Start("ab XY cd", 3, 5);
    EXPECT_TRUE(view.ExecuteCommand(kNewMapCommand));
    EXPECT_EQ(runs, std::vector<std::string>{"(new)"});
    EXPECT_EQ(Text(), "ab XY" + map + " cd");
    EXPECT_EQ(Caret(), 5 + static_cast<int>(map.size()));
    ExpectOneUndoStepBackTo("ab XY cd");
}

TEST_F(MapWritebackTest, ExistingMapInBothOrders) {
    // Every tag of the written texts takes the configured case.
    const std::string image = "<IMG SRC=\"p.gif\" USEMAP=\"#m\" WIDTH=\"\" HEIGHT=\"\" ID=\"i\">";
    const int imageStart = static_cast<int>(kImageFirst.find("<img"));
    Start(kImageFirst, imageStart + 1, imageStart + 1);
    EXPECT_TRUE(EditMapOfImage(view, "m"));
    EXPECT_EQ(runs, std::vector<std::string>{"m"});
    EXPECT_EQ(Text(), "<p>\r\n" + image +
                          "\r\n<MAP NAME=\"m\">\r\n  <AREA SHAPE=\"rect\" COORDS=\"1,2,3,4\" "
                          "HREF=\"new.html\">\r\n</MAP>\r\n</p>");
    // Behind the earlier of the two places.
    EXPECT_EQ(Caret(), imageStart + static_cast<int>(image.size()));
    ExpectOneUndoStepBackTo(kImageFirst);

    const std::string map =
        "<map name=\"m\">\r\n  <area shape=\"rect\" coords=\"1,2,3,4\" "
        "href=\"new.html\">\r\n</map>";
    const int inArea = static_cast<int>(kMapFirst.find("coords"));
    Start(kMapFirst, inArea, inArea + 3, 1);
    EXPECT_TRUE(EditMapOfImage(view, "m"));
    EXPECT_EQ(Text(), map + "\r\n<img src=\"p.gif\" usemap=\"#m\" width=\"\" height=\"\">");
    EXPECT_EQ(Caret(), static_cast<int>(map.size()));
    ExpectOneUndoStepBackTo(kMapFirst);
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(MapWritebackTest, CancelOrNoEditorChangesNothing) {
    cancel = true;
    Start(kImageFirst, 10, 10);
    InsertNewMap(view);
    EXPECT_FALSE(EditMapOfImage(view, "m"));
    EXPECT_EQ(runs.size(), 2u);
    EXPECT_EQ(Caret(), static_cast<int>(kImageFirst.find("<map")));
    SetMapEditorRunner({});
    InsertNewMap(view);
    view.Control().SetSel(10, 10);
    EXPECT_FALSE(EditMapOfImage(view, "m"));
    EXPECT_EQ(Text(), kImageFirst);
    EXPECT_EQ(view.Journal().UndoCount(), steps);
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(MapWritebackTest, MessagesStopTheEditWithTheTextUntouched) {
    const std::string twice = "<img usemap=\"#m\"><map name=\"m\"></map>";
    const int imageStart = static_cast<int>(kImageFirst.find("<img"));
    const int end = static_cast<int>(kImageFirst.size());
    const std::vector<std::tuple<std::string, int, const char*>> cases{
        {"<img usemap=\"#m\">", 3, map_texts::kSyntaxErrorMessage},
        {"<img usemap=\"#M\"><map name=\"M\"></map>", 3, map_texts::kSyntaxErrorMessage},
        {twice + twice, 3, map_texts::kDuplicateNameMessage},
        // Only strictly inside the image or the MAP.
        {kImageFirst, imageStart, map_texts::kSyntaxErrorMessage},
        {kImageFirst, end - 4, map_texts::kSyntaxErrorMessage},
    };
    for (const auto& [text, caret, message] : cases) {
        SCOPED_TRACE(text + " @" + std::to_string(caret));
        Start(text, caret, caret);
        EXPECT_FALSE(EditMapOfImage(view, "m"));
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(message));
        EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
        EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(Text(), text);
        EXPECT_EQ(view.Journal().UndoCount(), steps);
    }
    EXPECT_TRUE(runs.empty());
}

}  // namespace
