// Searching, cutting, replacing and splitting a large GBK page, with glibc memmem on the
// same page and needles as the yardstick for the searches.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "text/between.h"
#include "text/text.h"

namespace {

using quorvel::CaseMode;
using quorvel::Text;

// A film page as the sources serve it: HTML mark-up around long runs of Chinese text,
// mostly GB2312 characters and some from GBK's extension whose second byte is ASCII
// (\, | and letters among them). The field markers sit in the last few kilobytes.
const char kStartMarker[] = "<div class=\"downlist\">";
const char kEndMarker[] = "</div>";

class PageWriter {
 public:
  explicit PageWriter(std::uint32_t seed) : state_(seed) {}

  Text page(std::size_t size) {
    Text out = "<html><head><title>Film</title></head><body>\r\n";
    while (out.size() + 4096 < size) paragraph(out);
    out += kStartMarker;
    out += "<a href=\"ftp://example.com/film.rmvb\">";
    chinese(out, 20);
    out += "</a>";
    out += kEndMarker;
    while (out.size() < size) paragraph(out);
    out.resize(size);
    return out;
  }

 private:
  std::uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

  void chinese(Text& out, std::size_t chars) {
    for (std::size_t i = 0; i < chars; ++i) {
      if (next() % 10 == 0) {  // GBK extension: second byte 0x40..0x7E
        out += static_cast<char>(0x81 + next() % 0x20);
        out += static_cast<char>(0x40 + next() % 0x3F);
      } else {
        out += static_cast<char>(0xB0 + next() % 0x48);
        out += static_cast<char>(0xA1 + next() % 0x5E);
      }
    }
  }

  void paragraph(Text& out) {
    switch (next() % 4) {
      case 0: out += "<p>"; break;
      case 1: out += "<div class=\"content\">"; break;
      case 2: out += "<a href=\"/movie/12345.html\" target=\"_blank\">"; break;
      default: out += "<span style=\"color:#333\">"; break;
    }
    chinese(out, 40 + next() % 160);
    out += (next() % 3 == 0) ? "&nbsp;2024-06-11&nbsp;" : ", HD 1080P ";
    chinese(out, 20 + next() % 60);
    out += "</p><br>\r\n";
  }

  std::uint32_t state_;
};

const Text& pageOfSize(std::size_t size) {
  static const Text half = PageWriter(7).page(512 * 1024);
  static const Text full = PageWriter(7).page(1024 * 1024);
  return size == half.size() ? half : full;
}

std::size_t memmemAt(const Text& text, std::size_t from, const char* needle) {
  const void* hit = ::memmem(text.data() + from, text.size() - from, needle, std::strlen(needle));
  return hit == nullptr ? Text::npos : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

void BM_memmem(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(memmemAt(page, 0, kStartMarker));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_memmem);

// A short needle: memmem can skip little, so the yardstick is slower.
void BM_memmemShort(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(memmemAt(page, 0, "ftp://"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_memmemShort);

void BM_findTextShortExact(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::findText(page, "ftp://"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_findTextShortExact);

void BM_findTextShortIgnoreCase(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::findText(page, "FTP://", CaseMode::IgnoreCase));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_findTextShortIgnoreCase);

void BM_findTextExact(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::findText(page, kStartMarker, 1, CaseMode::Exact));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_findTextExact);

void BM_findTextIgnoreCase(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quorvel::findText(page, "<DIV Class=\"DownList\">", 1, CaseMode::IgnoreCase));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_findTextIgnoreCase);

// The yardstick for textBetween: both markers found with memmem, the field copied.
void BM_memmemBetween(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) {
    const std::size_t start = memmemAt(page, 0, kStartMarker) + std::strlen(kStartMarker);
    const std::size_t end = memmemAt(page, start, kEndMarker);
    benchmark::DoNotOptimize(page.substr(start, end - start));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_memmemBetween);

void BM_textBetween(benchmark::State& state) {
  const Text& page = pageOfSize(512 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::textBetween(page, kStartMarker, kEndMarker));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_textBetween);

void BM_replaceText(benchmark::State& state) {
  const Text& page = pageOfSize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::replaceText(page, "&nbsp;", " "));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_replaceText)->Arg(512 * 1024)->Arg(1024 * 1024);

void BM_replaceTextIgnoreCase(benchmark::State& state) {
  const Text& page = pageOfSize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(quorvel::replaceText(page, "<BR>", "\r\n", CaseMode::IgnoreCase));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_replaceTextIgnoreCase)->Arg(512 * 1024)->Arg(1024 * 1024);

void BM_splitText(benchmark::State& state) {
  const Text& page = pageOfSize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(quorvel::splitText(page, "\r\n"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_splitText)->Arg(512 * 1024)->Arg(1024 * 1024);

}  // namespace
