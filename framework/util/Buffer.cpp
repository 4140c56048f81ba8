#include "framework/util/Buffer.h"

#include "platform/LittleEndian.h"

#include <algorithm>

namespace Vuro {

uint8_t& Buffer::WriteTarget() {
    // The emptiness test only matters after SetData without Clear; it keeps misuse in bounds.
    if (mWritePos % 8 == 0 || mData.empty()) {
        mData.push_back(0);
    }
    return mData.back();
}

void Buffer::AdvanceWrite(int bits) {
    mWritePos += bits;
    mBitLength = std::max(mBitLength, mWritePos);
}

void Buffer::WriteByte(uint8_t value) {
    int shift = mWritePos % 8;
    WriteTarget() |= static_cast<uint8_t>(value << shift);
    if (shift != 0) {
        mData.push_back(static_cast<uint8_t>(value >> (8 - shift)));
    }
    AdvanceWrite(8);
}

void Buffer::WriteBits(int32_t value, int bitCount) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < bitCount; ++i) {
        uint8_t& target = WriteTarget();
        if (i < 32 && ((bits >> i) & 1) != 0) {
            target |= static_cast<uint8_t>(1 << (mWritePos % 8));
        }
        AdvanceWrite(1);
    }
}

void Buffer::WriteBoolean(bool value) {
    WriteByte(value ? 1 : 0);
}

void Buffer::WriteShort(int16_t value) {
    uint16_t bits = static_cast<uint16_t>(value);
    WriteByte(static_cast<uint8_t>(bits));
    WriteByte(static_cast<uint8_t>(bits >> 8));
}

void Buffer::WriteLong(int32_t value) {
    uint8_t bytes[4];
    Platform::PutInt32LE(bytes, value);
    for (uint8_t byte : bytes) {
        WriteByte(byte);
    }
}

void Buffer::WriteString(const std::string& text) {
    // Longer strings are cut so that the length field and the bytes written agree.
    int length = static_cast<int>(std::min<size_t>(text.size(), kMaxStringLength));
    WriteShort(static_cast<int16_t>(static_cast<uint16_t>(length)));
    WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), length);
}

void Buffer::WriteBytes(const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        WriteByte(bytes[i]);
    }
}

uint8_t Buffer::ReadByte() {
    if (static_cast<size_t>((mReadPos + 7) / 8) >= mData.size()) {
        return 0;
    }
    size_t index = static_cast<size_t>(mReadPos / 8);
    int shift = mReadPos % 8;
    uint8_t value = mData[index];
    if (shift != 0) {
        value = static_cast<uint8_t>((value >> shift) | (mData[index + 1] << (8 - shift)));
    }
    mReadPos += 8;
    return value;
}

int32_t Buffer::ReadBits(int bitCount, bool signExtend) {
    uint32_t result = 0;
    uint32_t lastBit = 0;
    for (int i = 0; i < bitCount; ++i) {
        size_t index = static_cast<size_t>(mReadPos / 8);
        if (index >= mData.size()) {
            break;
        }
        lastBit = (mData[index] >> (mReadPos % 8)) & 1u;
        if (i < 32) {
            result |= lastBit << i;
        }
        ++mReadPos;
    }
    if (signExtend && bitCount < 32 && lastBit != 0) {
        result |= ~0u << bitCount;
    }
    return static_cast<int32_t>(result);
}

bool Buffer::ReadBoolean() {
    return ReadByte() != 0;
}

int16_t Buffer::ReadShort() {
    uint32_t low = ReadByte();
    uint32_t high = ReadByte();
    return static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
}

int32_t Buffer::ReadLong() {
    uint8_t bytes[4];
    for (uint8_t& byte : bytes) {
        byte = ReadByte();
    }
    return Platform::GetInt32LE(bytes);
}

std::string Buffer::ReadString() {
    // The length is unsigned: strings of 32768 bytes and more read back whole.
    int length = static_cast<uint16_t>(ReadShort());
    std::string text(static_cast<size_t>(length), '\0');
    for (char& c : text) {
        c = static_cast<char>(ReadByte());
    }
    return text;
}

void Buffer::ReadBytes(uint8_t* destination, int count) {
    for (int i = 0; i < count; ++i) {
        destination[i] = ReadByte();
    }
}

void Buffer::Clear() {
    mData.clear();
    mBitLength = 0;
    mReadPos = 0;
    mWritePos = 0;
}

void Buffer::SetData(const uint8_t* bytes, int count) {
    if (count > 0) {
        mData.assign(bytes, bytes + count);
    } else {
        mData.clear();
    }
    mBitLength = static_cast<int>(mData.size()) * 8;
}

} // namespace Vuro
