#include "tools/conversions.h"

#include <algorithm>
#include <cstddef>

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The next occurrence of a pattern at or after a position. The last answer is
// kept: the conversions ask with starts that almost never go back, so each
// pattern is looked for once over the whole text instead of once per tag.
class NextOccurrence {
  public:
    NextOccurrence(std::string_view text, std::string_view pattern)
        : text_(text), pattern_(pattern) {}

    std::size_t From(std::size_t from) {
        if (!searched_ || from < start_ || (found_ != npos && from > found_)) {
            found_ = text_.find(pattern_, from);
            start_ = from;
            searched_ = true;
        }
        return found_;
    }

  private:
    std::string_view text_;
    std::string_view pattern_;
    bool searched_ = false;
    std::size_t start_ = 0;
    std::size_t found_ = npos;
};

// `ch` in [from, limit), or npos.
std::size_t FindBefore(std::string_view text, char ch, std::size_t from, std::size_t limit) {
    if (from >= limit)
        return npos;
    const std::size_t at = text.substr(from, limit - from).find(ch);
    return at == npos ? npos : from + at;
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// What may follow the quote that closes a value: the end of the text, white
// space before the next attribute, or the end of the tag.
bool ClosesValue(std::string_view text, std::size_t quote) {
    if (quote + 1 >= text.size())
        return true;
    const char next = text[quote + 1];
    return IsBlank(next) || next == '>' || next == '/';
}

// Changes the case of [from, through]. Only ASCII letters change: bytes of
// multibyte characters are all 0x80 or above.
void ChangeCase(std::string& text, std::size_t from, std::size_t through, TagCase tagCase) {
    if (from > through || from >= text.size())
        return;
    through = std::min(through, text.size() - 1);
    for (std::size_t i = from; i <= through; ++i) {
        char& ch = text[i];
        if (tagCase == TagCase::kUpper) {
            if (ch >= 'a' && ch <= 'z')
                ch = static_cast<char>(ch - 'a' + 'A');
        } else if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
}

}  // namespace

std::string ConvertTagCase(std::string_view text, TagCase tagCase) {
    std::string out(text);
    NextOccurrence nextOpen(text, "<");
    NextOccurrence nextClose(text, ">");
    NextOccurrence nextQuote(text, "\"");
    std::size_t c = 0;
    for (;;) {
        const std::size_t e = nextOpen.From(c);
        if (e == npos)
            break;
        // A comment or declaration: its own words keep their case, but the
        // search goes on right behind "<!", so tags inside a comment convert.
        if (e + 1 < text.size() && text[e + 1] == '!') {
            c = e + 2;
            continue;
        }
        std::size_t f = nextClose.From(c + 1);
        if (f == npos)
            break;
        if (f < e) {  // a ">" in the text before the tag
            c = f + 1;
            continue;
        }
        // Piece by piece: a piece runs from the end of the previous value (or
        // the "<") through the next "=", then the value is stepped over.
        std::size_t s = e;
        for (;;) {
            const std::size_t g = FindBefore(text, '=', s, f);
            if (g == npos)
                break;
            ChangeCase(out, s, g, tagCase);
            std::size_t l = FindBefore(text, '=', g + 1, f);
            if (l == npos)
                l = f;
            if (const std::size_t q = FindBefore(text, '"', g + 1, l); q != npos) {
                if (const std::size_t closing = nextQuote.From(q + 1); closing != npos) {
                    s = closing;
                    // A "<" or ">" inside the quotes is part of the value, not the
                    // end of the tag: the tag ends at the first ">" behind them.
                    // Unless the quote is followed as a closing one would be, it is
                    // taken for a stray quote and nothing more of the tag converts.
                    if (closing > f && ClosesValue(text, closing)) {
                        if (const std::size_t end = nextClose.From(closing + 1); end != npos)
                            f = end;
                    }
                    continue;
                }
            }
            std::size_t v = g + 1;
            while (v < l && IsBlank(text[v])) ++v;
            while (v < l && !IsBlank(text[v])) ++v;
            s = v;
        }
        ChangeCase(out, s, f, tagCase);
        c = f + 1;
    }
    return out;
}

std::string ApplyTagCaseSetting(std::string_view text, int sizeLower) {
    return ConvertTagCase(text, sizeLower == 0 ? TagCase::kUpper : TagCase::kLower);
}

std::string BreaksToBr(std::string_view text, TagCase tagCase) {
    const std::string_view replacement =
        tagCase == TagCase::kUpper ? std::string_view("<BR>\r\n") : std::string_view("<br>\r\n");
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t pos = 0;
    for (std::size_t found; (found = text.find("\r\n", pos)) != npos; pos = found + 2) {
        out.append(text.substr(pos, found - pos));
        out.append(replacement);
    }
    out.append(text.substr(pos));
    return out;
}

std::string EscapeText(std::string_view text, int options) {
    // One pass gives the same as replacing "&" first, then "<" and ">", then the
    // quote: no reference made here holds a character replaced after it.
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        if (ch == '&' && (options & kEscapeAmpersand)) {
            out.append("&#038;");
        } else if (ch == '<' && (options & kEscapeAngleBrackets)) {
            out.append("&#060;");
        } else if (ch == '>' && (options & kEscapeAngleBrackets)) {
            out.append("&#062;");
        } else if (ch == '"' && (options & kEscapeQuote)) {
            out.append("&#034;");
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

std::string RemoveTags(std::string_view text) {
    // Deletions only ever happen at or behind the search position, so the text
    // in front of it is final: it goes to `out`, and text[p...] is the rest.
    std::string out;
    out.reserve(text.size());
    NextOccurrence nextOpen(text, "<");
    NextOccurrence nextClose(text, ">");
    NextOccurrence nextCommentEnd(text, "-->");
    std::size_t p = 0;
    for (;;) {
        const std::size_t b = nextOpen.From(p);
        if (b == npos)
            break;
        if (text.substr(b, 4) == "<!--") {  // comment openers stay
            out.append(text.substr(p, b + 4 - p));
            p = b + 4;
            continue;
        }
        // The ">" is looked for from the search position, not from the "<".
        const std::size_t e = nextClose.From(p);
        if (e == npos)
            break;
        const std::size_t d = nextCommentEnd.From(p);
        if (d != npos && e == d + 2) {  // comment closers stay
            out.append(text.substr(p, e + 1 - p));
            p = e + 1;
            continue;
        }
        out.append(text.substr(p, b - p));
        // A stray ">" before the "<" deletes nothing; the next round, searching
        // from the "<", takes the tag.
        p = e >= b ? e + 1 : b;
    }
    out.append(text.substr(p));
    return out;
}

}  // namespace vesk
