// The report grid of the main window with a long report: the rows loaded in
// parts of 40 as an answer brings them (the grid following), sorted by each
// of the five column titles (each sort painted once; the fastest of three
// clicks), and scrolled page by page from the top to the bottom, every page
// painted. Run at 25 000, 50 000 and 100 000 rows so that the growth of each
// step shows. The memory the process holds after each run's scroll (every
// row has been read by then) is printed beside it: it stays flat when no
// copy of the rows is kept.
#include "BenchData.h"
#include "app/Clock.h"
#include "app/Messenger.h"
#include "store/ClientStore.h"
#include "ui/ClientWindows.h"
#include "ui/DataGrid.h"
#include "ui/DesignFonts.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int SortRepeats = 3;

class PrintingMessenger final : public Messenger {
public:
    void showWarning(const QString &, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// Resident memory of the process in MiB, from the kernel's view of it.
double residentMemoryMiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

struct Figures {
    int rows = 0;
    double loadMs = 0;
    double sortMs[5] = {};
    double scrollMs = 0;
    int pages = 0;
    double residentMiB = 0;
};

// The first `rows` of the records, taken part by part so that the input is
// not copied: the memory figure is the client's.
Figures measure(const QList<ReportRecord> &records, int rows)
{
    Figures figures;
    figures.rows = rows;
    QTemporaryDir workingDirectory;
    QDir::setCurrent(workingDirectory.path());
    PrintingMessenger messenger;
    SystemClock clock;
    ClientWindows windows(messenger, clock, {.discoveryPort = 0});
    TForm1 &form = windows.Form1;
    form.FormCreate();
    form.show();
    form.Query1Click();
    auto *grid = form.component<DataGrid>(u"DBGrid3"_s);
    QApplication::processEvents();

    ClientStore &store = windows.session.store();
    QElapsedTimer timer;
    timer.start();
    for (int first = 0; first < rows; first += 40) {
        const QList<ReportRecord> part = records.mid(first, std::min(40, rows - first));
        if (first == 0)
            store.startReport(part);
        else
            store.appendReport(part);
    }
    store.finishReport();
    grid->viewport()->repaint();
    figures.loadMs = timer.nsecsElapsed() / 1e6;

    // Each title three times (ascending, descending, ascending), the fastest
    // counted: the machine is shared, and a slow click is mostly another's work.
    for (int column = 0; column < 5; ++column) {
        double fastest = std::numeric_limits<double>::max();
        for (int click = 0; click < SortRepeats; ++click) {
            timer.restart();
            form.DBGrid3TitleClick(column);
            grid->viewport()->repaint();
            fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
        }
        figures.sortMs[column] = fastest;
    }

    QScrollBar *scroll = grid->verticalScrollBar();
    timer.restart();
    for (int value = 0; value <= scroll->maximum(); value += scroll->pageStep()) {
        scroll->setValue(value);
        grid->viewport()->repaint();
        ++figures.pages;
    }
    figures.scrollMs = timer.nsecsElapsed() / 1e6;
    figures.residentMiB = residentMemoryMiB();
    if (grid->model()->rowCount() != figures.rows)
        std::fprintf(stderr, "the grid shows %d rows, expected %d\n", grid->model()->rowCount(),
                     figures.rows);
    QDir::setCurrent(QDir::tempPath());
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installDesignFontSubstitutions();
    const QList<ReportRecord> all = BenchData::makeRecords();
    const char *columns[] = {"sender", "recipient", "send time", "status", "message"};

    std::printf(
        "report grid: rows loaded in parts of 40, sorted by each title, scrolled by pages\n");
    std::printf("%8s %10s %8s %8s %9s %8s %8s %10s %9s %9s\n", "rows", "load ms", columns[0],
                columns[1], columns[2], columns[3], columns[4], "scroll ms", "ms/page", "RSS MiB");
    QList<Figures> runs;
    for (const int rows :
         {BenchData::RecordCount / 4, BenchData::RecordCount / 2, BenchData::RecordCount}) {
        const Figures f = measure(all, rows);
        std::printf("%8d %10.0f %8.1f %8.1f %9.1f %8.1f %8.1f %10.0f %9.3f %9.1f\n", f.rows,
                    f.loadMs, f.sortMs[0], f.sortMs[1], f.sortMs[2], f.sortMs[3], f.sortMs[4],
                    f.scrollMs, f.scrollMs / std::max(1, f.pages), f.residentMiB);
        runs.append(f);
    }

    // Growth from half the rows to all of them, against n log n.
    const Figures &half = runs.at(1);
    const Figures &whole = runs.at(2);
    const double nLogN =
        (whole.rows * std::log(double(whole.rows))) / (half.rows * std::log(double(half.rows)));
    std::printf("growth from %d to %d rows (n log n: %.2fx):\n", half.rows, whole.rows, nLogN);
    std::printf("  load %.2fx", whole.loadMs / half.loadMs);
    for (int column = 0; column < 5; ++column)
        std::printf(", %s %.2fx", columns[column], whole.sortMs[column] / half.sortMs[column]);
    std::printf(", scroll %.2fx\n", whole.scrollMs / half.scrollMs);
    return 0;
}
