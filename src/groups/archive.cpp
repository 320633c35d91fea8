// Little-endian archive encoding of the list files.

#include "groups/archive.h"

namespace vesk {

namespace {

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16LE to UTF-8; a lone surrogate becomes U+FFFD rather than failing the
// whole list over one odd character.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
    }
    return out;
}

}  // namespace

void ArchiveWriter::WriteUInt32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void ArchiveWriter::WriteUInt16(std::uint16_t value) {
    bytes_.push_back(static_cast<char>(value & 0xFF));
    bytes_.push_back(static_cast<char>(value >> 8));
}

void ArchiveWriter::WriteByte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
}

void ArchiveWriter::WriteCount(std::uint32_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<std::uint16_t>(count));
        return;
    }
    WriteUInt16(0xFFFF);
    WriteUInt32(count);
}

void ArchiveWriter::WriteString(std::string_view text) {
    // 0xFFFE after the 0xFF byte is the wide-string marker, so a 16-bit
    // length stops one short of it. Lists never hold strings near 4 GiB.
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    bytes_.append(text);
}

bool ArchiveReader::Take(std::size_t n, std::string_view& out) {
    if (failed_ || n > Remaining()) {
        failed_ = true;
        return false;
    }
    out = bytes_.substr(pos_, n);
    pos_ += n;
    return true;
}

std::optional<std::uint32_t> ArchiveReader::ReadUInt32() {
    std::string_view b;
    if (!Take(4, b)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(b[i]);
    }
    return value;
}

std::optional<std::uint16_t> ArchiveReader::ReadUInt16() {
    std::string_view b;
    if (!Take(2, b)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) |
                                      (static_cast<unsigned char>(b[1]) << 8));
}

std::optional<std::uint8_t> ArchiveReader::ReadByte() {
    std::string_view b;
    if (!Take(1, b)) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(b[0]);
}

std::optional<std::uint32_t> ArchiveReader::ReadCount() {
    const auto small = ReadUInt16();
    if (!small) {
        return std::nullopt;
    }
    if (*small != 0xFFFF) {
        return *small;
    }
    return ReadUInt32();
}

std::optional<std::string> ArchiveReader::ReadString() {
    // The wide marker (0xFF, 0xFFFE) is followed by a complete length in the
    // usual three forms, counted in 16-bit characters.
    bool wide = false;
    std::uint64_t length = 0;
    for (int round = 0;; ++round) {
        const auto first = ReadByte();
        if (!first) {
            return std::nullopt;
        }
        if (*first < 0xFF) {
            length = *first;
            break;
        }
        const auto word = ReadUInt16();
        if (!word) {
            return std::nullopt;
        }
        if (*word == 0xFFFE) {
            if (round > 0) {  // a second marker: not something we ever write
                failed_ = true;
                return std::nullopt;
            }
            wide = true;
            continue;
        }
        if (*word < 0xFFFF) {
            length = *word;
            break;
        }
        const auto dword = ReadUInt32();
        if (!dword) {
            return std::nullopt;
        }
        length = *dword;
        break;
    }
    const std::uint64_t byteCount = wide ? length * 2 : length;
    if (byteCount > Remaining()) {
        failed_ = true;
        return std::nullopt;
    }
    std::string_view text;
    if (!Take(static_cast<std::size_t>(byteCount), text)) {
        return std::nullopt;
    }
    return wide ? Utf16LeToUtf8(text) : std::string(text);
}

}  // namespace vesk
