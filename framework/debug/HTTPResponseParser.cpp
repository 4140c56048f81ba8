#include "framework/debug/HTTPResponseParser.h"

#include "framework/util/StringHelpers.h"

#include <algorithm>

namespace Vuro {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Leading decimal digits after optional blanks and sign, as atoi reads them, held at a bound
// instead of overflowing.
int64_t DecimalValue(const std::string& text) {
    size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string::npos) {
        return 0;
    }
    bool negative = text[pos] == '-';
    if (text[pos] == '-' || text[pos] == '+') {
        ++pos;
    }
    constexpr int64_t kLimit = int64_t{1} << 53;
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = std::min(kLimit, value * 10 + (text[pos] - '0'));
    }
    return negative ? -value : value;
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
        mContentLength = DecimalValue(line.substr(16));
    } else if (line.empty()) {
        mHeadersDone = true;
    }
    return Step::NeedMore;
}

HTTPResponseParser::Step HTTPResponseParser::ParseChunked(std::string& content) {
    while (true) {
        if (mChunkTrailer > 0) {
            // The "\r\n" after a chunk may arrive later than its data.
            size_t skip = std::min<size_t>(Available(), static_cast<size_t>(mChunkTrailer));
            mPos += skip;
            mChunkTrailer -= static_cast<int>(skip);
            if (mChunkTrailer > 0) {
                return Step::NeedMore;
            }
        }
        if (mChunkRemaining <= 0) {
            size_t end = mBuffer.find("\r\n", mPos);
            if (end == std::string::npos) {
                return Step::NeedMore;
            }
            int size = 0;
            bool parsed = StringToInt("0x" + Trim(mBuffer.substr(mPos, end - mPos)), &size);
            // A size that wrapped below zero ends the body like the last chunk.
            if (!parsed || size <= 0) {
                return Step::Done;
            }
            mPos = end + 2;
            mChunkRemaining = size;
        }
        size_t take = std::min<size_t>(Available(), static_cast<size_t>(mChunkRemaining));
        if (take == 0) {
            return Step::NeedMore;
        }
        content.append(mBuffer, mPos, take);
        mPos += take;
        mChunkRemaining -= static_cast<int64_t>(take);
        if (mChunkRemaining == 0) {
            mChunkTrailer = 2;
        }
    }
}

HTTPResponseParser::Step HTTPResponseParser::Parse(std::string& content) {
    Step step = Step::NeedMore;
    while (!mHeadersDone) {
        size_t end = mBuffer.find("\r\n", mPos);
        if (end == std::string::npos) {
            break;
        }
        std::string line = mBuffer.substr(mPos, end - mPos);
        mPos = end + 2;
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
            step = mContentLength == 0 ? Step::Done : Step::NeedMore;
        }
    }
    // Bytes already used are not kept: the buffer holds only what is still to be parsed.
    mBuffer.erase(0, mPos);
    mPos = 0;
    return step;
}

} // namespace Vuro
