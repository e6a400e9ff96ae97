// Times SchemeStore::Load and SaveAll over seeded schemes against the floor of a plain walk of the
// same keys with RegEnumValue, in a scratch key standing in for HKEY_LOCAL_MACHINE. Not a test.
//   registry_bench [schemes=100] [roots=20] [links=30]
#include <windows.h>
#include <cstdio>
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "tools/bench/BenchSetup.h"

namespace {
using bench::Argument;
using bench::BestSeconds;
using bench::kRepeats;
using Counts = bench::WalkCounts;
using bench::Walk;

} // namespace

int main(int argc, char** argv) {
    const int schemes = Argument(argc, argv, 1, 100);
    const int roots = Argument(argc, argv, 2, 20);
    const int links = Argument(argc, argv, 3, 30);

    bench::ScratchMachine machine("Software\\VlsmRegistryBench");
    if (!machine.Ok()) {
        std::fprintf(stderr, "cannot create the scratch key\n");
        return 1;
    }
    machine.Seed(schemes, roots, links);

    SchemeStore store;
    const double load = BestSeconds([&] { store.Load(false); });
    bool saved = true;
    const double save = BestSeconds([&] { saved = store.SaveAll() && saved; });
    Counts counts;
    const double walk = BestSeconds([&] {
        counts = Counts();
        Walk(HKEY_LOCAL_MACHINE, kSchemesKey, counts);
    });

    std::printf("%d schemes, %d roots and %d links each: %ld keys, %ld values (best of %d runs)\n",
                schemes, roots, links, counts.keys, counts.values, kRepeats);
    std::printf("loaded schemes %zu, SaveAll %s\n", store.schemes.size(),
                saved ? "succeeded" : "FAILED");
    std::printf("load (SchemeStore::Load)   %9.1f ms  %6.2f us/value\n", load * 1e3,
                load * 1e6 / counts.values);
    std::printf("write (SchemeStore::SaveAll) %7.1f ms  %6.2f us/value\n", save * 1e3,
                save * 1e6 / counts.values);
    std::printf("walk (RegEnumValue floor)  %9.1f ms  %6.2f us/value\n", walk * 1e3,
                walk * 1e6 / counts.values);
    std::printf("load / walk  %.2f\nwrite / walk %.2f\n", load / walk, save / walk);
    return 0;
}
