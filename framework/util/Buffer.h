#pragma once
// Growable byte array written and read bit by bit: demo files, the recorded input stream, HTTP
// data and crash reports are built and parsed with it.
//
// - Bit p lies in byte p / 8 at bit p % 8 (bit 0 the least significant). Values are stored least
//   significant bit first, so anything written at a byte boundary is little-endian.
// - Every value, bytes and strings included, may start at any bit; nothing is aligned.
// - Writing always appends at the end. Reading past the data gives zeros and never faults:
//   ReadByte there returns 0 without moving, ReadBits stops early.
// - A string is a 16-bit length and its bytes; strings longer than 65535 bytes are cut to 65535.
// - Positions are 32-bit bit indexes, so a buffer holds at most 256 MiB.

#include <cstdint>
#include <string>
#include <vector>

namespace Vuro {

class Buffer {
public:
    Buffer() = default;
    virtual ~Buffer() = default;

    void WriteByte(uint8_t value);
    // The bitCount low bits of value, least significant first; bits past the 32nd are 0.
    void WriteBits(int32_t value, int bitCount);
    void WriteBoolean(bool value);
    void WriteShort(int16_t value);
    void WriteLong(int32_t value);
    void WriteString(const std::string& text);
    void WriteBytes(const uint8_t* bytes, int count);

    uint8_t ReadByte();
    // Sign extension fills bits bitCount..31 when the last bit read is 1.
    int32_t ReadBits(int bitCount, bool signExtend);
    bool ReadBoolean();
    int16_t ReadShort();
    int32_t ReadLong();
    std::string ReadString();
    void ReadBytes(uint8_t* destination, int count);

    void Clear();
    // Replaces the data by a copy; the positions stay, so clear the buffer first.
    void SetData(const uint8_t* bytes, int count);
    void SeekFront() { mReadPos = 0; }
    // The read position in bits, to look at a record and put it back for another reader.
    int GetReadPos() const { return mReadPos; }
    // The bit the next write lands on.
    int GetWritePos() const { return mWritePos; }
    void SetReadPos(int bitPos) { mReadPos = bitPos; }
    // Null when empty.
    const uint8_t* GetDataPtr() const { return mData.empty() ? nullptr : mData.data(); }
    // Bytes holding the written bits (bits rounded up).
    int GetDataLen() const { return (mBitLength + 7) / 8; }
    bool AtEnd() const { return mReadPos >= mBitLength; }
    // Bits between the read position and the end of the data; 0 at or past the end.
    int BitsLeft() const { return mReadPos < mBitLength ? mBitLength - mReadPos : 0; }

    // Longest string WriteString stores; its length field is 16 bits.
    static constexpr int kMaxStringLength = 65535;

private:
    // The byte the next written bit lands in, appended when the write position enters it.
    uint8_t& WriteTarget();
    void AdvanceWrite(int bits);

    std::vector<uint8_t> mData;
    int mBitLength = 0; // meaningful bits: highest write position, or 8 x bytes after SetData
    int mReadPos = 0;   // bit index of the next bit to read
    int mWritePos = 0;  // bit index of the next bit to write
};

} // namespace Vuro
