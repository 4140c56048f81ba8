#include "framework/debug/HTTPResponseParser.h"

#include "framework/util/StringHelpers.h"

#include <algorithm>

namespace Vuro {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// A Content-Length value: decimal digits with blanks around them, held at a bound instead of
// overflowing. False for anything else (a sign, no digit, other characters): the body's end
// cannot be known then.
bool ContentLength(const std::string& text, int64_t& length) {
    const std::string digits = Trim(text);
    if (digits.empty()) {
        return false;
    }
    constexpr int64_t kLimit = int64_t{1} << 53;
    length = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        length = std::min(kLimit, length * 10 + (c - '0'));
    }
    return true;
}

// A chunk-size line: hexadecimal digits, blanks around them, and extensions after ";" that
// are not used. False for anything else and for a size larger than any response.
bool ChunkSize(const std::string& line, int64_t& size) {
    const std::string digits = Trim(line.substr(0, line.find(';')));
    if (digits.empty()) {
        return false;
    }
    size = 0;
    for (char c : digits) {
        int value = 0;
        if (c >= '0' && c <= '9') {
            value = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            value = c - 'A' + 10;
        } else {
            return false;
        }
        size = size * 16 + value;
        if (size > static_cast<int64_t>(HTTPResponseParser::kMaxResponseBytes)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool HTTPResponseParser::Append(const char* data, size_t length) {
    if (length > kMaxResponseBytes - mReceived) {
        return false;
    }
    mReceived += length;
    mBuffer.append(data, length);
    return true;
}

HTTPResponseParser::Step HTTPResponseParser::ParseHeaderLine(const std::string& line) {
    if (StartsWith(line, "HTTP/1.")) {
        // A status line too short to hold a code is refused like any code but 200.
        std::string code = line.size() >= 12 ? line.substr(9, 3) : std::string();
        if (code == "404") {
            return Step::NotFound;
        }
        if (code != "200") {
            return Step::BadStatus;
        }
    } else if (line == "Transfer-Encoding: chunked") {
        mChunked = true;
    } else if (StartsWith(line, "Transfer-Encoding: ")) {
        mChunked = line.substr(19) != "identity";
    } else if (StartsWith(line, "Content-Length: ")) {
        if (!ContentLength(line.substr(16), mContentLength)) {
            return Step::Broken;
        }
    } else if (line.empty()) {
        mHeadersDone = true;
    }
    return Step::NeedMore;
}

bool HTTPResponseParser::TakeLine(std::string& line) {
    const size_t end = mBuffer.find("\r\n", std::max(mScanPos, mPos));
    if (end == std::string::npos) {
        // Only the last byte can still begin a line end: the next search starts there, so a
        // line that arrives in many pieces is scanned once.
        mScanPos = std::max(mPos, mBuffer.empty() ? 0 : mBuffer.size() - 1);
        return false;
    }
    line.assign(mBuffer, mPos, end - mPos);
    mPos = end + 2;
    mScanPos = mPos;
    return true;
}

HTTPResponseParser::Step HTTPResponseParser::ParseChunked(std::string& content) {
    while (true) {
        if (mChunkLineEndDue) {
            // The "\r\n" after a chunk may arrive later than its data.
            if (Available() < 2) {
                return Step::NeedMore;
            }
            if (mBuffer.compare(mPos, 2, "\r\n") != 0) {
                return Step::Broken;
            }
            mPos += 2;
            mChunkLineEndDue = false;
        }
        if (mChunkRemaining == 0) {
            std::string line;
            if (!TakeLine(line)) {
                return Step::NeedMore;
            }
            if (!ChunkSize(line, mChunkRemaining)) {
                return Step::Broken;
            }
            if (mChunkRemaining == 0) {
                // The last chunk; trailers after it are not needed.
                mDone = true;
                return Step::Done;
            }
        }
        size_t take = std::min<size_t>(Available(), static_cast<size_t>(mChunkRemaining));
        if (take == 0) {
            return Step::NeedMore;
        }
        content.append(mBuffer, mPos, take);
        mPos += take;
        mChunkRemaining -= static_cast<int64_t>(take);
        mChunkLineEndDue = mChunkRemaining == 0;
    }
}

HTTPResponseParser::Step HTTPResponseParser::Parse(std::string& content) {
    Step step = Step::NeedMore;
    std::string line;
    while (!mHeadersDone && TakeLine(line)) {
        step = ParseHeaderLine(line);
        if (step != Step::NeedMore) {
            return step;
        }
    }
    if (mHeadersDone) {
        if (mChunked) {
            step = ParseChunked(content);
        } else if (mContentLength <= 0) {
            content.append(mBuffer, mPos, Available());
            mPos = mBuffer.size();
        } else {
            size_t take = std::min<size_t>(Available(), static_cast<size_t>(mContentLength));
            content.append(mBuffer, mPos, take);
            mPos += take;
            mContentLength -= static_cast<int64_t>(take);
            mDone = mContentLength == 0;
            step = mDone ? Step::Done : Step::NeedMore;
        }
    }
    // Bytes already used are not kept: the buffer holds only what is still to be parsed.
    mBuffer.erase(0, mPos);
    mScanPos = std::max(mScanPos, mPos) - mPos;
    mPos = 0;
    return step;
}

HTTPResponseParser::Step HTTPResponseParser::Close() const {
    if (mDone) {
        return Step::Done;
    }
    // Only a body that runs to the close ends complete here.
    return mHeadersDone && !mChunked && mContentLength <= 0 ? Step::Done : Step::Broken;
}

} // namespace Vuro
