// Reading a polynomial as typed, exactly, and writing it back: the texts
// people type, the lists they paste, in a locale writing decimals with "."
// and in one writing them with ",", and every refusal with its place.
#include "polynomial_text.h"

#include <QtTest>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(TextProblem)
Q_DECLARE_METATYPE(long double)

namespace {

std::u32string points(const QString &text)
{
    return text.toStdU32String();
}

QStringList strings(const std::vector<std::string> &exact)
{
    QStringList list;
    for (const std::string &c : exact)
        list << QString::fromStdString(c);
    return list;
}

std::vector<std::string> exact(const QStringList &list)
{
    std::vector<std::string> c;
    for (const QString &s : list)
        c.push_back(s.toStdString());
    return c;
}

// (x - 1)^22, from Pascal's rule.
QStringList xMinusOneTo22()
{
    std::vector<qint64> row{1};
    for (int n = 1; n <= 22; ++n) {
        std::vector<qint64> next(size_t(n) + 1, 1);
        for (int k = 1; k < n; ++k)
            next[size_t(k)] = row[size_t(k) - 1] + row[size_t(k)];
        row = next;
    }
    QStringList c;
    for (int k = 0; k <= 22; ++k)
        c << QString::number(k % 2 ? -row[size_t(k)] : row[size_t(k)]);
    return c;
}

// "." for a locale like C or English, "," for one like German; rows that
// read alike in both run in both.
const QStringList bothPoints{".", ","};

} // namespace

