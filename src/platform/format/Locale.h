#pragma once
// The one place the format engine and the VB conversions read the user's regional settings from.
// Everything is taken from the default QLocale(), so tests pick a locale with QLocale::setDefault.
#include <QLocale>
#include <QString>
#include <QStringList>

namespace vb {

class Locale {
public:
    enum class DateOrder { MDY, DMY, YMD };

    // The default locale, or the one pinned on this thread.
    static const QLocale& current();

    // Pins the present default locale on this thread while it lives: a thread that formats many
    // values reads it without a look at Qt's shared default each time (which threads queue for).
    class Pin {
    public:
        Pin();
        ~Pin();
        Pin(const Pin&) = delete;
        Pin& operator=(const Pin&) = delete;

    private:
        QLocale locale_;
        const QLocale* previous_;
    };

    static QString decimalPoint();
    static QString groupSeparator();
    static QString negativeSign();
    static QString positiveSign();
    static QString currencySymbol();
    static QString amText();
    static QString pmText();

    // Separators that "/" and ":" stand for in a VB date pattern.
    static QString dateSeparator();
    static QString timeSeparator();

    // The order of day, month and year in the short date form.
    static DateOrder dateOrder();

    // Qt patterns of the general date display: the short date with its year forced to four digits
    // (a two-digit year read back lands in the wrong century), and the time with seconds, no zone.
    static QString shortDatePattern();
    static QString timePattern();
    static QString shortTimePattern();

    // 1..12 for a month name or abbreviation of the locale or of English (any case, with or
    // without a trailing full stop); 0 when the word is none.
    static int monthFromName(const QString& word);
};

}  // namespace vb
