#include "app/toolbar_layout.h"

#include <QFile>
#include <QList>
#include <QMainWindow>

#include "settings/atomic_file.h"

namespace app {

namespace {
const QByteArray kSection = QByteArrayLiteral("[QuindleMini ToolBar]");
const QByteArray kFormatKey = QByteArrayLiteral("Format=");
const QByteArray kStateKey = QByteArrayLiteral("State=");
constexpr int kFormat = 1;  // layout of the text
constexpr int kVersion = 1; // version mark inside the window state
constexpr qint64 kMaxFileSize = 1 << 20;
} // namespace

QString toolBarLayoutPath(const QString& folder) {
    return folder + QStringLiteral("/ToolBar.par");
}

QByteArray toolBarLayoutText(const QByteArray& state) {
    QByteArray text = kSection + "\r\n";
    text += kFormatKey + QByteArray::number(kFormat) + "\r\n";
    text += kStateKey + state.toBase64() + "\r\n";
    return text;
}

QByteArray toolBarStateFromText(const QByteArray& text) {
    const QList<QByteArray> lines = text.split('\n');
    bool inSection = false, formatOk = false;
    QByteArray state;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inSection = line == kSection;
            continue;
        }
        if (!inSection) continue;
        if (line.startsWith(kFormatKey))
            formatOk = line.mid(kFormatKey.size()) == QByteArray::number(kFormat);
        else if (line.startsWith(kStateKey)) {
            const auto decoded = QByteArray::fromBase64Encoding(
                line.mid(kStateKey.size()), QByteArray::AbortOnBase64DecodingErrors);
            state = decoded ? *decoded : QByteArray();
        }
    }
    return formatOk ? state : QByteArray();
}

bool restoreToolBarLayout(QMainWindow& window, const QString& path) {
    QFile file(path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly)) return false;
    const QByteArray state = toolBarStateFromText(file.read(kMaxFileSize));
    // restoreState checks the state's own marks and leaves the window alone
    // when they do not match.
    return !state.isEmpty() && window.restoreState(state, kVersion);
}

bool saveToolBarLayout(const QMainWindow& window, const QString& path) {
    return settings::writeFileAtomically(
        path.toStdString(), toolBarLayoutText(window.saveState(kVersion)).toStdString());
}

} // namespace app
