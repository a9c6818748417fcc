// Fuzzes the resume offset arithmetic and its text. The input's first 8 bytes are a file size
// (little-endian, missing bytes 0), the next 4 an arbitrary 32-bit offset (the size's low half
// when missing). Aborts where the offset or its text breaks what the client relies on.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "repair/resume_offset.h"

namespace {

[[noreturn]] void Violated(const char* what, std::uint64_t size) {
  std::fprintf(stderr, "resume_offset_fuzzer: %s (%llu)\n", what, static_cast<unsigned long long>(size));
  std::abort();
}

std::uint64_t LittleEndian(const std::uint8_t* data, std::size_t size, std::size_t from, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count && from + i < size; ++i) value |= std::uint64_t{data[from + i]} << (8 * i);
  return value;
}

// What the client reads: plain signed decimal of at most 11 characters that reads back as the
// number, without plus sign, leading zeros or a negative zero.
void CheckText(std::int32_t offset) {
  const std::string text = repair::OffsetText(offset);
  const auto raw = static_cast<std::uint64_t>(static_cast<std::int64_t>(offset));
  if (text.empty() || text.size() > 11) Violated("offset text of wrong length", raw);
  const std::size_t digits = text[0] == '-' ? 1 : 0;
  if ((digits == 1) != (offset < 0)) Violated("minus sign without a negative offset, or missing", raw);
  if (digits == text.size()) Violated("offset text without digits", raw);
  for (std::size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') Violated("offset text with a character that is no digit", raw);
  }
  if (text[digits] == '0' && text.size() > digits + 1) Violated("offset text with a leading zero", raw);
  if (text == "-0") Violated("negative zero", raw);
  std::int32_t parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || parsed != offset) {
    Violated("offset text does not read back as the offset", raw);
  }
}

void CheckOffset(std::uint64_t size) {
  const auto offset = repair::ResumeOffsetFor(size);
  const bool fits = size < repair::kResumeOverlap || size - repair::kResumeOverlap <= 2147483647u;
  if (offset.has_value() != fits) Violated("offset present where it does not fit, or missing", size);

  // One byte more moves the offset by at most one byte, and a refused size stays refused.
  if (size != UINT64_MAX) {
    const auto next = repair::ResumeOffsetFor(size + 1);
    if (next && !offset) Violated("a larger file is taken where a smaller one is refused", size);
    if (next && offset) {
      const std::int64_t step = std::int64_t{next->value} - offset->value;
      if (step < 0 || step > 1) Violated("offset jumps", size);
    }
  }

  if (!offset) return;
  if (offset->value < 0) Violated("negative offset", size);
  if (size < repair::kResumeOverlap) {
    if (offset->value != 0 || !offset->fromStart) Violated("a short file does not start over at 0", size);
  } else if (offset->fromStart || static_cast<std::uint64_t>(offset->value) != size - repair::kResumeOverlap) {
    Violated("offset is not the size less the overlap", size);
  }
  CheckText(offset->value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint64_t fileSize = LittleEndian(data, size, 0, 8);
  CheckOffset(fileSize);
  const auto raw = size > 8 ? LittleEndian(data, size, 8, 4) : fileSize & 0xFFFFFFFFu;
  CheckText(static_cast<std::int32_t>(static_cast<std::uint32_t>(raw)));
  return 0;
}
