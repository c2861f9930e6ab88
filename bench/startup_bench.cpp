// Start-up of ZELVO against a bare Qt Widgets program. Each repetition spawns
// both probes once, in alternating order so that neither always runs on the
// cache the other warmed, and measures each from spawn to exit; wait4 gives
// the child's own peak resident memory. The reported time is ZELVO's; the
// counters carry the bare program's figures and the ratios of the pair.
// Two bare programs: an empty window, and a window with one Japanese label,
// since the first Japanese text a Qt program draws starts fontconfig and
// loads a CJK font, which costs more than all of ZELVO's own start-up.
//
//   startup_bench                                  # offscreen
//   xvfb-run -a env QT_QPA_PLATFORM=xcb startup_bench

#include "bench/default_flags.hpp"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct ProbeRun {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMiB = 0;
    int status = -1;
};

double secondsOf(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

double now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + time.tv_nsec / 1e9;
}

// The probes are built next to this program.
std::string probePath(const char* name)
{
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

struct Probe {
    std::string path;
    const char* argument; // or null
};

const Probe& zelvoProbe()
{
    static const Probe probe{probePath("startup_probe_zelvo"), nullptr};
    return probe;
}

// Argument 0: the empty window; 1: the window with a Japanese label.
const Probe& bareProbe(int withLabel)
{
    static const Probe empty{probePath("startup_probe_bare"), nullptr};
    static const Probe label{probePath("startup_probe_bare"), "label"};
    return withLabel ? label : empty;
}

// Qt's warnings (no XDG_RUNTIME_DIR and the like) would scatter through the
// table; a probe that fails says so by its exit status.
class SilencedOutput {
public:
    SilencedOutput()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    ~SilencedOutput() { posix_spawn_file_actions_destroy(&actions); }
    SilencedOutput(const SilencedOutput&) = delete;
    SilencedOutput& operator=(const SilencedOutput&) = delete;

    const posix_spawn_file_actions_t* get() const { return &actions; }

private:
    posix_spawn_file_actions_t actions;
};

ProbeRun runProbe(const Probe& probe)
{
    static const SilencedOutput silenced;
    ProbeRun run;
    char* argv[] = {const_cast<char*>(probe.path.c_str()), const_cast<char*>(probe.argument), nullptr};
    const double start = now();
    pid_t child = 0;
    if (posix_spawn(&child, probe.path.c_str(), silenced.get(), nullptr, argv, environ) != 0)
        return run;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0)
        if (errno != EINTR)
            return run;
    run.seconds = now() - start;
    run.cpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

void startUp(benchmark::State& state)
{
    const Probe& bareOne = bareProbe(static_cast<int>(state.range(0)));
    static bool warmedUp = false;
    static bool zelvoFirst = true;
    // The very first runs load the libraries and fonts from disk; a player's
    // start-up after the first is what the comparison is about.
    if (!warmedUp) {
        for (int i = 0; i < 3; ++i) {
            runProbe(zelvoProbe());
            runProbe(bareProbe(0));
            runProbe(bareProbe(1));
        }
        warmedUp = true;
    }

    for (auto _ : state) {
        ProbeRun zelvo;
        ProbeRun bare;
        if (zelvoFirst) {
            zelvo = runProbe(zelvoProbe());
            bare = runProbe(bareOne);
        } else {
            bare = runProbe(bareOne);
            zelvo = runProbe(zelvoProbe());
        }
        zelvoFirst = !zelvoFirst;
        if (zelvo.status != 0 || bare.status != 0) {
            state.SkipWithError("a probe failed: run startup_probe_zelvo and startup_probe_bare alone to see why");
            break;
        }
        state.SetIterationTime(zelvo.seconds);
        state.counters["bare_ms"] = bare.seconds * 1e3;
        state.counters["time_ratio"] = zelvo.seconds / bare.seconds;
        state.counters["zelvo_cpu_ms"] = zelvo.cpuSeconds * 1e3;
        state.counters["bare_cpu_ms"] = bare.cpuSeconds * 1e3;
        state.counters["zelvo_MiB"] = zelvo.peakMiB;
        state.counters["bare_MiB"] = bare.peakMiB;
        state.counters["rss_ratio"] = zelvo.peakMiB / bare.peakMiB;
    }
}

// One pair of runs per repetition, so that the median over repetitions is
// the median of single start-ups, not of averages.
BENCHMARK(startUp)
    ->Name("StartUp/zelvo_vs_bare")
    ->ArgName("japanese_label")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The probes inherit the platform; a display is optional.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::AddCustomContext("qt_platform", std::getenv("QT_QPA_PLATFORM"));

    std::vector<char*> args = zelvo::bench::withDefaultFlags(
        argc, argv, {"--benchmark_repetitions=40", "--benchmark_report_aggregates_only=true"});
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
