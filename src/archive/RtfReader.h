#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numora {

struct RtfColor {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const RtfColor&) const = default;
};

struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<RtfColor> color; // none: the viewer's own text colour
    int halfPoints = 24;           // \fs: the size in half points, 12 pt unless the text says otherwise
    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfAlignment { Left, Center, Right, Justify };

// Text in UTF-8; "\n" is a line break inside the paragraph, "\t" a tab.
struct RtfRun {
    std::string text;
    RtfCharFormat format;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;
};

struct RtfDocument {
    bool isRtf = false; // false: the bytes were shown as plain text
    std::vector<RtfParagraph> paragraphs;
};

// Formatted text from the bytes of an RTF file: paragraphs, bold, italic, underline, strike,
// colours of the colour table, sizes, line breaks, tabs, \'hh (Windows-1252) and \uN
// characters. Fonts, style sheets, document information, pictures and every \* destination
// are left out. Bytes that are not RTF come back as plain text, one paragraph per line. Any
// input gives a document: nesting, numbers and lengths are bounded, and the work is linear in
// the size of the input.
RtfDocument ReadRtf(std::string_view bytes);

// The paragraphs' texts joined with "\n".
std::string RtfPlainText(const RtfDocument& document);

} // namespace numora
