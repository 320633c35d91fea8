#include "framework/menu_decoration.h"

#include <QAction>
#include <QFile>
#include <QHash>

QString AcceleratorText(const QList<QKeySequence>& keys) {
    QStringList parts;
    for (const QKeySequence& sequence : keys) {
        if (sequence.isEmpty())
            continue;
        // Only the first chord counts: the accelerator table holds single keys.
        const QKeyCombination combination = sequence[0];
        const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
        QString text;
        if (modifiers & Qt::AltModifier)
            text += "Alt+";
        if (modifiers & Qt::ControlModifier)
            text += "Ctrl+";
        if (modifiers & Qt::ShiftModifier)
            text += "Shift+";
        text += QKeySequence(combination.key()).toString(QKeySequence::PortableText);
        parts << text;
    }
    return parts.join(", ");
}

QString DecoratedMenuText(const QString& label, const QList<QKeySequence>& keys) {
    QString text = label.section('\t', 0, 0);
    const QString accelerators = AcceleratorText(keys);
    if (!accelerators.isEmpty())
        text += '\t' + accelerators;
    return text;
}

QString CommandIconPath(int commandId) {
    return QString(":/icons/cmd_%1.svg").arg(commandId);
}

QIcon CommandIcon(int commandId) {
    // Icons are shared by menus, toolbars and the settings sheet; load each once.
    static QHash<int, QIcon> cache;
    auto it = cache.find(commandId);
    if (it == cache.end()) {
        const QString path = CommandIconPath(commandId);
        it = cache.insert(commandId, QFile::exists(path) ? QIcon(path) : QIcon());
    }
    return *it;
}

void DecorateAction(QAction* action, int commandId, const QString& label) {
    const QIcon icon = CommandIcon(commandId);
    if (!icon.isNull())
        action->setIcon(icon);
    const QList<QKeySequence> keys = action->shortcuts();
    if (!keys.isEmpty())
        action->setText(DecoratedMenuText(label, keys));
}
