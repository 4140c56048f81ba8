#pragma once
// The records of a demo's record stream. Every record starts with a header written bit by bit
// through the demo Buffer: the update delta (4 bits, ticks since the previous record, 0..15),
// the mouse flag (1 bit), and the code (1 bit when the mouse flag is set, else 5 bits). A gap
// of more than 15 ticks is bridged by filler records (delta 15, code kFiller, no payload).
// Demo files store these numbers: they must not change.

namespace Vuro::DemoRecord {

// Largest update delta one header carries.
inline constexpr int kMaxDelta = 15;

// Codes of mouse records (mouse flag 1).
inline constexpr int kMouseMoveBy = 0; // dx, dy: 6 bits signed each
inline constexpr int kMouseButton = 1; // down: 1 bit, button: 3 bits signed (1, 2, -1, -2, 3)

// Codes of the other records (mouse flag 0).
inline constexpr int kMouseMoveTo = 0; // x, y: 12 bits unsigned each
inline constexpr int kActivate = 1;    // active: 1 bit
inline constexpr int kMinimize = 2;    // minimised: bool (a whole byte)
inline constexpr int kKeyDown = 3;     // key code: 8 bits
inline constexpr int kKeyUp = 4;       // key code: 8 bits
inline constexpr int kKeyChar = 5;     // character: 8 bits
inline constexpr int kClose = 6;
inline constexpr int kMouseEnter = 7;
inline constexpr int kMouseLeave = 8;
inline constexpr int kLoadingDone = 9;
inline constexpr int kRegistryRead = 11;  // success: 1 bit; then type, length (32 bits), bytes
inline constexpr int kRegistryWrite = 12; // success: 1 bit
inline constexpr int kFileRead = 15;      // success: 1 bit; then byte count (32 bits), bytes
inline constexpr int kHttpResult = 17;    // transfer id (32 bits), result (8 bits), string
inline constexpr int kSyncBuffer = 18;    // length (32 bits), bytes
inline constexpr int kWheel = 21;         // wheel steps: 8 bits signed
inline constexpr int kScreenMode = 23;    // windowed: bool, refresh rate: byte
inline constexpr int kFiller = 31;

// Mouse moves of this many pixels or more on either axis are recorded as absolute positions.
inline constexpr int kRelativeMoveLimit = 32;

// The update delta of a record `delta` ticks after the previous one, after the filler records
// that bridge a gap longer than one header carries. `out` has WriteBits(value, bitCount): the
// demo Buffer, or a writer that must not allocate (the demo of a crash).
template <typename BitSink> void WriteUpdateDelta(BitSink& out, int delta) {
    while (delta > kMaxDelta) {
        out.WriteBits(kMaxDelta, 4);
        out.WriteBits(0, 1);
        out.WriteBits(kFiller, 5);
        delta -= kMaxDelta;
    }
    out.WriteBits(delta, 4);
}

} // namespace Vuro::DemoRecord
