#pragma once
// Clickable maps on the text side: the images of a page that use a MAP and
// their MAP elements, AREA coordinates to canvas points and back, and the IMG
// and MAP texts the map editor writes. Plain text logic over UTF-8 bytes;
// positions are byte offsets into the document.

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The SHAPE of an area; the number is what the canvas stores.
enum MapShapeKind : int {
    kShapeUnset = -1,
    kShapePoly = 0,
    kShapeCirc = 1,
    kShapeRect = 2,
    kShapeDefault = 3,
};

struct MapPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

// One area as the canvas keeps it. A rectangle and a circle hold the four
// corners (left,top), (right,top), (right,bottom), (left,bottom); the default
// area (0,0) and (image width, image height); a polygon its vertices.
struct MapShape {
    int kind = kShapeUnset;
    std::vector<MapPoint> points;
    std::string href;
    int localFile = 0;  // 1: href is a file path on disk
    std::string alt;
    std::string target;
    // Tells the shapes of one editor run apart (0: none given). An area read
    // from the page and still on the canvas keeps the id it was read with.
    int id = 0;

    friend bool operator==(const MapShape&, const MapShape&) = default;
};

// One AREA tag of a MAP in the page.
struct MapAreaEntry {
    std::string tagText;   // "<" through ">" as in the page
    std::string leftover;  // the tag without its known attributes, "<area" and the final ">"
    int start = 0;         // offset of "<"
    int end = 0;           // offset of ">"
    MapShape shape;        // made from the tag by ReadMapPair
};

// An image with a USEMAP and the MAP of that name.
struct MapImagePair {
    std::string name;      // the USEMAP value without its "#"
    std::string imageTag;  // "<" through ">" as in the page
    std::string imageSrc;  // SRC as written
    std::vector<MapAreaEntry> areas;
    bool paired = false;
    std::string mapBody;             // between the MAP start tag's ">" and "</map>"
    std::string extraImgAttributes;  // the IMG tag's attributes the editor does not know
    std::string extraMapAttributes;  // the MAP tag's attributes other than NAME
    int imageStart = 0;              // "<" of the image
    int imageEnd = 0;                // just behind its ">"
    int mapStart = 0;                // "<" of "<map"
    int mapEnd = 0;                  // just behind "</map>"
    int mapTagEnd = 0;               // just behind the MAP start tag's ">"
};

// The pairs of the page, in image order; images whose map is missing are left out.
std::vector<MapImagePair> ReadImageMaps(std::string_view document);

// COORDS of a SHAPE kind to points, and back.
std::vector<MapPoint> ParseCoords(int kind, std::string_view text);
std::string FormatCoords(int kind, const std::vector<MapPoint>& points);
// The kind a SHAPE value names: "poly", "rect", "circ" or "default" found in it
// (in that order, any case); kShapeUnset when none.
int ShapeKindOf(std::string_view shapeValue);
// "poly", "circ", "rect", "default"; empty for an unset kind.
std::string ShapeWord(int kind);

// What the editor's image page holds.
struct MapImageData {
    std::string name = "VeskHtmlMap";
    std::string imagePath;  // full path of the picture, or SRC as written when it does not resolve
    std::string documentPath;
    std::string border;
    std::string align;
    std::string alt;
    std::string hspace;
    std::string vspace;
    std::string height;
    std::string width;
};

// Reads a pair for the editor: gives every area entry its shape (ids 1, 2...
// in entry order) and its leftover text, and returns the image page's data.
MapImageData ReadMapPair(MapImagePair& pair, std::string_view documentPath);

// One AREA as it will be written.
struct MapAreaRow {
    std::string shape;  // SHAPE word
    std::string href;
    std::string coords;
    std::string alt;
    std::string target;
    int isDefault = 0;
    std::string leftover;  // kept, never written
    int oldStart = -1;     // the old tag's "<" and ">" in the page; -1 for a new area
    int oldEnd = -1;
    int keep = 1;   // 0: deleted on the canvas
    int isNew = 1;  // 1: drawn in the editor
    int shapeId = 0;
};

// The result of one editor run.
struct CMapData {
    std::string name;
    std::string src;  // relative to the document
    std::string border;
    std::string align;
    std::string alt;
    std::string hspace;
    std::string vspace;
    std::string height;
    std::string width;
    std::vector<MapAreaRow> rows;
    std::string extraImgAttributes;
    std::string extraMapAttributes;
    bool existing = false;  // the pair's positions below are valid
    int imageStart = 0;
    int imageEnd = 0;
    int mapStart = 0;
    int mapEnd = 0;
    int mapTagEnd = 0;
};

// The rows from the pair's areas (none for a new map) and the canvas's
// shapes in list order (the default area included), with the image page.
CMapData BuildMapData(const MapImagePair* pair, const std::vector<MapShape>& shapes,
                      const MapImageData& image);

std::string BuildImgTag(const CMapData& data);
std::string BuildAreaTag(const MapAreaRow& row, std::string_view prefix, std::string_view suffix);
// The MAP element of a new map.
std::string BuildMapText(const CMapData& data);
// An existing MAP element (map start to map end, from the page) rewritten in place.
std::string UpdateMapText(const CMapData& data, std::string_view oldMapText);

// The HREF an area is written with: a file on disk relative to the document,
// anything else (typed, a URL, an anchor) as it stands.
std::string WrittenHref(const MapShape& shape, std::string_view documentPath);

// One replacement of the document: [start, end) becomes text.
struct MapTextChange {
    int start = 0;
    int end = 0;
    std::string text;
};

// Whether the pair's image and MAP can be rewritten: apart from each other, or
// the image inside the MAP body clear of its AREA tags.
bool PairCanBeRewritten(const MapImagePair& pair);

// The changes that write an existing pair back into document, in document
// order, before the tag case is applied: the IMG tag and the MAP element, or
// one change of the MAP element when the image stands inside it. Empty when
// the positions do not fit the document.
std::vector<MapTextChange> ExistingMapChanges(const CMapData& data, std::string_view document);

}  // namespace vesk
