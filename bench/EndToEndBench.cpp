// The whole report, end to end, against its peers in one run: each
// contender runs in a process of its own (orvreport-endtoend, `orvreport
// run`, ReportLab's canvas, libharu), in alternating rounds, and the medians
// of wall time and peak memory are compared. Then the build at 10,000 and
// 100,000 pages of 10 lines: memory per text object, the save's peak over
// the built report, and time a page at both sizes.
//
// ORV_BENCH_ROUNDS (default 5) and ORV_BENCH_PAGES (default 1000) change
// the rounds and the size of the first comparison.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct ChildRun {
    double wallSeconds = 0;
    double peakMegabytes = 0;
    std::map<std::string, double> figures; // the "name value" lines it printed
    bool succeeded = false;
};

// Runs a program to its end, its output read into `figures`.
ChildRun runChild(const std::vector<std::string>& command)
{
    ChildRun run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t got; spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024;
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;

    size_t from = 0;
    while (from < output.size()) {
        size_t end = output.find('\n', from);
        if (end == std::string::npos)
            end = output.size();
        const std::string line = output.substr(from, end - from);
        const size_t space = line.rfind(' ');
        if (space != std::string::npos)
            run.figures[line.substr(0, space)] = std::atof(line.c_str() + space + 1);
        from = end + 1;
    }
    return run;
}

int setting(const char* variable, int fallback)
{
    const char* value = std::getenv(variable);
    return value && *value ? std::atoi(value) : fallback;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Contender {
    std::string name;
    std::vector<std::string> command;
    std::vector<double> wall, work, peak;
};

} // namespace

// The 1,000-page report of 60 lines and 20 shapes a page.
static void BM_EndToEndAgainstPeers(benchmark::State& state)
{
    const int rounds = setting("ORV_BENCH_ROUNDS", 5);
    const std::string pages = std::to_string(setting("ORV_BENCH_PAGES", 1000));
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    const std::string script = base + "report.orv";
    if (!runChild({ORV_ENDTOEND, "script", pages, "60", script}).succeeded) {
        state.SkipWithError("cannot write the script");
        return;
    }
    std::vector<Contender> contenders = {
        {"api", {ORV_ENDTOEND, "api", pages, "60", base + "api.pdf"}, {}, {}, {}},
        {"script", {ORV_SCRIPT_HOST, "run", script}, {}, {}, {}},
        {"reportlab", {"/usr/bin/python3", ORV_SOURCE_DIR "/bench/reportlab_report.py", pages, "60", base + "rl.pdf"}, {}, {}, {}},
#ifdef ORV_WITH_LIBHARU
        {"libharu", {ORV_ENDTOEND, "haru", pages, "60", base + "haru.pdf"}, {}, {}, {}},
#endif
    };
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            for (Contender& contender : contenders) {
                const ChildRun run = runChild(contender.command);
                if (!run.succeeded) {
                    state.SkipWithError(("the " + contender.name + " run failed").c_str());
                    return;
                }
                contender.wall.push_back(run.wallSeconds);
                // The script host's work is its whole run; the others report theirs.
                contender.work.push_back(run.figures.count("seconds") ? run.figures.at("seconds") : run.wallSeconds);
                contender.peak.push_back(run.peakMegabytes);
            }
        }
    }
    std::map<std::string, double> wall, work, peak;
    for (const Contender& contender : contenders) {
        wall[contender.name] = median(contender.wall);
        work[contender.name] = median(contender.work);
        peak[contender.name] = median(contender.peak);
        state.counters[contender.name + " s"] = work[contender.name];
        state.counters[contender.name + " wall s"] = wall[contender.name];
        state.counters[contender.name + " MB"] = peak[contender.name];
    }
    // Targets: api/reportlab <= 0.8, api/libharu <= 2, script/api wall <= 1.3, script/api MB <= 1.5.
    state.counters["api/reportlab"] = work["api"] / work["reportlab"];
    if (work.count("libharu"))
        state.counters["api/libharu"] = work["api"] / work["libharu"];
    state.counters["script/api wall"] = wall["script"] / wall["api"];
    state.counters["script/api MB"] = peak["script"] / peak["api"];
}
BENCHMARK(BM_EndToEndAgainstPeers)->Unit(benchmark::kSecond)->Iterations(1);

// 10,000 and 100,000 pages of 10 text lines, built through the API and
// saved. Targets: at most 250 bytes per object beyond its text, the
// save's peak within 50 MB of the built report, a page's build time at
// 100,000 pages within 10 % of that at 10,000.
static void BM_HundredThousandPages(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string out = dir.path().toStdString() + "/big.pdf";
    ChildRun small, large;
    for (auto _ : state) {
        small = runChild({ORV_ENDTOEND, "api", "10000", "10", out, "--text-only"});
        large = runChild({ORV_ENDTOEND, "api", "100000", "10", out, "--text-only"});
    }
    if (!small.succeeded || !large.succeeded) {
        state.SkipWithError("a run failed");
        return;
    }
    state.counters["bytes/object beyond text"] =
        large.figures["bytes per object"] - large.figures["text bytes per object"];
    state.counters["after build MB"] = large.figures["after build MB"];
    state.counters["save peak over build MB"] = large.figures["peak MB"] - large.figures["after build MB"];
    state.counters["build s"] = large.figures["build"];
    state.counters["save s"] = large.figures["save"];
    state.counters["page time 100k/10k"] =
        (large.figures["build"] / 100000) / (small.figures["build"] / 10000);
    // The same in processor time, which other work on the machine does not stretch.
    state.counters["page cpu 100k/10k"] =
        (large.figures["build cpu"] / 100000) / (small.figures["build cpu"] / 10000);
    state.counters["save page cpu 100k/10k"] =
        (large.figures["save cpu"] / 100000) / (small.figures["save cpu"] / 10000);
    state.counters["last/first tenth"] = large.figures["last tenth s/page"] / large.figures["first tenth s/page"];
}
BENCHMARK(BM_HundredThousandPages)->Unit(benchmark::kSecond)->Iterations(1);
