#ifndef ENCLOSED_ROOTS_H
#define ENCLOSED_ROOTS_H

// The exact roots of a polynomial, factor by factor, each in a certified
// enclosure, and what the window shows of each: shared by the check of the
// roots found and by the table of distinct roots.
#include "certified_roots.h"
#include "shown_roots.h"

#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

using EnclosedFactors = std::vector<std::unique_ptr<CertifiedRoots>>;

// Encloses the roots of every factor, each seeded with the roots found
// that fit it best (a value far from every root of a factor would only
// slow its iteration down). False where the budget or the bound on the
// precision stops a factor first.
bool isolate_factors(const EnclosedFactors &factors, const std::complex<long double> *found,
                     int32_t count);

// Enclosure `index` of a factor, with what the exact test at +-10^-12 found
// of its parts on the edge of the band of parts shown as 0.
struct ExactRoot {
    CertifiedRoots *factor;
    slong index;
    bool re_on_edge = false, im_on_edge = false;
    bool re_tested = false, im_tested = false;

    acb_srcptr enclosure() const { return factor->root(index); }
    PartBounds re() const;
    PartBounds im() const;
    Band re_band() const;
    Band im_band() const;
    // Whether both parts show one text however far the enclosure narrows.
    bool text_decided() const;
};

std::vector<ExactRoot> exact_roots_of(const EnclosedFactors &factors);

// Narrows the enclosure until both parts' texts are decided. False where
// the budget or the bound on the precision ends it first.
bool decide_text(ExactRoot &root);

// The exact root rounded to long double, 0 in parts inside the band; false
// where the enclosure does not decide it yet.
bool certified_value(const ExactRoot &root, std::complex<long double> *value);

#endif
