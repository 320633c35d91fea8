#include "mapedit/map_data.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "tagedit/tag_scanner.h"
#include "tags/relative_paths.h"
#include "tags/tag_attributes.h"

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";
constexpr std::string_view kMapEnd = "</map>";

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

// Attribute values that may hold "=" (query strings, free text) are read whole
// here: refusing them would write the area back without its link. The fields
// show them as typed (a written "&quot;" as '"').
std::string ValueOf(std::string_view tag, std::string_view name, bool mayContainEquals = true) {
    AttributeValue value = GetAttributeValue(tag, name, mayContainEquals);
    return value.status == 0 ? TypedValueText(value.value) : std::string();
}

std::string TakeValue(CTagScanner& scanner, std::string_view name, bool mayContainEquals = true) {
    AttributeValue value = scanner.TakeAttribute(name, mayContainEquals);
    return value.status == 0 ? TypedValueText(value.value) : std::string();
}

// The working text of a scanner without "<" + tag name in front and the final ">".
std::string Leftover(const std::string& text, std::size_t prefixLength) {
    if (text.size() < prefixLength + 1)
        return {};
    return text.substr(prefixLength, text.size() - prefixLength - 1);
}

// A reference that names a file beside the page, not a URL with a scheme, a
// network path or an anchor: only those are resolved against the document.
bool IsFileReference(std::string_view reference) {
    if (reference.empty() || reference.front() == '#' || reference.starts_with("//"))
        return false;
    const std::size_t colon = reference.find(':');
    if (colon == npos)
        return true;
    const std::size_t stop = reference.find_first_of("/?#");
    return stop != npos && stop < colon;
}

// The file a reference of the page names, or empty when it names none.
std::string ResolvedFile(std::string_view reference, std::string_view documentPath) {
    if (!IsFileReference(reference))
        return {};
    return ResolveLink(reference, documentPath, '/');
}

