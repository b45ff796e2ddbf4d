// Benchmarks of the library against stock Qt doing the same job, measured in the same run.
// Each variant runs in a child process of its own, so that its peak RSS is its own.
#include "Harness.h"

#include <QApplication>
#include <QLocale>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>

namespace {

struct Stats
{
    double median = 0;
    double min = 0;
    long rssKb = 0;
    qlonglong instructions = 0; // under callgrind: those of the measured stretches
    bool ok = false;
};

Stats summarise(std::vector<double> samples)
{
    Stats s;
    if (samples.empty())
        return s;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.min = samples.front();
    s.ok = true;
    return s;
}

long peakRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const bench::Case* findCase(QString const& name)
{
    for (const auto& c : bench::registry()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

// Children keep stdout for their result; Qt's own chatter on stderr would only clutter the table.
void quietMessages(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

// Child: run one variant and print "RESULT median min rss".
int runChild(QString const& name, bool library, int size, int reps)
{
    const bench::Case* c = findCase(name);
    if (!c)
        return 2;
    const Stats s = summarise(library ? c->library(size, reps) : c->baseline(size, reps));
    std::printf("RESULT %.4f %.4f %ld\n", s.median, s.min, peakRssKb());
    return s.ok ? 0 : 1;
}

// Callgrind's summary line "==pid== I   refs:      1,234,567".
qlonglong instructionsOf(QString const& log)
{
    const QStringList lines = log.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const int at = line.indexOf(QLatin1String("I   refs:"));
        if (at >= 0)
            return line.mid(at + 9).trimmed().remove(QLatin1Char(',')).toLongLong();
    }
    return 0;
}

Stats runVariant(QString const& name, bool library, int size, int reps, bool callgrind)
{
    QProcess child;
    QStringList arguments { QStringLiteral("--child"), name,
        library ? QStringLiteral("lib") : QStringLiteral("qt"), QString::number(size),
        QString::number(reps) };
    QString program = QCoreApplication::applicationFilePath();
    if (callgrind) {
        // Only the measured stretches are collected (see nowNs()); the profile itself is not kept.
        arguments.prepend(program);
        arguments = QStringList { QStringLiteral("--tool=callgrind"),
            QStringLiteral("--collect-atstart=no"),
            QStringLiteral("--callgrind-out-file=/dev/null") }
            + arguments;
        program = QStringLiteral("valgrind");
    } else {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    child.start(program, arguments);
    Stats s;
    if (!child.waitForFinished(30 * 60 * 1000) || child.exitCode() != 0)
        return s;
    if (callgrind)
        s.instructions = instructionsOf(QString::fromLatin1(child.readAllStandardError()));
    const QStringList lines
        = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f.size() == 4 && f[0] == QLatin1String("RESULT")) {
            s.median = f[1].toDouble();
            s.min = f[2].toDouble();
            s.rssKb = f[3].toLong();
            s.ok = true;
        }
    }
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();

    if (args.size() == 6 && args[1] == QLatin1String("--child")) {
        qInstallMessageHandler(quietMessages);
        return runChild(args[2], args[3] == QLatin1String("lib"), args[4].toInt(), args[5].toInt());
    }

    const bool smoke = args.contains(QStringLiteral("--smoke"));
    // Instruction counts instead of times: one repetition per variant under callgrind.
    const bool callgrind = args.contains(QStringLiteral("--callgrind"));
    QString only;
    const int onlyAt = args.indexOf(QStringLiteral("--case"));
    if (onlyAt > 0 && onlyAt + 1 < args.size())
        only = args[onlyAt + 1];

    QTextStream out(stdout);
    if (callgrind) {
        out << QStringLiteral("%1 %2 %3 %4 | %5\n")
                   .arg(QStringLiteral("case"), -34)
                   .arg(QStringLiteral("size"), 8)
                   .arg(QStringLiteral("lib instr."), 16)
                   .arg(QStringLiteral("Qt instr."), 16)
                   .arg(QStringLiteral("ratio (lib/Qt)"));
    } else {
        out << QStringLiteral("%1 %2 %3 %4 %5 | %6 %7 %8 | %9\n")
                   .arg(QStringLiteral("case"), -34)
                   .arg(QStringLiteral("size"), 8)
                   .arg(QStringLiteral("lib med"), 10)
                   .arg(QStringLiteral("lib min"), 10)
                   .arg(QStringLiteral("lib RSS"), 9)
                   .arg(QStringLiteral("Qt med"), 10)
                   .arg(QStringLiteral("Qt min"), 10)
                   .arg(QStringLiteral("Qt RSS"), 9)
                   .arg(QStringLiteral("ratio (lib/Qt, median)"));
    }
    out.flush();

    int failures = 0;
    for (const auto& c : bench::registry()) {
        if (!only.isEmpty() && c.name != only)
            continue;
        for (int size : smoke ? c.smokeSizes : c.sizes) {
            const int reps = smoke || callgrind ? 1 : c.reps;
            // Past a case's baseline limit stock Qt cannot hold the size; the library runs alone.
            const bool baseline = c.baselineLimit == 0 || size <= c.baselineLimit;
            const Stats lib = runVariant(c.name, true, size, reps, callgrind);
            const Stats qt = baseline ? runVariant(c.name, false, size, reps, callgrind) : Stats();
            if (!lib.ok || (baseline && !qt.ok))
                ++failures;
            if (callgrind) {
                const QString ratio = !baseline ? QStringLiteral("no baseline")
                    : lib.ok && qt.ok && qt.instructions > 0
                    ? QString::number(double(lib.instructions) / double(qt.instructions), 'f', 3)
                        + QLatin1Char('x')
                    : QStringLiteral("failed");
                out << QStringLiteral("%1 %2 %3 %4 | %5\n")
                           .arg(c.name, -34)
                           .arg(size, 8)
                           .arg(QLocale::c().toString(lib.instructions), 16)
                           .arg(QLocale::c().toString(qt.instructions), 16)
                           .arg(ratio);
                out.flush();
                continue;
            }
            const QString ratio = !baseline ? QStringLiteral("no baseline")
                : lib.ok && qt.ok && qt.median > 0
                ? QString::number(lib.median / qt.median, 'f', 3) + QLatin1Char('x')
                : QStringLiteral("failed");
            out << QStringLiteral("%1 %2 %3 %4 %5 | %6 %7 %8 | %9\n")
                       .arg(c.name, -34)
                       .arg(size, 8)
                       .arg(QString::number(lib.median, 'f', 3) + QStringLiteral("ms"), 10)
                       .arg(QString::number(lib.min, 'f', 3) + QStringLiteral("ms"), 10)
                       .arg(QString::number(lib.rssKb / 1024.0, 'f', 1) + QStringLiteral("MB"), 9)
                       .arg(QString::number(qt.median, 'f', 3) + QStringLiteral("ms"), 10)
                       .arg(QString::number(qt.min, 'f', 3) + QStringLiteral("ms"), 10)
                       .arg(QString::number(qt.rssKb / 1024.0, 'f', 1) + QStringLiteral("MB"), 9)
                       .arg(ratio);
            out.flush();
        }
    }
    if (!smoke) {
        out << "\nCases:\n";
        for (const auto& c : bench::registry())
            out << "  " << c.name << ": " << c.what << "\n";
    }
    return failures ? 1 : 0;
}
