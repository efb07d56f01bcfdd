#include "accounts/CryptPassWrd.h"

#include <QByteArray>
#include <cmath>

namespace modCrypt {

namespace {
// Fixed for every database file: a password stored under other values no longer matches.
constexpr double F = 0.25;
constexpr int D = 256;
// Even positions shift a byte by 11 - K, odd positions by K - 31.
constexpr int T[6] = {11, 32, 9, 34, 7, 36};
}  // namespace

QString CryptPassWrd(QString text, QString& key) {
    qint64 s = 0;
    for (const char ch : key.toUtf8()) s += static_cast<unsigned char>(ch);
    const qint64 k = static_cast<qint64>(std::floor(double(s) * F / D));
    key = QString::number(k);

    const QByteArray in = text.toUtf8();
    QByteArray out;
    out.reserve(in.size());
    int c = 0;
    for (const char ch : in) {
        const qint64 a = static_cast<unsigned char>(ch);
        c = c + 1;
        if (c == 6) c = 0;
        qint64 v = (c % 2 == 0) ? a - (k - T[c]) : a + (k - T[c]);
        v += c;
        if (v >= 0 && v <= 255) out.append(static_cast<char>(v));
    }
    return QString::fromLatin1(out);
}

QString CryptPassWrd(const QString& password) {
    QString key = password;
    return CryptPassWrd(password, key);
}

}  // namespace modCrypt
