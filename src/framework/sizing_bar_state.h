#pragma once
// The remembered sizes of a resizable docked bar: docked horizontally, docked
// vertically and floating, kept under "<profile>-SCBar-<bar id>".

#include <QSize>
#include <QString>

class ISettingsStore;

struct SizingBarSizes {
    QSize horz;
    QSize vert;
    QSize floating;

    bool operator==(const SizingBarSizes&) const = default;
};

QString SizingBarSection(const QString& profile, int barId);

// Each stored value replaces the current one only when it is at least the
// minimum (width minimum for widths, height minimum for heights); a bar saved
// too small opens at its current size instead of vanishing.
SizingBarSizes LoadSizingBarSizes(ISettingsStore& store, const QString& profile, int barId,
                                  const SizingBarSizes& current, QSize minimum);
void SaveSizingBarSizes(ISettingsStore& store, const QString& profile, int barId,
                        const SizingBarSizes& sizes);
