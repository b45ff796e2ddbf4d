#pragma once

// The one QApplication of a fuzzer process, on the offscreen platform, made by libFuzzer's
// initialisation hook. Each fuzzer is a single source file that includes this once.

#include <QApplication>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to argc and argv for the lifetime of the application.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    // Warnings about malformed input are expected by the thousand.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtFatalMsg) {
            fprintf(stderr, "%s\n", qPrintable(msg));
            std::abort();
        }
    });
    return 0;
}
