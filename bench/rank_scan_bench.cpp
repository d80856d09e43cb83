// One look-up's scan of a 2 MB result page (cut into blocks, match each
// block's address) beside memmem over the same bytes, the floor any scan
// that reads the whole page once stands on.
#include "client/ranking/page_scan.h"
#include "client/ranking/site_key.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

constexpr std::size_t kPageSize = 2 * 1024 * 1024;
const std::string kSite = "http://www.acme-pumps.cn";

// Filler the size of a result's abstract, scripts and tracking attributes:
// dense markup, as result pages are, so that marker searches meet many "<".
std::string filler(std::size_t n)
{
    static const std::string words =
        R"(<span class="c-color-text">水泵 阀门</span><em>pump</em> <a href="http://www.example.com/r?id=7" )"
        R"(data-click="{'F':'778717EA'}">管道 配件</a><div class="c-row c-gap-top-small">0123456789</div>)";
    std::string out;
    while (out.size() < n)
        out += words;
    out.resize(n);
    return out;
}

// Blocks in the engine's own markup until the page is 2 MB; the site is
// listed nowhere, so the scan reads every block (the common worst case).
template <typename Block>
std::string page_of(Block block)
{
    std::string page = "<!DOCTYPE html><html><head><script>" + filler(60'000) + "</script></head><body>";
    for (int i = 1; page.size() < kPageSize; ++i)
        page += block(i);
    page += "</body></html>";
    return page;
}

const std::string& baidu_page()
{
    static const std::string page = page_of([](int i) {
        return R"(<div class="result c-container " id=")" + std::to_string(i) +
               R"(" srcid="1599" tpl="se_com_default"><h3 class="t"><a href="http://www.baidu.com/link?url=)" +
               std::to_string(i * 7919) + R"(">Result</a></h3><div class="c-abstract">)" + filler(18'000) +
               R"(</div><div class="f13"><span class="g">www.site)" + std::to_string(i) +
               ".com/page.html&nbsp;2016-05-07&nbsp;</span><div class=\"c-tools\"></div></div></div>\n";
    });
    return page;
}

const std::string& so360_page()
{
    static const std::string page = page_of([](int i) {
        return R"(<li class="res-list"><h3 class="res-title "><a href="http://www.site)" + std::to_string(i) +
               R"(.com/page.html" data-res='{"mdurl":"x","pos":)" + std::to_string(i) +
               R"(,"m":"1"}'>Result</a></h3><p class="res-desc">)" + filler(18'000) + "</p></li>\n";
    });
    return page;
}

const std::string& sogou_page()
{
    static const std::string page = page_of([](int i) {
        return R"(<div class="rb"><h3 class="pt"><a name="dttl" href="http://www.site)" + std::to_string(i) +
               R"(.com/page.html">Result</a></h3><div class="ft">)" + filler(18'000) + "<!--RANK:" +
               std::to_string(i) + "--></div><!-- z --></div>\n";
    });
    return page;
}

void BM_ScanBaiduPage(benchmark::State& state)
{
    const std::string& page = baidu_page();
    const std::string key = ranking::baidu_site_key(kSite);
    for (auto _ : state) {
        ranking::PageScan scan = ranking::scan_baidu_page(page, key);
        benchmark::DoNotOptimize(scan);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_Scan360Page(benchmark::State& state)
{
    const std::string& page = so360_page();
    const std::string key = ranking::so360_site_key(kSite);
    for (auto _ : state) {
        ranking::PageScan scan = ranking::scan_360_page(page, key, 1);
        benchmark::DoNotOptimize(scan);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_ScanSogouPage(benchmark::State& state)
{
    const std::string& page = sogou_page();
    const std::string key = ranking::sogou_site_key(kSite);
    for (auto _ : state) {
        ranking::PageScan scan = ranking::scan_sogou_page(page, key);
        benchmark::DoNotOptimize(scan);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

// memmem for a text the page does not hold: one pass over every byte.
void BM_MemmemBaiduPage(benchmark::State& state)
{
    const std::string& page = baidu_page();
    const std::string needle = ranking::baidu_site_key(kSite);
    for (auto _ : state) {
        const void* hit = ::memmem(page.data(), page.size(), needle.data(), needle.size());
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

}  // namespace

BENCHMARK(BM_ScanBaiduPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan360Page)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanSogouPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemmemBaiduPage)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
