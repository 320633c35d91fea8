#include "editor/colouring.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vesk {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

// First occurrence of a needle at or after a position, remembering the last answer.
// The scans ask for ever later positions; an answer found from an earlier position
// that still lies at or after the new one (or "none at all") stays true, so a text
// without any later "<!--" or "-->" is searched once instead of once per tag.
class ForwardSearch {
  public:
    ForwardSearch(std::string_view text, std::string_view needle) : text_(text), needle_(needle) {}

    std::size_t From(std::size_t pos) {
        if (asked_ != kNpos && pos >= asked_ && (found_ == kNpos || found_ >= pos))
            return found_;
        asked_ = pos;
        found_ = Search(pos);
        return found_;
    }

  private:
    std::size_t Search(std::size_t pos) const {
        if (pos >= text_.size())
            return kNpos;
        if (needle_.size() == 1) {
            const void* hit = std::memchr(text_.data() + pos, needle_[0], text_.size() - pos);
            return hit ? static_cast<const char*>(hit) - text_.data() : kNpos;
        }
        return text_.find(needle_, pos);
    }

    std::string_view text_;
    std::string_view needle_;
    std::size_t asked_ = kNpos;  // position of the remembered search, kNpos before the first
    std::size_t found_ = kNpos;
};

void Fill(std::string& styles, std::size_t from, std::size_t to, ColourStyle style) {
    if (to > from)
        std::memset(styles.data() + from, style, to - from);
}

// Values inside one tag [f, h]: "=" values up to their closing quote or the next blank,
// and quoted strings that come before any "=". The last unquoted value without a blank
// runs up to the tag's ">".
void ColourValues(std::string_view text, std::size_t f, std::size_t h, std::string& styles) {
    const std::string_view tag = text.substr(f, h + 1 - f);
    const std::size_t close = tag.size() - 1;  // the ">"
    ForwardSearch quote(tag, "\""), equals(tag, "="), blank(tag, " ");
    std::size_t v = 0;
    for (;;) {
        const std::size_t q = quote.From(v);
        const std::size_t e = equals.From(v);
        if (e != kNpos && (q == kNpos || e < q)) {
            // e < close always: the tag ends with ">", so e + 1 is inside it.
            std::size_t r = quote.From(e + 2);
            if (tag[e + 1] == '"' && r != kNpos) {
                Fill(styles, f + e + 1, f + r + 1, kStyleParamByte);
                v = r + 1;
                continue;
            }
            r = blank.From(e + 1);
            if (r == kNpos) {
                Fill(styles, f + e + 1, f + close, kStyleParamByte);
                return;
            }
            Fill(styles, f + e + 1, f + r, kStyleParamByte);
            v = r + 1;
        } else if (q != kNpos) {
            const std::size_t s = quote.From(q + 1);
            if (s == kNpos) {
                v = q + 1;
            } else {
                Fill(styles, f + q, f + s + 1, kStyleParamByte);
                v = s + 1;
            }
        } else {
            return;
        }
    }
}

// Search helpers over the whole text answering -1 when absent.
int Pos(std::size_t p) {
    return p == kNpos ? -1 : static_cast<int>(p);
}

int FirstAt(std::string_view t, std::string_view what, int from) {
    if (from < 0)
        from = 0;
    if (static_cast<std::size_t>(from) > t.size())
        return -1;
    return Pos(t.find(what, static_cast<std::size_t>(from)));
}

// Last occurrence lying wholly inside t[0, end).
int LastIn(std::string_view t, std::string_view what, int end) {
    if (end <= 0)
        return -1;
    return Pos(t.substr(0, static_cast<std::size_t>(end)).rfind(what));
}

int FirstAt(const SplitText& t, std::string_view what, int from) {
    if (from < 0)
        from = 0;
    if (static_cast<std::size_t>(from) > t.size())
        return -1;
    return Pos(t.find(what, static_cast<std::size_t>(from)));
}

int LastIn(const SplitText& t, std::string_view what, int end) {
    if (end <= 0)
        return -1;
    return Pos(t.rfind_before(what, static_cast<std::size_t>(end)));
}

template <class Text>
int ClampPos(const Text& t, int pos) {
    return std::clamp(pos, 0, static_cast<int>(t.size()));
}

// The text ends with "-->" at end.
template <class Text>
bool CloserEndsAt(const Text& t, int end) {
    return end >= 3 && t[end - 3] == '-' && t[end - 2] == '-' && t[end - 1] == '>';
}

}  // namespace

void ComputeColourStyles(std::string_view text, const ColourSwitches& switches, std::string& styles,
                         const std::function<void(std::size_t p)>& progress) {
    styles.assign(text.size(), kStyleTextByte);
    if (!switches.Any())
        return;

    ForwardSearch lt(text, "<"), gt(text, ">"), opener(text, "<!--"), closer(text, "-->");
    std::size_t p = 0;
    for (;;) {
        const std::size_t f = lt.From(p);
        if (f == kNpos)
            break;  // no "<" means neither a tag nor a comment is left
        const std::size_t h = gt.From(f + 1);
        const std::size_t c = opener.From(p);
        const std::size_t m = c == kNpos ? kNpos : closer.From(c + 3);
        if (c != kNpos && h != kNpos && c < h && m != kNpos) {
            if (switches.com)
                Fill(styles, c, m + 3, kStyleComByte);
            p = m + 3;
        } else {
            if (h == kNpos)
                break;  // an unclosed "<": the rest stays plain
            if (switches.tag) {
                Fill(styles, f, h + 1, kStyleTagByte);
                if (switches.val)
                    ColourValues(text, f, h, styles);
            }
            p = h + 1;
        }
        if (progress)
            progress(p);
    }
}

