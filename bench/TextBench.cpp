// Figures for the code-page helpers on typical field values and center names.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/text/CodePage.h"

namespace {

const std::vector<std::string> Samples = {
    "C001", "A00012345678", "東日本物流センター", "北海道髙橋食品センター", "ｾﾝﾀｰｺｰﾄﾞ", "相手先企業ｺｰﾄﾞ",
};

void AnsiByteLengthOfFieldValues(benchmark::State& state) {
  std::size_t total = 0;
  for (auto _ : state) {
    for (const auto& s : Samples) total += platform::AnsiByteLength(s);
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Samples.size()));
}
BENCHMARK(AnsiByteLengthOfFieldValues);

void CutToTwelveBytes(benchmark::State& state) {
  for (auto _ : state) {
    for (const auto& s : Samples) benchmark::DoNotOptimize(platform::cutToAnsiBytes(s, 12));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Samples.size()));
}
BENCHMARK(CutToTwelveBytes);

void KeyPressCodeOfACharacter(benchmark::State& state) {
  const std::u32string chars = platform::toUtf32("あいうｱｲｳABC漢字");
  for (auto _ : state) {
    for (char32_t c : chars) benchmark::DoNotOptimize(platform::cp932CharCode(c));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * chars.size()));
}
BENCHMARK(KeyPressCodeOfACharacter);

}  // namespace

BENCHMARK_MAIN();
