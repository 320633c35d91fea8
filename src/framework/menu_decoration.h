#pragma once
// Menu items show their command's toolbar image and the accelerators that
// really run the command, not whatever text the label carries after its tab.

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;

// "Alt+", "Ctrl+", "Shift+" in that order, then the key's name; several
// accelerators are separated by ", ".
QString AcceleratorText(const QList<QKeySequence>& keys);
// The label cut at its tab, followed by a tab and the accelerators when there are any.
QString DecoratedMenuText(const QString& label, const QList<QKeySequence>& keys);

// Resource path of a command's image (":/icons/cmd_<id>.svg").
QString CommandIconPath(int commandId);
// The image of a command, or a null icon when it has none.
QIcon CommandIcon(int commandId);

// Gives the action its command image and its decorated text.
void DecorateAction(QAction* action, int commandId, const QString& label);
