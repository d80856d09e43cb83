// The updater's download and unpack engines on inputs named by the
// environment, so that bench/update_compare.sh can time them side by side
// with curl, aria2c and unzip:
//   UPDATE_BENCH_URL, UPDATE_BENCH_DEST  -> BM_EngineFetch
//   UPDATE_BENCH_ZIP, UPDATE_BENCH_OUT   -> BM_EngineUnpack
#include "update/archive_unpacker.h"
#include "update/downloader.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

namespace {

const char* env(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

void BM_EngineFetch(benchmark::State& state)
{
    const char* url = env("UPDATE_BENCH_URL");
    const char* dest = env("UPDATE_BENCH_DEST");
    if (!url || !dest) {
        state.SkipWithError("set UPDATE_BENCH_URL and UPDATE_BENCH_DEST");
        return;
    }
    std::int64_t bytes = 0;
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        bool whole = false;
        update::Downloader downloader;
        update::DownloadOptions options;
        options.url = url;
        options.destination = dest;
        downloader.start(options, [&](const update::DownloadEvent& event) {
            if (event.kind != update::DownloadEventKind::Finished)
                return;
            std::lock_guard lock(mutex);
            done = true;
            whole = event.value2 == 1;
            bytes += event.value1;
            finished.notify_all();
        });
        std::unique_lock lock(mutex);
        finished.wait(lock, [&] { return done; });
        if (!whole)
            state.SkipWithError("download incomplete");
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_EngineFetch)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_EngineUnpack(benchmark::State& state)
{
    const char* zip = env("UPDATE_BENCH_ZIP");
    const char* out = env("UPDATE_BENCH_OUT");
    if (!zip || !out) {
        state.SkipWithError("set UPDATE_BENCH_ZIP and UPDATE_BENCH_OUT");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::error_code ec;
        std::filesystem::remove_all(out, ec);
        state.ResumeTiming();
        if (!update::unpack_archive(zip, out).ok())
            state.SkipWithError("unpack failed");
    }
}
BENCHMARK(BM_EngineUnpack)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
