#ifndef FLINT_OBJECTS_H
#define FLINT_OBJECTS_H

// FLINT and Arb objects that clear themselves, so that every one is cleared
// on every path.
#include <acb.h>
#include <arf.h>
#include <flint/fmpq.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

template <class T, void (*Init)(T *), void (*Clear)(T *)> struct Scoped {
    Scoped() { Init(value); }
    ~Scoped() { Clear(value); }
    Scoped(const Scoped &) = delete;
    Scoped &operator=(const Scoped &) = delete;
    T value[1];
};

using Integer = Scoped<fmpz, fmpz_init, fmpz_clear>;
using IntegerPolynomial = Scoped<fmpz_poly_struct, fmpz_poly_init, fmpz_poly_clear>;
using Rational = Scoped<fmpq, fmpq_init, fmpq_clear>;
using RationalPolynomial = Scoped<fmpq_poly_struct, fmpq_poly_init, fmpq_poly_clear>;
using SquareFreeFactors = Scoped<fmpz_poly_factor_struct, fmpz_poly_factor_init, fmpz_poly_factor_clear>;
using Float = Scoped<arf_struct, arf_init, arf_clear>;
using Real = Scoped<arb_struct, arb_init, arb_clear>;
using Magnitude = Scoped<mag_struct, mag_init, mag_clear>;

// A vector of complex balls.
struct Balls {
    explicit Balls(slong n) : value(_acb_vec_init(n)), size(n) {}
    ~Balls() { _acb_vec_clear(value, size); }
    Balls(const Balls &) = delete;
    Balls &operator=(const Balls &) = delete;
    acb_ptr value;
    slong size;
};

#endif
