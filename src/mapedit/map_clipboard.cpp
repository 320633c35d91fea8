#include "mapedit/map_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdint>

namespace vesk {

namespace {

constexpr std::size_t kHeaderSize = 20;
// The three terminators, the local-file flag and the spare byte.
constexpr std::size_t kFixedExtra = 3 + 4 + 1;

void PutU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(std::string_view in, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

std::int32_t GetI32(std::string_view in, std::size_t at) {
    return static_cast<std::int32_t>(GetU32(in, at));
}

}  // namespace

std::string EncodeMapShape(const MapShape& shape) {
    const std::size_t l1 = shape.href.size();
    const std::size_t l2 = shape.alt.size();
    const std::size_t l3 = shape.target.size();
    const std::size_t n = shape.points.size();
    std::string block(kHeaderSize + kFixedExtra + l1 + l2 + l3 + 8 * n, '\0');
    PutU32(block, 0, static_cast<std::uint32_t>(l1));
    PutU32(block, 4, static_cast<std::uint32_t>(l2));
    PutU32(block, 8, static_cast<std::uint32_t>(l3));
    PutU32(block, 12, static_cast<std::uint32_t>(n));
    PutU32(block, 16, static_cast<std::uint32_t>(shape.kind));
    std::size_t at = kHeaderSize;
    block.replace(at, l1, shape.href);
    at += l1 + 1;
    PutU32(block, at, static_cast<std::uint32_t>(shape.localFile));
    at += 4;
    block.replace(at, l2, shape.alt);
    at += l2 + 1;
    block.replace(at, l3, shape.target);
    at += l3 + 1;
    for (const MapPoint& p : shape.points) {
        PutU32(block, at, static_cast<std::uint32_t>(p.x));
        PutU32(block, at + 4, static_cast<std::uint32_t>(p.y));
        at += 8;
    }
    return block;
}

std::optional<MapShape> DecodeMapShape(std::string_view block) {
    if (block.size() < kHeaderSize + kFixedExtra)
        return std::nullopt;
    // 64-bit sums: four 32-bit lengths cannot overflow them.
    const std::uint64_t l1 = GetU32(block, 0);
    const std::uint64_t l2 = GetU32(block, 4);
    const std::uint64_t l3 = GetU32(block, 8);
    const std::uint64_t n = GetU32(block, 12);
    const std::uint64_t needed = kHeaderSize + kFixedExtra + l1 + l2 + l3 + 8 * n;
    if (needed > block.size())
        return std::nullopt;

    MapShape shape;
    shape.kind = GetI32(block, 16);
    const bool fourCorners = shape.kind == kShapeCirc || shape.kind == kShapeRect;
    if (shape.kind == kShapePoly ? n == 0 : !(fourCorners && n == 4))
        return std::nullopt;

    std::size_t at = kHeaderSize;
    if (block[at + l1] != '\0')
        return std::nullopt;
    shape.href.assign(block.substr(at, l1));
    at += l1 + 1;
    shape.localFile = GetI32(block, at) != 0 ? 1 : 0;
    at += 4;
    if (block[at + l2] != '\0')
        return std::nullopt;
    shape.alt.assign(block.substr(at, l2));
    at += l2 + 1;
    if (block[at + l3] != '\0')
        return std::nullopt;
    shape.target.assign(block.substr(at, l3));
    at += l3 + 1;
    shape.points.reserve(n);
    for (std::uint64_t i = 0; i < n; ++i, at += 8)
        shape.points.push_back({GetI32(block, at), GetI32(block, at + 4)});
    return shape;
}

void PutMapShapeOnClipboard(const MapShape& shape) {
    const std::string block = EncodeMapShape(shape);
    auto* mime = new QMimeData;
    mime->setData(kMapDataMimeType, QByteArray(block.data(), qsizetype(block.size())));
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool ClipboardHasMapShape() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasFormat(kMapDataMimeType);
}

std::optional<MapShape> MapShapeFromClipboard() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(kMapDataMimeType))
        return std::nullopt;
    const QByteArray bytes = mime->data(kMapDataMimeType);
    return DecodeMapShape(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void ClearClipboard() {
    QGuiApplication::clipboard()->clear();
}

}  // namespace vesk
