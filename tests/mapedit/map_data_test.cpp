// Clickable maps on the text side: image/map pairs, coordinates, and the IMG
// and MAP texts written for new and existing maps.

#include "mapedit/map_data.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace vesk;

constexpr char kDoc[] = "/web/index.html";

const std::string kPage =
    "<p>\r\n<IMG SRC=\"img/P.GIF\" USEMAP=\"#Nav\" WIDTH=\"200\" class=\"Keep\">\r\n"
    "<Map Name=\"Nav\" Id=\"m1\">\r\n"
    "  <Area Shape=\"RECT\" Coords=\"1,2,3,4\" Href=\"a.html\" onclick=\"go()\">\r\n"
    "  <!-- note -->\r\n"
    "  <AREA SHAPE=\"circle\" COORDS=\"50,60,20\" HREF=\"http://x.jp/\" ALT=\"c\">\r\n</MAP>";

const std::string kMapFirst =
    "<map name=\"m\">\r\n\t<area shape=\"default\" href=\"all.html\">\r\n"
    "\xE3\x80\x80<area shape=\"rect\" coords=\"0,0,10,10\" href=\"r.html\">\r\n"
    "</map>\r\n<img src=\"p.gif\" usemap=\"#m\">";

std::vector<MapPoint> Box(int left, int top, int right, int bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

MapShape Shape(int kind, std::vector<MapPoint> points, std::string href = "", int local = 0) {
    MapShape shape;
    shape.kind = kind;
    shape.points = std::move(points);
    shape.href = std::move(href);
    shape.localFile = local;
    return shape;
}

// The only pair of page, read for the editor.
MapImagePair ReadPair(const std::string& page, MapImageData& image,
                      std::string_view documentPath = kDoc) {
    std::vector<MapImagePair> pairs = ReadImageMaps(page);
    EXPECT_EQ(pairs.size(), 1u);
    if (pairs.empty())
        return {};
    image = ReadMapPair(pairs[0], documentPath);
    return pairs[0];
}

std::string Rewritten(std::string document, const CMapData& data) {
    const std::vector<MapTextChange> changes = ExistingMapChanges(data, document);
    EXPECT_FALSE(changes.empty());
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        document.replace(change->start, change->end - change->start, change->text);
    return document;
}

TEST(ReadImageMapsTest, PairTakesItsPiecesFromThePageAsWritten) {
    const std::vector<MapImagePair> pairs = ReadImageMaps(kPage);
    ASSERT_EQ(pairs.size(), 1u);
    const MapImagePair& pair = pairs[0];
    const int map = static_cast<int>(kPage.find("<Map"));
    const int tagEnd = static_cast<int>(kPage.find('>', map)) + 1;
    EXPECT_EQ(pair.name, "Nav");
    EXPECT_EQ(pair.imageTag, kPage.substr(pair.imageStart, pair.imageEnd - pair.imageStart));
    EXPECT_EQ(pair.mapTagEnd, tagEnd);
    EXPECT_EQ(pair.mapEnd, static_cast<int>(kPage.size()));
    EXPECT_EQ(pair.mapBody, kPage.substr(tagEnd, kPage.rfind("</MAP>") - tagEnd));
    EXPECT_EQ(pair.extraImgAttributes, " class=\"Keep\"");
    EXPECT_EQ(pair.extraMapAttributes, " Id=\"m1\"");
    ASSERT_EQ(pair.areas.size(), 2u);
    EXPECT_EQ(pair.areas[1].tagText,
              kPage.substr(pair.areas[1].start, pair.areas[1].end - pair.areas[1].start + 1));
    EXPECT_TRUE(pair.areas[1].tagText.starts_with("<AREA") && kPage[pair.areas[1].end] == '>');
}

TEST(ReadImageMapsTest, PairingRulesAndMissingPieces) {
    const std::string map = "<map name=\"m\"><area shape=rect coords=\"1,1,2,2\"></map>";
    EXPECT_TRUE(ReadImageMaps("<img usemap=\"#Map\"><map name=\"map\"></map>").empty());
    EXPECT_TRUE(ReadImageMaps("<img usemap=\"#gone\">" + map).empty());
    EXPECT_TRUE(ReadImageMaps("<img usemap=\"m\">" + map).empty());
    // Two images, one map: the first image has it.
    auto pairs = ReadImageMaps("<img src=1 usemap=\"#m\"><img src=2 usemap=\"#m\">" + map);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].imageSrc, "1");
    // Two maps of one name for two images: two pairs.
    EXPECT_EQ(ReadImageMaps(map + "<img usemap=\"#m\">" + map + "<img usemap=\"#m\">").size(), 2u);
    // A MAP without NAME is passed over.
    EXPECT_EQ(ReadImageMaps("<img usemap=\"#m\"><map></map>" + map).at(0).areas.size(), 1u);
    // Missing ">" or "</map>" end the search; what was found stays.
    const std::string good = "<img usemap=\"#a\"><map name=\"a\"></map>";
    for (const char* broken : {"<img usemap=\"#b\"", "<img usemap=\"#b\"><map name=\"b\">",
                               "<img usemap=\"#b\"><map name=\"b\"", "<map", "<img"})
        EXPECT_EQ(ReadImageMaps(good + broken).size(), 1u) << broken;
    EXPECT_TRUE(ReadImageMaps("<img usemap=\"#b\"><map name=\"b\" </map>").empty());
    pairs = ReadImageMaps("<img usemap=\"#b\"><map name=\"b\"><area shape=rect </map>");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_TRUE(pairs[0].areas.empty());
}

