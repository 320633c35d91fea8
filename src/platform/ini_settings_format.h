#pragma once
// The settings file in the INI layout QSettings writes ([Section], escaped keys, quoted texts),
// read and written by the program itself. Qt's own writer leaves the last part of the file in a
// buffer whose failure to reach the disk it ignores, so a full disk could cut the file; this one
// hands the whole file over at once and cancels the save when any byte fails. Files written by
// either side read back the same on the other.

#include <QByteArray>
#include <QSettings>

namespace vesk {

// A QSettings format with the extension "conf": the same file the native format uses.
QSettings::Format SafeIniFormat();

QByteArray SerializeIniSettings(const QSettings::SettingsMap& map);
// False for bytes that are not an INI file (nothing is added to the map then).
bool ParseIniSettings(const QByteArray& bytes, QSettings::SettingsMap* map);

}  // namespace vesk
