// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Starts the calculator: the main window is created hidden, its Form_Load
// decides whether this copy runs or hands over to one already running, and
// only then is the window shown.
#include "app/application.h"
#include "app/command_line.h"
#include "app/qt/desktop_contrast.h"
#include "app/qt/instance_guard.h"
#include "app/qt/instance_protocol.h"
#include "app/qt/qt_platform.h"
#include "app/qt/quit_on_signals.h"
#include "app/qt/x11_window.h"
#include "app/version.h"
#include "ui/language.h"
#include "ui/qt/main_window.h"

#include <QApplication>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>

namespace {

using vesk::language::NC_;

// A message of the program's own, in the language in use.
std::string text(const char* english)
{
    return vesk::language::Text(vesk::language::kCommandLine, english);
}

// The program keeps no log and reports nothing; a fatal error while opening
// the display is the one exception, and it gets one line: the toolkit's own
// reason ("could not connect to display :9") where it gave one first.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static QString reason;
    if (type == QtWarningMsg && context.category != nullptr &&
        QLatin1String(context.category).startsWith(QLatin1String("qt.qpa")))
        reason = message;
    if (type == QtFatalMsg) {
        if (reason.isEmpty())
            std::fprintf(stderr, "vesk: %s\n",
                         qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
        else
            std::fprintf(
                stderr, "vesk: %s\n",
                vesk::language::Fill(
                    // TRANSLATORS: an error; %s is the toolkit's
                    // own reason, in English.
                    text(NC_("command line", "cannot open a window: %s")), reason.toStdString())
                    .c_str());
        std::_Exit(1);
    }
}

// The launcher's variables as the program found them: the toolkit unsets
// some as it starts, and a copy that starts again needs them as they were.
class LaunchEnvironment {
  public:
    LaunchEnvironment()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            if (const char* value = std::getenv(kNames[i]); value != nullptr)
                values_[i] = value;
    }
    void restore() const
    {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            if (values_[i])
                ::setenv(kNames[i], values_[i]->c_str(), 1);
    }

  private:
    static constexpr std::array<const char*, 2> kNames = {"DESKTOP_STARTUP_ID",
                                                          "XDG_ACTIVATION_TOKEN"};
    std::array<std::optional<std::string>, 2> values_;
};

bool displayNamed()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    // In the user's language, as gettext would choose it.
    vesk::language::Use(vesk::language::Choose(vesk::language::PosixPreferences(
        [](const char* name) -> const char* { return std::getenv(name); })));
    // --help, --version and factors are answered here, with no display, before
    // the toolkit starts; the window's start pays for no more than this look.
    if (const int status = vesk::command_line::Run(
            std::span<char* const>(argv + 1, static_cast<std::size_t>(argc - 1)), stdout, stderr);
        status >= 0)
        return status;

    // The toolkit takes these from the environment as it starts; a later copy
    // passes its launch's token on to the running copy.
    // One that is malformed is left out: the window is restored without it.
    const LaunchEnvironment launchEnvironment;
    QByteArray launchToken;
    for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"})
        if (const QByteArray token = qgetenv(name); vesk::instance::usableToken(token)) {
            launchToken = token;
            break;
        }

    qInstallMessageHandler(quietMessages);
    if (!displayNamed()) {
        std::fprintf(stderr, "vesk: %s\n",
                     // TRANSLATORS: an error; DISPLAY and WAYLAND_DISPLAY are
                     // the names of variables.
                     text(NC_("command line", "no display to open a window on (DISPLAY and "
                                              "WAYLAND_DISPLAY are unset)"))
                         .c_str());
        return 1;
    }
    // The X display the toolkit opens: the one named by -display, else $DISPLAY.
    // (The toolkit takes its own options out of the arguments as it starts.)
    QByteArray x11Display = qgetenv("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0)
            x11Display = argv[i + 1];
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(vesk::version::kAppId));
    QCoreApplication::setApplicationVersion(QLatin1String(vesk::version::kText));

    vesk::x11::useDisplay(x11Display);
    vesk::LocalInstanceGuard guard(
        vesk::InstancePlaces::forThisSession(QGuiApplication::platformName(),
                                             QString::fromLocal8Bit(x11Display)),
        launchToken);
    vesk::QtPlatform platform(guard);
    vesk::Application application(platform);
    guard.onRestore([&platform](const QString& caption, const QByteArray& token) {
        return platform.restore(caption, token);
    });
    // Asked once, before the window is built; Form_Load asks again and gets
    // the same answer.
    const bool handsOver = guard.previousInstance();
    // A copy that cannot tell whether another runs does not run: it might be
    // a second one.
    const auto unguarded = [&guard] {
        if (guard.failure().isEmpty())
            return false;
        std::fprintf(stderr, "vesk: %s\n", qPrintable(guard.failure()));
        return true;
    };
    if (unguarded())
        return 1;
    vesk::MainWindow form(&application, handsOver ? vesk::MainWindow::Build::WindowOnly
                                                  : vesk::MainWindow::Build::Everything);
    platform.setMainWindow(form);
    form.handlers().Form_Load();
    if (application.ended()) {
        // The running copy died while this one handed over, and this one took
        // its lock: it starts again from the top as the running copy, with
        // the launch's environment as it was. (The lock goes with the exec;
        // should another copy take it first, this one hands over to that.)
        if (guard.tookOver()) {
            launchEnvironment.restore();
            ::execv("/proc/self/exe", argv);
            std::fprintf(
                stderr, "vesk: %s\n",
                // TRANSLATORS: an error: the program could not
                // start itself again to take over from a copy that
                // ended.
                text(NC_("command line", "cannot start again as the running copy")).c_str());
            std::_Exit(1);
        }
        // A copy that handed over has nothing to save or tidy: it was never
        // shown and holds no lock. Leave without tearing the toolkit down.
        std::_Exit(unguarded() ? 1 : 0);
    }
    vesk::QuitOnSignals quitOnSignals;
    vesk::DesktopContrast contrast;
    platform.followContrast(contrast);
    form.show();
    return app.exec();
}
