#include "platform/ini_settings_format.h"

#include <QFileDevice>
#include <QStringList>
#include <QVariant>

namespace vesk {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsHexDigit(uint c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Keys: letters, digits, "_", "-" and "." as they are, "/" as "\", the rest as %XX or %UXXXX.
void AppendKey(const QString& key, QByteArray* out) {
    for (const QChar c : key) {
        const uint u = c.unicode();
        if (u == '/') {
            *out += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                   u == '_' || u == '-' || u == '.') {
            *out += static_cast<char>(u);
        } else if (u <= 0xFF) {
            *out += '%';
            *out += kHexDigits[u >> 4];
            *out += kHexDigits[u & 0xF];
        } else {
            *out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) *out += kHexDigits[(u >> shift) & 0xF];
        }
    }
}

QString KeyFrom(QByteArrayView raw) {
    QString key;
    QByteArray plain;
    auto flush = [&] {
        key += QString::fromUtf8(plain);
        plain.clear();
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\\') {
            plain += '/';
        } else if (c == '%' && i + 2 < raw.size() && raw[i + 1] == 'U' && i + 5 < raw.size() &&
                   IsHexDigit(uchar(raw[i + 2])) && IsHexDigit(uchar(raw[i + 3])) &&
                   IsHexDigit(uchar(raw[i + 4])) && IsHexDigit(uchar(raw[i + 5]))) {
            flush();
            int u = 0;
            for (int k = 2; k <= 5; ++k) u = u * 16 + HexValue(raw[i + k]);
            key += QChar(static_cast<char16_t>(u));
            i += 5;
        } else if (c == '%' && i + 2 < raw.size() && IsHexDigit(uchar(raw[i + 1])) &&
                   IsHexDigit(uchar(raw[i + 2]))) {
            flush();
            key += QChar(static_cast<char16_t>(HexValue(raw[i + 1]) * 16 + HexValue(raw[i + 2])));
            i += 2;
        } else {
            plain += c;
        }
    }
    flush();
    return key;
}

// A text in quotes, with the escapes QSettings reads. After a \x escape a following hex digit
// is escaped too, since the reader takes every hex digit that follows.
void AppendQuotedText(const QString& text, QByteArray* out) {
    *out += '"';
    QString run;
    bool escapeHexDigit = false;
    auto flush = [&] {
        *out += run.toUtf8();
        run.clear();
    };
    for (const QChar c : text) {
        const uint u = c.unicode();
        const char* named = nullptr;
        switch (u) {
            case '\a':
                named = "\\a";
                break;
            case '\b':
                named = "\\b";
                break;
            case '\f':
                named = "\\f";
                break;
            case '\n':
                named = "\\n";
                break;
            case '\r':
                named = "\\r";
                break;
            case '\t':
                named = "\\t";
                break;
            case '\v':
                named = "\\v";
                break;
            case '"':
                named = "\\\"";
                break;
            case '\\':
                named = "\\\\";
                break;
            default:
                break;
        }
        if (named) {
            flush();
            *out += named;
            escapeHexDigit = false;
        } else if (u < 0x20 || u == 0x7F || (escapeHexDigit && IsHexDigit(u))) {
            flush();
            *out += "\\x";
            *out += kHexDigits[(u >> 4) & 0xF];
            *out += kHexDigits[u & 0xF];
            escapeHexDigit = true;
        } else {
            run += c;
            escapeHexDigit = false;
        }
    }
    flush();
    *out += '"';
}

void AppendValue(const QVariant& value, QByteArray* out) {
    switch (value.typeId()) {
        case QMetaType::UnknownType:
            *out += "@Invalid()";
            return;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            *out += value.toString().toLatin1();
            return;
        case QMetaType::QStringList: {
            const QStringList list = value.toStringList();
            if (list.isEmpty()) {
                *out += "@Invalid()";
                return;
            }
            for (qsizetype i = 0; i < list.size(); ++i) {
                if (i)
                    *out += ", ";
                AppendQuotedText(list[i].startsWith('@') ? '@' + list[i] : list[i], out);
            }
            return;
        }
        default: {
            const QString text = value.toString();
            AppendQuotedText(text.startsWith('@') ? '@' + text : text, out);
            return;
        }
    }
}

