// expandFieldText on large field texts of several kinds, and a plain copy of the same bytes.
//   build/native/tests/hotspot/bench/hotspot_bench
#include "hotspot/field_text.h"
#include "tests/support/text_bytes.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

namespace wavoro {
namespace {

constexpr std::size_t MiB = 1024 * 1024;

// `pattern` repeated to exactly `size` bytes, cut only between whole repetitions and then
// padded with ASCII, so no double-byte character is split.
std::string repeat(std::string_view pattern, std::size_t size) {
    std::string text;
    text.reserve(size);
    while (text.size() + pattern.size() <= size) {
        text += pattern;
    }
    text.append(size - text.size(), 'x');
    return text;
}

enum class Kind { ascii, chinese, tildes, escapes, mixed };

std::string fieldText(Kind kind, std::size_t size) {
    switch (kind) {
    case Kind::ascii:
        return repeat("The quick brown fox jumps over the lazy dog 0123456789. ", size);
    case Kind::chinese:
        return repeat(test::gbk(u8"您已创建无线热点，热点密码为八位以上的字母或数字。"), size);
    case Kind::tildes:
        return repeat("~a~", size);
    case Kind::escapes:
        return repeat("%n%N%s%x", size);
    case Kind::mixed:
        return repeat(test::gbk(u8"Cafe ~北京~ `net` 50% 热点%n密码 ") + "\x81\x7e\x81\x60 %d ",
                      size);
    }
    return {};
}

void expand(benchmark::State& state, Kind kind) {
    const std::string text = fieldText(kind, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Text expanded = expandFieldText(text);
        benchmark::DoNotOptimize(expanded.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// The floor: one new string of the same size and a memcpy into it.
void plainCopy(benchmark::State& state, Kind kind) {
    const std::string text = fieldText(kind, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string copy(text.size(), '\0');
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

constexpr std::int64_t oneMiB = MiB;
constexpr std::int64_t eightMiB = 8 * MiB;

BENCHMARK_CAPTURE(plainCopy, ascii, Kind::ascii)->Arg(oneMiB)->Arg(eightMiB);
BENCHMARK_CAPTURE(expand, ascii, Kind::ascii)->Arg(oneMiB)->Arg(eightMiB);
BENCHMARK_CAPTURE(expand, chinese, Kind::chinese)->Arg(oneMiB)->Arg(eightMiB);
BENCHMARK_CAPTURE(expand, tildes, Kind::tildes)->Arg(oneMiB)->Arg(eightMiB);
BENCHMARK_CAPTURE(expand, escapes, Kind::escapes)->Arg(oneMiB)->Arg(eightMiB);
BENCHMARK_CAPTURE(expand, mixed, Kind::mixed)->Arg(oneMiB)->Arg(eightMiB);

} // namespace
} // namespace wavoro

BENCHMARK_MAIN();
