#ifndef SOLVER_INPUT_H
#define SOLVER_INPUT_H

// Turns arbitrary bytes into one solver call and checks what must hold for
// every polynomial, whatever its coefficients. Shared by the fuzz target and
// by the test that replays the committed seeds and regression inputs, so
// both decode and judge an input the same way.
//
// Layout of an input:
//   byte 0       degree = 1 + byte % 22
//   byte 1       bit 0: polish, bit 1: reverse deflation, bit 2: roots
//   then         degree + 1 doubles, each 8 bytes in the machine's order;
//                bytes missing at the end read as zero, bytes past the last
//                one are ignored. Without bit 2 they are the coefficients,
//                highest power first. With it, the first is the leading
//                coefficient and the others are roots: the coefficients are
//                those of lead * (x - r1) ... (x - rn), multiplied out in
//                double. Repeated and clustered roots, where the derivative
//                chain does its work, are then one copied 8-byte block away.
#include "linear_factors.h"
#include "root_conventions.h"
#include "rroots_oo_1.h"
#include "same_bits.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace solver_input {

using cplx = std::complex<long double>;

constexpr int32_t max_degree = 22;

// Filled into the output array before the solve: bytes the solver leaves
// alone keep it.
constexpr unsigned char untouched_byte = 0xA5;

struct Input {
    int32_t degree = 1;
    bool polish = false;
    bool reverse = false;
    std::vector<double> coeffs; // degree + 1, highest power first
};

inline Input decode(const uint8_t *data, size_t size)
{
    Input in;
    in.degree = 1 + (size > 0 ? data[0] % max_degree : 0);
    const uint8_t flags = size > 1 ? data[1] : 0;
    in.polish = flags & 1;
    in.reverse = flags & 2;
    std::vector<double> values(in.degree + 1, 0.0);
    for (int32_t k = 0; k <= in.degree; ++k) {
        unsigned char bytes[sizeof(double)] = {};
        const size_t at = 2 + size_t(k) * sizeof(double);
        for (size_t b = 0; b < sizeof(double) && at + b < size; ++b)
            bytes[b] = data[at + b];
        std::memcpy(&values[k], bytes, sizeof(double));
    }
    if (!(flags & 4)) {
        in.coeffs = values;
        return in;
    }
    in.coeffs = fromRoots(std::vector<double>(values.begin() + 1, values.end()), values[0]);
    return in;
}

// The inverse of decode for coefficients (bit 2 clear), for tests.
inline std::vector<uint8_t> encode(const Input &in)
{
    std::vector<uint8_t> bytes{uint8_t(in.degree - 1), uint8_t((in.polish ? 1 : 0) | (in.reverse ? 2 : 0))};
    for (double c : in.coeffs) {
        unsigned char b[sizeof(double)];
        std::memcpy(b, &c, sizeof(double));
        bytes.insert(bytes.end(), b, b + sizeof(double));
    }
    return bytes;
}

struct Outcome {
    bool returned = false;
    int32_t count = -1;
    std::vector<unsigned char> out; // the output array's bytes after the solve
    std::vector<cplx> callerCoeffs; // the array handed to the constructor, after the solve
    std::vector<cplx> solverCoeffs; // the solver's own copy, after the solve
    int32_t solverDegree = -1;
    bool chainReleased = false;
    // A second solve on the same solver; only run without reverse
    // deflation, which deflates the solver's copy on purpose.
    bool solvedAgain = false;
    bool returnedAgain = false;
    int32_t countAgain = -1;
    std::vector<unsigned char> outAgain;
};

inline std::vector<cplx> widen(const Input &in)
{
    std::vector<cplx> c;
    for (double v : in.coeffs)
        c.emplace_back(v, 0);
    return c;
}

// One output array of exactly degree entries on the heap, as the main
// window allocates it, so that an address checker sees any write past it.
inline bool solveInto(PolySolver &solver, const Input &in, int32_t *count,
                      std::vector<unsigned char> *bytes)
{
    const size_t size = sizeof(cplx) * size_t(in.degree);
    cplx *out = new cplx[in.degree];
    std::memset(static_cast<void *>(out), untouched_byte, size);
    const bool returned = solver.poly_solve(in.polish, in.reverse, count, out);
    const unsigned char *raw = reinterpret_cast<const unsigned char *>(out);
    bytes->assign(raw, raw + size);
    delete[] out;
    return returned;
}

