#include "framework/plain_tool_tip.h"

QString PlainToolTip(const QString& text) {
    if (text.isEmpty())
        return text;
    // Escaped text alone would be taken for plain text and show its entities;
    // inside a paragraph it is rich text that reads as the original.
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}
