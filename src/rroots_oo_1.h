#ifndef RROOTS_OO_1_H
#define RROOTS_OO_1_H

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

// One polynomial with complex coefficients, highest power first. The live
// polynomial occupies coeffs[start] .. coeffs[start + degree]; entries behind
// it are left over from earlier deflations.
struct Polynomial {
    std::complex<long double> *coeffs;
    int32_t degree;
    int32_t start;
    std::complex<long double> *roots;
    int32_t num_roots;
};

class PolySolver {
public:
    // n is the degree; c points to n + 1 coefficients, highest power first.
    // The array stays the caller's: the solver keeps its own copy.
    PolySolver(int32_t n, std::complex<long double> *c);
    // The same, with the polynomial also given exactly, each coefficient an
    // integer or a fraction in decimal ("-3", "1/3"), highest power first:
    // the search works on c, and the roots handed back are certified for
    // the exact polynomial.
    PolySolver(int32_t n, std::complex<long double> *c, std::vector<std::string> exact);
    ~PolySolver();

    PolySolver(const PolySolver &) = delete;
    PolySolver &operator=(const PolySolver &) = delete;

    // Finds the roots; out needs room for poly.degree values. Always true.
    // The level-by-level search, then every root checked against the exact
    // polynomial as written: where the coefficients have an exact reading,
    // all poly.degree roots come back, each certified.
    bool poly_solve(bool polish, bool reverse, int32_t *count,
                    std::complex<long double> *out);

    // The level-by-level search alone, with reverse deflation when asked
    // for; it may find fewer roots than the degree.
    void solve_by_levels(bool polish, bool reverse, int32_t *count,
                         std::complex<long double> *out);

    // Real part of poly(x), for plotting.
    double at(double x);

    void normalize(Polynomial *p);
    static std::complex<long double> apply_poly(Polynomial *p,
                                                std::complex<long double> x);
    void divide(Polynomial *p, std::complex<long double> r,
                std::complex<long double> *rem);

    bool search_root(Polynomial *p, std::complex<long double> *z,
                     long double eps);
    bool try_root(Polynomial *p, std::complex<long double> *z, bool polish,
                  long double eps);

    int32_t create_deriv_list(Polynomial p, Polynomial **out);
    void destroy_deriv_list(Polynomial *list);
    bool climb_root(Polynomial *list, std::complex<long double> *z,
                    int32_t top, int32_t copies, long double eps);

    void sort_roots(Polynomial *p);
    void reverse_factor(Polynomial *poly, Polynomial *list, long double eps);

    Polynomial *deriv_list;
    Polynomial poly;

private:
    // Levels of the chain being solved: once level 0 has been deflated its
    // degree no longer tells the chain's length.
    int32_t deriv_levels = 0;
    // The polynomial as the user wrote it, where the caller knows it.
    std::vector<std::string> exact;
};

#endif