inline Outcome solve(const Input &in)
{
    Outcome o;
    std::vector<cplx> caller = widen(in);
    PolySolver solver(in.degree, caller.data());
    o.returned = solveInto(solver, in, &o.count, &o.out);
    o.callerCoeffs = caller;
    o.solverDegree = solver.poly.degree;
    o.solverCoeffs.assign(solver.poly.coeffs, solver.poly.coeffs + in.degree + 1);
    o.chainReleased = solver.deriv_list == nullptr;
    // The plot evaluates the solver's copy; it must not trip over any value.
    for (double x : {0.0, 1.0, -1.0, 1e300})
        (void)solver.at(x);
    if (!in.reverse) {
        o.solvedAgain = true;
        o.returnedAgain = solveInto(solver, in, &o.countAgain, &o.outAgain);
    }
    return o;
}

inline cplx entry(const std::vector<unsigned char> &bytes, int32_t i)
{
    cplx z;
    std::memcpy(static_cast<void *>(&z), bytes.data() + sizeof(cplx) * size_t(i), sizeof(cplx));
    return z;
}

// Parts within the solver's tolerance of zero are handed back as exact zeros.
inline bool cleaned(long double x)
{
    return !(x != 0 && std::fabs(x) <= roots::tolerance);
}

// What is wrong with an outcome, or an empty string.
inline std::string check(const Input &in, const Outcome &o)
{
    const int32_t n = in.degree;
    if (!o.returned)
        return "poly_solve returned false";
    if (o.count < 0 || o.count > n)
        return "root count " + std::to_string(o.count) + " outside 0.." + std::to_string(n);
    if (o.out.size() != sizeof(cplx) * size_t(n))
        return "output array of the wrong size";
    for (size_t b = sizeof(cplx) * size_t(o.count); b < o.out.size(); ++b)
        if (o.out[b] != untouched_byte)
            return "output written past the root count at byte " + std::to_string(b);
    for (int32_t i = 0; i < o.count; ++i) {
        const cplx z = entry(o.out, i);
        if (!cleaned(z.real()) || !cleaned(z.imag()))
            return "root " + std::to_string(i) + " has a part within the tolerance of zero left uncleaned";
    }
    const std::vector<cplx> given = widen(in);
    if (o.callerCoeffs.size() != given.size())
        return "caller's coefficients resized";
    for (size_t k = 0; k < given.size(); ++k)
        if (!sameBits(o.callerCoeffs[k], given[k]))
            return "caller's coefficient " + std::to_string(k) + " changed";
    if (!o.chainReleased)
        return "derivative chain still held after the solve";
    if (o.solverDegree < 0 || o.solverDegree > n)
        return "solver's degree " + std::to_string(o.solverDegree) + " outside 0.." + std::to_string(n);
    if (!in.reverse) {
        if (o.solverDegree != n)
            return "solve without reverse deflation changed the solver's degree";
        for (size_t k = 0; k < given.size(); ++k)
            if (!sameBits(o.solverCoeffs[k], given[k]))
                return "solve without reverse deflation changed the solver's coefficient " + std::to_string(k);
        if (!o.solvedAgain)
            return "second solve missing";
        if (!o.returnedAgain)
            return "second poly_solve returned false";
        if (o.countAgain != o.count)
            return "second solve found " + std::to_string(o.countAgain) + " roots, first " + std::to_string(o.count);
        for (int32_t i = 0; i < o.count; ++i)
            if (!sameBits(entry(o.outAgain, i), entry(o.out, i)))
                return "second solve gave a different root " + std::to_string(i);
        for (size_t b = sizeof(cplx) * size_t(o.count); b < o.outAgain.size(); ++b)
            if (o.outAgain[b] != untouched_byte)
                return "second solve wrote past the root count";
    }
    return std::string();
}

} // namespace solver_input

#endif
