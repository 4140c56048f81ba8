#include "framework/util/Buffer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace Vuro {
namespace {

std::vector<uint8_t> Bytes(const Buffer& buffer) {
    const uint8_t* data = buffer.GetDataPtr();
    return data ? std::vector<uint8_t>(data, data + buffer.GetDataLen()) : std::vector<uint8_t>();
}

TEST(Buffer, ValuesPackBitByBitLeastSignificantFirst) {
    Buffer buffer;
    buffer.WriteBits(5, 3);
    buffer.WriteByte(0xFF);
    EXPECT_EQ(Bytes(buffer), (std::vector<uint8_t>{0xFD, 0x07}));
    EXPECT_EQ(buffer.GetDataLen(), 2); // 11 bits
    EXPECT_EQ(buffer.BitsLeft(), 11);
    EXPECT_EQ(buffer.ReadBits(3, false), 5);
    EXPECT_EQ(buffer.BitsLeft(), 8);
    EXPECT_EQ(buffer.ReadByte(), 0xFF);
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_EQ(buffer.BitsLeft(), 0);

    Buffer aligned;
    aligned.WriteLong(258);
    EXPECT_EQ(Bytes(aligned), (std::vector<uint8_t>{0x02, 0x01, 0x00, 0x00}));

    // One bit ahead of a long shifts all of it by one: (0x80000001 << 1) | 1.
    Buffer shifted;
    shifted.WriteBits(1, 1);
    shifted.WriteLong(static_cast<int32_t>(0x80000001u));
    EXPECT_EQ(Bytes(shifted), (std::vector<uint8_t>{0x03, 0x00, 0x00, 0x00, 0x01}));

    Buffer nine;
    nine.WriteBits(0x1FF, 9);
    EXPECT_EQ(nine.GetDataLen(), 2);
    nine.WriteBits(0x7, 0);
    nine.WriteBits(0x7, -3);
    EXPECT_EQ(nine.GetDataLen(), 2);
}

TEST(Buffer, ReadBitsSignExtension) {
    struct Case {
        uint32_t bits;
        int count;
        bool signExtend;
        int32_t expected;
    };
    const Case cases[] = {
        {0b111, 3, true, -1},        {0b001, 3, true, 1},   {0b100, 3, true, -4},
        {0b111, 3, false, 7},        {0x80, 8, true, -128}, {0x7F, 8, true, 127},
        {0xFFFFFFFFu, 32, true, -1}, {0, 0, true, 0},
    };
    for (const Case& c : cases) {
        Buffer buffer;
        buffer.WriteBits(static_cast<int32_t>(c.bits), 32);
        EXPECT_EQ(buffer.ReadBits(c.count, c.signExtend), c.expected)
            << "bits " << c.bits << " count " << c.count;
    }
}

TEST(Buffer, UnalignedValuesRoundTrip) {
    const std::string text = "\xCF\xF0\xE8\xE2\xE5\xF2, garden"; // code page 1251 bytes
    for (int offset = 0; offset < 8; ++offset) {
        Buffer buffer;
        buffer.WriteBits(0x55, offset);
        buffer.WriteLong(static_cast<int32_t>(0x89ABCDEFu));
        buffer.WriteShort(-2);
        buffer.WriteString(text);
        buffer.WriteBoolean(true);
        buffer.WriteBits(-3, 5);
        const uint8_t raw[] = {0x00, 0xFF, 0x80};
        buffer.WriteBytes(raw, 3);

        EXPECT_EQ(buffer.ReadBits(offset, false), 0x55 & ((1 << offset) - 1));
        EXPECT_EQ(static_cast<uint32_t>(buffer.ReadLong()), 0x89ABCDEFu) << "offset " << offset;
        EXPECT_EQ(buffer.ReadShort(), -2);
        EXPECT_EQ(buffer.ReadString(), text);
        EXPECT_TRUE(buffer.ReadBoolean());
        EXPECT_EQ(buffer.ReadBits(5, true), -3);
        uint8_t back[3] = {};
        buffer.ReadBytes(back, 3);
        EXPECT_EQ(std::vector<uint8_t>(back, back + 3), std::vector<uint8_t>(raw, raw + 3));
        EXPECT_TRUE(buffer.AtEnd());
    }
}

TEST(Buffer, LongStringsReadBackWholeAndKeepTheStreamInStep) {
    struct Case {
        size_t written;
        size_t stored;
    };
    // 40000 and 65535 would read back empty with a signed length; 70000 is cut to fit the field.
    const Case cases[] = {{0, 0},         {32767, 32767}, {32768, 32768},
                          {40000, 40000}, {65535, 65535}, {70000, 65535}};
    for (const Case& c : cases) {
        std::string text(c.written, 'a');
        for (size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        Buffer buffer;
        buffer.WriteBits(1, 3);
        buffer.WriteString(text);
        buffer.WriteLong(0x12345678);
        EXPECT_EQ(buffer.GetDataLen(), static_cast<int>((3 + 16 + 8 * c.stored + 32 + 7) / 8));

        EXPECT_EQ(buffer.ReadBits(3, false), 1);
        EXPECT_EQ(buffer.ReadString(), text.substr(0, c.stored)) << "length " << c.written;
        EXPECT_EQ(buffer.ReadLong(), 0x12345678) << "length " << c.written;
        EXPECT_TRUE(buffer.AtEnd());
    }
}

TEST(Buffer, ReadingPastTheEndGivesZerosWithoutMoving) {
    Buffer buffer;
    buffer.WriteByte(0xAB);
    EXPECT_EQ(buffer.ReadByte(), 0xAB);
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadByte(), 0);
    EXPECT_EQ(buffer.ReadLong(), 0);
    EXPECT_EQ(buffer.ReadString(), "");
    EXPECT_TRUE(buffer.AtEnd());

    // An unaligned byte needs the byte after it too.
    Buffer partial;
    partial.WriteByte(0xFF);
    EXPECT_EQ(partial.ReadBits(4, false), 0xF);
    EXPECT_EQ(partial.ReadByte(), 0);
    EXPECT_EQ(partial.ReadBits(8, false), 0xF); // stops after the last stored bit
    EXPECT_TRUE(partial.AtEnd());
}

TEST(Buffer, WholeBufferOperations) {
    Buffer buffer;
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
    EXPECT_EQ(buffer.GetDataLen(), 0);
    EXPECT_TRUE(buffer.AtEnd());

    const uint8_t bytes[] = {0x10, 0x20, 0x30};
    buffer.SetData(bytes, 3);
    EXPECT_EQ(Bytes(buffer), (std::vector<uint8_t>{0x10, 0x20, 0x30}));
    EXPECT_EQ(buffer.ReadByte(), 0x10);
    EXPECT_EQ(buffer.ReadShort(), 0x3020);
    EXPECT_TRUE(buffer.AtEnd());
    buffer.SeekFront();
    EXPECT_FALSE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadByte(), 0x10);

