#pragma once
// The program's command line: an optional "/n" (start an independent
// instance) and a drawing file name that may arrive split at blanks.

#include <QString>
#include <QStringList>
#include <functional>

namespace app {

// What --help prints: the synopsis of the manual page.
inline constexpr char kSynopsis[] = "Usage: quindlemini [/n] [FILE]\n"
                                    "       quindlemini --help\n";

struct CommandLine {
    bool newInstance = false; // the first parameter was "/n"
    QString fileName;         // empty when none was named
};

// Parses the parameters (without the program name). Parameters after the
// first one of the file name are joined back with single blanks while no file
// of the joined name exists; when they run out the joined text stays.
CommandLine parseCommandLine(const QStringList& params,
                             const std::function<bool(const QString&)>& fileExists);

// Long form of a path. This platform has no short path elements, so every
// path (network paths and names of 13 or more characters included) comes back
// unchanged.
QString expandShortName(const QString& path);

} // namespace app
