#pragma once
// Reads an HTTP/1.x response as it arrives: the status line, the headers that frame the body
// (Content-Length, Transfer-Encoding) and the body, plain or chunked. Bytes come from the
// network, so any input is safe: parsed bytes are dropped as they are used, each byte is
// scanned for a line end once however it arrives, and a response longer than
// kMaxResponseBytes is refused.
//
// - Parse answers NeedMore until the body is complete (Done), the status line refuses it
//   (NotFound, BadStatus) or the body cannot be read (Broken: a Content-Length that is no
//   decimal number, a negative one included; a chunk size that is no hexadecimal number or is
//   larger than any response; a chunk's data not followed by its line end). A chunk size may
//   carry extensions after ";", which are ignored.
// - Without a Content-Length (or with one of 0) and without chunks the body runs to the end of
//   the connection: Parse keeps answering NeedMore, and Close answers Done.
// - Close tells the end of the connection: Done when the body was complete there, Broken when
//   the response was cut short (in its headers, before its Content-Length, inside or before a
//   chunk).

#include <cstddef>
#include <cstdint>
#include <string>

namespace Vuro {

class HTTPResponseParser {
public:
    enum class Step { NeedMore, Done, NotFound, BadStatus, Broken };

    static constexpr size_t kMaxResponseBytes = 16u << 20;

    // False once the response would grow past kMaxResponseBytes; the bytes are then dropped.
    [[nodiscard]] bool Append(const char* data, size_t length);
    // Takes what it can of the received bytes; body bytes are appended to content.
    Step Parse(std::string& content);
    // The connection ended: Done when the body was complete, else Broken.
    [[nodiscard]] Step Close() const;

private:
    Step ParseHeaderLine(const std::string& line);
    Step ParseChunked(std::string& content);
    // The next line from mPos (without its "\r\n"), moving past it; false while it has not
    // arrived whole.
    bool TakeLine(std::string& line);
    size_t Available() const { return mBuffer.size() - mPos; }

    std::string mBuffer;  // received bytes not yet dropped
    size_t mPos = 0;      // parse position in mBuffer
    size_t mScanPos = 0;  // where the search for the next line end goes on (at or after mPos)
    size_t mReceived = 0; // bytes received in all
    bool mHeadersDone = false;
    bool mChunked = false;
    bool mDone = false;
    int64_t mContentLength = 0; // body bytes still expected; 0: up to the close
    int64_t mChunkRemaining = 0;
    bool mChunkLineEndDue = false; // a chunk's data is in; its "\r\n" is still to come
};

} // namespace Vuro
