#pragma once
// The scrambling under which passwords are stored in UserProfile.PassWrd. Passwords are only ever
// compared in scrambled form; nothing unscrambles them. The result depends on the arguments alone
// (no salt, no state), so equal passwords give equal texts in every database file.
#include <QString>

namespace modCrypt {

// Scrambles text with a key derived from the character codes of key, and leaves that derived
// number, in decimal, in key. Character codes are the bytes of the UTF-8 form of the text (0 to
// 255); the result holds one character per kept byte, the character of that code in Latin-1. A
// position whose computed code falls outside 0 to 255 is dropped.
//
// The constants keep every byte from 32 to 244 (all printable ASCII and every byte of the UTF-8
// form of any non-ASCII character) and never produce code 0, as long as the derived number stays
// at 42 or below: that is, while the key's bytes add up to less than 44032 (over 340 printable
// ASCII characters).
QString CryptPassWrd(QString text, QString& key);

// The form both callers use: the password is the text and the key.
QString CryptPassWrd(const QString& password);

}  // namespace modCrypt

using modCrypt::CryptPassWrd;
