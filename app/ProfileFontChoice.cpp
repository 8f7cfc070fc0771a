#include "app/ProfileFontChoice.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include "render/ProfileFont.h"
#include "settings/ReaderSettings.h"

namespace zeb {

namespace {

// The character set the dialog's fonts are taken with.
constexpr uint8_t AnsiCharset = 0;

bool HasLatinLetters(const QString& family)
{
    return QFontDatabase::families().contains(family) &&
           QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin);
}

}  // namespace

QFont DialogFont(const FontProfile& profile)
{
    QFont font = BuildProfileFont(profile);
    const QFontInfo drawn(font);
    font.setFamily(drawn.family());
    // The dialog finds the style by its name, which differs from face to face ("Book",
    // "Regular", "Oblique", ...).
    font.setStyleName(drawn.styleName());
    font.setPointSize(std::max(profile.FontSize, 1));
    return font;
}

std::optional<FontProfile> ChosenFont(const QFont& font, const FontProfile& profile)
{
    if (!HasLatinLetters(font.family()))
        return std::nullopt;
    FontProfile chosen = profile;
    chosen.FontName = font.family().toStdString();
    chosen.Charset = AnsiCharset;
    chosen.FontSize = std::clamp(font.pointSize(), FontSizeRange.Min, FontSizeRange.Max);
    chosen.Bold = font.bold();
    chosen.Italic = font.italic();
    chosen.Underline = font.underline();
    chosen.StrikeOut = font.strikeOut();
    return chosen;
}

}  // namespace zeb
