#include "zarn/shell/settingsstore.h"

#include <QSettings>
#include <cmath>

namespace {
const QString kSection = QStringLiteral("Settings/");
}

SettingsStore::SettingsStore(const QString& application)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             application, application)) {}

SettingsStore SettingsStore::atFile(const QString& iniPath) {
    SettingsStore store;
    store.m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    return store;
}

SettingsStore::~SettingsStore() = default;
SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;

bool SettingsStore::contains(const QString& key) const {
    return m_settings->contains(kSection + key);
}

QString SettingsStore::text(const QString& key, const QString& fallback) const {
    const QVariant value = m_settings->value(kSection + key);
    return value.isValid() ? value.toString() : fallback;
}

int SettingsStore::number(const QString& key, int fallback, bool truncate) const {
    bool ok = false;
    const double value = text(key, QString()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 2e9) return fallback;
    return int(truncate ? std::trunc(value) : std::nearbyint(value));
}

bool SettingsStore::flag(const QString& key, bool fallback) const {
    const QString value = text(key, QString()).trimmed();
    if (value.isEmpty()) return fallback;
    if (value.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (value.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? number != 0 : fallback;
}

int SettingsStore::index3(const QString& key, int fallback) const {
    bool ok = false;
    const int value = text(key, QString()).trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 2 ? value : fallback;
}

void SettingsStore::setText(const QString& key, const QString& value) {
    m_settings->setValue(kSection + key, value);
}
void SettingsStore::setNumber(const QString& key, int value) {
    setText(key, QString::number(value));
}
void SettingsStore::setFlag(const QString& key, bool on) {
    setText(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}
void SettingsStore::sync() {
    m_settings->sync();
}