// A value as QSettings reads it: quoted and plain pieces, escapes, and unquoted commas
// between the items of a list.
QVariant ValueFrom(QByteArrayView raw) {
    QStringList items;
    QString current;
    QByteArray plain;
    bool quoted = false;
    bool list = false;
    auto flush = [&] {
        current += QString::fromUtf8(plain);
        plain.clear();
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ',' && !quoted) {
            flush();
            items << current;
            current.clear();
            list = true;
            while (i + 1 < raw.size() && (raw[i + 1] == ' ' || raw[i + 1] == '\t')) ++i;
            continue;
        }
        if (c != '\\' || i + 1 >= raw.size()) {
            plain += c;
            continue;
        }
        const char e = raw[++i];
        char simple = 0;
        switch (e) {
            case 'a':
                simple = '\a';
                break;
            case 'b':
                simple = '\b';
                break;
            case 'f':
                simple = '\f';
                break;
            case 'n':
                simple = '\n';
                break;
            case 'r':
                simple = '\r';
                break;
            case 't':
                simple = '\t';
                break;
            case 'v':
                simple = '\v';
                break;
            default:
                break;
        }
        if (simple) {
            plain += simple;
        } else if (e == 'x' || (e >= '0' && e <= '7')) {
            flush();
            const bool hex = e == 'x';
            uint code = hex ? 0 : uint(e - '0');
            while (i + 1 < raw.size() && (hex ? IsHexDigit(uchar(raw[i + 1]))
                                              : (raw[i + 1] >= '0' && raw[i + 1] <= '7'))) {
                code = code * (hex ? 16 : 8) + uint(hex ? HexValue(raw[i + 1]) : raw[i + 1] - '0');
                ++i;
            }
            current += QChar(static_cast<char16_t>(code & 0xFFFF));
        } else {
            plain += e;  // \" \' \? \\ \; \, and anything else stand for themselves
        }
    }
    flush();
    if (list) {
        items << current;
        for (QString& item : items) {
            if (item.startsWith(QLatin1String("@@")))
                item.remove(0, 1);
        }
        return items;
    }
    if (current.startsWith(QLatin1String("@@")))
        return current.mid(1);
    if (current == QLatin1String("@Invalid()"))
        return QVariant();
    return current;
}

bool ReadFunction(QIODevice& device, QSettings::SettingsMap& map) {
    return ParseIniSettings(device.readAll(), &map);
}

// The whole file in one write, then the buffer flushed and checked: a false answer makes
// QSettings drop the temporary file and keep the old one.
bool WriteFunction(QIODevice& device, const QSettings::SettingsMap& map) {
    const QByteArray bytes = SerializeIniSettings(map);
    if (device.write(bytes) != bytes.size())
        return false;
    if (auto* file = qobject_cast<QFileDevice*>(&device))
        return file->flush() && file->error() == QFileDevice::NoError;
    return true;
}

}  // namespace

QSettings::Format SafeIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), ReadFunction, WriteFunction);
    return format;
}

QByteArray SerializeIniSettings(const QSettings::SettingsMap& map) {
    // Sections are the first part of a key; keys without one stand under [General].
    QMap<QString, QList<QPair<QString, QVariant>>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf('/');
        if (slash <= 0)
            sections[QString()].append({it.key(), it.value()});
        else
            sections[it.key().left(slash)].append({it.key().mid(slash + 1), it.value()});
    }
    QByteArray out;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!out.isEmpty())
            out += '\n';
        out += '[';
        if (it.key().isEmpty())
            out += "General";
        else if (it.key() == QLatin1String("General"))
            out += "%General";
        else
            AppendKey(it.key(), &out);
        out += "]\n";
        for (const auto& [key, value] : it.value()) {
            AppendKey(key, &out);
            out += '=';
            AppendValue(value, &out);
            out += '\n';
        }
    }
    return out;
}

bool ParseIniSettings(const QByteArray& bytes, QSettings::SettingsMap* map) {
    QSettings::SettingsMap read;
    QString prefix;
    for (const QByteArray& whole : bytes.split('\n')) {
        const QByteArrayView line = QByteArrayView(whole).trimmed();
        if (line.isEmpty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const qsizetype close = line.lastIndexOf(']');
            if (close < 0)
                return false;
            const QByteArrayView name = line.sliced(1, close - 1).trimmed();
            // [General] holds the keys without a section; a section really called General is
            // written [%General].
            if (name.compare("General", Qt::CaseInsensitive) == 0)
                prefix.clear();
            else if (name.compare("%General", Qt::CaseInsensitive) == 0)
                prefix = QStringLiteral("General/");
            else
                prefix = KeyFrom(name) + '/';
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;  // QSettings skips such lines too
        read.insert(prefix + KeyFrom(line.first(equals).trimmed()),
                    ValueFrom(line.sliced(equals + 1).trimmed()));
    }
    for (auto it = read.cbegin(); it != read.cend(); ++it) map->insert(it.key(), it.value());
    return true;
}

}  // namespace vesk
