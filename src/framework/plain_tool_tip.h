#pragma once
// Tooltips are drawn by a label that takes any text looking like markup for
// rich text: " <HR>水平線" would draw a rule. Texts of the program go through
// here so that they show as they read.

#include <QString>

// The text as a tooltip shows it literally, on one line; empty stays empty.
QString PlainToolTip(const QString& text);
