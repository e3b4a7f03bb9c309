// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/version.h"

namespace arcadeon::desktop {

namespace {

constexpr const char* kDescription =
    "Three arcade games for one player: Froggy, Vavod Uvavovirovu Divadazo and Ping.\n"
    "\n"
    "Controls:\n"
    "  Menu      click a game's picture or its name (the Ping picture asks for a difficulty first)\n"
    "  Froggy    the arrow keys move the frog across the roads and the bridge to the trophy\n"
    "  Vavod Uvavovirovu Divadazo\n"
    "            the mouse moves the ship sideways, a click fires\n"
    "  Ping      click GO, then the mouse moves the paddle under the ball\n"
    "  In every game the label at the top right (GO, PAUSE) stops and restarts it,\n"
    "  and Escape opens the Pause dialog.";

constexpr const char* kNoDisplay = "arcadeon-script plays the games without a display";

// The options of Qt's application object that a user may give: Qt takes them
// off the command line itself when the program starts. --help-all lists them.
struct QtOption {
    const char* name;
    const char* value;  // nullptr for a switch
    const char* help;
};
constexpr QtOption kQtOptions[] = {
    {"platform", "name[:options]", "Qt platform plugin to use (xcb, wayland, offscreen...)."},
    {"platformpluginpath", "path", "Where to find the platform plugins."},
    {"platformtheme", "theme", "Qt platform theme."},
    {"plugin", "plugin", "An additional plugin to load."},
    {"qwindowgeometry", "geometry", "Geometry of the first window, as 640x480+50+50."},
    {"geometry", "geometry", "The same as --qwindowgeometry."},
    {"qwindowicon", "icon", "Default window icon."},
    {"icon", "icon", "The same as --qwindowicon."},
    {"qwindowtitle", "title", "Title of the first window."},
    {"title", "title", "The same as --qwindowtitle."},
    {"reverse", nullptr, "Lays out the windows from right to left."},
    {"session", "session", "Restores the program from an earlier session."},
    {"display", "display", "X11 display to use, instead of $DISPLAY."},
    {"name", "name", "X11 instance name of the windows."},
    {"visual", "id", "X11 visual to use."},
    {"nograb", nullptr, "Never grabs the mouse (X11)."},
    {"dograb", nullptr, "Grabs the mouse even under a debugger (X11)."},
    {"style", "style", "Qt widget style."},
    {"stylesheet", "file", "Qt style sheet to apply."},
    {"widgetcount", nullptr, "Reports at the end how many widgets were left."},
};

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays help on commandline options.")};
    QCommandLineOption helpAll{QStringLiteral("help-all"), QStringLiteral("Displays help including Qt specific options.")};
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays version information.")};

    explicit Parser(bool qtOptionsShown) {
        // Qt's options are single words after one dash (-platform); so are ours.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QString::fromUtf8(kDescription));
        parser.addOption(help);
        parser.addOption(helpAll);
        parser.addOption(version);
        addSessionOptions(parser);
        for (const QtOption& qt : kQtOptions) {
            QCommandLineOption option(QString::fromLatin1(qt.name), QString::fromLatin1(qt.help));
            if (qt.value != nullptr) option.setValueName(QString::fromLatin1(qt.value));
            if (!qtOptionsShown) option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    }
};

// Writes `text` on standard output; false, with a message, when it cannot.
bool print(const char* program, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) == static_cast<std::size_t>(bytes.size()) &&
        std::fflush(stdout) == 0) {
        return true;
    }
    std::fprintf(stderr, "%s: standard output: %s\n", program, std::strerror(errno));
    return false;
}

bool isSet(const char* name) { return !qEnvironmentVariableIsEmpty(name); }

