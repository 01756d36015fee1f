#pragma once
// The per-user settings store: named text values under an application name and the section
// "Settings". Values are texts; the readers below turn them into numbers and flags.
#include <QString>
#include <memory>

class QSettings;

class SettingsStore {
  public:
    // The user's store of `application` (QSettings, INI format, per user).
    explicit SettingsStore(const QString& application);
    // A store kept in one INI file (tests).
    static SettingsStore atFile(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(SettingsStore&&) noexcept;

    bool contains(const QString& key) const;
    QString text(const QString& key, const QString& fallback) const;
    // A number's whole part (7.9 gives 7 when `truncate`, else rounded); not a number: fallback.
    int number(const QString& key, int fallback, bool truncate = false) const;
    // Any non-zero number or the word True is on.
    bool flag(const QString& key, bool fallback) const;
    // An index 0..2 of an option group; anything else: fallback.
    int index3(const QString& key, int fallback) const;

    void setText(const QString& key, const QString& value);
    void setNumber(const QString& key, int value);
    void setFlag(const QString& key, bool on);
    void sync();

  private:
    SettingsStore() = default;
    std::unique_ptr<QSettings> m_settings;
};
