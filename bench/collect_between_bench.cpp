// collect_between over a 2 MB result page, beside memmem over the same bytes.

#include "client/web/text.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kStart = "<div class=\"result c-container\"";
constexpr std::string_view kEnd = "<div class=\"c-tools\"";

// A page of about 2 MB: result blocks between ordinary markup. In the mixed
// page every third start marker is written in upper case, as pages do; the
// plain page keeps one case so that memmem finds the same blocks.
std::string make_page(bool mixed_case)
{
    std::string s;
    int i = 0;
    while (s.size() < 2 * 1024 * 1024) {
        s += (mixed_case && i % 3 == 0) ? "<DIV class=\"result c-container\" id=\""
                                        : "<div class=\"result c-container\" id=\"";
        s += std::to_string(++i);
        s += "\"><h3 class=\"t\"><a href=\"http://www.example.com/link?url=";
        s += std::to_string(i * 7919);
        s += "\">关键词 result title ";
        s += std::to_string(i);
        s += "</a></h3><div class=\"c-abstract\">";
        for (int k = 0; k < 12; ++k)
            s += "Some abstract text of the result, <em>highlighted</em> words, 中文摘要内容。 ";
        s += "</div><span class=\"c-showurl\">www.example.com/";
        s += std::to_string(i);
        s += "</span><div class=\"c-tools\" id=\"tools_";
        s += std::to_string(i);
        s += "\"></div></div>\n<script>var x = {\"a\": 1, \"b\": [1, 2, 3]};</script>\n";
    }
    return s;
}

const std::string& page()
{
    static const std::string text = make_page(false);
    return text;
}

const std::string& mixed_page()
{
    static const std::string text = make_page(true);
    return text;
}

void collect_between(benchmark::State& state)
{
    const std::string& text = page();
    std::size_t blocks = 0;
    for (auto _ : state) {
        const auto found = web::collect_between(text, kStart, kEnd);
        blocks = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(collect_between)->Unit(benchmark::kMicrosecond);

void collect_between_mixed_case(benchmark::State& state)
{
    const std::string& text = mixed_page();
    std::size_t blocks = 0;
    for (auto _ : state) {
        const auto found = web::collect_between(text, kStart, kEnd);
        blocks = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(collect_between_mixed_case)->Unit(benchmark::kMicrosecond);

// memmem finding each start marker in turn (case as written), the floor a
// case-sensitive scan of the same page could reach.
void memmem_each_start(benchmark::State& state)
{
    const std::string& text = page();
    std::size_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        const char* at = text.data();
        const char* end = text.data() + text.size();
        while (const void* hit =
                   ::memmem(at, static_cast<std::size_t>(end - at), kStart.data(), kStart.size())) {
            ++hits;
            at = static_cast<const char*>(hit) + kStart.size();
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["blocks"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(memmem_each_start)->Unit(benchmark::kMicrosecond);

// The same collection done with memmem, matching case exactly: what the
// case-insensitive scan costs over the plain one, copies of the blocks
// included in both.
void memmem_collect(benchmark::State& state)
{
    const std::string& text = page();
    std::size_t blocks = 0;
    for (auto _ : state) {
        std::vector<std::string> found;
        std::size_t pos = 0;
        while (true) {
            const void* s =
                ::memmem(text.data() + pos, text.size() - pos, kStart.data(), kStart.size());
            if (!s)
                break;
            const std::size_t inner =
                static_cast<std::size_t>(static_cast<const char*>(s) - text.data()) + kStart.size();
            const void* e =
                ::memmem(text.data() + inner, text.size() - inner, kEnd.data(), kEnd.size());
            if (!e)
                break;
            const std::size_t stop =
                static_cast<std::size_t>(static_cast<const char*>(e) - text.data());
            found.emplace_back(text, inner, stop - inner);
            pos = stop;
        }
        blocks = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(memmem_collect)->Unit(benchmark::kMicrosecond);

// One memmem of a marker that is absent: a single pass over every byte.
void memmem_absent(benchmark::State& state)
{
    const std::string& text = page();
    constexpr std::string_view absent = "<div class=\"not-on-this-page\"";
    for (auto _ : state)
        benchmark::DoNotOptimize(::memmem(text.data(), text.size(), absent.data(), absent.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(memmem_absent)->Unit(benchmark::kMicrosecond);

// find_ci alone over the page, for a marker that is absent.
void find_ci_absent(benchmark::State& state)
{
    const std::string& text = page();
    for (auto _ : state)
        benchmark::DoNotOptimize(web::find_ci(text, "<div class=\"NOT-on-this-page\""));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(find_ci_absent)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
