#pragma once

#include "core/Settings.h"

#include <QString>

#include <memory>

class QSettings;

namespace numora {

// The per-user store in the platform's native format: the registry key
// HKEY_CURRENT_USER\Software\Varnel\Numora on Windows, ~/.config/Varnel/Numora.conf on Linux.
class QtSettingsStore : public KeyValueStore {
public:
    QtSettingsStore();
    // A store kept in the given ini file instead, for tests and for a portable run.
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    bool open() override;
    Status read(const std::string& name, std::string& value) override;
    bool write(const std::string& name, const std::string& value) override;

    // Where the values live, for messages.
    QString location() const;

private:
    QString iniPath_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace numora
