#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace korvel {

// True when a process whose executable is `executable` (a full path) counts as the program:
// its file name, ignoring letter case, is the program file name, or its full path is that name.
bool isProgramExecutable(const QString &executable, const QString &programFile);

// The user whose processes the updater may end: the user who asked for the elevation when the
// updater runs elevated through pkexec, else the user running it.
uint processOwner();

// The running processes of `owner`, other than this one, whose executable counts as the
// program. Found through /proc.
QList<qint64> programProcesses(const QString &programFile, uint owner);

// Ends the processes: asks them to terminate, and kills those still running after a short
// grace. Returns how many are gone.
int endProcesses(const QList<qint64> &pids);

// Starts a program with arguments, not through a shell, and does not wait for it.
bool startProgram(const QString &path, const QStringList &arguments = {});

// Starts a program as the user whose processes the updater ends. When the updater runs
// elevated on behalf of another user, the program runs as that user again, with that user's
// home, instead of inheriting the elevation.
bool startProgramAsOwner(const QString &path);

} // namespace korvel
