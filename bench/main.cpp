// trommik2-bench: renders the benchmark cases, prints their figures and writes
// them as JSON. Each case runs in a child process of its own, so that its peak
// memory is its own.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchCases.h"
#include "BenchReport.h"
#include "EffectCases.h"
#include "LockCases.h"
#include "apps/common/Arguments.h"
#include "apps/common/ModuleLoader.h"

namespace {

void printHelp() {
    std::puts("usage: trommik2-bench [--module PATH] [--seconds S] [--json PATH] [--case NAME]\n\n"
              "  --module PATH  the module for the entry-point cases (default: Trommik2.syn beside this program)\n"
              "  --seconds S    audio per case (default 60)\n"
              "  --json PATH    where the figures go (default results.json)\n"
              "  --case NAME    only this case: default, factory, stress, stress@64, stress@1, samples,\n"
              "                 denormals, effects, locks or open");
}

BenchResult isolated(const std::function<BenchResult()>& run) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return run();
    pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return run();
    }
    if (child == 0) {
        close(pipeEnds[0]);
        BenchResult result = run();
        bool sent = write(pipeEnds[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
        _exit(sent ? 0 : 1);
    }
    close(pipeEnds[1]);
    BenchResult result;
    bool received = read(pipeEnds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!received) {
        result = BenchResult();
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "failed: the case's process ended without figures");
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args(argc, argv, 1);
    if (args.flag("--help") || args.flag("-h")) {
        printHelp();
        return 0;
    }
    std::string modulePath = ModuleLoader::defaultPath();
    std::string jsonPath = "results.json";
    std::string only;
    double seconds = 60.0;
    args.value("--module", &modulePath);
    args.value("--json", &jsonPath);
    args.value("--case", &only);
    args.number("--seconds", &seconds);
    std::string error;
    if (!args.finish(&error) || !(seconds > 0.0)) {
        std::fprintf(stderr, "trommik2-bench: %s\n", error.empty() ? "--seconds must be positive" : error.c_str());
        return 2;
    }
    struct Case {
        const char* name;
        std::function<BenchResult()> run;
    };
    const std::vector<Case> cases = {
        {"default", [&] { return BenchCases::defaultSetup(modulePath, seconds); }},
        {"factory", [&] { return BenchCases::factory(modulePath, seconds); }},
        {"stress", [&] { return BenchCases::stress(seconds); }},
        {"stress@64", [&] { return BenchCases::stress(seconds, 64); }},
        {"stress@1", [&] { return BenchCases::stress(seconds, 1); }},
        {"samples", [&] { return BenchCases::sampleKit(seconds); }},
        {"denormals", [&] { return BenchCases::denormals(seconds); }},
        {"effects", [&] { return EffectCases::eachType(seconds); }},
        {"locks", [&] { return LockCases::userInterfaceHolds(modulePath); }},
        {"open", [&] { return LockCases::renderWhileOpening(modulePath); }},
    };
    std::vector<BenchResult> results;
    for (const Case& c : cases)
        if (only.empty() || only == c.name)
            results.push_back(isolated(c.run));
    if (results.empty()) {
        std::fprintf(stderr, "trommik2-bench: unknown case '%s'\n", only.c_str());
        return 2;
    }
    BenchReport report(results);
    report.print(stdout);
    if (!report.writeJson(jsonPath)) {
        std::fprintf(stderr, "trommik2-bench: cannot write %s\n", jsonPath.c_str());
        return 1;
    }
    std::printf("\nfigures written to %s\n", jsonPath.c_str());
    return 0;
}
