#include "root_copies.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString part(const std::string &digits, const QString &decimalPoint = QStringLiteral("."))
{
    QString text = QString::fromStdString(digits);
    text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}

// The imaginary part with its sign as an operator: " + 3", " - 3" spaced
// for people, "+3", "-3" for programs.
QString signedImaginary(const DistinctRoot &root, bool spaced, const QString &decimalPoint)
{
    const bool negative = root.im.front() == '-';
    const QString magnitude = part(negative ? root.im.substr(1) : root.im, decimalPoint);
    const QString sign = QLatin1String(negative ? "-" : "+");
    return spaced ? QLatin1Char(' ') + sign + QLatin1Char(' ') + magnitude : sign + magnitude;
}

// The complex roots as "re" "+im" "unit", each root as often as its
// multiplicity.
QStringList programValues(const std::vector<DistinctRoot> &roots, const QString &unit,
                          bool parenthesised)
{
    QStringList values;
    for (const DistinctRoot &root : roots) {
        QString value = part(root.re);
        if (!root.real) {
            value += signedImaginary(root, false, QStringLiteral(".")) + unit;
            if (parenthesised)
                value = QLatin1Char('(') + value + QLatin1Char(')');
        }
        for (int copy = 0; copy < root.multiplicity; ++copy)
            values << value;
    }
    return values;
}

} // namespace

QString valueText(const DistinctRoot &root, const QString &decimalPoint)
{
    const QString re = part(root.re, decimalPoint);
    if (root.real)
        return re;
    return re + signedImaginary(root, true, decimalPoint) + QLatin1Char('i');
}

QString plainText(const std::vector<DistinctRoot> &roots, const QString &decimalPoint)
{
    QString text;
    for (const DistinctRoot &root : roots) {
        text += valueText(root, decimalPoint);
        if (root.multiplicity > 1)
            text += QStringLiteral("  ")
                    + QCoreApplication::translate("RootTable", "(multiplicity %1)").arg(root.multiplicity);
        text += QLatin1Char('\n');
    }
    return text;
}

QString csvText(const std::vector<DistinctRoot> &roots)
{
    QString text = QStringLiteral("re,im,multiplicity\n");
    for (const DistinctRoot &root : roots)
        text += part(root.re) + QLatin1Char(',') + part(root.im) + QLatin1Char(',')
                + QString::number(root.multiplicity) + QLatin1Char('\n');
    return text;
}

QString pythonList(const std::vector<DistinctRoot> &roots)
{
    return QLatin1Char('[') + programValues(roots, QStringLiteral("j"), true).join(QStringLiteral(", "))
           + QLatin1Char(']');
}

QString octaveList(const std::vector<DistinctRoot> &roots)
{
    return QLatin1Char('[') + programValues(roots, QStringLiteral("i"), false).join(QStringLiteral("; "))
           + QLatin1Char(']');
}
