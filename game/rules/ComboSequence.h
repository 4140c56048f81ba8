#pragma once
// Recognises patterns in the kinds of ripe fruit the player picks one after another: all four
// kinds in any order, or runs of three, five and ten of one kind. The play field feeds it every
// pick and turns a nonzero result into bonus points, a pop-up and a sound.
//
// What a caller can rely on:
// - Feed returns one of the ComboResult values; a pick of an unripe fruit (or of a kind other
//   than 1..4) breaks the sequence and gives kNone.
// - A ten-run and a four-kind permutation start the next sequence empty; a broken run keeps its
//   last pick as the start of the next one. The buffer never holds more than ten picks.

#include <string>

namespace Vuro {

class ComboSequence {
public:
    enum ComboResult : int {
        kNone = 0,
        kThreeOfAKind = 1,
        kFiveOfAKind = 2,
        kTenOfAKind = 3,
        kAllFourKinds = 4,
    };
    // The fruit state of a ripe fruit; any other state breaks the sequence.
    static constexpr int kRipeState = 4;

    ComboSequence() { Reset(); }

    void Reset();
    // kind 1..4 (apple, pear, plum, orange); returns a ComboResult.
    [[nodiscard]] int Feed(int kind, int fruitState);

    // The picks held so far, one digit '1'..'4' each.
    std::string GetBuffer() const { return std::string(mBuffer, mLength); }
    int GetLength() const { return mLength; }

private:
    int RunTest();
    bool IsPermutationPrefix(int count) const;

    char mBuffer[12]; // at most 10 used
    int mLength;      // picks held in mBuffer
};

} // namespace Vuro
