#include "game/rules/ComboSequence.h"

#include <cstring>

namespace Vuro {

namespace {

// The 24 orderings of the four kinds, six under each first digit.
constexpr const char* kPermutations[4][6] = {
    {"1234", "1243", "1324", "1342", "1432", "1423"},
    {"2341", "2314", "2431", "2413", "2134", "2143"},
    {"3412", "3421", "3241", "3214", "3142", "3124"},
    {"4321", "4312", "4231", "4213", "4132", "4123"},
};

constexpr const char* kRuns[4] = {"1111111111", "2222222222", "3333333333", "4444444444"};

constexpr int kMaxRun = 10;

} // namespace

void ComboSequence::Reset() {
    std::memset(mBuffer, 0, sizeof(mBuffer));
    mLength = 0;
}

int ComboSequence::Feed(int kind, int fruitState) {
    // A kind outside 1..4 would index past the tables; it breaks the sequence like an unripe pick.
    if (fruitState != kRipeState || kind < 1 || kind > 4) {
        Reset();
        return kNone;
    }
    mBuffer[mLength++] = static_cast<char>('0' + kind);
    if (mLength < 3) {
        return kNone;
    }
    if (mLength == 3 && IsPermutationPrefix(3)) {
        return kNone;
    }
    if (mLength == 4 && IsPermutationPrefix(4)) {
        Reset();
        return kAllFourKinds;
    }
    return RunTest();
}

bool ComboSequence::IsPermutationPrefix(int count) const {
    for (const char* permutation : kPermutations[mBuffer[0] - '1']) {
        if (std::memcmp(mBuffer, permutation, count) == 0) {
            return true;
        }
    }
    return false;
}

int ComboSequence::RunTest() {
    if (std::memcmp(mBuffer, kRuns[mBuffer[0] - '1'], mLength) != 0) {
        const char last = mBuffer[mLength - 1];
        Reset();
        mBuffer[0] = last;
        mLength = 1;
        return kNone;
    }
    switch (mLength) {
    case 3:
        return kThreeOfAKind;
    case 5:
        return kFiveOfAKind;
    case kMaxRun:
        Reset();
        return kTenOfAKind;
    default:
        return kNone;
    }
}

} // namespace Vuro
