// The benchmarks' main: the Qt benchmarks need an application object, made
// here so it is gone before the library's own globals at exit.
#include <benchmark/benchmark.h>

#ifdef KVN_BENCH_QT
#include <QApplication>
#endif

int main(int argc, char** argv)
{
#ifdef KVN_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char name[] = "kvn_bench";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
