// The root table as a user meets it: the rows of a polynomial typed in the
// dialog, more digits on request, and the roots copied for people and for
// other programs, read back by those programs' own grammar.
#include "dialog_testing.h"
#include "root_table.h"
#include "window_testing.h"

#include <QClipboard>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

RootTable *tableOf(MainWindow &window)
{
    return window.findChild<RootTable *>(QStringLiteral("rootTable"));
}

QTableWidget *cellsOf(RootTable *table)
{
    return table->findChild<QTableWidget *>(QStringLiteral("rootTableWidget"));
}

QStringList rowTexts(RootTable *table)
{
    QTableWidget *cells = cellsOf(table);
    QStringList rows;
    for (int row = 0; row < cells->rowCount(); ++row)
        rows << cells->item(row, 0)->text() + " | " + cells->item(row, 1)->text() + " | "
                    + cells->item(row, 2)->text();
    return rows;
}

// Types the polynomial into a new dialog and submits it, with the table
// shown, and waits until the table lists its roots.
bool solveTyped(MainWindow &window, const QString &text)
{
    RootTable *table = tableOf(window);
    table->show();
    QSignalSpy listed(table, &RootTable::rootsListed);
    DialogWindow *dialog = openDialog(window);
    typeOver(polynomialLine(dialog), text);
    QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
    for (MyPlot *plot : plotsOf(window))
        plot->close();
    return listed.wait(5000) || !listed.isEmpty();
}

QString copied(RootTable *table, int format)
{
    table->copyActions().at(format)->trigger();
    return QApplication::clipboard()->text();
}

enum Format { text, csv, python, octave };

// Python's reading of a list, as "re im" lines with 12 significant digits.
QString readByPython(const QString &list)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys\nfor z in eval(sys.stdin.read()):\n"
                                 "    z = complex(z); print('%.12g %.12g' % (z.real, z.imag))")});
    python.write(list.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput());
}

// Octave reads a column of numbers a + bi as Python reads them once "i" is
// "j" and ";" is ",": the grammar of each number is the same in both. The
// check below holds each element to Octave's form first, no spaces inside a
// number (in brackets a space separates elements).
QString asOctaveReads(const QString &column)
{
    const QRegularExpression element(QStringLiteral(
        R"(^-?\d+(\.\d+)?(e[+-]\d+)?([+-]\d+(\.\d+)?(e[+-]\d+)?i)?$)"));
    QString body = column.mid(1, column.size() - 2);
    for (const QString &item : body.split(QStringLiteral("; ")))
        if (!element.match(item).hasMatch())
            return QStringLiteral("not Octave: ") + item;
    return readByPython(QLatin1Char('[') + body.replace('i', 'j').replace(';', ',') + QLatin1Char(']'));
}

} // namespace

