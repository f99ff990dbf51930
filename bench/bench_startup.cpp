// The desktop program's start, from process start to the first paint of the main window with the
// real archive, and numora-cli's start for comparison. Each run is a fresh process (this program
// started again with --measure), so the figures include loading the libraries and every static
// initialiser. The start follows the program's own, with the real archive's folder as AppDir, but
// without the splash: its 2 s are a timer, not work, and are left out. Processor time is the
// child's own (user + system); the elapsed time runs from just before the process was started.
#include "components/UCommandTable.h"
#include "components/UTranslations.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"
#include "main/UPri.h"
#include "main/UProgram.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

using namespace numora;

namespace {

double MonotonicMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

double ProcessorMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Ends the event loop once the main window has been painted (the timer fires after the paint).
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched == TPri::instance()) {
            seen_ = true;
            QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

// The child: the program's start on the prepared folder, up to the first paint.
int Measure(int argc, char** argv, const std::string& dir, double startedMs) {
    PrepareItalianLocale();
    QApplication app(argc, argv);
    RestoreNumericLocale();
    QtSettingsStore store(QString::fromStdString(dir + "registry.ini"));
    StartDataLayer(Globals(), dir, store);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    LoadItalianTranslations(app);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    QApplication::setFont(font);
    CreateWindows();
    const SharedViews& views = Commands().views;
    for (const auto& refresh : {views.refreshPlayList, views.refreshForecast, views.refreshViewerToLast})
        if (refresh) refresh();
    FirstPaint paint;
    app.installEventFilter(&paint);
    TPri::instance()->reminderTimer()->stop();
    ShowWindows();
    QApplication::exec();
    std::printf("%.3f %.3f %d\n", ProcessorMs(), MonotonicMs() - startedMs, Globals().archive.count());
    std::fflush(stdout);
    delete TPri::instance();
    return 0;
}

struct Run {
    double processorMs = 0;
    double elapsedMs = 0;
    long peakKb = 0;
    std::string out;
};

// Starts argv as a child, keeps its output, and reads its processor time and peak from wait4.
Run Start(const std::vector<std::string>& args) {
    Run run;
    int pipeFd[2];
    if (pipe(pipeFd) != 0) return run;
    const double begun = MonotonicMs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        close(pipeFd[0]);
        close(pipeFd[1]);
        std::vector<char*> v;
        for (const std::string& a : args) v.push_back(const_cast<char*>(a.c_str()));
        v.push_back(nullptr);
        execv(v[0], v.data());
        _exit(127);
    }
    close(pipeFd[1]);
    char buffer[4096];
    ssize_t got;
    while ((got = read(pipeFd[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, static_cast<std::size_t>(got));
    close(pipeFd[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.elapsedMs = MonotonicMs() - begun;
    run.processorMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-3;
    run.peakKb = usage.ru_maxrss;
    return run;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--measure") == 0) return Measure(1, argv, argv[2], std::atof(argv[3]));
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const char* shared = std::getenv("NUMORA_SHARED_DATA");
    const auto text = ReadFileBytes(std::string(shared ? shared : "../shared/data") + "/storico.txt");
    if (!text) {
        std::printf("storico.txt not found: nothing measured\n");
        return 0;
    }
    // The folder of an installation holding the real archive (not timed).
    QTemporaryDir temporary;
    const std::string dir = WithTrailingSeparator(temporary.path().toStdString());
    {
        Globali& g = Globals();
        g.appDir = dir;
        if (!ImportOperatorText(*text, g.archive).ok || !g.saveArchive()) return 1;
    }
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> cpu, elapsed, cliCpu, cliElapsed;
    long peak = 0, cliPeak = 0;
    int draws = 0;
    for (int i = 0; i < runs; ++i) {
        char started[64];
        std::snprintf(started, sizeof started, "%.3f", MonotonicMs());
        const Run r = Start({"/proc/self/exe", "--measure", dir, started});
        double childCpu = 0, childElapsed = 0;
        if (std::sscanf(r.out.c_str(), "%lf %lf %d", &childCpu, &childElapsed, &draws) != 3) {
            std::printf("the program did not start: %s\n", r.out.c_str());
            return 1;
        }
        cpu.push_back(childCpu);
        elapsed.push_back(childElapsed);
        peak = std::max(peak, r.peakKb);
        const Run c = Start({NUMORA_CLI_PATH, "--dir", dir, "info"});
        cliCpu.push_back(c.processorMs);
        cliElapsed.push_back(c.elapsedMs);
        cliPeak = std::max(cliPeak, c.peakKb);
    }
    std::printf("real archive, %d draws; %d runs, medians; the splash's 2 s left out\n", draws, runs);
    std::printf("%-44s %10s %10s %12s\n", "", "processore", "trascorso", "picco");
    std::printf("%-44s %7.1f ms %7.1f ms %9.1f MB\n", "numora: avvio fino al primo disegno", Median(cpu),
                Median(elapsed), static_cast<double>(peak) / 1024);
    std::printf("%-44s %7.1f ms %7.1f ms %9.1f MB\n", "numora-cli info", Median(cliCpu), Median(cliElapsed),
                static_cast<double>(cliPeak) / 1024);
    return 0;
}
