#ifndef RROOTS_OO_1_H
#define RROOTS_OO_1_H

#include <complex>
#include <cstdint>

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
    ~PolySolver();

    PolySolver(const PolySolver &) = delete;
    PolySolver &operator=(const PolySolver &) = delete;

    // Finds the roots; out needs room for poly.degree values. Always true.
    bool poly_solve(bool polish, bool reverse, int32_t *count,
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

    // Checks the roots found against the original polynomial and finds the
    // ones the level-by-level search missed or got wrong.
    void check_roots(bool polished);
    bool is_root(Polynomial *p, std::complex<long double> z, long double accuracy);
    void verify_roots(Polynomial *original, Polynomial *found, long double accuracy,
                      long double eps);
    void complete_roots(Polynomial *original, Polynomial *found, long double accuracy,
                        long double eps);

    Polynomial *deriv_list;
    Polynomial poly;

private:
    // Levels of the chain being solved: the count of level 0's roots changes
    // once they are verified, so it cannot tell the chain's length any more.
    int32_t deriv_levels = 0;
};

#endif
