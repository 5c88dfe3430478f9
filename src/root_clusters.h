#ifndef ROOT_CLUSTERS_H
#define ROOT_CLUSTERS_H

// Isolating the roots that long double cannot tell apart: near-multiple
// roots and tight clusters. Only they are worked on at high precision.
#include "flint_objects.h"
#include "work_budget.h"

#include <complex>
#include <vector>

struct ClusterProblem {
    acb_srcptr coeffs; // the square-free factor, exactly, constant first
    slong degree;
    acb_ptr roots;     // degree enclosures: where isolated[i], exactly one root
    std::vector<bool> &isolated;
    // An approximation of every root, isolated ones too; where any is not
    // finite, none may be isolated yet, and the search starts from the
    // factor's Newton polygon.
    const std::vector<std::complex<long double>> &approximations;
    slong max_precision;
    WorkBudget &budget;
};

// Isolates the roots not yet isolated: the approximations that long double
// left together are grouped by their Gershgorin discs; each group is
// spread over the rings of the Newton polygon of the factor expanded about
// its centre, where the group's own scale shows; Weierstrass steps at the
// working precision then move the group's roots alone, all others held,
// and the scaled Gershgorin test of the inclusion discs proves what it
// can. The precision doubles where a round proves nothing new. All are
// isolated in the end unless the budget or the bound on the precision
// comes first.
void isolate_clusters(const ClusterProblem &problem);

#endif
