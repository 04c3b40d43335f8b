// Recognition and composition of a pasted text from 64 KB to 1 MB, as the open and snippet
// commands run them on an address box: the time must grow in step with the text.
#include <benchmark/benchmark.h>

#include <string>

#include "convert/address.h"
#include "convert/compose.h"
#include "convert/sites.h"
#include "ui/texts.h"

namespace {

// What the user pasted, made as long as asked for.
enum class Paste {
  BQuery,       // a B address whose query is the bulk
  BIdOnly,      // a B address with no end to its id: the whole bulk is the id
  BDoubleByte,  // the same in two-byte characters, which the end search steps over
  XIdOnly,      // an X address with no end to its id
  NotAnAddress  // rejected at once
};

std::string Pasted(Paste paste, size_t size) {
  std::string text;
  switch (paste) {
    case Paste::BQuery:
      text = std::string(BVideoPagePrefix) + "BV1xx411c7mD?";
      break;
    case Paste::BIdOnly:
    case Paste::BDoubleByte:
      text = std::string(BVideoPagePrefix);
      break;
    case Paste::XIdOnly:
      text = std::string(XVideoPagePrefix);
      break;
    case Paste::NotAnAddress:
      break;
  }
  const std::string unit = paste == Paste::BDoubleByte ? "\xD5\xE6" : "a";
  while (text.size() < size)
    text += unit;
  return text;
}

// One open and one snippet, as the commands run them.
void OpenAndSnippet(benchmark::State& state, Paste paste) {
  const std::string text = Pasted(paste, static_cast<size_t>(state.range(0)));
  const bool isX = paste == Paste::XIdOnly;
  for (auto _ : state) {
    if (isX ? IsXVideoAddress(text) : IsBVideoAddress(text)) {
      const Text id = isX ? ExtractXVideoId(text) : ExtractBVideoId(text);
      benchmark::DoNotOptimize(isX ? ComposeXPlayerLink(id) : ComposeBPlayerLink(id, "3"));
      benchmark::DoNotOptimize(isX ? ComposeXEmbedSnippet(kSnippetHead, id, kSnippetTail)
                                   : ComposeBEmbedSnippet(kSnippetHead, id, "3", kSnippetTail));
    }
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void Search(benchmark::State& state) {
  const std::string keyword(static_cast<size_t>(state.range(0)), '&');  // each byte encoded
  for (auto _ : state)
    benchmark::DoNotOptimize(ComposeBSearchLink(keyword));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

constexpr int64_t kSmallest = 64 << 10;
constexpr int64_t kMegabyte = 1 << 20;

#define TIVAREL_SIZES               \
  ->RangeMultiplier(2)              \
      ->Range(kSmallest, kMegabyte) \
      ->Complexity(benchmark::oN)   \
      ->Unit(benchmark::kMillisecond)

BENCHMARK_CAPTURE(OpenAndSnippet, BQuery, Paste::BQuery) TIVAREL_SIZES;
BENCHMARK_CAPTURE(OpenAndSnippet, BIdOnly, Paste::BIdOnly) TIVAREL_SIZES;
BENCHMARK_CAPTURE(OpenAndSnippet, BDoubleByte, Paste::BDoubleByte) TIVAREL_SIZES;
BENCHMARK_CAPTURE(OpenAndSnippet, XIdOnly, Paste::XIdOnly) TIVAREL_SIZES;
BENCHMARK_CAPTURE(OpenAndSnippet, NotAnAddress, Paste::NotAnAddress) TIVAREL_SIZES;
BENCHMARK(Search) TIVAREL_SIZES;

}  // namespace

BENCHMARK_MAIN();
