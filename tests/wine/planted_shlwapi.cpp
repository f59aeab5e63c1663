// A stand-in planted beside a program under the name of a system library. It
// leaves a marker file next to itself, named after the process that loaded
// it, and answers every directory test with a value no real function gives.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) BOOL WINAPI PathIsDirectoryW(LPCWSTR) { return 0x5EED; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(instance, path, MAX_PATH);
    std::string marker(path, length);
    marker = marker.substr(0, marker.find_last_of('\\')) + "\\planted-dll-was-loaded-" +
             std::to_string(::GetCurrentProcessId());
    const HANDLE file = ::CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ::CloseHandle(file);
  }
  return TRUE;
}
