#pragma once
// Sets the default locale for one test row and puts the previous one back.
#include <QLocale>

struct LocaleScope {
    explicit LocaleScope(const char* name) : saved_(QLocale()) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
    ~LocaleScope() { QLocale::setDefault(saved_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale saved_;
};