class TestPolynomialText : public QObject
{
    Q_OBJECT

private slots:
    void readsExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QStringList>("coefficients");
        const auto row = [](const char *name, const QString &text, const QStringList &where,
                            const QStringList &c) {
            for (const QString &point : where)
                QTest::newRow(qPrintable(QString("%1, point %2").arg(name, point)))
                    << text << point << c;
        };
        const QStringList cubic{"1", "-6", "11", "-6"};
        // Expressions.
        row("cubic", "x^3 - 6x^2 + 11x - 6", bothPoints, cubic);
        row("(x-1)^22", "(x-1)^22", bothPoints, xMinusOneTo22());
        row("(x - 1/3)^3", "(x - 1/3)^3", bothPoints, {"1", "-1", "1/3", "-1/27"});
        row("2x", "2x", bothPoints, {"2", "0"});
        row("3(x-1)", "3(x-1)", bothPoints, {"3", "-3"});
        row("(x-1)(x+2)", "(x-1)(x+2)", bothPoints, {"1", "1", "-2"});
        row("x(x-1) and spaces", " x ( x - 1 ) ", bothPoints, {"1", "-1", "0"});
        row("typographic minus, superscripts, middle dot, times", "−x² + 2·x × 3", bothPoints,
            {"-1", "6", "0"});
        row("x**2 and capital X", "X**2 - 2", bothPoints, {"1", "0", "-2"});
        row("superscript ten", "x¹⁰ - 1", bothPoints, {"1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "-1"});
        row("exponent", "2.5e-3x^2 + 1", bothPoints, {"1/400", "0", "1"});
        row("MPSolve's cubic", "x^3 - 0.3*x^2 + 0.03*x - 0.001", bothPoints,
            {"1", "-3/10", "3/100", "-1/1000"});
        row("a fraction before x", "1/3x + 1", bothPoints, {"1/3", "1"});
        row("divided by a number", "(x^2 - 1)/4 + x/2", bothPoints, {"1/4", "1/2", "-1/4"});
        row("an equation", "x^2 = 2x - 1", bothPoints, {"1", "-2", "1"});
        row("signs in a row", "x*-1 - -2", bothPoints, {"-1", "2"});
        row("a power of a number", "2^-1 x + 2^10", bothPoints, {"1/2", "1024"});
        row("a power in parentheses", "x^(1+1) - 1", bothPoints, {"1", "0", "-1"});
        row("a higher power that vanishes", "0x^3 + x^2 - 1", bothPoints, {"1", "0", "-1"});
        row("nine decimals", "0.123456789x + 1", bothPoints, {"123456789/1000000000", "1"});
        row("below 1e-8", "x - 1e-9", bothPoints, {"1", "-1/1000000000"});
        row("beyond 1e10", "1e20x - 1", bothPoints, {"100000000000000000000", "-1"});
        row("a leading coefficient below 0.01", "0.001x^2 + x - 1", bothPoints, {"1/1000", "1", "-1"});
        row("German decimals", "2,5x^2 - 0,5", {","}, {"5/2", "0", "-1/2"});
        row("both separators in German", "1.5x - 2,5", {","}, {"3/2", "-5/2"});
        // Lists.
        row("Octave", "1 -6 11 -6", bothPoints, cubic);
        row("numpy", "[ 1. -6. 11. -6.]", bothPoints, cubic);
        row("a list with commas", "1, -6, 11, -6", bothPoints, cubic);
        row("a Python list", "[1, -6, 11, -6]", bothPoints, cubic);
        row("a column", "1\n-6\n11\n-6\n", bothPoints, cubic);
        row("a spreadsheet row", "1\t-6\t11\t-6", bothPoints, cubic);
        row("Octave's column", "[1; -6; 11; -6]", bothPoints, cubic);
        row("Octave's format", "1.0000   -6.0000   11.0000   -6.0000", bothPoints, cubic);
        row("fractions", "(1 -1/3)", bothPoints, {"1", "-1/3"});
        row("(x - 12345.6789)^2", "1 -24691.3578 152415787.50190521", bothPoints,
            {"1", "-123456789/5000", "15241578750190521/100000000"});
        row("commas between digits separate", "1,5", {"."}, {"1", "5"});
        row("commas without spaces", "[1,-6,11,-6]", {"."}, cubic);
        row("German decimals in a list", "1,5 -2,25", {","}, {"3/2", "-9/4"});
        row("German column", "1,5\n-2,25\n", {","}, {"3/2", "-9/4"});
        row("German CSV", "1;-6;11,5;-6", {","}, {"1", "-6", "23/2", "-6"});
    }

    void readsExactly()
    {
        QFETCH(QString, text);
        QFETCH(QString, point);
        QFETCH(QStringList, coefficients);
        const PolynomialReading r = read_polynomial(points(text), point.toStdU32String()[0]);
        QCOMPARE(int(r.problem.kind), int(TextProblem::none));
        QCOMPARE(strings(r.coefficients), coefficients);
    }

    void refusesWithThePlace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("point");
        QTest::addColumn<TextProblem>("kind");
        QTest::addColumn<int>("place"); // -1: the whole text
        QTest::addColumn<int>("value");
        const auto row = [](const char *name, const QString &text, const QStringList &where,
                            TextProblem kind, int place, int value = 0) {
            for (const QString &point : where)
                QTest::newRow(qPrintable(QString("%1, point %2").arg(name, point)))
                    << text << point << kind << place << value;
        };
        using P = TextProblem;
        const QString list24 = QString("1 ").repeated(23) + "1";
        // Nothing to read, or nothing to solve.
        row("empty", "", bothPoints, P::empty, -1);
        row("spaces", "  \t", bothPoints, P::empty, -1);
        row("a constant", "5", bothPoints, P::constant, -1);
        row("x cancelled", "x - x + 2", bothPoints, P::constant, -1);
        row("an empty list", "[ ]", bothPoints, P::missing, 1);
        // Degree.
        row("x^23", "x^23", bothPoints, P::degree_too_high, 1, 23);
        row("(x-1)^23", "(x-1)^23", bothPoints, P::degree_too_high, 5, 23);
        row("a product above 22", "x^22 * x", bothPoints, P::degree_too_high, 5, 23);
        row("superscripts above 22", "x²³", bothPoints, P::degree_too_high, 1, 23);
        row("a huge power", "(x+1)^99999999999999999999", bothPoints, P::degree_too_high, 5);
        row("24 coefficients", list24, bothPoints, P::degree_too_high, 46, 23);
        // Powers and division.
        row("x^-1", "x^-1", bothPoints, P::power_not_whole, 2);
        row("x^0.5", "x^0.5", bothPoints, P::power_not_whole, 2);
        row("superscript minus", "x⁻¹ + 1", bothPoints, P::power_not_whole, 1);
        row("x^x", "x^x", bothPoints, P::power_not_whole, 2);
        row("1/x", "1/x + 1", bothPoints, P::divided_by_x, 1);
        row("x/0", "x/0", bothPoints, P::division_by_zero, 1);
        row("0^-1", "x + 0^-1", bothPoints, P::division_by_zero, 5);
        row("a list's fraction over 0", "1 2/0", bothPoints, P::division_by_zero, 3);
        // Names and characters.
        row("sin x", "sin x", bothPoints, P::unknown_name, 0);
        row("y", "y^2 - 1", bothPoints, P::unknown_name, 0);
        row("xy", "2xy", bothPoints, P::unknown_name, 1);
        row("an ampersand", "x & 1", bothPoints, P::unexpected, 2);
        row("a comma in an expression", "2,5x", {"."}, P::unexpected, 1);
        row("a second =", "x = 1 = 2", bothPoints, P::unexpected, 6);
        row("a bracket in an expression", "[x - 1]", bothPoints, P::unexpected, 0);
        // Parentheses and missing parts.
        row("unclosed", "(x-1", bothPoints, P::unclosed, 0);
        row("unclosed before =", "(x-1 = 2", bothPoints, P::unclosed, 0);
        row("unclosed, inner", "x^2 + (x", bothPoints, P::unclosed, 6);
        row("unopened", "x-1)", bothPoints, P::unopened, 3);
        row("an unclosed list", "[1 2", bothPoints, P::unclosed, 0);
        row("a power without exponent", "x^", bothPoints, P::missing, 2);
        row("a product without factor", "x*", bothPoints, P::missing, 2);
        row("empty parentheses", "x()", bothPoints, P::missing, 2);
        row("an operator instead of a factor", "x^*2", bothPoints, P::missing, 2);
        row("a number after a number", "2 3x", bothPoints, P::number_after, 2);
        row("a number after x", "x2 + 1", bothPoints, P::number_after, 1);
        // Numbers.
        row("two decimal points", "1.2.3 4", bothPoints, P::bad_number, 3);
        row("an exponent without digits", "2e x", bothPoints, P::bad_number, 1);
        row("an exponent without digits, signed", "x + 2e+", bothPoints, P::bad_number, 5);
        row("a huge exponent", "x + 1e9999999", bothPoints, P::too_large, 5);
        row("too many digits", "x + 1" + QString(6000, '0'), bothPoints, P::too_large, 4);
        row("a huge power of a number", "2^100000 x", bothPoints, P::too_large, 1);
        // Lists.
        row("a sign apart", "1 - 6", bothPoints, P::sign_apart, 2);
        row("a lone sign", "-", bothPoints, P::sign_apart, 0);
        row("two commas", "1,,2", {"."}, P::empty_item, 2);
        row("a trailing comma", "1, 2,", bothPoints, P::empty_item, 4);
        row("a leading comma", ", 1, 2", bothPoints, P::empty_item, 0);
        row("a name in a list", "1 2 a", bothPoints, P::unknown_name, 4);
        row("1,5 in German", "1,5", {","}, P::ambiguous_comma, 1);
        row("1,5,3 in German", "1,5,3", {","}, P::ambiguous_comma, 1);
        row("mixed commas in German", "1,5, 2,5", {","}, P::ambiguous_comma, 1);
        row("a Python list in German", "[1,-6,11,-6]", {","}, P::ambiguous_comma, 5);
        row("a leading 0", "0 1 -1", bothPoints, P::leading_zero, 0);
        // The range the solver takes.
        row("beyond 1e300", "1e301x + 1", bothPoints, P::out_of_range, -1);
        row("below 1e-300 in a list", "1 1e-301", bothPoints, P::out_of_range, 2);
        row("roots beyond 1e300", "1e-200 1e200", bothPoints, P::roots_too_large, 7);
        row("roots beyond 1e300, expression", "1e-300x + 1e300", bothPoints, P::roots_too_large, -1);
        // Coprime denominators of 401 digits: 802 over a common denominator.
        const QString zeros(399, '0');
        row("too many digits for the exact check",
            QString("1 1%1%2/1%1%3 1%1%2/1%1%4").arg(zeros, "1", "3", "7"), bothPoints,
            P::too_wide, -1);
    }

