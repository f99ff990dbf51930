#pragma once

#include <string>
#include <string_view>

namespace numora {

// The query the program sends: page and keys, in the order the server expects them.
inline constexpr const char* UpdateQueryPage = "aggiorna.php";
inline constexpr const char* UpdateProgramId = "8";
inline constexpr const char* UpdateProgramVersion = "45";

// updateServerBase + "aggiorna.php" with idprogramma, versione and idi, each percent-encoded
// (every byte but letters, digits and "-._~"), in this order.
std::string UpdateQueryAddress(const std::string& updateServerBase, const std::string& installationId);
inline constexpr int DefaultProxyPort = 8080;

enum class UpdateReplyKind {
    FilePrefix, // where the update file is: prefix + "aggio.dat"
    Notice,     // something to show and a document or address to open
    Other,      // anything else: shown to the user as it is
};

struct UpdateReply {
    UpdateReplyKind kind = UpdateReplyKind::Other;
    std::string prefix;     // FilePrefix: the reply without trailing line ends and blanks
    std::string target;     // Notice: what to open (empty: nothing to open)
    std::string parameters; // Notice: what to pass to it
    std::string text;       // Notice: the text to show first (empty: none); Other: the whole reply
};

// "http..." (compared exactly) is a prefix; "aa" + target + "aa" + text, the two markers
// found without regard to case, is a notice, the target possibly being target' + "bb" +
// parameters + "bb" with these markers exact. A reply that opens with "aa" but never closes
// the target is not a notice: it is shown as it is, so that nothing half-understood is opened.
UpdateReply ClassifyUpdateReply(std::string_view reply);

// The proxy port as typed: a whole number 1..65535, otherwise (empty text included) 8080.
int ProxyPortNumber(std::string_view text);

// The folder of "aggiorna.php": the setting, or the default server when it is empty, always
// ending with "/".
std::string UpdateServerBase(std::string_view setting);

// The server's text as UTF-8: kept when it is valid UTF-8, else read as Windows-1252, which is
// what servers writing for Windows programs send.
std::string ReplyTextFromBytes(std::string_view bytes);

} // namespace numora
