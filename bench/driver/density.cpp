#include "driver/density.h"

#include <windows.h>

#include <string>

#include "driver/clock.h"

namespace bench {

void SetScreenDensity(int pixelsPerInch) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    throw BenchError("cannot open Control Panel\\Desktop");
  }
  const auto value = static_cast<DWORD>(pixelsPerInch);
  const LONG result =
      RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) throw BenchError("cannot set LogPixels to " + std::to_string(pixelsPerInch));
}

}  // namespace bench
