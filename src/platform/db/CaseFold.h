#pragma once
// Case folding of UTF-8 text without a round trip through UTF-16: every code point folded as
// QChar::toCaseFolded folds it (the same result as QString::toCaseFolded on valid text). A byte
// that does not start a valid sequence becomes U+FFFD, as QString::fromUtf8 reads it.
#include <cstddef>
#include <string>

namespace db {

// The index of the first byte that folding would change (a capital ASCII letter or a byte
// outside ASCII), or size when the text is all lower-case ASCII.
size_t FirstFoldable(const char* text, size_t size);

// Folds text into out (its capacity is kept, so a reused string does not allocate).
void FoldUtf8(const char* text, size_t size, std::string& out);

}  // namespace db
