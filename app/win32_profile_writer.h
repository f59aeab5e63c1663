// The settings-file write of the relocation record, through KERNEL32.
#pragma once

#include "core/profile_writer.h"

namespace movaro {

class Win32ProfileWriter final : public ProfileWriter {
 public:
  int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                 const char* file) override;
};

}  // namespace movaro
