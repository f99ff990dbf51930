// libFuzzer harness: any bytes as an update file, as its message and as a server reply.
#include "archive/DrawUpdateFile.h"
#include "archive/DrawUpdateReply.h"
#include "archive/RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const numora::UpdateFileContent file = numora::ReadUpdateFile(bytes);
    if (file.ok() && file.draws.size() < static_cast<std::size_t>(numora::MinUpdateDraws)) __builtin_trap();
    if (file.hasMessage && file.message.size() <= numora::UpdateMessageThreshold) __builtin_trap();
    numora::RtfPlainText(numora::ReadRtf(bytes));
    numora::ClassifyUpdateReply(numora::ReplyTextFromBytes(bytes));
    return 0;
}
