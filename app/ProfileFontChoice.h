#pragma once

#include <optional>

#include <QFont>

#include "settings/FontProfile.h"

namespace zeb {

// The profile's font as the font dialog shows it: the face actually drawn (a default face's
// stand-in) at the profile's size in points, with its style.
QFont DialogFont(const FontProfile& profile);

// The face, size and style the user chose, as profile fields; the size is kept within the
// font sizes the reader offers. Nothing when the face is not installed or has no Latin letters.
std::optional<FontProfile> ChosenFont(const QFont& font, const FontProfile& profile);

}  // namespace zeb