class TestRootTable : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
    }

    void rowsOfTypedPolynomials_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("factored");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("(x - 1)^22: one row") << "(x-1)^22" << "(x − 1)<sup>22</sup>" << QStringList{"1 | 22 | 1"};
        QTest::newRow("x^2 + x + 1")
            << "x^2 + x + 1" << "(x<sup>2</sup> + x + 1)"
            << QStringList{"-0.5 + 0.866025403784i | 1 | (−1 + i√3)/2", "-0.5 - 0.866025403784i | 1 | (−1 − i√3)/2"};
        QTest::newRow("(x - 1)^2 (x + 2) expanded")
            << "x^3 - 3x + 2" << "(x + 2)(x − 1)<sup>2</sup>" << QStringList{"-2 | 1 | −2", "1 | 2 | 1"};
    }

    void rowsOfTypedPolynomials()
    {
        QFETCH(QString, typed);
        QFETCH(QString, factored);
        QFETCH(QStringList, rows);
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, typed));
        QCOMPARE(rowTexts(tableOf(window)), rows);
        QCOMPARE(tableOf(window)->findChild<QLabel *>(QStringLiteral("factoredLabel"))->text(), factored);
    }

    // A thousand digits come without stopping the window: the request
    // returns at once, and the table fills in later.
    void moreDigitsOnRequest()
    {
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, "x^2 - 2"));
        RootTable *table = tableOf(window);
        QSignalSpy listed(table, &RootTable::rootsListed);
        auto *digits = table->findChild<QSpinBox *>(QStringLiteral("digitsBox"));
        digits->setFocus();
        digits->selectAll();
        QTest::keyClicks(digits, "50");
        QTest::keyClick(digits, Qt::Key_Enter);
        QVERIFY(listed.wait(5000));
        QCOMPARE(cellsOf(table)->item(1, 0)->text(), "1.4142135623730950488016887242096980785696718753769");
    }

    // What a new polynomial brings replaces what the table is still
    // working out for the last one.
    void aNewPolynomialDropsTheLast()
    {
        MainWindow window;
        window.show();
        RootTable *table = tableOf(window);
        table->show();
        table->findChild<QSpinBox *>(QStringLiteral("digitsBox"))->setValue(3000);
        QVERIFY(solveTyped(window, "x^22 - 3x^7 + 2x - 1/7"));
        QVERIFY(solveTyped(window, "3x - 1"));
        QTest::qWait(200);
        QCOMPARE(rowTexts(table).size(), 1);
        QVERIFY(rowTexts(table).front().startsWith("0.3333"));
    }

    void copiesReadBackAlike_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("real and complex, multiple") << "(x^2 + x + 1)(x - 2)^2(x + 1/8)";
        QTest::newRow("exponent forms") << "(x - 1e-5)(x^2 + 1e20)";
    }

    // Each root read back by Python from its list and from Octave's column
    // is the root the CSV gives, as often as its multiplicity.
    void copiesReadBackAlike()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        QFETCH(QString, typed);
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, typed));
        RootTable *table = tableOf(window);
        QString fromCsv;
        for (const QString &line : copied(table, csv).split('\n', Qt::SkipEmptyParts).mid(1)) {
            const QStringList f = line.split(',');
            for (int copy = 0; copy < f[2].toInt(); ++copy)
                fromCsv += QString::asprintf("%.12g %.12g\n", f[0].toDouble(), f[1].toDouble());
        }
        QVERIFY(!fromCsv.isEmpty());
        QCOMPARE(readByPython(copied(table, python)), fromCsv);
        QCOMPARE(asOctaveReads(copied(table, octave)), fromCsv);
    }

    void copySelectedRows()
    {
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, "(x - 1)(x - 2)^3(x - 3)"));
        RootTable *table = tableOf(window);
        cellsOf(table)->selectRow(1);
        QCOMPARE(copied(table, text), "2  (multiplicity 3)\n");
        QCOMPARE(copied(table, python), "[2, 2, 2]");
        cellsOf(table)->clearSelection();
        QCOMPARE(copied(table, text), "1\n2  (multiplicity 3)\n3\n");
    }

    // The copy button takes Enter as a push button does, and Space.
    void copyButtonByKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void copyButtonByKeyboard()
    {
        QFETCH(int, key);
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, "x^2 - 4"));
        QApplication::clipboard()->clear();
        auto *button = tableOf(window)->findChild<QToolButton *>("copyButton");
        activate(&window);
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key));
        QCOMPARE(QApplication::clipboard()->text(), QString("-2\n2\n"));
    }

    // People read the locale's decimal separator; programs always read ".".
    void decimalSeparatorFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("plain");
        QTest::newRow("English") << "en_US" << "-0.5 + 0.866025403784i" << "-0.5 + 0.866025403784i\n";
        QTest::newRow("German") << "de_DE" << "-0,5 + 0,866025403784i" << "-0,5 + 0,866025403784i\n";
        QTest::newRow("French") << "fr_FR" << "-0,5 + 0,866025403784i" << "-0,5 + 0,866025403784i\n";
    }

    void decimalSeparatorFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, cell);
        QFETCH(QString, plain);
        QLocale::setDefault(QLocale(locale));
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, "x^2 + x + 1"));
        RootTable *table = tableOf(window);
        QCOMPARE(cellsOf(table)->item(0, 0)->text(), cell);
        cellsOf(table)->selectRow(0);
        QCOMPARE(copied(table, text), plain);
        QCOMPARE(copied(table, csv), "re,im,multiplicity\n-0.5,0.866025403784,1\n");
        QCOMPARE(copied(table, python), "[(-0.5+0.866025403784j)]");
        QCOMPARE(copied(table, octave), "[-0.5+0.866025403784i]");
    }

    // Unpolished, the roots listed are the search's own; the status line
    // says so, and the table beside them shows the certified values.
    void unpolishedRootsAreSaidToBeTheSearchs()
    {
        MainWindow window;
        window.show();
        QVERIFY(solveTyped(window, "(x-6)(x-7)"));
        auto *trust = window.findChild<QLabel *>(QStringLiteral("trustLabel"));
        QVERIFY(trust->text().isEmpty());
        window.findChild<QCheckBox *>(QStringLiteral("polishBox"))->setChecked(false);
        QVERIFY(trust->text().contains(QStringLiteral("10\u207b\u2076")));
        QTRY_COMPARE(rowTexts(tableOf(window)), (QStringList{"6 | 1 | 6", "7 | 1 | 7"}));
    }
};

QTEST_MAIN(TestRootTable)
#include "test_root_table.moc"