    buffer.Clear();
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
    EXPECT_TRUE(buffer.AtEnd());
    buffer.WriteShort(0x0102);
    EXPECT_EQ(Bytes(buffer), (std::vector<uint8_t>{0x02, 0x01}));
    buffer.SetData(bytes, 0);
    EXPECT_EQ(buffer.GetDataPtr(), nullptr);
}

// Mixed widths at every alignment: what goes in comes out, in order.
TEST(Buffer, RandomSequencesRoundTrip) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 50; ++round) {
        struct Item {
            int width;
            uint32_t value;
        };
        std::vector<Item> items;
        Buffer buffer;
        for (int i = 0; i < 200; ++i) {
            int kind = static_cast<int>(random() % 4);
            uint32_t value = random();
            if (kind == 0) {
                int width = 1 + static_cast<int>(random() % 32);
                value &= width == 32 ? ~0u : (1u << width) - 1;
                buffer.WriteBits(static_cast<int32_t>(value), width);
                items.push_back({width, value});
            } else if (kind == 1) {
                buffer.WriteByte(static_cast<uint8_t>(value));
                items.push_back({-8, value & 0xFF});
            } else if (kind == 2) {
                buffer.WriteShort(static_cast<int16_t>(value));
                items.push_back({-16, value & 0xFFFF});
            } else {
                buffer.WriteLong(static_cast<int32_t>(value));
                items.push_back({-32, value});
            }
        }
        for (const Item& item : items) {
            uint32_t read = 0;
            switch (item.width) {
            case -8:
                read = buffer.ReadByte();
                break;
            case -16:
                read = static_cast<uint16_t>(buffer.ReadShort());
                break;
            case -32:
                read = static_cast<uint32_t>(buffer.ReadLong());
                break;
            default:
                read = static_cast<uint32_t>(buffer.ReadBits(item.width, false));
            }
            ASSERT_EQ(read, item.value) << "round " << round << " width " << item.width;
        }
        EXPECT_TRUE(buffer.AtEnd());
    }
}

} // namespace
} // namespace Vuro
