#ifndef LINEAR_FACTORS_H
#define LINEAR_FACTORS_H

// A polynomial given by its roots, multiplied out.
#include <cstddef>
#include <vector>

// lead (x - r1) ... (x - rn), highest power first, multiplied out in the
// arithmetic of T, factor by factor in the order given.
template <class T> std::vector<T> fromRoots(const std::vector<T> &roots, T lead = T(1))
{
    std::vector<T> c{lead};
    for (const T &r : roots) {
        // Times (x - r): each coefficient loses r times the one before it.
        c.push_back(T(0));
        for (std::size_t i = c.size() - 1; i >= 1; --i)
            c[i] = c[i] - r * c[i - 1];
    }
    return c;
}

#endif