TEST(CoordsTest, RoundTripsAndShortValues) {
    const std::vector<MapPoint> triangle{{10, 10}, {50, 10}, {30, 40}};
    EXPECT_EQ(ParseCoords(kShapePoly, "10,10,50,10,30,40,10,10"), triangle);
    EXPECT_EQ(FormatCoords(kShapePoly, triangle), "10,10,50,10,30,40,10,10");
    EXPECT_EQ(ParseCoords(kShapeCirc, "50,60,20"), Box(30, 40, 70, 80));
    EXPECT_EQ(ParseCoords(kShapeCirc, "50,60,-20"), Box(30, 40, 70, 80));
    EXPECT_EQ(FormatCoords(kShapeCirc, Box(30, 40, 70, 80)), "50,60,20");
    EXPECT_EQ(FormatCoords(kShapeCirc, Box(10, 10, 15, 50)), "12,12,2");  // width only
    EXPECT_EQ(ParseCoords(kShapeRect, "80,90,10,20"), Box(10, 20, 80, 90));
    EXPECT_EQ(FormatCoords(kShapeRect, Box(10, 20, 80, 90)), "10,20,80,90");
    const std::vector<MapPoint> whole{{0, 0}, {200, 100}};
    EXPECT_EQ(ParseCoords(kShapeDefault, "0,0,200,100"), whole);
    EXPECT_EQ(FormatCoords(kShapeDefault, whole), "0,0,200,100");

    EXPECT_EQ(ParseCoords(kShapeRect, " -5 , +7x,3,  4"), Box(-5, 4, 3, 7));
    EXPECT_EQ(ParseCoords(kShapeRect, "99999999999,0,1,1"), Box(1, 0, INT_MAX, 1));
    EXPECT_TRUE(ParseCoords(kShapeRect, "1,2,3").empty());
    EXPECT_TRUE(ParseCoords(kShapeCirc, "50,60").empty());
    EXPECT_EQ(ParseCoords(kShapePoly, "1,2,3"), (std::vector<MapPoint>{{1, 2}}));
    EXPECT_EQ(ParseCoords(kShapeDefault, "0,0,7"), (std::vector<MapPoint>{{0, 0}}));

    EXPECT_EQ(ShapeKindOf("RECTANGLE"), kShapeRect);
    EXPECT_EQ(ShapeKindOf("circle"), kShapeCirc);
    EXPECT_EQ(ShapeKindOf("oval"), kShapeUnset);
    for (int kind : {kShapePoly, kShapeCirc, kShapeRect, kShapeDefault})
        EXPECT_EQ(ShapeKindOf(ShapeWord(kind)), kind);
}