// Positions are clamped to the text; only the caret end e decides the range (the caller
// puts the caret back at the selection start).
namespace {

template <class Text>
ColourSpan AroundCaretSpan(const Text& t, int e, int commentOpener) {
    const int length = static_cast<int>(t.size());
    e = ClampPos(t, e);

    const int o = LastIn(t, "<!--", e);
    const int k = LastIn(t, "-->", e);
    const int g = FirstAt(t, "-->", e);
    int n = FirstAt(t, "<!--", e);
    if (n == -1)
        n = length;
    const int lastLtInPrefix = LastIn(t, "<", e);
    auto ltAtOrAfter = [&](int pos) {
        const int found = FirstAt(t, "<", pos);
        return found == -1 ? length : found;
    };
    auto ltBefore = [&](int pos) { return std::max(LastIn(t, "<", pos), 0); };

    ColourSpan span;
    if (o != -1 && o > k) {
        // Inside an open comment.
        if (g != -1) {
            span.from = o;
            span.to = g + 3;
        } else {
            span.from = ltBefore(o);
            span.to = ltAtOrAfter(e);
        }
    } else if (commentOpener != -1 && g != -1) {
        // A "<!--" was just typed or removed near the caret: up to the next closer.
        span.from = k == -1 ? 0 : k + 3;
        span.to = g + 3;
    } else if (!CloserEndsAt(t, e)) {
        if (g != -1 && g < n) {
            span.from = std::max(lastLtInPrefix, 0);
            span.to = ltAtOrAfter(g);
        } else if (lastLtInPrefix >= k || k == -1) {
            span.from = std::max(lastLtInPrefix, 0);
            span.to = ltAtOrAfter(e);
        } else {
            span.from = k + 3;
            span.to = ltAtOrAfter(e);
        }
    } else {
        // The caret is right behind a "-->".
        if (o == -1) {
            span.none = true;
        } else if (g == -1) {
            span.from = ltBefore(o);
            span.to = ltAtOrAfter(e);
        } else {
            span.from = o;
            span.to = ltAtOrAfter(g);
        }
    }
    return span;
}

template <class Text>
ColourSpan PastedSpan(const Text& t, int start, int length, int commentOpener) {
    const int total = static_cast<int>(t.size());
    ColourSpan span;
    if (length == -1) {
        span.to = total;
        return span;
    }
    start = ClampPos(t, start);
    const int x = static_cast<int>(
        std::min<std::int64_t>(static_cast<std::int64_t>(start) + std::max(length, 0), total));

    const int lt = LastIn(t, "<", start);
    const int nl = FirstAt(t, "<", x);
    const int nc = FirstAt(t, "-->", x);
    const int no = FirstAt(t, "<!--", x);
    int w = FirstAt(t, "<!--", start);
    if (w > x)
        w = -1;
    const int o = LastIn(t, "<!--", start);
    const int k = LastIn(t, "-->", start);
    const int nlOrEnd = nl == -1 ? total : nl;

    if (o != -1 && o > k) {
        span.from = o;
        span.to = nc != -1 ? nc + 3 : nlOrEnd;
    } else if ((commentOpener != -1 || w != -1) && nc != -1) {
        span.from = k == -1 ? 0 : k + 3;
        span.to = nc + 3;
    } else if (lt >= k || k == -1) {
        if (no != -1 && no < nl) {
            span.from = std::max(k, 0);
            span.to = no;
        } else {
            span.from = std::max(lt, 0);
            span.to = nlOrEnd;
        }
    } else if (no != -1 && no < nl) {
        span.from = k;
        span.to = no;
    } else {
        span.from = k + 3;
        span.to = nlOrEnd;
    }
    return span;
}

}  // namespace

ColourSpan RecolourAroundCaretSpan(std::string_view text, int /*s*/, int e, int commentOpener) {
    return AroundCaretSpan(text, e, commentOpener);
}
ColourSpan RecolourAroundCaretSpan(const SplitText& text, int /*s*/, int e, int commentOpener) {
    return AroundCaretSpan(text, e, commentOpener);
}

// start is clamped to the text; a negative length other than -1 counts as 0 and a span
// running past the end stops at the end.
ColourSpan RecolourPastedSpan(std::string_view text, int start, int length, int commentOpener) {
    return PastedSpan(text, start, length, commentOpener);
}
ColourSpan RecolourPastedSpan(const SplitText& text, int start, int length, int commentOpener) {
    return PastedSpan(text, start, length, commentOpener);
}

int CommentOpenerNear(std::string_view text, int selStart, int selEnd) {
    int from = ClampPos(text, std::min(selStart, selEnd));
    int to = ClampPos(text, std::max(selStart, selEnd));
    if (from == to) {
        // The 4 bytes before the caret and the 4 from it are one stretch of the text.
        from = std::max(from - 4, 0);
        to = std::min(to + 4, static_cast<int>(text.size()));
    }
    return Pos(text.substr(from, to - from).find("<!--"));
}

int InsideTagFlag(std::string_view text, int selStart, int selEnd) {
    const int s = ClampPos(text, std::min(selStart, selEnd));
    const bool selection = ClampPos(text, std::max(selStart, selEnd)) != s;
    const char b = s > 0 ? text[s - 1] : '\0';
    const char a = static_cast<std::size_t>(s) < text.size() ? text[s] : '\0';
    const bool lineStart = s >= 2 && text.substr(s - 2, 2) == "\r\n";
    if (b == '>')
        return 1;
    if (a == '<')
        return lineStart ? 1 : 0;
    if (b == '<')
        return 1;
    if (b == '-' || b == '!' || b == '"')
        return 1;
    if (a == '"')
        return lineStart ? 1 : 0;
    return selection ? 1 : 0;
}

}  // namespace vesk
