#pragma once
// A box blur over one plane of values (an A8 mask, a plane of weights): one pass along the rows
// and one down the columns; three calls approximate a Gaussian. Edges are held.

#include <algorithm>
#include <vector>

namespace Vuro::AssetGen::Art {

template <typename T> void BoxBlur(T* values, int width, int height, int stride, int radius) {
    std::vector<double> line(std::max(width, height));
    auto pass = [&](int count, int length, auto at) {
        for (int i = 0; i < count; ++i) {
            double sum = 0;
            for (int k = -radius; k <= radius; ++k) {
                sum += at(i, std::clamp(k, 0, length - 1));
            }
            for (int j = 0; j < length; ++j) {
                line[j] = sum / (2 * radius + 1);
                sum += at(i, std::min(j + radius + 1, length - 1));
                sum -= at(i, std::max(j - radius, 0));
            }
            for (int j = 0; j < length; ++j) {
                at(i, j) = static_cast<T>(line[j]);
            }
        }
    };
    pass(height, width, [&](int y, int x) -> T& { return values[y * stride + x]; });
    pass(width, height, [&](int x, int y) -> T& { return values[y * stride + x]; });
}

} // namespace Vuro::AssetGen::Art