TEST(ReadMapPairTest, AreasBecomeShapesAndFilesBecomePaths) {
    MapImageData image;
    MapImagePair pair = ReadPair(kPage, image);
    ASSERT_EQ(pair.areas.size(), 2u);
    MapShape rect = Shape(kShapeRect, Box(1, 2, 3, 4), "/web/a.html", 1);
    rect.id = 1;
    EXPECT_EQ(pair.areas[0].shape, rect);
    EXPECT_EQ(pair.areas[0].leftover, " onclick=\"go()\"");
    EXPECT_EQ(pair.areas[1].shape.href, "http://x.jp/");
    EXPECT_EQ(pair.areas[1].shape.alt, "c");
    EXPECT_EQ(image.name, "Nav");
    EXPECT_EQ(image.imagePath, "/web/img/P.GIF");

    // No SHAPE is a rectangle; a query string is read whole; anchors and mailto stay.
    const std::string page =
        "<img src=\"i/a.gif\" usemap=\"#m\"><map name=\"m\"><area coords=\"1,2,3,4\" "
        "href=\"q.cgi?a=1\"><area shape=poly coords=\"1,1,5,1\" href=\"#top\"></map>";
    pair = ReadPair(page, image);
    EXPECT_EQ(pair.areas[0].shape.kind, kShapeRect);
    EXPECT_EQ(WrittenHref(pair.areas[0].shape, kDoc), "./q.cgi?a=1");
    EXPECT_EQ(WrittenHref(pair.areas[1].shape, kDoc), "#top");
    // An untitled page resolves nothing and writes its references back unchanged.
    pair = ReadPair(page, image, "");
    EXPECT_EQ(WrittenHref(pair.areas[0].shape, ""), "q.cgi?a=1");
    EXPECT_EQ(BuildMapData(&pair, {}, image).src, "i/a.gif");
}

TEST(MapTextTest, NewMapOnAnImageOf200By100) {
    MapImageData image;
    image.imagePath = "/web/img/p.gif";
    image.documentPath = kDoc;
    image.width = "200";
    image.height = "100";
    std::vector<MapShape> shapes{Shape(kShapeDefault, {{0, 0}, {200, 100}}),
                                 Shape(kShapeRect, Box(10, 20, 50, 60), "/web/a.html", 1)};
    const std::string rect = "\r\n  <AREA SHAPE=\"rect\" COORDS=\"10,20,50,60\" HREF=\"./a.html\">";
    CMapData data = BuildMapData(nullptr, shapes, image);
    EXPECT_EQ(BuildImgTag(data),
              "<IMG SRC=\"./img/p.gif\" USEMAP=\"#VeskHtmlMap\" WIDTH=\"200\" HEIGHT=\"100\">");
    EXPECT_EQ(BuildMapText(data), "<MAP NAME=\"VeskHtmlMap\">" + rect + "\r\n</MAP>");
    // With an HREF the default area is written, and last.
    shapes[0].href = "x.html";
    data = BuildMapData(nullptr, shapes, image);
    EXPECT_EQ(
        BuildMapText(data),
        "<MAP NAME=\"VeskHtmlMap\">" + rect +
            "\r\n  <AREA SHAPE=\"default\" COORDS=\"0,0,200,100\" HREF=\"x.html\">\r\n</MAP>");

    data.border = "0";
    data.alt = "A";
    data.extraImgAttributes = " id=\"i\"";
    EXPECT_EQ(BuildImgTag(data),
              "<IMG SRC=\"./img/p.gif\" USEMAP=\"#VeskHtmlMap\" WIDTH=\"200\" "
              "HEIGHT=\"100\" BORDER=\"0\" ALT=\"A\" id=\"i\">");
    data.rows[1].target = "_top";
    EXPECT_EQ(BuildAreaTag(data.rows[1], "[", "]"),
              "[<AREA SHAPE=\"rect\" COORDS=\"10,20,50,60\" HREF=\"./a.html\" TARGET=\"_top\"]");
}

