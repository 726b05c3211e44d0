#include "text/text.h"

#include <cstdlib>
#include <cstring>

#include "text/fatal_error.h"

namespace {

void* heap_allocate(std::size_t bytes) { return std::malloc(bytes); }

TextAllocator g_allocator = heap_allocate;

// A buffer of length + 1 bytes; a failure ends the program, so callers never see nullptr.
char* allocate_buffer(std::size_t length) {
  const std::size_t bytes = length + 1;
  void* p = g_allocator(bytes);
  if (p == nullptr) {
    fatal_error(allocation_failure_message(bytes));
  }
  return static_cast<char*>(p);
}

}  // namespace

TextAllocator set_text_allocator(TextAllocator allocator) noexcept {
  TextAllocator previous = g_allocator;
  g_allocator = allocator ? allocator : heap_allocate;
  return previous;
}

Text Text::from_bytes(std::string_view bytes) {
  const std::size_t zero = bytes.find('\0');
  if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
  Text t;
  t.data_ = allocate_buffer(bytes.size());
  if (!bytes.empty()) std::memcpy(t.data_, bytes.data(), bytes.size());
  t.data_[bytes.size()] = '\0';
  t.length_ = bytes.size();
  return t;
}

Text Text::empty_buffer() { return from_bytes({}); }

Text::Text(const Text& other) {
  if (!other.absent()) *this = from_bytes(other.view());
}

Text& Text::operator=(const Text& other) {
  if (this != &other) *this = other.absent() ? Text() : from_bytes(other.view());
  return *this;
}

Text::Text(Text&& other) noexcept : data_(other.data_), length_(other.length_) {
  other.data_ = nullptr;
  other.length_ = 0;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    release();
    data_ = other.data_;
    length_ = other.length_;
    other.data_ = nullptr;
    other.length_ = 0;
  }
  return *this;
}

Text::~Text() { release(); }

void Text::release() noexcept {
  std::free(data_);
  data_ = nullptr;
  length_ = 0;
}

std::int32_t text_length(std::string_view t) noexcept {
  return static_cast<std::int32_t>(t.size());
}

Text text_middle(std::string_view t, std::int32_t start, std::int32_t count) {
  const std::int64_t len = text_length(t);
  const std::int64_t p = static_cast<std::int64_t>(start) - 1;
  if (p < 0 || p >= len || count <= 0) return Text();
  const std::int64_t k = (p + count > len) ? len - p : count;
  return Text::from_bytes(t.substr(static_cast<std::size_t>(p), static_cast<std::size_t>(k)));
}

Text text_join(std::initializer_list<std::string_view> parts) {
  // One buffer of the summed lengths plus one.
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  Text t;
  t.data_ = allocate_buffer(total);
  char* at = t.data_;
  for (std::string_view part : parts) {
    if (!part.empty()) std::memcpy(at, part.data(), part.size());
    at += part.size();
  }
  *at = '\0';
  t.length_ = std::strlen(t.data_);  // a Text ends at its first zero byte, as from_bytes keeps it
  return t;
}

std::int32_t text_compare(std::string_view a, std::string_view b) noexcept {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

void text_release(Text& t) noexcept { t.release(); }
