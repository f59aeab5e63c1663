#include "app/win32_profile_writer.h"

#include <windows.h>

namespace movaro {

int Win32ProfileWriter::WritePrivateProfileStringA(const char* section, const char* key,
                                                   const char* value, const char* file) {
  return ::WritePrivateProfileStringA(section, key, value, file);
}

}  // namespace movaro
