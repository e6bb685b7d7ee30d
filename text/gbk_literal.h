#pragma once
// Chinese literals are written in UTF-8 in the source files; the program's texts are
// GBK. `"获取完毕!"_gbk` is that literal in GBK, converted once per literal.
#include <algorithm>
#include <cstddef>

#include "text/charset.h"

namespace quorvel {

template <std::size_t N>
struct Utf8Literal {
  char bytes[N];
  constexpr Utf8Literal(const char (&literal)[N]) { std::copy_n(literal, N, bytes); }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

template <Utf8Literal literal>
const Text& operator""_gbk() {
  static const Text converted = utf8ToGbk(literal.view());
  return converted;
}

}  // namespace quorvel
