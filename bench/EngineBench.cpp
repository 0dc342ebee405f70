// Engine-only benchmark (native): one conversion of one file, timed per step, best of REPEAT runs.
//   cf_engine_bench tox|tobin FILE [REPEAT]
// Prints "parse=S validate=S write=S total=S cold=S in=BYTES out=BYTES peak=BYTES": seconds of the best
// run, and of the first one, which also pays for the first touch of every page (on some virtual machines
// that costs more than the conversion); peak = the most memory held above what was held before the file.
#include "engine/PropertyList.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <iterator>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A field of /proc/self/status in bytes.
size_t StatusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, n, field) == 0) return std::strtoull(line.c_str() + n + 1, nullptr, 10) * 1024;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[1], "tox") != 0 && std::strcmp(argv[1], "tobin") != 0)) {
        std::fprintf(stderr, "usage: cf_engine_bench tox|tobin FILE [REPEAT]\n");
        return 2;
    }
    const bool toXML = std::strcmp(argv[1], "tox") == 0;
    const int repeat = argc > 3 ? std::atoi(argv[3]) : 3;
    // Keep freed memory in the process, so that the runs after the first one measure the engine alone.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, -1);
    std::ofstream("/proc/self/clear_refs") << "5";  // restart the high-water mark
    const size_t baseline = StatusBytes("VmRSS:");

    std::ifstream in(argv[2], std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (input.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    double best[4] = {1e300, 0, 0, 0};  // total, parse, validate, write
    double cold = 0;
    size_t outSize = 0;
    for (int i = 0; i < repeat; ++i) {
        const Clock::time_point start = Clock::now();
        cf::ParseResult r = cf::Parse(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        const double parse = Since(start);
        if (!r.value) {
            std::fprintf(stderr, "%s: %s\n", argv[2], r.error.c_str());
            return 1;
        }
        Clock::time_point step = Clock::now();
        if (!cf::IsValid(r.value.Get(), toXML ? r.format : cf::kFormatBinary)) return 1;
        const double validate = Since(step);
        step = Clock::now();
        std::string out;
        if (!(toXML ? cf::WriteXML(r.value.Get(), out) : cf::WriteBinary(r.value.Get(), out))) return 1;
        const double write = Since(step);
        r.value.Reset();
        const double total = Since(start);
        if (i == 0) cold = total;
        if (total < best[0]) {
            best[0] = total, best[1] = parse, best[2] = validate, best[3] = write;
            outSize = out.size();
        }
    }
    const size_t peak = StatusBytes("VmHWM:");
    std::printf("parse=%.6f validate=%.6f write=%.6f total=%.6f cold=%.6f in=%zu out=%zu peak=%zu\n", best[1], best[2],
                best[3], best[0], cold, input.size(), outSize, peak > baseline ? peak - baseline : 0);
    return 0;
}