TEST(ExistingMapTest, KeepsForeignTextRewritesKeptAreasDropsDeletedOnes) {
    MapImageData image;
    MapImagePair pair = ReadPair(kPage, image);
    ASSERT_EQ(pair.areas.size(), 2u);
    MapShape rect = pair.areas[0].shape;
    rect.href = "/web/b.html";
    // The circle was deleted and a polygon drawn.
    const CMapData data = BuildMapData(
        &pair, {Shape(kShapeDefault, {}), rect, Shape(kShapePoly, {{5, 5}, {9, 5}}, "mailto:a@b")},
        image);
    ASSERT_EQ(data.rows.size(), 4u);
    EXPECT_EQ(data.rows[0].keep - data.rows[0].isNew, 1);
    EXPECT_EQ(data.rows[1].keep, 0);
    EXPECT_EQ(Rewritten(kPage, data),
              "<p>\r\n<IMG SRC=\"./img/P.GIF\" USEMAP=\"#Nav\" WIDTH=\"200\" HEIGHT=\"\" "
              "class=\"Keep\">\r\n<MAP NAME=\"Nav\" Id=\"m1\">\r\n"
              "  <AREA SHAPE=\"rect\" COORDS=\"1,2,3,4\" HREF=\"./b.html\">\r\n"
              "  <!-- note -->\r\n"
              "  <AREA SHAPE=\"poly\" COORDS=\"5,5,9,5,5,5\" HREF=\"mailto:a@b\">\r\n</MAP>");
}

TEST(ExistingMapTest, DefaultAreaGoesLastOrAwayAndNewAreasKeepTheirOrder) {
    MapImageData image;
    MapImagePair pair = ReadPair(kMapFirst, image);
    ASSERT_EQ(pair.areas.size(), 2u);
    MapShape whole = pair.areas[0].shape;
    whole.points = {{0, 0}, {200, 100}};
    const MapShape& rect = pair.areas[1].shape;
    const std::string img = "\r\n<IMG SRC=\"./p.gif\" USEMAP=\"#m\" WIDTH=\"\" HEIGHT=\"\">";
    const std::string kept =
        "<MAP NAME=\"m\">\r\n\xE3\x80\x80<AREA SHAPE=\"rect\" "
        "COORDS=\"0,0,10,10\" HREF=\"./r.html\">\r\n";
    const std::string drawn = "  <AREA SHAPE=\"rect\" COORDS=\"1,1,1,1\" HREF=\"";
    EXPECT_EQ(
        Rewritten(kMapFirst, BuildMapData(&pair,
                                          {whole, rect, Shape(kShapeRect, Box(1, 1, 1, 1), "1"),
                                           Shape(kShapeRect, Box(1, 1, 1, 1), "2")},
                                          image)),
        kept + drawn + "1\">\r\n" + drawn +
            "2\">\r\n  <AREA SHAPE=\"default\" COORDS=\"0,0,200,100\" "
            "HREF=\"./all.html\">\r\n</map>" +
            img);
    // Without HREF the default area goes; a deleted area takes the blanks in front.
    whole.href.clear();
    EXPECT_EQ(Rewritten(kMapFirst, BuildMapData(&pair, {whole, rect}, image)),
              kept + "</map>" + img);
    EXPECT_EQ(Rewritten(kMapFirst, BuildMapData(&pair, {whole}, image)),
              "<MAP NAME=\"m\">\r\n</map>" + img);
}

TEST(ExistingMapTest, ImageInsideTheMapAndPositionsThatNoLongerFit) {
    const std::string page =
        "<map name=\"m\"><img src=\"p.gif\" usemap=\"#m\">\r\n"
        "<area shape=rect coords=\"1,1,2,2\" href=\"#top\">\r\n</map>";
    MapImageData image;
    MapImagePair pair = ReadPair(page, image);
    EXPECT_TRUE(PairCanBeRewritten(pair));
    image.alt = "p";
    const CMapData data = BuildMapData(&pair, {pair.areas.at(0).shape}, image);
    EXPECT_EQ(Rewritten(page, data),
              "<MAP NAME=\"m\"><IMG SRC=\"./p.gif\" USEMAP=\"#m\" WIDTH=\"\" HEIGHT=\"\" "
              "ALT=\"p\">\r\n<AREA SHAPE=\"rect\" COORDS=\"1,1,2,2\" HREF=\"#top\">\r\n</map>");
    // The page changed since it was read: nothing is written.
    EXPECT_TRUE(ExistingMapChanges(data, page.substr(3)).empty());
    EXPECT_TRUE(ExistingMapChanges(data, "").empty());
    // An image inside the MAP start tag cannot be rewritten beside it.
    const std::string tangled = "<map name=\"m\" title=\"<img usemap=#m>\"></map>";
    pair = ReadPair(tangled, image);
    EXPECT_FALSE(PairCanBeRewritten(pair));
    EXPECT_TRUE(ExistingMapChanges(BuildMapData(&pair, {}, image), tangled).empty());
}

}  // namespace
