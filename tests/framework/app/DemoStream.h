#pragma once
// Demo record streams built bit by bit as the file format lays them out, for tests that feed a
// recording to playback or compare what recording wrote. Written from the format, not from the
// code under test: every record is a 4-bit update delta (fillers of delta 15, code 31 bridge
// longer gaps), a mouse flag, and a 1-bit (mouse) or 5-bit code, then its payload.

#include "framework/util/Buffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::Test {

class DemoStream {
public:
    // The header of a record at update count `tick` (not before the previous record's).
    DemoStream& Header(int tick, bool mouse, int code) {
        int delta = tick - mLastTick;
        while (delta > 15) {
            Bits(15, 4).Bits(0, 1).Bits(31, 5);
            delta -= 15;
        }
        mLastTick = tick;
        return Bits(delta, 4).Bits(mouse ? 1 : 0, 1).Bits(code, mouse ? 1 : 5);
    }
    DemoStream& Bits(int value, int count) {
        mBuffer.WriteBits(value, count);
        return *this;
    }
    DemoStream& Byte(int value) {
        mBuffer.WriteByte(static_cast<uint8_t>(value));
        return *this;
    }
    DemoStream& Long(uint32_t value) {
        mBuffer.WriteLong(static_cast<int32_t>(value));
        return *this;
    }
    DemoStream& Text(const std::string& bytes) {
        for (char c : bytes) {
            Byte(static_cast<uint8_t>(c));
        }
        return *this;
    }

    // [Records]
    DemoStream& ScreenMode(int tick, bool windowed, int refreshRate) {
        return Header(tick, false, 23).Byte(windowed ? 1 : 0).Byte(refreshRate);
    }
    DemoStream& MoveTo(int tick, int x, int y) {
        return Header(tick, false, 0).Bits(x, 12).Bits(y, 12);
    }
    DemoStream& MoveBy(int tick, int dx, int dy) {
        return Header(tick, true, 0).Bits(dx, 6).Bits(dy, 6);
    }
    DemoStream& Button(int tick, bool down, int button) {
        return Header(tick, true, 1).Bits(down ? 1 : 0, 1).Bits(button, 3);
    }
    DemoStream& KeyDown(int tick, int key) { return Header(tick, false, 3).Bits(key, 8); }
    DemoStream& KeyUp(int tick, int key) { return Header(tick, false, 4).Bits(key, 8); }
    DemoStream& Char(int tick, char c) {
        return Header(tick, false, 5).Bits(static_cast<uint8_t>(c), 8);
    }
    DemoStream& Wheel(int tick, int steps) { return Header(tick, false, 21).Bits(steps, 8); }
    DemoStream& Activate(int tick, bool active) {
        return Header(tick, false, 1).Bits(active ? 1 : 0, 1);
    }
    DemoStream& Minimize(int tick, bool minimized) {
        return Header(tick, false, 2).Byte(minimized ? 1 : 0);
    }
    DemoStream& Close(int tick) { return Header(tick, false, 6); }
    DemoStream& MouseEnter(int tick) { return Header(tick, false, 7); }
    DemoStream& MouseLeave(int tick) { return Header(tick, false, 8); }
    DemoStream& LoadingDone(int tick) { return Header(tick, false, 9); }
    DemoStream& Filler(int tick) { return Header(tick, false, 31); }
    // Code 18: a length and that many bytes.
    DemoStream& Sync(int tick, const std::string& bytes) {
        return Header(tick, false, 18).Long(static_cast<uint32_t>(bytes.size())).Text(bytes);
    }
    // Code 11: success, then type, length and data.
    DemoStream& RegRead(int tick, bool ok, uint32_t type = 0, const std::string& data = "") {
        Header(tick, false, 11).Bits(ok ? 1 : 0, 1);
        return ok ? Long(type).Long(static_cast<uint32_t>(data.size())).Text(data) : *this;
    }
    DemoStream& RegWrite(int tick, bool ok) { return Header(tick, false, 12).Bits(ok ? 1 : 0, 1); }
    // Code 15: success, then the byte count and the bytes.
    DemoStream& FileRead(int tick, bool ok, const std::string& data = "") {
        Header(tick, false, 15).Bits(ok ? 1 : 0, 1);
        return ok ? Long(static_cast<uint32_t>(data.size())).Text(data) : *this;
    }

    // Code 17: transfer id, result, then the content as a 16-bit length and its bytes.
    DemoStream& HttpResult(int tick, uint32_t id, int result, const std::string& content) {
        Header(tick, false, 17).Long(id).Byte(result);
        return Byte(static_cast<int>(content.size() & 0xFF))
            .Byte(static_cast<int>(content.size() >> 8))
            .Text(content);
    }

    std::vector<uint8_t> Bytes() const {
        const uint8_t* data = mBuffer.GetDataPtr();
        return data == nullptr ? std::vector<uint8_t>()
                               : std::vector<uint8_t>(data, data + mBuffer.GetDataLen());
    }

private:
    Buffer mBuffer;
    int mLastTick = 0;
};

// The headers of a record stream as "delta mouse code", read with the payload sizes of the
// format; the last entry is "end" when only zero padding of the final byte is left, else
// "bad <bits left>".
inline std::vector<std::string> DecodeDemoRecords(const std::vector<uint8_t>& stream) {
    Buffer in;
    in.SetData(stream.data(), static_cast<int>(stream.size()));
    std::vector<std::string> records;
    while (in.BitsLeft() >= 10) {
        int delta = in.ReadBits(4, false);
        int mouse = in.ReadBits(1, false);
        int code = in.ReadBits(mouse != 0 ? 1 : 5, false);
        records.push_back(std::to_string(delta) + " " + std::to_string(mouse) + " " +
                          std::to_string(code));
        int payload = 0;
        if (mouse != 0) {
            payload = code == 0 ? 12 : 4;
        } else if (code == 11 || code == 15) {
            if (in.ReadBits(1, false) != 0) {
                if (code == 11) {
                    in.ReadLong();
                }
                payload = 8 * in.ReadLong();
            }
        } else if (code == 18) {
            payload = 8 * in.ReadLong();
        } else {
            static const int kPayload[32] = {24, 1, 8, 8, 8, 8, 0, 0,  0, 0, 0, 0, 1, 0, 0, 0,
                                             0,  0, 0, 0, 0, 8, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0};
            payload = kPayload[code];
        }
        for (; payload > 0; --payload) {
            in.ReadBits(1, false);
        }
    }
    int left = in.BitsLeft();
    records.push_back(left < 8 && in.ReadBits(left, false) == 0 ? "end"
                                                                : "bad " + std::to_string(left));
    return records;
}

} // namespace Vuro::Test
