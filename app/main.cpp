// Movaro.exe: moves where QQ and TIM keep their chat messages.
#include <windows.h>

#include "app/program.h"
#include "app/win32_module_loader.h"
#include "app/win32_profile_writer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Critical-error and file-open boxes of the system would interrupt a
  // directory creation on an empty drive; the call reports the failure.
  ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  movaro::Win32ModuleLoader loader;
  movaro::Win32ProfileWriter profile;
  movaro::Program program(instance, loader, profile);
  const int exitCode = program.StartProgram();
  program.EndProgram();
  ::ExitProcess(static_cast<UINT>(exitCode));
}
