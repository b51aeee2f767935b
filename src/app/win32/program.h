#pragma once
#include <windows.h>

#include <chrono>
#include <string>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/win32/main_frame.h"
#include "platform/win32/win32_services.h"
#include "skin/win32/loaded_skin_library.h"

namespace quillory::win32 {

// COM for the shell's folder dialog and the common controls, for the life of the program.
class GuiThread {
public:
    GuiThread();
    ~GuiThread();
    GuiThread(const GuiThread&) = delete;
    GuiThread& operator=(const GuiThread&) = delete;

private:
    bool oleStarted_;
};

// The exit clean-up: releases the globals when the program ends, however it ends.
class ExitCleanup {
public:
    explicit ExitCleanup(Globals& globals) : globals_(globals) {}
    ~ExitCleanup() { globals_.Release(); }
    ExitCleanup(const ExitCleanup&) = delete;
    ExitCleanup& operator=(const ExitCleanup&) = delete;

private:
    Globals& globals_;
};

// The running program for a program folder: its globals, services, skin
// library and main window, made in the order of the program start; then the
// folder the command line names is shown.
class Program {
public:
    Program(std::string programFolder, int show, const CommandLine& commandLine);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Dispatches window messages until the main window has been destroyed;
    // the exit code. Background work still running `kLastWait` later ends
    // with the process, which this call then ends, unless it must finish.
    int Run();
    static constexpr std::chrono::milliseconds kLastWait{500};
    // One message through the window's own keys, then to its window.
    void Deliver(const MSG& message);
    MainFrame& Window() { return window_; }
    // For the tests and benchmarks: no listing runs and no change on disk waits.
    bool Settled() const { return window_.Settled(); }

private:
    Globals globals_;
    ExitCleanup cleanup_{globals_};
    GuiThread gui_;
    Win32Services services_;
    LoadedSkinLibrary skin_;
    MainFrame window_;
};

}  // namespace quillory::win32
