#pragma once
// How many handles a process holds, for the Windows tests that prove no key stays open. Under
// Wine GetProcessHandleCount gives 0, so the count comes from the system's handle table.

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace test_support {

// The number of handles of `processId`; -1 when the table cannot be read.
inline int ProcessHandleCount(DWORD processId) {
  // SystemHandleInformation: a count, then one entry per handle.
  struct HandleEntry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG grantedAccess;
  };
  struct HandleTableHead {
    ULONG count;
    HandleEntry first;  // the entries follow one another from here
  };
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

  const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<unsigned char> buffer(1 << 20);
  LONG status = 0;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  ULONG entries = 0;
  std::memcpy(&entries, buffer.data(), sizeof entries);
  const auto* entry = reinterpret_cast<const HandleEntry*>(buffer.data() + offsetof(HandleTableHead, first));
  // The table holds process ids in 16 bits; Wine's are small multiples of four.
  const auto wanted = static_cast<USHORT>(processId);
  int count = 0;
  for (ULONG i = 0; i < entries; ++i) count += entry[i].processId == wanted ? 1 : 0;
  return count;
}

}  // namespace test_support
