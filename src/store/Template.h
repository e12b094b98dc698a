#pragma once

#include "FieldValues.h"
#include "StoreBackend.h"

#include <QFlags>
#include <QString>
#include <QVariant>

#include <array>

namespace tagwright::store {

// The parts of a template that a write stores.
enum class TemplatePart {
    Title = 0x1,
    Body = 0x2,
    Captions = 0x4,
    Options = 0x8,
    Logo = 0x10,
    Font = 0x20,
};
Q_DECLARE_FLAGS(TemplateParts, TemplatePart)
Q_DECLARE_OPERATORS_FOR_FLAGS(TemplateParts)

inline constexpr TemplateParts AllTemplateParts =
    TemplateParts(TemplatePart::Title) | TemplatePart::Body | TemplatePart::Captions
    | TemplatePart::Options | TemplatePart::Logo | TemplatePart::Font;

// One label template as a value: what a "Labels" record holds, every missing field read as
// its default, and which stored record it is (identity and the version read).
struct Template {
    // How much of its font a record names. The font dialog starts only from a font it can
    // describe: none named starts it on the default, a font without its size, bold or
    // italic does not start it at all.
    enum class FontNamed { None, Partly, Fully };

    RecordKey key;  // id -1: not stored (a template being begun)
    QString title;  // empty: the record has none
    QString body;   // as stored: lines separated by carriage return + line feed
    QString fontName = fields::DefaultFontName;
    float fontSize = fields::DefaultFontSize;  // points
    bool bold = true;
    bool italic = false;
    FontNamed fontNamed = FontNamed::None;
    QString logo;  // the logo file's path, empty without one
    bool printsCompany = false;
    bool printsSignature = false;
    // In header order: Reg #, Make, Serial (left column), Tach, T.T., SMOH (right column).
    std::array<QString, 6> captions;

    bool stored() const { return key.id >= 0; }
};

// A template's place in the card order and its title (null when the record has none).
struct TemplateTitle {
    qint64 id = -1;
    QVariant title;
};

}  // namespace tagwright::store
