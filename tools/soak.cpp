// Long run in one process: 10,000 solve cycles of the main window on random
// polynomials, and 200 definition dialogs, each submitted, each opening a
// plot window that is closed again. Prints the resident memory before and
// after; fails when it grew by 2 MiB or more. Run by scripts/soak.sh.
//
// The first figure is taken after a warm-up of the same work (500 solves,
// 10 dialogs and plots): the toolkit loads fonts, styles and the platform
// plugin on first use and keeps them, which is not growth of the program.
#include "dialog_polynomials.h"
#include "dialog_testing.h"
#include "window_testing.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const int solveCycles = 10000;
const int windowRounds = 200;
const long allowedGrowthKiB = 2048;

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void solveCycle(MainWindow &window, const std::vector<double> &c, int index)
{
    installCoefficients(window, c);
    window.polish = index % 3 != 0;
    window.reverse = index % 4 == 0;
    window.UpdateView();
}

// Opens the dialog with the main window's button, changes the degree twice,
// fills the boxes and submits, which opens a plot window; then closes it.
bool windowRound(MainWindow &window, DialogPolynomials &polynomials)
{
    DialogWindow *dialog = openDialog(window);
    if (!dialog)
        return false;
    const std::vector<double> c = polynomials.next();
    const int degree = static_cast<int>(c.size()) - 1;
    degreeBox(dialog)->setValue(degree == 22 ? 21 : degree + 1);
    if (!submitPolynomial(dialog, c))
        return false;
    QCoreApplication::processEvents();
    const QList<MyPlot *> plots = plotsOf(window);
    for (MyPlot *plot : plots)
        plot->close();
    processDeferredDeletes();
    return plots.size() == 1 && plotsOf(window).isEmpty();
}

// The offscreen platform says once per shown plot window that it cannot
// pass size hints on; 200 copies of that would bury the figures.
QtMessageHandler previousHandler = nullptr;

void quietSizeHintNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

bool run(MainWindow &window, DialogPolynomials &polynomials, int solves, int rounds)
{
    const int every = solves / rounds;
    for (int i = 0; i < solves; ++i) {
        solveCycle(window, polynomials.next(), i);
        if (window.rootCount < 0 || window.rootCount > window.coeffCount - 1)
            return false;
        if ((i + 1) % every == 0 && !windowRound(window, polynomials))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    previousHandler = qInstallMessageHandler(quietSizeHintNotice);
    MainWindow window;
    window.show();
    DialogPolynomials polynomials(7);

    const long beforeWarmUp = residentKiB();
    if (!run(window, polynomials, 500, 10)) {
        std::fprintf(stderr, "soak: the warm-up went wrong\n");
        return 1;
    }
    const long start = residentKiB();
    if (!run(window, polynomials, solveCycles, windowRounds)) {
        std::fprintf(stderr, "soak: a solve cycle or window round went wrong\n");
        return 1;
    }
    const long end = residentKiB();

    std::printf("soak: %d solve cycles, %d dialogs and plot windows\n", solveCycles, windowRounds);
    std::printf("soak: VmRSS before the warm-up %ld KiB\n", beforeWarmUp);
    std::printf("soak: VmRSS start %ld KiB, end %ld KiB, growth %ld KiB (allowed < %ld)\n", start,
                end, end - start, allowedGrowthKiB);
    if (start < 0 || end < 0 || end - start >= allowedGrowthKiB) {
        std::fprintf(stderr, "soak: resident memory grew too much\n");
        return 1;
    }
    return 0;
}