bool IsBlankForNumber(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// A decimal number from pos: blanks skipped, an optional sign, digits up to the
// first other character; 0 without digits. Huge values are held at the int range.
int ReadNumber(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlankForNumber(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min(kLimit, value * 10 + (text[pos] - '0'));
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The 4 corners of a rectangle, normalised: (left,top), (right,top), (right,bottom), (left,bottom).
std::vector<MapPoint> Corners(long long x1, long long y1, long long x2, long long y2) {
    const int left = ClampToInt(std::min(x1, x2));
    const int right = ClampToInt(std::max(x1, x2));
    const int top = ClampToInt(std::min(y1, y2));
    const int bottom = ClampToInt(std::max(y1, y2));
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

void AppendValue(std::string& out, std::string_view opening, std::string_view value) {
    out += opening;
    out += QuotedValueText(value);
    out += '"';
}

void AppendOptional(std::string& out, std::string_view opening, std::string_view value) {
    if (!value.empty())
        AppendValue(out, opening, value);
}

std::string MapStartTag(const CMapData& data) {
    std::string tag = "<MAP NAME=\"";
    tag += data.name;
    tag += '"';
    tag += data.extraMapAttributes;
    tag += '>';
    return tag;
}

// Deletes the tag start..end (inclusive) and the blanks and line breaks in front
// of it, so the line that held the tag goes with it.
void RemoveArea(std::string& text, std::size_t start, std::size_t end) {
    text.erase(start, end - start + 1);
    std::size_t from = start;
    while (from > 0) {
        const char c = text[from - 1];
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            --from;
        } else if (from >= kFullWidthBlank.size() &&
                   std::string_view(text).substr(from - kFullWidthBlank.size(),
                                                 kFullWidthBlank.size()) == kFullWidthBlank) {
            from -= kFullWidthBlank.size();
        } else {
            break;
        }
    }
    text.erase(from, start - from);
}

struct Range {
    int first = 0;  // first offset
    int last = 0;   // last offset, inclusive
};

bool Overlaps(Range a, Range b) {
    return a.first <= b.last && b.first <= a.last;
}

enum class PairLayout { kApart, kImageInsideMap, kTangled };

// How the image and the MAP lie in the text. An image inside the MAP body can
// be rewritten together with it unless it shares text with an AREA tag.
PairLayout LayoutOf(int imageStart, int imageEnd, int mapStart, int mapTagEnd, int mapEnd,
                    const std::vector<Range>& areas) {
    if (imageEnd <= mapStart || mapEnd <= imageStart)
        return PairLayout::kApart;
    if (imageStart < mapTagEnd || imageEnd > mapEnd - Length(kMapEnd))
        return PairLayout::kTangled;
    const Range image{imageStart, imageEnd - 1};
    for (const Range& area : areas)
        if (Overlaps(area, image))
            return PairLayout::kTangled;
    return PairLayout::kImageInsideMap;
}

std::vector<Range> OldAreaRanges(const CMapData& data) {
    std::vector<Range> ranges;
    for (const MapAreaRow& row : data.rows)
        if (row.oldStart >= 0)
            ranges.push_back({row.oldStart, row.oldEnd});
    return ranges;
}

// The image source to write: a file on disk relative to the document; a SRC
// that named no file, or a path already written relative, as it stands.
std::string ImageSource(const MapImagePair* pair, const MapImageData& image) {
    const std::string& path = image.imagePath;
    if (pair && path == pair->imageSrc)
        return path;
    if (!path.empty() && path.front() == '/')
        return RelativeReference(path, image.documentPath, '/');
    return path;
}

}  // namespace

// Reading.

std::vector<MapImagePair> ReadImageMaps(std::string_view document) {
    const std::string lower = LowerAscii(document);
    std::vector<MapImagePair> pairs;

    for (std::size_t from = 0;;) {
        const std::size_t start = lower.find("<img", from);
        if (start == npos)
            break;
        const std::size_t close = lower.find('>', start + 3);
        if (close == npos)
            break;
        from = close + 1;
        const std::string_view tag = document.substr(start, close - start + 1);
        const AttributeValue usemap = GetAttributeValue(tag, "USEMAP");
        if (usemap.status != 0)
            continue;
        const std::size_t hash = usemap.value.find('#');
        if (hash == npos)
            continue;

        MapImagePair pair;
        pair.name = usemap.value;
        pair.name.erase(hash, 1);
        pair.imageTag = std::string(tag);
        pair.imageSrc = ValueOf(tag, "SRC");
        pair.imageStart = static_cast<int>(start);
        pair.imageEnd = static_cast<int>(close + 1);
        CTagScanner scanner(pair.imageTag, pair.imageStart, static_cast<int>(close), kKindImg);
        for (std::string_view name :
             {"SRC", "USEMAP", "WIDTH", "HEIGHT", "BORDER", "ALIGN", "HSPACE", "VSPACE", "ALT"})
            scanner.TakeAttribute(name, name != "USEMAP");
        pair.extraImgAttributes = Leftover(scanner.text, 4);
        pairs.push_back(std::move(pair));
    }

    for (std::size_t from = 0;;) {
        const std::size_t h = lower.find("<map", from);
        if (h == npos)
            break;
        const std::size_t l = lower.find('>', h + 3);
        const std::size_t m = lower.find(kMapEnd, h + 3);
        if (l == npos || m == npos)
            break;
        from = m + 5;
        // The start tag runs into "</map>": no body to speak of.
        if (l > m)
            continue;
        const std::string_view startTag = document.substr(h, l - h + 1);
        const AttributeValue name = GetAttributeValue(startTag, "NAME");
        if (name.status != 0)
            continue;
        auto pair = std::find_if(pairs.begin(), pairs.end(), [&](const MapImagePair& p) {
            return !p.paired && p.name == name.value;
        });
        if (pair == pairs.end())
            continue;

        pair->paired = true;
        const std::size_t bodyStart = l + 1;
        pair->mapBody = std::string(document.substr(bodyStart, m - bodyStart));
        CTagScanner scanner(std::string(startTag), static_cast<int>(h), static_cast<int>(l),
                            kKindMap);
        scanner.TakeAttribute("NAME");
        pair->extraMapAttributes = Leftover(scanner.text, 4);
        pair->mapStart = static_cast<int>(h);
        pair->mapEnd = static_cast<int>(m + kMapEnd.size());
        pair->mapTagEnd = static_cast<int>(bodyStart);

        const std::string_view lowerBody = std::string_view(lower).substr(bodyStart, m - bodyStart);
        for (std::size_t at = 0;;) {
            const std::size_t areaStart = lowerBody.find("<area", at);
            if (areaStart == npos)
                break;
            const std::size_t areaEnd = lowerBody.find('>', areaStart + 4);
            if (areaEnd == npos)
                break;
            at = areaEnd + 1;
            MapAreaEntry entry;
            entry.tagText =
                std::string(document.substr(bodyStart + areaStart, areaEnd - areaStart + 1));
            entry.start = static_cast<int>(bodyStart + areaStart);
            entry.end = static_cast<int>(bodyStart + areaEnd);
            pair->areas.push_back(std::move(entry));
        }
    }

    std::erase_if(pairs, [](const MapImagePair& pair) { return !pair.paired; });
    return pairs;
}

// Coordinates.

std::vector<MapPoint> ParseCoords(int kind, std::string_view text) {
    std::vector<MapPoint> points;
    switch (kind) {
        case kShapePoly:
        case kShapeDefault: {
            std::size_t pos = 0;
            for (;;) {
                const int x = ReadNumber(text, pos);
                const std::size_t comma = text.find(',', pos);
                if (comma == npos)
                    break;
                points.push_back({x, ReadNumber(text, comma + 1)});
                const std::size_t next = text.find(',', comma + 1);
                if (next == npos) {
                    // A closing vertex that repeats the first one is not a vertex of its own.
                    if (kind == kShapePoly && points.size() >= 2 && points.back() == points.front())
                        points.pop_back();
                    break;
                }
                pos = next + 1;
            }
            break;
        }
        case kShapeCirc: {
            const std::size_t c1 = text.find(',');
            if (c1 == npos)
                break;
            const std::size_t c2 = text.find(',', c1 + 1);
            if (c2 == npos)
                break;
            const long long x = ReadNumber(text, 0);
            const long long y = ReadNumber(text, c1 + 1);
            const long long r = ReadNumber(text, c2 + 1);
            points = Corners(x - r, y - r, x + r, y + r);
            break;
        }
        case kShapeRect: {
            const std::size_t c1 = text.find(',');
            if (c1 == npos)
                break;
            const std::size_t c2 = text.find(',', c1 + 1);
            if (c2 == npos)
                break;
            const std::size_t c3 = text.find(',', c2 + 1);
            if (c3 == npos)
                break;
            points = Corners(ReadNumber(text, 0), ReadNumber(text, c1 + 1),
                             ReadNumber(text, c2 + 1), ReadNumber(text, c3 + 1));
            break;
        }
        default:
            break;
    }
    return points;
}

std::string FormatCoords(int kind, const std::vector<MapPoint>& points) {
    std::string out;
    auto add = [&out](long long value) {
        if (!out.empty())
            out += ',';
        out += std::to_string(value);
    };
    switch (kind) {
        case kShapePoly:
            if (points.empty())
                break;
            for (const MapPoint& p : points) {
                add(p.x);
                add(p.y);
            }
            add(points.front().x);
            add(points.front().y);
            break;
        case kShapeCirc:
            if (points.size() == 4) {
                const long long r = (static_cast<long long>(points[2].x) - points[0].x) / 2;
                add(points[0].x + r);
                add(points[0].y + r);
                add(r);
            }
            break;
        case kShapeRect:
            if (points.size() == 4) {
                add(points[0].x);
                add(points[0].y);
                add(points[2].x);
                add(points[2].y);
            }
            break;
        case kShapeDefault:
            if (points.size() == 2) {
                add(points[0].x);
                add(points[0].y);
                add(points[1].x);
                add(points[1].y);
            }
            break;
        default:
            break;
    }
    return out;
}

int ShapeKindOf(std::string_view shapeValue) {
    const std::string lower = LowerAscii(shapeValue);
    if (lower.find("poly") != npos)
        return kShapePoly;
    if (lower.find("rect") != npos)
        return kShapeRect;
    if (lower.find("circ") != npos)
        return kShapeCirc;
    if (lower.find("default") != npos)
        return kShapeDefault;
    return kShapeUnset;
}

std::string ShapeWord(int kind) {
    switch (kind) {
        case kShapePoly:
            return "poly";
        case kShapeCirc:
            return "circ";
        case kShapeRect:
            return "rect";
        case kShapeDefault:
            return "default";
        default:
            return {};
    }
}

// The editor's view of a pair.

MapImageData ReadMapPair(MapImagePair& pair, std::string_view documentPath) {
    int id = 0;
    for (MapAreaEntry& entry : pair.areas) {
        CTagScanner scanner(entry.tagText, entry.start, entry.end, kKindArea);
        const AttributeValue shapeValue = scanner.TakeAttribute("SHAPE", true);
        const std::string href = TakeValue(scanner, "HREF");
        MapShape shape;
        shape.alt = TakeValue(scanner, "ALT");
        shape.target = TakeValue(scanner, "TARGET");
        const std::string coords = TakeValue(scanner, "COORDS");
        // An AREA without SHAPE is a rectangle in HTML.
        shape.kind = shapeValue.status == 0 ? ShapeKindOf(shapeValue.value) : kShapeRect;
        std::string file = ResolvedFile(href, documentPath);
        if (!file.empty()) {
            shape.href = std::move(file);
            shape.localFile = 1;
        } else {
            shape.href = href;
            shape.localFile = 0;
        }
        shape.points = ParseCoords(shape.kind, coords);
        shape.id = ++id;
        entry.shape = std::move(shape);
        entry.leftover = Leftover(scanner.text, 5);
    }

    MapImageData image;
    const std::string_view tag = pair.imageTag;
    image.name = pair.name;
    image.documentPath = std::string(documentPath);
    image.imagePath = ResolvedFile(pair.imageSrc, documentPath);
    if (image.imagePath.empty())
        image.imagePath = pair.imageSrc;
    image.alt = ValueOf(tag, "ALT");
    image.border = ValueOf(tag, "BORDER");
    image.vspace = ValueOf(tag, "VSPACE");
    image.hspace = ValueOf(tag, "HSPACE");
    image.align = ValueOf(tag, "ALIGN");
    image.height = ValueOf(tag, "HEIGHT");
    image.width = ValueOf(tag, "WIDTH");
    return image;
}

std::string WrittenHref(const MapShape& shape, std::string_view documentPath) {
    if (shape.localFile == 1 && !shape.href.empty() && shape.href.front() == '/')
        return RelativeReference(shape.href, documentPath, '/');
    return shape.href;
}

CMapData BuildMapData(const MapImagePair* pair, const std::vector<MapShape>& shapes,
                      const MapImageData& image) {
    CMapData data;
    data.name = image.name;
    data.src = ImageSource(pair, image);
    data.border = image.border;
    data.align = image.align;
    data.alt = image.alt;
    data.hspace = image.hspace;
    data.vspace = image.vspace;
    data.height = image.height;
    data.width = image.width;

    if (pair) {
        data.extraImgAttributes = pair->extraImgAttributes;
        data.extraMapAttributes = pair->extraMapAttributes;
        data.existing = true;
        data.imageStart = pair->imageStart;
        data.imageEnd = pair->imageEnd;
        data.mapStart = pair->mapStart;
        data.mapEnd = pair->mapEnd;
        data.mapTagEnd = pair->mapTagEnd;
        for (const MapAreaEntry& entry : pair->areas) {
            MapAreaRow row;
            row.leftover = entry.leftover;
            row.oldStart = entry.start;
            row.oldEnd = entry.end;
            row.isNew = 0;
            row.shapeId = entry.shape.id;
            row.isDefault = entry.shape.kind == kShapeDefault ? 1 : 0;
            row.keep = entry.shape.id != 0 && std::any_of(shapes.begin(), shapes.end(),
                                                          [&](const MapShape& s) {
                                                              return s.id == entry.shape.id;
                                                          })
                           ? 1
                           : 0;
            data.rows.push_back(std::move(row));
        }
    }

    const std::size_t firstPass = data.rows.size();
    std::vector<bool> claimed(firstPass, false);
    for (const MapShape& shape : shapes) {
        std::size_t index = firstPass;
        if (shape.id != 0) {
            for (std::size_t i = 0; i < firstPass; ++i) {
                if (!claimed[i] && data.rows[i].shapeId == shape.id) {
                    index = i;
                    break;
                }
            }
        }
        if (index == firstPass) {
            data.rows.emplace_back();
            data.rows.back().isNew = 1;
            data.rows.back().shapeId = shape.id;
            index = data.rows.size() - 1;
        } else {
            claimed[index] = true;
            data.rows[index].isNew = 0;
        }
        MapAreaRow& row = data.rows[index];
        row.shape = ShapeWord(shape.kind);
        row.isDefault = shape.kind == kShapeDefault ? 1 : 0;
        row.href = WrittenHref(shape, image.documentPath);
        row.coords = FormatCoords(shape.kind, shape.points);
        row.alt = shape.alt;
        row.target = shape.target;
        row.keep = 1;
    }
    return data;
}

// Writing.

std::string BuildImgTag(const CMapData& data) {
    std::string tag = "<IMG";
    AppendValue(tag, " SRC=\"", data.src);
    AppendValue(tag, " USEMAP=\"#", data.name);
    AppendValue(tag, " WIDTH=\"", data.width);
    AppendValue(tag, " HEIGHT=\"", data.height);
    AppendOptional(tag, " BORDER=\"", data.border);
    AppendOptional(tag, " ALIGN=\"", data.align);
    AppendOptional(tag, " HSPACE=\"", data.hspace);
    AppendOptional(tag, " VSPACE=\"", data.vspace);
    AppendOptional(tag, " ALT=\"", data.alt);
    tag += data.extraImgAttributes;
    tag += '>';
    return tag;
}

std::string BuildAreaTag(const MapAreaRow& row, std::string_view prefix, std::string_view suffix) {
    std::string tag(prefix);
    tag += "<AREA";
    AppendValue(tag, " SHAPE=\"", row.shape);
    AppendValue(tag, " COORDS=\"", row.coords);
    AppendValue(tag, " HREF=\"", row.href);
    AppendOptional(tag, " ALT=\"", row.alt);
    AppendOptional(tag, " TARGET=\"", row.target);
    tag += suffix;
    return tag;
}

std::string BuildMapText(const CMapData& data) {
    std::string text = MapStartTag(data);
    const MapAreaRow* defaultRow = nullptr;
    for (const MapAreaRow& row : data.rows) {
        if (!row.keep)
            continue;
        if (row.isDefault) {
            if (!defaultRow)
                defaultRow = &row;
            continue;
        }
        text += BuildAreaTag(row, "\r\n  ", ">");
    }
    // The default area always comes last: browsers take the first area that fits.
    if (defaultRow && !defaultRow->href.empty())
        text += BuildAreaTag(*defaultRow, "\r\n  ", ">");
    text += "\r\n</MAP>";
    return text;
}

std::string UpdateMapText(const CMapData& data, std::string_view oldMapText) {
    std::string text(oldMapText);
    const int endTagLength = Length(kMapEnd);
    const int bodyStart = data.mapTagEnd - data.mapStart;
    // Old tags are changed from the last to the first, so no change moves a tag
    // still to come; limit is the first offset already changed.
    int limit = std::max(0, Length(text) - endTagLength);
    // New areas go in front of "</map>" and in front of the new areas already
    // inserted there (the loop runs backwards), which keeps them in list order.
    std::size_t insertedLength = 0;
    const MapAreaRow* lastDefault = nullptr;

    auto oldTagFits = [&](const MapAreaRow& row, int& first, int& last) {
        first = row.oldStart - data.mapStart;
        last = row.oldEnd - data.mapStart;
        return row.oldStart >= 0 && first >= 0 && first >= bodyStart && first <= last &&
               last < limit && text[first] == '<' && text[last] == '>';
    };

    for (auto it = data.rows.rbegin(); it != data.rows.rend(); ++it) {
        const MapAreaRow& row = *it;
        int first = 0;
        int last = 0;
        if (row.keep && row.isDefault) {
            if (!row.isNew && oldTagFits(row, first, last)) {
                RemoveArea(text, first, last);
                limit = first;
            }
            if (!row.href.empty() && !lastDefault)
                lastDefault = &row;
        } else if (!row.keep) {
            if (!row.isNew && oldTagFits(row, first, last)) {
                RemoveArea(text, first, last);
                limit = first;
            }
        } else if (!row.isNew) {
            if (oldTagFits(row, first, last)) {
                text.replace(first, last - first + 1, BuildAreaTag(row, "", ">"));
                limit = first;
            }
        } else {
            const std::string tag = BuildAreaTag(row, "  ", ">\r\n");
            const std::size_t tail = std::min(text.size(), endTagLength + insertedLength);
            text.insert(text.size() - tail, tag);
            insertedLength += tag.size();
        }
    }
    if (lastDefault) {
        const std::size_t tail = std::min<std::size_t>(text.size(), endTagLength);
        text.insert(text.size() - tail, BuildAreaTag(*lastDefault, "  ", ">\r\n"));
    }

    const int tagEnd = data.mapTagEnd - data.mapStart;
    if (tagEnd > 0 && tagEnd <= Length(text) && text[tagEnd - 1] == '>')
        text.replace(0, tagEnd, MapStartTag(data));
    return text;
}

bool PairCanBeRewritten(const MapImagePair& pair) {
    std::vector<Range> areas;
    for (const MapAreaEntry& entry : pair.areas) areas.push_back({entry.start, entry.end});
    return LayoutOf(pair.imageStart, pair.imageEnd, pair.mapStart, pair.mapTagEnd, pair.mapEnd,
                    areas) != PairLayout::kTangled;
}

std::vector<MapTextChange> ExistingMapChanges(const CMapData& data, std::string_view document) {
    if (!data.existing)
        return {};
    const int length = Length(document);
    const int endTagLength = Length(kMapEnd);
    const bool imageFits = data.imageStart >= 0 && data.imageStart < data.imageEnd &&
                           data.imageEnd <= length && document[data.imageStart] == '<' &&
                           document[data.imageEnd - 1] == '>';
    const bool mapFits =
        data.mapStart >= 0 && data.mapStart < data.mapTagEnd &&
        data.mapTagEnd <= data.mapEnd - endTagLength && data.mapEnd <= length &&
        document[data.mapStart] == '<' && document[data.mapTagEnd - 1] == '>' &&
        LowerAscii(document.substr(data.mapEnd - endTagLength, endTagLength)) == kMapEnd;
    if (!imageFits || !mapFits)
        return {};

    const std::string_view oldMap = document.substr(data.mapStart, data.mapEnd - data.mapStart);
    switch (LayoutOf(data.imageStart, data.imageEnd, data.mapStart, data.mapTagEnd, data.mapEnd,
                     OldAreaRanges(data))) {
        case PairLayout::kApart: {
            std::vector<MapTextChange> changes{
                {data.imageStart, data.imageEnd, BuildImgTag(data)},
                {data.mapStart, data.mapEnd, UpdateMapText(data, oldMap)},
            };
            if (data.mapStart < data.imageStart)
                std::swap(changes[0], changes[1]);
            return changes;
        }
        case PairLayout::kImageInsideMap: {
            // The image is rewritten inside the old MAP text first; the MAP's own
            // positions behind it move by the difference.
            const std::string imageTag = BuildImgTag(data);
            const int delta = Length(imageTag) - (data.imageEnd - data.imageStart);
            std::string map(oldMap);
            map.replace(data.imageStart - data.mapStart, data.imageEnd - data.imageStart, imageTag);
            CMapData shifted = data;
            shifted.mapEnd += delta;
            for (MapAreaRow& row : shifted.rows) {
                if (row.oldStart >= data.imageEnd) {
                    row.oldStart += delta;
                    row.oldEnd += delta;
                }
            }
            return {{data.mapStart, data.mapEnd, UpdateMapText(shifted, map)}};
        }
        case PairLayout::kTangled:
            break;
    }
    return {};
}

}  // namespace vesk
