// Feeds arbitrary bytes to the HTTP response parser, cut into pieces where the input says, as
// a server's answer arrives, then ends the connection. The body may never grow past what was
// received, and the parser's own buffer stays bounded.

#include "framework/debug/HTTPResponseParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Vuro::HTTPResponseParser;
    if (size == 0) {
        return 0;
    }
    // The first byte sets the piece size (1..256), like receives of at most 256 bytes.
    size_t piece = static_cast<size_t>(data[0]) + 1;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    size_t length = size - 1;
    HTTPResponseParser parser;
    std::string content;
    HTTPResponseParser::Step step = HTTPResponseParser::Step::NeedMore;
    for (size_t pos = 0; pos < length && step == HTTPResponseParser::Step::NeedMore; pos += piece) {
        size_t count = length - pos < piece ? length - pos : piece;
        if (!parser.Append(bytes + pos, count)) {
            break;
        }
        step = parser.Parse(content);
        if (content.size() > pos + count) {
            std::abort();
        }
    }
    if (step == HTTPResponseParser::Step::NeedMore) {
        (void)parser.Close(); // the connection ends after the input
    }
    return 0;
}
