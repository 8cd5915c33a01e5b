#include "app/command_line.h"

namespace app {

CommandLine parseCommandLine(const QStringList& params,
                             const std::function<bool(const QString&)>& fileExists) {
    CommandLine c;
    if (params.isEmpty()) return c;
    int index = 0;
    if (params[0] == QLatin1String("/n")) {
        c.newInstance = true;
        if (params.size() < 2) return c;
        index = 1;
    }
    QString name = params[index];
    for (int k = index + 1; k < params.size() && !fileExists(name); ++k)
        name += QLatin1Char(' ') + params[k];
    c.fileName = name;
    return c;
}

QString expandShortName(const QString& path) {
    return path;
}

} // namespace app