// Whether the platform named (as QT_QPA_PLATFORM names it: "xcb",
// "wayland;xcb", "offscreen") has what it needs to open windows. Only the
// platforms of a desktop need a display; the others are left to Qt.
bool platformCanStart(const QString& platforms, bool displayGiven) {
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb")) {
            if (displayGiven || isSet("DISPLAY")) return true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            // Without WAYLAND_DISPLAY, Wayland clients try the socket wayland-0.
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            if (isSet("WAYLAND_DISPLAY") || (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/wayland-0")))) {
                return true;
            }
        } else {
            return true;
        }
    }
    return false;
}

// The platforms Qt will try: the -platform option, else QT_QPA_PLATFORM, else
// Wayland when the session is one and X11.
QString platformsTried(const QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("platform"))) return parser.value(QStringLiteral("platform"));
    if (isSet("QT_QPA_PLATFORM")) return qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool wayland = isSet("WAYLAND_DISPLAY") || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    return wayland ? QStringLiteral("wayland;xcb") : QStringLiteral("xcb");
}

}  // namespace

std::optional<int> readCommandLine(int argc, char** argv, const char* program, Options& options) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    Parser line(false);
    QCommandLineParser& parser = line.parser;
    const bool ok = parser.parse(arguments);
    if (parser.isSet(line.help) || parser.isSet(line.helpAll)) {
        // The usage line names the program as it was started.
        QCoreApplication application(argc, argv);
        if (parser.isSet(line.helpAll)) return print(program, Parser(true).parser.helpText()) ? 0 : 1;
        return print(program, parser.helpText()) ? 0 : 1;
    }
    if (parser.isSet(line.version)) {
        return print(program, QStringLiteral("%1 %2\n").arg(QString::fromLocal8Bit(program), QString::fromLatin1(kVersion))) ? 0 : 1;
    }
    QString error = parser.errorText();
    if (ok && !parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    }
    if (ok && error.isEmpty()) error = readSessionOptions(parser, options.session).value_or(QString());
    if (!ok || !error.isEmpty()) {
        std::fprintf(stderr, "%s: %s See '%s --help'.\n", program, qPrintable(error), program);
        return 2;
    }
    if (!platformCanStart(platformsTried(parser), parser.isSet(QStringLiteral("display")))) {
        std::fprintf(stderr, "%s: there is no display to open the windows on (DISPLAY and WAYLAND_DISPLAY are not set); %s.\n",
                     program, kNoDisplay);
        return 1;
    }
    return std::nullopt;
}

namespace {

// While Qt's application object starts: its messages are held back, and its
// fatal message that the platform cannot start becomes one sentence and
// status 1 (Qt would abort and suggest reinstalling the program).
struct HeldMessage {
    QtMsgType type;
    QByteArray category, file, function;
    int line;
    QString text;
};
QMutex heldLock;
std::vector<HeldMessage> held;
const char* startingProgram = "";

// Qt's own reason why its platform did not start: the warnings it gave
// before giving up, on one line.
QByteArray platformReason() {
    const QMutexLocker lock(&heldLock);
    QStringList reasons;
    for (const HeldMessage& message : held) {
        if (message.type == QtDebugMsg || message.type == QtInfoMsg) continue;
        const QString line = message.text.simplified();
        if (!line.isEmpty() && !reasons.contains(line)) reasons << line;
    }
    return reasons.isEmpty() ? QByteArray() : " (" + reasons.join(QStringLiteral("; ")).toLocal8Bit() + ")";
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray where = display.isEmpty() ? QByteArray() : " on the display \"" + display + "\"";
        const QByteArray reason = platformReason();
        std::fprintf(stderr, "%s: cannot open the windows%s, Qt's platform plugin does not start%s; %s.\n",
                     startingProgram, where.constData(), reason.constData(), kNoDisplay);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const QMutexLocker lock(&heldLock);
    held.push_back({type, context.category, context.file, context.function, context.line, text});
}

}  // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv, const char* program) {
    startingProgram = program;
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    const QMutexLocker lock(&heldLock);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file.constData(), message.line, message.function.constData(),
                                         message.category.constData());
        previous(message.type, context, message.text);
    }
    held.clear();
    return application;
}

}  // namespace arcadeon::desktop
