// The evaluation program: command-line options, the Program on the real or the
// simulated board, and the Qt event loop.
#include <cstdio>
#include <exception>
#include <string>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "instruments/Test.h"
#include "link/UsbLink.h"
#include "program/GpibFactory.h"
#include "program/Program.h"
#include "program/Version.h"
#include "qt/QtRuntime.h"
#include "shell/frmStartup.h"

namespace {

bool parseNumber(const QString& text, unsigned long max, unsigned long& out)
{
    bool ok = false;
    const qulonglong v = text.trimmed().toULongLong(&ok, 0);  // 0x.. hexadecimal, else decimal
    if (!ok || v > max)
        return false;
    out = static_cast<unsigned long>(v);
    return true;
}

// The program folder where the build puts it, seen from the program
// (<prefix>/share/kvn58 for <prefix>/bin/kvn58, in the build tree too); else
// the program's own folder.
std::string defaultAppPath()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString folder = QDir::cleanPath(program.filePath(QStringLiteral(KVN_FOLDER_FROM_PROGRAM)));
    return (QFileInfo(folder).isDir() ? folder : program.path()).toStdString();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));

    QCommandLineParser cli;
    cli.setApplicationDescription(
        QStringLiteral("Evaluation program for the KVN58C2 and KVN58C3 battery-pack monitors."));
    cli.addHelpOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"), QStringLiteral("Run on the simulated evaluation board and GPIB bus."));
    const QCommandLineOption appPath(QStringLiteral("app-path"),
        QStringLiteral("Program folder (marker files, shunt file, instrument file); "
                       "default: ../share/kvn58 from the executable, else the executable's folder."),
        QStringLiteral("dir"));
    const QCommandLineOption vendorId(QStringLiteral("vendor-id"),
        QStringLiteral("USB vendor ID of the evaluation board (default 0x10C4)."), QStringLiteral("id"));
    const QCommandLineOption gpib(QStringLiteral("gpib"),
        QStringLiteral("GPIB library: sim, linux-gpib, ni or the path of a library "
                       "(default: sim with --simulate, else linux-gpib)."),
        QStringLiteral("library"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the simulated board and bus."), QStringLiteral("n"));
    // Nothing else in the program shows the listener query form.
    const QCommandLineOption query(QStringLiteral("query"),
        QStringLiteral("Open the GPIB listener query form \"488.2 Query\" as the first window, "
                       "instead of the start-up form."));
    cli.addOptions({simulate, appPath, vendorId, gpib, seed, query});
    cli.process(app);

    ProgramOptions options;
    options.simulate = cli.isSet(simulate);
    options.appPath = cli.isSet(appPath) ? cli.value(appPath).toStdString() : defaultAppPath();
    options.gpibLibrary = cli.isSet(gpib) ? cli.value(gpib).toStdString() : (options.simulate ? "sim" : "linux-gpib");
    unsigned long number = 0;
    if (cli.isSet(vendorId)) {
        if (!parseNumber(cli.value(vendorId), 0xFFFF, number)) {
            std::fprintf(stderr, "kvn58: --vendor-id wants a number from 0 to 0xFFFF\n");
            return 2;
        }
        options.vendorId = static_cast<std::uint16_t>(number);
    }
    if (cli.isSet(seed)) {
        if (!parseNumber(cli.value(seed), 0xFFFFFFFFul, number)) {
            std::fprintf(stderr, "kvn58: --seed wants a number from 0 to 4294967295\n");
            return 2;
        }
        options.seed = static_cast<std::uint32_t>(number);
    }

    // Said once here; the first bus call then fails as the library's own error.
    if (const std::string problem = gpibLibraryLoadError(options.gpibLibrary); !problem.empty())
        std::fprintf(stderr, "kvn58: GPIB library not loaded, the instrument forms will fail: %s\n", problem.c_str());

    qt::QtRuntime rt;
    if (options.simulate)
        rt.titleSuffix = " (simulated)";
    Program program(rt, options);
    // The panel says it too, but it may be hidden, or the user may start from a terminal.
    program.link().onOpenProblem = [](const std::string& problem) {
        std::fprintf(stderr, "kvn58: %s\n", problem.c_str());
    };
    const qt::WindowsFirst windowsFirst(rt);

    if (cli.isSet(query))
        rt.dispatch([&program] { program.form<instruments::Test>().Show(); });
    else
        rt.dispatch([&program] { program.form<shell::frmStartup>().Show(); });
    rt.endIfNoWindow();
    return rt.exec();
}
