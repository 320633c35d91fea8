#include "framework/sizing_bar_state.h"

#include "platform/settings_store.h"

QString SizingBarSection(const QString& profile, int barId) {
    return QString("%1-SCBar-%2").arg(profile).arg(barId);
}

SizingBarSizes LoadSizingBarSizes(ISettingsStore& store, const QString& profile, int barId,
                                  const SizingBarSizes& current, QSize minimum) {
    const QString section = SizingBarSection(profile, barId);
    auto read = [&](const char* name, int now, int least) {
        const int value = store.GetProfileInt(section, name, now);
        return value >= least ? value : now;
    };
    SizingBarSizes sizes;
    sizes.horz = {read("sizeHorzCX", current.horz.width(), minimum.width()),
                  read("sizeHorzCY", current.horz.height(), minimum.height())};
    sizes.vert = {read("sizeVertCX", current.vert.width(), minimum.width()),
                  read("sizeVertCY", current.vert.height(), minimum.height())};
    sizes.floating = {read("sizeFloatCX", current.floating.width(), minimum.width()),
                      read("sizeFloatCY", current.floating.height(), minimum.height())};
    return sizes;
}

void SaveSizingBarSizes(ISettingsStore& store, const QString& profile, int barId,
                        const SizingBarSizes& sizes) {
    const QString section = SizingBarSection(profile, barId);
    store.WriteProfileInt(section, "sizeHorzCX", sizes.horz.width());
    store.WriteProfileInt(section, "sizeHorzCY", sizes.horz.height());
    store.WriteProfileInt(section, "sizeVertCX", sizes.vert.width());
    store.WriteProfileInt(section, "sizeVertCY", sizes.vert.height());
    store.WriteProfileInt(section, "sizeFloatCX", sizes.floating.width());
    store.WriteProfileInt(section, "sizeFloatCY", sizes.floating.height());
}
