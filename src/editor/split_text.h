#pragma once
// A text held in two pieces, read as one: the text control keeps its buffer on either
// side of a gap, and reading it as one piece would move the gap (copying everything
// behind it). The searches here cross the seam as if it were not there.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

class SplitText {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    explicit SplitText(std::string_view whole) : first_(whole) {}
    SplitText(std::string_view first, std::string_view second) : first_(first), second_(second) {}

    std::size_t size() const { return first_.size() + second_.size(); }
    char operator[](std::size_t i) const {
        return i < first_.size() ? first_[i] : second_[i - first_.size()];
    }
    std::string substr(std::size_t pos, std::size_t length) const {
        pos = std::min(pos, size());
        length = std::min(length, size() - pos);
        std::string out;
        out.reserve(length);
        for (std::size_t end = pos + length; pos < end;) {
            const std::string_view piece = PieceAt(pos);
            const std::size_t offset = pos < first_.size() ? pos : pos - first_.size();
            const std::size_t take = std::min(end - pos, piece.size() - offset);
            out.append(piece.substr(offset, take));
            pos += take;
        }
        return out;
    }

    // First occurrence of what starting at or after from.
    std::size_t find(std::string_view what, std::size_t from) const {
        const std::size_t f = first_.size();
        if (from < f) {
            const std::size_t found = first_.find(what, from);
            if (found != npos)
                return found;
        }
        const std::size_t seam =
            Seam(what, std::max(from, f > what.size() ? f - what.size() + 1 : 0));
        if (seam != npos)
            return seam;
        const std::size_t from2 = from > f ? from - f : 0;
        const std::size_t found = from2 <= second_.size() ? second_.find(what, from2) : npos;
        return found == npos ? npos : f + found;
    }

    // Last occurrence lying wholly inside [0, end).
    std::size_t rfind_before(std::string_view what, std::size_t end) const {
        const std::size_t f = first_.size();
        end = std::min(end, size());
        if (end > f) {
            const std::size_t found = second_.substr(0, end - f).rfind(what);
            if (found != npos)
                return f + found;
            const std::size_t start = f > what.size() ? f - what.size() + 1 : 0;
            const std::size_t seam = LastSeam(what, start, end);
            if (seam != npos)
                return seam;
        }
        return first_.substr(0, std::min(end, f)).rfind(what);
    }

    // Like std::string_view: first of chars at or after from, last at or before pos.
    std::size_t find_first_of(std::string_view chars, std::size_t from) const {
        const std::size_t f = first_.size();
        if (from < f) {
            const std::size_t found = first_.find_first_of(chars, from);
            if (found != npos)
                return found;
        }
        const std::size_t found = second_.find_first_of(chars, from > f ? from - f : 0);
        return found == npos ? npos : f + found;
    }
    std::size_t find_last_of(std::string_view chars, std::size_t pos) const {
        const std::size_t f = first_.size();
        if (pos >= f && !second_.empty()) {
            const std::size_t found = second_.find_last_of(chars, pos - f);
            if (found != npos)
                return f + found;
        }
        return f == 0 ? npos : first_.find_last_of(chars, std::min(pos, f - 1));
    }

  private:
    std::string_view PieceAt(std::size_t pos) const {
        return pos < first_.size() ? first_ : second_;
    }

    // The few bytes on both sides of the seam, from start (at most what.size() - 1 before it).
    std::string AroundSeam(std::size_t start, std::size_t end) const {
        return substr(start, std::min(end, first_.size() + second_.size()) - std::min(start, end));
    }
    // An occurrence starting in [start, first_.size()) and running into second_.
    std::size_t Seam(std::string_view what, std::size_t start) const {
        const std::size_t f = first_.size();
        if (second_.empty() || what.size() < 2 || start >= f)
            return npos;
        const std::string joint = AroundSeam(start, f + what.size() - 1);
        const std::size_t found = joint.find(what);
        return found == npos ? npos : start + found;
    }
    std::size_t LastSeam(std::string_view what, std::size_t start, std::size_t end) const {
        const std::size_t f = first_.size();
        if (second_.empty() || what.size() < 2 || start >= f)
            return npos;
        const std::string joint = AroundSeam(start, std::min(end, f + what.size() - 1));
        const std::size_t found = joint.rfind(what);
        return found == npos ? npos : start + found;
    }

    std::string_view first_;
    std::string_view second_;
};

}  // namespace vesk
