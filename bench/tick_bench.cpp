// Cost of the timer ticks of the running program: builds the real monitor window and the hidden
// main window over the real platform layer in a temporary program folder (factory files), then
// runs one tick many times. Usage: tick_bench <data folder> <timer1|timer2|timer3|main> [count]
// "timer3-line" runs Timer3 with the line chart shown. Prints microseconds per tick; run under
// callgrind with --toggle-collect for instructions.
#include "app/AppContext.h"
#include "mainwindow/Frmain.h"
#include "monitor/Frmload.h"
#include "platform/Platform.h"
#include "program/FrmainHost.h"
#include "settings/ProgramFolders.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <QApplication>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tick_bench <data folder> <timer1|timer2|timer3|main> [count]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const std::string which = argv[2];
    const int count = argc > 3 ? std::atoi(argv[3]) : 1000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const fs::path folder = fs::temp_directory_path() / ("tarvik-tick-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        if (entry.is_regular_file()) {
            fs::copy_file(entry.path(), folder / entry.path().filename());
        }
    }
    if (which == "timer3-line") {
        std::FILE* f = std::fopen((folder / "set.dxl").c_str(), "wb");
        std::fputs("3,True,25,False,Alarm.wav,False,720,False,False,False,True,False,10,1\r\n", f);
        std::fclose(f);
    }
    tarvik::AppState state;
    state.programFolder = folder;
    state.executable = folder / "tarvik";
    // The folder holds info.dxl and may be written: it is the program folder, as build/bin is.
    const auto folders = tarvik::ProgramFolders::decide(tarvik::programFolderFacts(state.executable));
    state.dataFolder = folders.dataFolder();
    auto native = tarvik::createNativePlatform(state.executable, folders);
    tarvik::AppContext context(state, native->platform());
    tarvik::FrmainHost mainWindow(context);
    tarvik::Frmload monitor(context, mainWindow);
    if (!monitor.Form_Load()) {
        return 1;
    }
    tarvik::Frmain* mainWidget = mainWindow.window();

    auto tick = [&] {
        if (which == "timer1") {
            monitor.Timer1_Timer();
        } else if (which == "timer2") {
            monitor.Timer2_Timer();
        } else if (which == "timer3" || which == "timer3-line") {
            monitor.Timer3_Timer();
        } else if (mainWidget != nullptr) {
            mainWidget->Timer1_Timer();
        }
    };
    tick(); // first-use costs (fonts, caches) are not part of a steady tick
    QCoreApplication::processEvents();
    double us = 0;
    for (int i = 0; i < count; ++i) {
        // Ticks as far apart as the memory source's sharing of one sample allows: each takes its own.
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        const auto start = std::chrono::steady_clock::now();
        tick();
        QCoreApplication::processEvents(); // the repaint a tick causes belongs to it
        us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    std::printf("%s %.1f\n", which.c_str(), us / count);
    fs::remove_all(folder);
    return 0;
}
