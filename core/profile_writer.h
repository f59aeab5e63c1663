// The settings-file write that the relocation record is made of.
#pragma once

namespace movaro {

class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  // Adds or replaces one key of one section, creating the file and the
  // section when missing and leaving everything else in the file as it was.
  // Gives the platform's result: exactly 1 when the value was stored.
  virtual int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                         const char* file) = 0;
};

}  // namespace movaro
