#pragma once

#include <QString>

#include <optional>

namespace tagwright::legacy {

// Jet 4 and later store text as UTF-16, optionally "compressed": after the marker FF FE,
// runs of one-byte characters (U+0000 to U+00FF) alternate with UTF-16 runs at each 00 byte.
// Nothing when the bytes cannot be such a text: they end in half a character, or the
// marker comes again (bytes of the next field read as this one's).
std::optional<QString> decodeJet4Text(const unsigned char* bytes, qsizetype size);

// Why `text` cannot have been stored by the earlier program, or empty when it can: its
// boxes took typed characters from the Windows code page, so a text holds no control
// character (the body's tab and line breaks aside), no half of a UTF-16 pair and no code
// that is not a character. Such a text is what damaged bytes decode to.
QString unstorableCharacter(const QString& text, bool multiline);

}  // namespace tagwright::legacy
