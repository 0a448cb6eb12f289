#pragma once
// The password of a new login for tarvic-admin, never from its command line (every user of the
// computer can read a process's arguments): typed at the terminal without echo, twice, or read
// as one line of standard input when that is not a terminal (a script's pipe).
#include <QByteArray>
#include <QString>

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <optional>

namespace tarvic {

struct PasswordInput {
    QString password;
    QString refusal;  // why there is none
};

namespace password_input {

inline termios& savedTerminal() {
    static termios t{};
    return t;
}

// A signal while echo is off gives the terminal back before the process ends.
inline void restoreAndDie(int sig) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal());
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// One line of standard input without its line end; nothing at the end of input.
inline std::optional<QByteArray> readLine() {
    QByteArray line;
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n')
        line.append(char(c));
    if (c == EOF && line.isEmpty())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Echo goes off before the prompt shows, so nothing typed after it is ever shown.
inline std::optional<QByteArray> askUnseen(const QString& prompt) {
    termios typed{};
    ::tcgetattr(STDIN_FILENO, &typed);
    savedTerminal() = typed;
    const int caught[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    void (*previous[4])(int) = {};
    for (int i = 0; i < 4; ++i)
        previous[i] = std::signal(caught[i], restoreAndDie);
    termios unseen = typed;
    unseen.c_lflag &= ~tcflag_t(ECHO);
    unseen.c_lflag |= ECHONL;  // the Enter still moves to the next line
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &unseen);
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::optional<QByteArray> line = readLine();
    ::tcsetattr(STDIN_FILENO, TCSANOW, &typed);
    for (int i = 0; i < 4; ++i)
        std::signal(caught[i], previous[i]);
    return line;
}

}  // namespace password_input

inline PasswordInput readNewPassword(const QString& user) {
    using namespace password_input;
    if (!::isatty(STDIN_FILENO)) {
        const std::optional<QByteArray> line = readLine();
        if (!line || line->trimmed().isEmpty())
            return {{}, QStringLiteral("no password on standard input for login %1").arg(user)};
        return {QString::fromLocal8Bit(*line), {}};
    }
    const std::optional<QByteArray> first = askUnseen(QStringLiteral("Password for %1: ").arg(user));
    if (!first || first->trimmed().isEmpty())
        return {{}, QStringLiteral("no password typed: nothing was changed")};
    const std::optional<QByteArray> second = askUnseen(QStringLiteral("The same password again: "));
    if (!second || *second != *first)
        return {{}, QStringLiteral("the two passwords differ: nothing was changed")};
    return {QString::fromLocal8Bit(*first), {}};
}

}  // namespace tarvic
