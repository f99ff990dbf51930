#include "archive/RtfReader.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <array>

namespace numora {

namespace {

char32_t FromCp1252(std::uint8_t b) {
    return Cp1252CodePoint(b, Cp1252Undefined::AsReplacement);
}

// Deeper groups are still balanced but take the state of the deepest kept group; the bound
// keeps a file of nothing but "{" from growing the stack without limit.
constexpr std::size_t MaxDepth = 200;
constexpr std::size_t MaxControlWord = 32;
constexpr std::size_t MaxColors = 1024;
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 288;

struct GroupState {
    RtfCharFormat format;
    RtfAlignment alignment = RtfAlignment::Left;
    int colorIndex = 0;
    int unicodeSkip = 1; // \uc: fallback characters that follow a \u
    bool skip = false;   // inside a destination that is not shown
    bool colorTable = false;
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsHiddenDestination(std::string_view w) {
    static constexpr std::string_view hidden[] = {"fonttbl",
                                                  "stylesheet",
                                                  "info",
                                                  "pict",
                                                  "object",
                                                  "header",
                                                  "headerl",
                                                  "headerr",
                                                  "headerf",
                                                  "footer",
                                                  "footerl",
                                                  "footerr",
                                                  "footerf",
                                                  "footnote",
                                                  "fldinst",
                                                  "themedata",
                                                  "colorschememapping",
                                                  "latentstyles",
                                                  "datastore",
                                                  "xmlnstbl",
                                                  "listtable",
                                                  "listoverridetable",
                                                  "rsidtbl",
                                                  "generator",
                                                  "filetbl",
                                                  "revtbl",
                                                  "pgdsctbl",
                                                  "nonshppict",
                                                  "annotation",
                                                  "atnid",
                                                  "atnauthor",
                                                  "private",
                                                  "xe",
                                                  "tc",
                                                  "txe",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "mmathPr"};
    return std::find(std::begin(hidden), std::end(hidden), w) != std::end(hidden);
}

class Parser {
public:
    explicit Parser(std::string_view in) : in_(in) { stack_.push_back(GroupState{}); }

    RtfDocument run() {
        doc_.isRtf = true;
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                textByte(static_cast<std::uint8_t>(c));
                break;
            }
        }
        finishParagraph(true);
        return std::move(doc_);
    }

private:
    GroupState& state() { return stack_.back(); }

    void openGroup() {
        pendingSkip_ = 0;
        if (stack_.size() < MaxDepth)
            stack_.push_back(stack_.back());
        else
            ++overflow_;
    }

    void closeGroup() {
        pendingSkip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() > 1) stack_.pop_back(); // a stray "}" is ignored
    }

    long long readParameter(bool& present) {
        present = false;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        long long v = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            present = true;
            if (v < 100000000000LL) v = v * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        return negative ? -v : v;
    }

