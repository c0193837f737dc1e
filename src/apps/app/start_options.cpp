#include "app/start_options.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace app {

namespace {

const QStringList kTextOnlyOptions = {"-h", "--help", "-?", "--help-all", "-v", "--version"};

}  // namespace

bool AsksOnlyForText(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (kTextOnlyOptions.contains(argument))
            return true;
    }
    return false;
}

bool HasNoScreen(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return false;
    }
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool ChoosePlatform(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool noScreen = HasNoScreen(arguments);
    const bool textOnly = AsksOnlyForText(arguments) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (noScreen || textOnly)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return noScreen;
}

std::optional<int> ReadCommandLine(QCommandLineParser& parser, const QStringList& arguments)
{
    parser.setApplicationDescription(
        QStringLiteral("Repeat Orbit Designer: design circular Earth orbits whose ground track repeats.\n"
                       "Opens the design window, where N revolutions a day, M extra revolutions,\n"
                       "Q days to close the track and the orbit type give, under a J2 Earth model,\n"
                       "the semi-major axis, altitude, mean motion, nodal period and inclination,\n"
                       "and from where the relative ground-track pattern is drawn."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(QString::fromLatin1(kExploreOption),
                                        QStringLiteral("Open the explorer, \"Find Repeat Orbits\", in front of the "
                                                       "design window.")));

    QTextStream err(stderr);
    const QString program = arguments.value(0, QStringLiteral("orbit-designer")).section(QLatin1Char('/'), -1);
    if (!parser.parse(arguments)) {
        err << program << ": " << parser.errorText() << "\nRun '" << program << " --help' for the options.\n";
        return kExitUsageError;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << program << ": unexpected argument '" << parser.positionalArguments().constFirst()
            << "'; the program opens its window and reads no files.\n";
        return kExitUsageError;
    }
    // Help (with or without Qt's options) and the version: Qt prints them and
    // ends the program.
    parser.process(arguments);
    return std::nullopt;
}

}  // namespace app
