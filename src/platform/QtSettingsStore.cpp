#include "platform/QtSettingsStore.h"

#include <QMetaType>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace numora {

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniPath) : iniPath_(iniPath) {}

QtSettingsStore::~QtSettingsStore() = default;

bool QtSettingsStore::open() {
    if (!settings_) {
        if (iniPath_.isEmpty())
            settings_ =
                std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, u"Varnel"_s, u"Numora"_s);
        else
            settings_ = std::make_unique<QSettings>(iniPath_, QSettings::IniFormat);
    }
    return settings_->status() == QSettings::NoError;
}

KeyValueStore::Status QtSettingsStore::read(const std::string& name, std::string& value) {
    if (!settings_ && !open()) return Status::Error;
    if (settings_->status() != QSettings::NoError) return Status::Error;
    const QString key = QString::fromStdString(name);
    if (!settings_->contains(key)) return Status::Absent;
    const QVariant v = settings_->value(key);
    // A value of a type that has no text (a binary registry value, an ini list) cannot be ours.
    if (v.typeId() == QMetaType::QStringList || v.typeId() == QMetaType::QVariantList || !v.canConvert<QString>())
        return Status::Error;
    value = v.toString().toStdString();
    return Status::Ok;
}

bool QtSettingsStore::write(const std::string& name, const std::string& value) {
    if (!settings_ && !open()) return false;
    const QString key = QString::fromStdString(name);
    const QString text = QString::fromStdString(value);
    // Keep the registry type of a value another version stored as a number (REG_DWORD).
    const QVariant old = settings_->value(key);
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber && (old.typeId() == QMetaType::Int || old.typeId() == QMetaType::UInt ||
                     old.typeId() == QMetaType::LongLong || old.typeId() == QMetaType::ULongLong))
        settings_->setValue(key, number);
    else
        settings_->setValue(key, text);
    settings_->sync();
    return settings_->status() == QSettings::NoError && settings_->isWritable();
}

QString QtSettingsStore::location() const {
    if (settings_) return settings_->fileName();
    return iniPath_;
}

} // namespace numora
