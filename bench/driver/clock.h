#pragma once
// Time as the benchmark measures it: the performance counter, in milliseconds; and the waits
// that end a measurement, which poll about every millisecond so they add little to it.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace bench {

class Stopwatch {
public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double ElapsedMs() const {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
  }

private:
  LARGE_INTEGER start_{};
};

// A measurement that cannot go on: the driver reports it and ends with a failure.
struct BenchError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Polls `condition` until it holds; raises BenchError with `what` after `timeoutMs`.
template <class Condition>
void WaitUntil(Condition condition, DWORD timeoutMs, const std::string& what) {
  const Stopwatch clock;
  while (!condition()) {
    if (clock.ElapsedMs() > timeoutMs) throw BenchError("timed out waiting for " + what);
    Sleep(1);
  }
}

}  // namespace bench
