#ifndef WORK_BUDGET_H
#define WORK_BUDGET_H

#include <algorithm>

// A bound on the exact work spent on one polynomial. It counts estimated
// operations instead of measuring time, so that the same polynomial always
// gets the same roots, on any machine and under any sanitizer.
//
// The unit is one complex product and sum in ball arithmetic at up to 128
// bits, about 0.2 us on a current desktop; at higher precision an operation
// costs in proportion to its bits.
class WorkBudget
{
public:
    // About 15 ms of ball arithmetic, some 300 ms under the sanitizers: the
    // fuzzer solves each input twice within its limit of 1 s. The slowest
    // polynomials of the dialog's range use a fraction of it.
    static constexpr double standard = 75000;

    explicit WorkBudget(double units = standard) : left(units) {}

    // Takes the cost of `operations` complex products and sums at `bits` of
    // working precision. Where it does not fit, nothing more ever will: the
    // work stops at the same point whatever is asked for next.
    bool take(double operations, long bits)
    {
        const double cost = operations * std::max(1.0, double(bits) / 128);
        exhausted = exhausted || !(cost <= left);
        if (!exhausted)
            left -= cost;
        return !exhausted;
    }

    bool spent() const { return exhausted; }

private:
    double left;
    bool exhausted = false;
};

#endif
