#include "rroots_oo_1.h"

using cplx = std::complex<long double>;

PolySolver::PolySolver(int32_t n, cplx *c) : deriv_list(nullptr)
{
    poly.degree = n;
    poly.start = 0;
    poly.roots = nullptr;
    poly.num_roots = 0;
    poly.coeffs = new cplx[n + 1]();
    for (int32_t k = 0; k <= n; ++k)
        poly.coeffs[k] = c[k];
}

PolySolver::~PolySolver()
{
    delete[] poly.coeffs;
}

void PolySolver::normalize(Polynomial *p)
{
    cplx *c = p->coeffs;
    const int32_t s = p->start;
    const cplx lead = c[s];
    c[s] = cplx(1, 0);
    for (int32_t k = s + 1; k <= s + p->degree; ++k)
        c[k] = c[k] / lead;
}

// Explicit powers summed from the constant term upwards; each power is one
// more product on the previous one, the same products as rebuilding it
// from 1 every time, so the values are identical.
cplx PolySolver::apply_poly(Polynomial *p, cplx x)
{
    const cplx *c = p->coeffs;
    const int32_t s = p->start;
    const int32_t d = p->degree;
    cplx result = c[s + d];
    cplx power(1, 0);
    for (int32_t i = 1; i <= d; ++i) {
        power = x * power;
        const cplx term = c[s + d - i] * power;
        result = cplx(result.real() + term.real(), result.imag() + term.imag());
    }
    return result;
}

double PolySolver::at(double x)
{
    return static_cast<double>(apply_poly(&poly, cplx(x, 0)).real());
}

// Horner's scheme in place: the quotient stays in front, the remainder
// drops into the slot behind it.
void PolySolver::divide(Polynomial *p, cplx r, cplx *rem)
{
    cplx *c = p->coeffs;
    const int32_t s = p->start;
    const int32_t d = p->degree;
    for (int32_t k = s + 1; k <= s + d; ++k)
        c[k] = c[k] + c[k - 1] * r;
    // A record already divided past degree 0 has no constant term left.
    *rem = s + d >= 0 ? c[s + d] : cplx(0, 0);
    p->degree = d - 1;
}
