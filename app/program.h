// The program's life: start, the main window, the message loop and the end.
#pragma once

#include <windows.h>

#include "core/profile_writer.h"
#include "core/system_function_table.h"
#include "core/system_functions.h"
#include "ui/main_window.h"

namespace movaro {

class Program {
 public:
  // The loader binds the declared system functions; the profile writer
  // stores the relocation record. Both outlive the program object.
  Program(HINSTANCE instance, ModuleLoader& loader, ProfileWriter& profile);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the program up to the end of its message loop; gives the quit
  // message's code.
  int StartProgram();

  // Makes the window hidden, raises its created event (the start-up check)
  // and only then shows it.
  void LoadMainWindow();
  void RunMessageLoop();

  // The normal end, after the loop: releases the folder path, the bound
  // libraries and OLE. The caller then ends the process with the code.
  void EndProgram();

  // Shows the one error box, releases what is held and ends the process with
  // exit code 4294967295.
  [[noreturn]] void EndWithFatalError(const Text& message);

  MainWindow& Window() { return window_; }
  const SystemFunctionTable& Table() const { return table_; }

 private:
  void OnWindowDestroyed();

  ModuleLoader& loader_;
  ProfileWriter& profile_;
  SystemFunctionTable table_;
  SystemFunctions functions_{table_, loader_};
  MainWindow window_;
  bool oleInitialised_ = false;
  bool loopStarted_ = false;
};

// The folder of the running program file.
Text ProgramFolder();

}  // namespace movaro
