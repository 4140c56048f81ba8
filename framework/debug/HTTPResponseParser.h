#pragma once
// Reads an HTTP/1.x response as it arrives: the status line, the headers that frame the body
// (Content-Length, Transfer-Encoding) and the body, plain or chunked. Bytes come from the
// network, so any input is safe: parsed bytes are dropped as they are used, and a response
// longer than kMaxResponseBytes ends as if the connection had closed there.
//
// - Parse answers NeedMore until the body is complete (Done) or the status line refuses it.
// - Without a Content-Length (or with one of 0 or less) the body runs to the end of the
//   connection: Parse keeps answering NeedMore and the caller ends at the close.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Vuro {

class HTTPResponseParser {
public:
    enum class Step { NeedMore, Done, NotFound, BadStatus };

    static constexpr size_t kMaxResponseBytes = 16u << 20;

    // False once the response has grown past kMaxResponseBytes; the bytes are then dropped.
    [[nodiscard]] bool Append(const char* data, size_t length);
    // Takes what it can of the received bytes; body bytes are appended to content.
    Step Parse(std::string& content);

private:
    Step ParseHeaderLine(const std::string& line);
    Step ParseChunked(std::string& content);
    size_t Available() const { return mBuffer.size() - mPos; }

    std::string mBuffer;  // received bytes not yet dropped
    size_t mPos = 0;      // parse position in mBuffer
    size_t mReceived = 0; // bytes received in all
    bool mHeadersDone = false;
    bool mChunked = false;
    int64_t mContentLength = 0; // body bytes still expected; 0 or less: up to the close
    int64_t mChunkRemaining = 0;
    int mChunkTrailer = 0; // bytes of the "\r\n" after a chunk's data still to skip
};

} // namespace Vuro
