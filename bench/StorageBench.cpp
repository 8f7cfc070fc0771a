// Throughput of the block signature digest and of the cached file layer.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "storage/ZEBCrypt.h"
#include "storage/ZEBFile.h"
#include "platform/TempDir.h"

namespace {

using namespace zeb;

void BM_Digest(benchmark::State& state)
{
    std::vector<uint8_t> data(1 << 20);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 131 + 7);
    ZEBCrypt::Permutation(SignatureKey);  // built once per process, outside the timing
    for (auto _ : state) {
        ZEBCrypt crypt;
        crypt.Update(data.data(), data.size());
        benchmark::DoNotOptimize(crypt.Final());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}
BENCHMARK(BM_Digest)->Unit(benchmark::kMillisecond)->UseRealTime();

// The importer's pattern: one byte at a time into 32 KiB clusters, then written back.
void BM_ByteWrites(benchmark::State& state)
{
    const int32_t total = 16 << 20;
    TempDir dir;
    std::string path = dir.File("f");
    for (auto _ : state) {
        RemovePath(path);  // new files are never written over
        ZEBFile file;
        file.Open(path, FileAccess::CreateNew, 15, 3);
        for (int32_t p = 0; p < total; ++p)
            file.WriteU8(p, uint8_t(p));
        file.Close();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * total);
}
BENCHMARK(BM_ByteWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reader's pattern: 64 KiB reads through three 1 MiB clusters.
void BM_Reads64K(benchmark::State& state)
{
    const int32_t total = 64 << 20, chunk = 64 << 10;
    TempDir dir;
    std::string path = dir.File("f");
    {
        ZEBFile file;
        file.Open(path, FileAccess::CreateNew, 20, 3);
        std::vector<uint8_t> block(size_t(chunk), 0x5A);
        for (int32_t p = 0; p < total; p += chunk)
            file.Write(p, block.data(), chunk);
        file.Close();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(chunk));
    for (auto _ : state) {
        ZEBFile file;
        file.Open(path, FileAccess::Read, 20, 3);
        for (int32_t p = 0; p < total; p += chunk)
            file.Read(p, buffer.data(), chunk);
        benchmark::DoNotOptimize(buffer.data());
        file.Close();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * total);
}
BENCHMARK(BM_Reads64K)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
