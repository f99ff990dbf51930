#include "archive/DrawUpdateReply.h"

#include "archive/RtfReader.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"

namespace numora {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// First "aa" at or after `from`, either letter in either case.
std::size_t FindMarkerAnyCase(std::string_view s, std::size_t from) {
    for (std::size_t i = from; i + 1 < s.size(); ++i)
        if (LowerAscii(s[i]) == 'a' && LowerAscii(s[i + 1]) == 'a') return i;
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += len;
    }
    return true;
}

} // namespace

UpdateReply ClassifyUpdateReply(std::string_view reply) {
    UpdateReply r;
    if (reply.substr(0, 4) == "http") {
        r.kind = UpdateReplyKind::FilePrefix;
        std::string_view p = reply;
        while (!p.empty() && (p.back() == '\r' || p.back() == '\n' || p.back() == ' ' || p.back() == '\t'))
            p.remove_suffix(1);
        r.prefix.assign(p);
        return r;
    }
    const std::size_t close = reply.size() >= 2 && LowerAscii(reply[0]) == 'a' && LowerAscii(reply[1]) == 'a'
                                  ? FindMarkerAnyCase(reply, 2)
                                  : std::string_view::npos;
    if (close == std::string_view::npos) {
        r.kind = UpdateReplyKind::Other;
        r.text.assign(reply);
        return r;
    }
    r.kind = UpdateReplyKind::Notice;
    std::string_view target = reply.substr(2, close - 2);
    r.text.assign(reply.substr(close + 2));
    const std::size_t open = target.find("bb");
    if (open != std::string_view::npos && target.size() >= open + 4 && target.substr(target.size() - 2) == "bb") {
        r.parameters.assign(target.substr(open + 2, target.size() - 2 - (open + 2)));
        target = target.substr(0, open);
    }
    r.target.assign(target);
    return r;
}

int ProxyPortNumber(std::string_view text) {
    long long v = 0;
    if (!ParseWholeNumber(TrimBlanks(text), v) || v < 1 || v > 65535) return DefaultProxyPort;
    return static_cast<int>(v);
}

std::string UpdateServerBase(std::string_view setting) {
    std::string base(TrimBlanks(setting));
    if (base.empty()) base = DefaultUpdateServer;
    if (base.back() != '/') base.push_back('/');
    return base;
}

std::string ReplyTextFromBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes, Cp1252Undefined::AsReplacement);
}

namespace {

std::string PercentEncoded(const std::string& text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out;
}

} // namespace

std::string UpdateQueryAddress(const std::string& updateServerBase, const std::string& installationId) {
    return updateServerBase + UpdateQueryPage + "?idprogramma=" + PercentEncoded(UpdateProgramId) +
           "&versione=" + PercentEncoded(UpdateProgramVersion) + "&idi=" + PercentEncoded(installationId);
}

} // namespace numora
