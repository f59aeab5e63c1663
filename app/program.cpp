#include "app/program.h"

#include <ole2.h>

#include <new>

#include "app/fatal_error_box.h"
#include "core/fatal_error.h"
#include "core/gbk_path.h"
#include "core/relocation_record.h"
#include "core/settings_folder.h"
#include "ui/choose_directory.h"

namespace movaro {

Text ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(Text(path, length));
}

Program::Program(HINSTANCE instance, ModuleLoader& loader, ProfileWriter& profile)
    : loader_(loader),
      profile_(profile),
      window_(instance,
              MainWindow::Handlers{
                  .chooseDirectory = [this] { ChooseDirectory(window_); },
                  .oneClickChange = [this] { ApplyRelocation(profile_, window_, window_); },
                  .destroyed = [this] { OnWindowDestroyed(); },
                  .fatalError = [this](const Text& message) { EndWithFatalError(message); }}) {}

int Program::StartProgram() {
  oleInitialised_ = SUCCEEDED(::OleInitialize(nullptr));
  // The file dialog may change it later; until then relative paths and the
  // dialog's "\" refer to the program's own folder and drive.
  ::SetCurrentDirectoryA(ProgramFolder().c_str());
  try {
    LoadMainWindow();
  } catch (const FatalError& error) {
    EndWithFatalError(error.what());
  } catch (const std::bad_alloc&) {
    EndWithFatalError("内存不足。");
  }
  RunMessageLoop();
  return 0;
}

void Program::LoadMainWindow() {
  if (!window_.CreateMainWindow()) {
    EndWithFatalError("无法创建主窗口。");
  }
  RunStartupCheck(functions_, window_);
  if (window_.Handle() != nullptr) {
    window_.ShowMainWindow();
  }
}

void Program::RunMessageLoop() {
  loopStarted_ = true;
  if (window_.Handle() == nullptr) {
    return;
  }
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!window_.PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

// The program's only window is gone: nothing is left to keep the loop going.
void Program::OnWindowDestroyed() {
  if (loopStarted_) {
    ::PostQuitMessage(0);
  }
}

void Program::EndProgram() {
  ReleaseSettingsFolderPath();
  table_.ReleaseLibraries(loader_);
  if (std::exchange(oleInitialised_, false)) {
    ::OleUninitialize();
  }
}

void Program::EndWithFatalError(const Text& message) {
  ShowFatalErrorBox(message);
  table_.ReleaseLibraries(loader_);
  if (oleInitialised_) {
    ::OleUninitialize();
  }
  ::ExitProcess(kFatalExitCode);
}

}  // namespace movaro
