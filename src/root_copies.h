#ifndef ROOT_COPIES_H
#define ROOT_COPIES_H

// Distinct roots written out: for people, "a + bi" with the locale's
// decimal separator; for other programs, which always read ".", as CSV and
// as lists that Python (and numpy) and Octave read unchanged.
#include "distinct_roots.h"

#include <QString>

#include <vector>

// "1.5", "-0.5 + 0.866025403784i", "2 - 3i", with the given decimal
// separator.
QString valueText(const DistinctRoot &root, const QString &decimalPoint);

// One root per line, a multiple one with its multiplicity.
QString plainText(const std::vector<DistinctRoot> &roots, const QString &decimalPoint);

// A header line, then one root per line: real part, imaginary part,
// multiplicity.
QString csvText(const std::vector<DistinctRoot> &roots);

// [1, (2+3j)] and [1; 2+3i]: each root as often as its multiplicity, as
// numpy.roots and Octave's roots list them.
QString pythonList(const std::vector<DistinctRoot> &roots);
QString octaveList(const std::vector<DistinctRoot> &roots);

#endif
