#pragma once
// Byte texts in code page 936. Lengths, positions and counts are in bytes,
// positions count from 1. The absent text and the zero-length text are
// equivalent for every operation.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

class Text {
 public:
  Text() noexcept = default;  // the absent text
  // A new buffer holding the bytes up to the first zero byte (a Text never holds one).
  static Text from_bytes(std::string_view bytes);
  // A new zero-length buffer: empty, but not absent.
  static Text empty_buffer();

  Text(const Text& other);
  Text& operator=(const Text& other);
  Text(Text&& other) noexcept;
  Text& operator=(Text&& other) noexcept;
  ~Text();

  bool absent() const noexcept { return data_ == nullptr; }
  std::string_view view() const noexcept { return {data_ ? data_ : "", length_}; }
  operator std::string_view() const noexcept { return view(); }
  const char* c_str() const noexcept { return data_ ? data_ : ""; }
  void release() noexcept;

 private:
  friend Text text_join(std::initializer_list<std::string_view> parts);
  char* data_ = nullptr;
  std::size_t length_ = 0;
};

std::int32_t text_length(std::string_view t) noexcept;
// The count bytes from 1-based start, cut at the end of t; the absent text
// when start is outside t or count <= 0. Character boundaries are ignored.
Text text_middle(std::string_view t, std::int32_t start, std::int32_t count);
// The parts one after the other in a new buffer, never the absent text.
Text text_join(std::initializer_list<std::string_view> parts);
// -1, 0 or +1, comparing bytes as unsigned; a proper prefix is the smaller.
std::int32_t text_compare(std::string_view a, std::string_view b) noexcept;
// Gives the buffer back; releasing the absent text does nothing.
void text_release(Text& t) noexcept;

// Allocator used for every text buffer; returns nullptr on failure. Tests
// swap it to inject an allocation failure.
using TextAllocator = void* (*)(std::size_t bytes);
TextAllocator set_text_allocator(TextAllocator allocator) noexcept;