    void controlSequence() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            if (word.size() < MaxControlWord) word.push_back(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false;
        const long long param = readParameter(hasParam);
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        controlWord(word, hasParam, param);
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textChar(static_cast<unsigned char>(c));
            break;
        case '\'': {
            int hi = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            int lo = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) break;
            pos_ += 2;
            textByte(static_cast<std::uint8_t>(hi * 16 + lo));
            break;
        }
        case '*':
            // An optional destination: whatever it is, it is not part of the shown text.
            state().skip = true;
            break;
        case '~':
            textChar(0x00A0);
            break;
        case '_':
            textChar(0x2011);
            break;
        case '\r':
        case '\n':
            if (!state().skip) finishParagraph(false);
            break;
        default:
            break; // \- optional hyphen, \| and the rest show nothing
        }
    }

    void controlWord(const std::string& w, bool hasParam, long long param) {
        GroupState& s = state();
        if (w == "bin") {
            // Binary data follows; never shown, possibly holding braces and backslashes.
            const auto n = static_cast<std::size_t>(std::max(0LL, param));
            pos_ += std::min(n, in_.size() - pos_);
            return;
        }
        if (w == "colortbl") {
            s.skip = true;
            s.colorTable = true;
            colorStarted_ = false;
            return;
        }
        if (IsHiddenDestination(w)) {
            s.skip = true;
            return;
        }
        if (s.colorTable) {
            const auto v = static_cast<std::uint8_t>(std::clamp(param, 0LL, 255LL));
            if (w == "red")
                color_.red = v;
            else if (w == "green")
                color_.green = v;
            else if (w == "blue")
                color_.blue = v;
            else
                return;
            colorStarted_ = true;
            return;
        }
        if (w == "uc") {
            s.unicodeSkip = static_cast<int>(std::clamp(param, 0LL, 16LL));
            return;
        }
        if (w == "u") {
            if (!hasParam) return;
            long long v = std::clamp(param, -32768LL, 65535LL);
            if (v < 0) v += 65536;
            unicodeChar(static_cast<char32_t>(v));
            pendingSkip_ = s.unicodeSkip;
            return;
        }
        pendingSkip_ = 0;
        if (s.skip) return;
        const bool on = !hasParam || param != 0;
        if (w == "par" || w == "sect" || w == "page" || w == "row")
            finishParagraph(false);
        else if (w == "line")
            textChar('\n');
        else if (w == "tab" || w == "cell")
            textChar('\t');
        else if (w == "b")
            s.format.bold = on;
        else if (w == "i")
            s.format.italic = on;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth" || w == "ulwave")
            s.format.underline = on;
        else if (w == "ulnone")
            s.format.underline = false;
        else if (w == "strike")
            s.format.strike = on;
        else if (w == "plain") {
            s.format = RtfCharFormat{};
            s.colorIndex = 0;
        } else if (w == "cf") {
            s.colorIndex = static_cast<int>(std::clamp(param, 0LL, 1000000LL));
            s.format.color = colorAt(s.colorIndex);
        } else if (w == "fs") {
            s.format.halfPoints = param <= 0
                                      ? RtfCharFormat{}.halfPoints
                                      : static_cast<int>(std::clamp<long long>(param, MinHalfPoints, MaxHalfPoints));
        } else if (w == "pard")
            s.alignment = RtfAlignment::Left;
        else if (w == "ql")
            s.alignment = RtfAlignment::Left;
        else if (w == "qc")
            s.alignment = RtfAlignment::Center;
        else if (w == "qr")
            s.alignment = RtfAlignment::Right;
        else if (w == "qj")
            s.alignment = RtfAlignment::Justify;
        else if (w == "emdash")
            textChar(0x2014);
        else if (w == "endash")
            textChar(0x2013);
        else if (w == "bullet")
            textChar(0x2022);
        else if (w == "lquote")
            textChar(0x2018);
        else if (w == "rquote")
            textChar(0x2019);
        else if (w == "ldblquote")
            textChar(0x201C);
        else if (w == "rdblquote")
            textChar(0x201D);
        else if (w == "emspace" || w == "enspace" || w == "qmspace")
            textChar(' ');
    }

    std::optional<RtfColor> colorAt(int index) const {
        if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    }

    // A byte of text in the document's code page.
    void textByte(std::uint8_t b) {
        GroupState& s = state();
        if (s.colorTable) {
            if (b == ';') {
                if (colors_.size() < MaxColors) colors_.push_back(colorStarted_ ? std::optional(color_) : std::nullopt);
                color_ = RtfColor{};
                colorStarted_ = false;
            }
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (s.skip) return;
        if (b < 0x20 && b != '\t') return;
        appendText(FromCp1252(b));
    }

    void textChar(char32_t c) {
        if (state().skip) return;
        appendText(c);
    }

    void unicodeChar(char32_t c) {
        if (state().skip) return;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (highSurrogate_) appendRaw(0xFFFD);
            highSurrogate_ = c;
            return;
        }
        if (c >= 0xDC00 && c <= 0xDFFF) {
            const char32_t high = highSurrogate_;
            highSurrogate_ = 0;
            appendRaw(high ? 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00) : char32_t(0xFFFD));
            return;
        }
        appendText(c == 0 ? char32_t(0xFFFD) : c);
    }

    void appendText(char32_t c) {
        if (highSurrogate_) {
            highSurrogate_ = 0;
            appendRaw(0xFFFD);
        }
        appendRaw(c);
    }

    void appendRaw(char32_t c) {
        const RtfCharFormat& f = state().format;
        if (current_.runs.empty() || !(current_.runs.back().format == f)) current_.runs.push_back(RtfRun{{}, f});
        AppendUtf8(current_.runs.back().text, c);
    }

    void finishParagraph(bool atEnd) {
        // The paragraph mark that closes the last paragraph does not open an empty one.
        if (atEnd && current_.runs.empty() && !doc_.paragraphs.empty()) return;
        current_.alignment = state().alignment;
        doc_.paragraphs.push_back(std::move(current_));
        current_ = RtfParagraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    std::size_t overflow_ = 0;
    int pendingSkip_ = 0;
    char32_t highSurrogate_ = 0;
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor color_;
    bool colorStarted_ = false;
    RtfParagraph current_;
    RtfDocument doc_;
};

bool LooksLikeRtf(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t')) ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

bool DecodeUtf8(std::string_view s, std::u32string* out) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80                   ? 1
                          : (c >= 0xC2 && c <= 0xDF) ? 2
                          : (c >= 0xE0 && c <= 0xEF) ? 3
                          : (c >= 0xF0 && c <= 0xF4) ? 4
                                                     : 0;
        if (len == 0 || i + len > s.size()) return false;
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1Fu) : len == 3 ? (c & 0x0Fu) : (c & 0x07u);
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        if (out) out->push_back(cp);
        i += len;
    }
    return true;
}

RtfDocument PlainDocument(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::u32string text;
    if (!DecodeUtf8(bytes, &text)) {
        text.clear();
        for (char b : bytes) text.push_back(FromCp1252(static_cast<std::uint8_t>(b)));
    }
    RtfDocument doc;
    RtfParagraph p;
    p.runs.push_back(RtfRun{});
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            doc.paragraphs.push_back(std::move(p));
            p = RtfParagraph{};
            p.runs.push_back(RtfRun{});
            continue;
        }
        if (c < 0x20 && c != U'\t') continue;
        AppendUtf8(p.runs.back().text, c);
    }
    if (!p.runs.back().text.empty() || doc.paragraphs.empty()) doc.paragraphs.push_back(std::move(p));
    for (auto& para : doc.paragraphs)
        if (para.runs.size() == 1 && para.runs[0].text.empty()) para.runs.clear();
    return doc;
}

} // namespace

RtfDocument ReadRtf(std::string_view bytes) {
    if (!LooksLikeRtf(bytes)) return PlainDocument(bytes);
    return Parser(bytes).run();
}

std::string RtfPlainText(const RtfDocument& document) {
    std::string out;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i) out.push_back('\n');
        for (const RtfRun& r : document.paragraphs[i].runs) out += r.text;
    }
    return out;
}

} // namespace numora
