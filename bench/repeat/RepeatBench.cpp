// Resident memory over many showdll calls in one process: each call opens
// the window, runs the summary, prepares the report and leaves. Memory may
// grow while the first calls fill caches (fonts, styles, the statement
// cache); after that it must stay flat. The baseline is the process after
// the tenth call of this same run.
//
//   qelvan-bench-repeat [--calls N]     (default 200; runs offscreen)

#include "RepeatedUse.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

long heapInUseKiB()
{
    return long(mallinfo2().uordblks / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    int calls = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--calls") == 0 && i + 1 < argc) {
            calls = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: qelvan-bench-repeat [--calls N]\n");
            return 2;
        }
    }
    if (calls < 10) {
        std::fprintf(stderr, "at least 10 calls are needed for the baseline\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const long atStart = residentKiB();
    qelvan::test::RepeatedUse use(QStringLiteral(QELVAN_SOURCE_DIR "/demo/vuq_xstgjfp1.frf"));

    std::printf("%8s %12s %22s %10s\n", "call", "RSS (KiB)", "heap in use (KiB)", "RSS/base");
    long base = 0;
    long baseHeap = 0;
    long rows = 0;
    int failures = 0;
    for (int n = 1; n <= calls; ++n) {
        const qelvan::test::UseResult r = use.call(n - 1);
        rows += r.rows;
        if (!r.ran || r.rows == 0 || r.pages == 0 || r.boxes != 0)
            ++failures;
        const long rss = residentKiB();
        if (n == 10) {
            base = rss;
            baseHeap = heapInUseKiB();
        }
        if (n == 1 || n == 10 || n % 25 == 0 || n == calls)
            std::printf("%8d %12ld %22ld %10s\n", n, rss, heapInUseKiB(),
                        n >= 10 ? QByteArray::number(double(rss) / double(base), 'f', 3).constData() : "-");
    }
    const long end = residentKiB();
    std::printf("\nbefore the first call: %ld KiB\n", atStart);
    std::printf("after call 10 (baseline): %ld KiB, heap %ld KiB\n", base, baseHeap);
    std::printf("after call %d: %ld KiB, heap %ld KiB\n", calls, end, heapInUseKiB());
    std::printf("growth after the baseline: %ld KiB in %d calls (%.2f KiB per call), ratio %.3f\n", end - base,
                calls - 10, double(end - base) / double(calls - 10), double(end) / double(base));
    std::printf("summary rows read: %ld; calls that went wrong: %d\n", rows, failures);
    return failures == 0 ? 0 : 1;
}