    void refusesWithThePlace()
    {
        QFETCH(QString, text);
        QFETCH(QString, point);
        QFETCH(TextProblem, kind);
        QFETCH(int, place);
        QFETCH(int, value);
        const PolynomialReading r = read_polynomial(points(text), point.toStdU32String()[0]);
        QCOMPARE(int(r.problem.kind), int(kind));
        QCOMPARE(r.problem.at == std::string::npos ? -1 : int(r.problem.at), place);
        QCOMPARE(r.problem.value, long(value));
        QVERIFY(r.coefficients.empty());
    }

    void namesWhatItCannotRead()
    {
        QCOMPARE(read_polynomial(points("sin x"), U'.').problem.name, std::u32string(U"sin"));
        QCOMPARE(read_polynomial(points("x & 1"), U'.').problem.name, std::u32string(U"&"));
    }

    // One coefficient, as a box holds it.
    void readsOneCoefficient_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("exact"); // empty: refused
        QTest::addColumn<TextProblem>("kind");
        const auto row = [](const char *name, const QString &text, const QString &point,
                            const QString &exact, TextProblem kind = TextProblem::none) {
            QTest::newRow(name) << text << point << exact << kind;
        };
        row("a fraction", "1/3", ".", "1/3");
        row("-0", "-0", ".", "0");
        row("German", "-0,5", ",", "-1/2");
        row("a comma in C", "-0,5", ".", "", TextProblem::unexpected);
        row("exponent", "-1e-9", ".", "-1/1000000000");
        row("nine decimals", "0.123456789", ".", "123456789/1000000000");
        row("an expression", "(1/2)^3 + 1", ".", "9/8");
        row("x", "2x", ".", "", TextProblem::x_in_coefficient);
        row("nothing", " ", ".", "", TextProblem::empty);
        row("an unfinished exponent", "2e-", ".", "", TextProblem::bad_number);
        row("a name", "abc", ".", "", TextProblem::unknown_name);
    }

    void readsOneCoefficient()
    {
        QFETCH(QString, text);
        QFETCH(QString, point);
        QFETCH(QString, exact);
        QFETCH(TextProblem, kind);
        const CoefficientReading r = read_coefficient(points(text), point.toStdU32String()[0]);
        QCOMPARE(QString::fromStdString(r.exact), exact);
        QCOMPARE(int(r.problem.kind), int(kind));
    }

    // Each coefficient as it is typed, and back to the same value.
    void writesCoefficientsAsTyped_data()
    {
        QTest::addColumn<QString>("exact");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << "-7" << "." << "-7";
        QTest::newRow("zero") << "0" << "." << "0";
        QTest::newRow("fraction") << "-1/3" << "," << "-1/3";
        QTest::newRow("decimal") << "3/2" << "." << "1.5";
        QTest::newRow("German decimal") << "-3/2" << "," << "-1,5";
        QTest::newRow("small") << "-1/1000" << "." << "-0.001";
        QTest::newRow("1e-6 plain") << "1/1000000" << "." << "0.000001";
        QTest::newRow("1e-9 exponent") << "1/1000000000" << "." << "1e-9";
        QTest::newRow("1.23e-9") << "123/100000000000" << "," << "1,23e-9";
        QTest::newRow("many digits") << "15241578750190521/100000000" << "." << "152415787.50190521";
        QTest::newRow("1e20 plain") << "100000000000000000000" << "." << "100000000000000000000";
        QTest::newRow("1e21 exponent") << "1000000000000000000000" << "." << "1e21";
        QTest::newRow("2.5e21") << "2500000000000000000000" << "." << "2.5e21";
    }

    void writesCoefficientsAsTyped()
    {
        QFETCH(QString, exact);
        QFETCH(QString, point);
        QFETCH(QString, text);
        const char32_t p = point.toStdU32String()[0];
        const std::u32string written = coefficient_text(exact.toStdString(), p);
        QCOMPARE(QString::fromStdU32String(written), text);
        QCOMPARE(QString::fromStdString(read_coefficient(written, p).exact), exact);
    }

    // Values far beyond what the solver takes, written out as a box or the
    // line would show them, read back as the same value.
    void writesLargeValuesThatReadBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("an integer of 3297 digits") << "5555557777^333";
        QTest::newRow("6000 binary places") << "1/2^6000";
        QTest::newRow("a fraction of 2536 digits over 2863") << "(7/9)^3000";
    }

    void writesLargeValuesThatReadBack()
    {
        QFETCH(QString, typed);
        const CoefficientReading value = read_coefficient(points(typed), U'.');
        QCOMPARE(int(value.problem.kind), int(TextProblem::none));
        const CoefficientReading back = read_coefficient(coefficient_text(value.exact, U'.'), U'.');
        QCOMPARE(int(back.problem.kind), int(TextProblem::none));
        QVERIFY(back.exact == value.exact);
    }

    void writesPolynomialsAsTyped_data()
    {
        QTest::addColumn<QStringList>("coefficients");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("text");
        QTest::newRow("cubic") << QStringList{"1", "-6", "11", "-6"} << "." << "x^3 - 6x^2 + 11x - 6";
        QTest::newRow("fractions") << QStringList{"1", "-1", "1/3", "-1/27"} << "."
                                   << "x^3 - x^2 + 1/3 x - 1/27";
        QTest::newRow("leading -1, an exponent") << QStringList{"-1", "0", "1/1000000000"} << "."
                                                 << "-x^2 + 1e-9";
        QTest::newRow("small lead") << QStringList{"1/1000", "1", "-1"} << "." << "0.001x^2 + x - 1";
        QTest::newRow("exponent before x") << QStringList{"1/1000000000", "-1"} << "." << "1e-9 x - 1";
        QTest::newRow("German") << QStringList{"5/2", "0", "-1/2"} << "," << "2,5x^2 - 0,5";
        QTest::newRow("(x-1)^22")
            << xMinusOneTo22() << "."
            << "x^22 - 22x^21 + 231x^20 - 1540x^19 + 7315x^18 - 26334x^17 + 74613x^16 - "
               "170544x^15 + 319770x^14 - 497420x^13 + 646646x^12 - 705432x^11 + 646646x^10 - "
               "497420x^9 + 319770x^8 - 170544x^7 + 74613x^6 - 26334x^5 + 7315x^4 - 1540x^3 + "
               "231x^2 - 22x + 1";
    }

    // The line the boxes write reads back as the same polynomial.
    void writesPolynomialsAsTyped()
    {
        QFETCH(QStringList, coefficients);
        QFETCH(QString, point);
        QFETCH(QString, text);
        const char32_t p = point.toStdU32String()[0];
        const std::u32string written = polynomial_text(exact(coefficients), p);
        QCOMPARE(QString::fromStdU32String(written), text);
        QCOMPARE(strings(read_polynomial(written, p).coefficients), coefficients);
    }

    // What does not read stays at its power, as typed.
    void writesWhatDoesNotReadAsTyped()
    {
        const std::u32string text =
            polynomial_text({"1", "", "0", "-1"}, U'.', {U"", U"-0,5", U"0", U""});
        QCOMPARE(QString::fromStdU32String(text), QString("x^3 + (-0,5)x^2 + (0)x - 1"));
    }

    void nearestLongDouble_data()
    {
        QTest::addColumn<QString>("exact");
        QTest::addColumn<long double>("nearest");
        QTest::newRow("third") << "1/3" << 1.0L / 3;
        QTest::newRow("tenth") << "1/10" << 0.1L;
        QTest::newRow("-1/1000") << "-1/1000" << -0.001L;
        QTest::newRow("many digits") << "15241578750190521/100000000" << 152415787.50190521L;
        QTest::newRow("wider than a long double") << "123456789012345678901"
                                                  << 123456789012345678901.0L;
        QTest::newRow("1e-300") << "1/1" + QString(300, '0') << 1e-300L;
    }

    void nearestLongDouble()
    {
        QFETCH(QString, exact);
        QFETCH(long double, nearest);
        QCOMPARE(nearest_long_double(exact.toStdString()), nearest);
    }

    void nearestOfWhatDoesNotReadIsNaN()
    {
        QVERIFY(std::isnan(nearest_long_double("abc")));
        QVERIFY(std::isnan(nearest_long_double("1/0")));
    }

    void stepsExactly()
    {
        QCOMPARE(stepped("1/3", 1), std::string("4/3"));
        QCOMPARE(stepped("-1/2", -1), std::string("-3/2"));
        QCOMPARE(stepped("7", -10), std::string("-3"));
    }

    void checksTheLeadingCoefficient()
    {
        const Problem p = check_coefficients({"0", "1", "-1"});
        QCOMPARE(int(p.kind), int(TextProblem::leading_zero));
        QCOMPARE(p.at, size_t(0));
        QCOMPARE(int(check_coefficients({"1/1000", "1", "-1"}).kind), int(TextProblem::none));
    }
};

QTEST_APPLESS_MAIN(TestPolynomialText)
#include "test_polynomial_text.moc"
