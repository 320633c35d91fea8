#pragma once
// The little-endian archive encoding shared by the list files: counts and
// length-prefixed strings. Strings are stored as their bytes (UTF-8 here).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class ArchiveWriter {
  public:
    void WriteUInt32(std::uint32_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteByte(std::uint8_t value);
    // Count: 16 bits below 0xFFFF, else 0xFFFF followed by 32 bits.
    void WriteCount(std::uint32_t count);
    // Length (1 byte below 255; 0xFF + 16 bits below 0xFFFE; else 0xFF, 0xFFFF, 32 bits), then the
    // bytes.
    void WriteString(std::string_view text);
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// Reads from a byte string; every read checks the remaining length and fails
// (nullopt) instead of reading past the end. After a failure every read fails.
class ArchiveReader {
  public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<std::uint32_t> ReadUInt32();
    std::optional<std::uint16_t> ReadUInt16();
    std::optional<std::uint8_t> ReadByte();
    std::optional<std::uint32_t> ReadCount();
    // Also reads the wide form (0xFF, 0xFFFE, then a length in 16-bit units and
    // UTF-16LE characters), converted to UTF-8.
    std::optional<std::string> ReadString();
    bool AtEnd() const { return pos_ == bytes_.size(); }
    bool Failed() const { return failed_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

  private:
    bool Take(std::size_t n, std::string_view& out);
    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace vesk
