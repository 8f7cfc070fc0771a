#include "render/ProfileFont.h"

#include <algorithm>
#include <mutex>


namespace zeb {

namespace {

void InstallFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
        QFont::insertSubstitution(QStringLiteral("Lucida Console"), QStringLiteral("DejaVu Sans Mono"));
        // The import preview's and the library's faces.
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
        QFont::insertSubstitution(QStringLiteral("Fixedsys"), QStringLiteral("DejaVu Sans Mono"));
    });
}

}  // namespace

int32_t PointsToPixels(int32_t points)
{
    // Rounded half away from zero, as MulDiv(points, 96, 72) does.
    int64_t n = int64_t(points) * 96;
    return int32_t(n >= 0 ? (n + 36) / 72 : (n - 36) / 72);
}

QFont FaceFont(const std::string& face, int32_t pixelSize)
{
    InstallFontSubstitutions();
    QFont font(QString::fromStdString(face));
    font.setPixelSize(std::max(pixelSize, 1));
    return font;
}

QFont BuildProfileFont(const FontProfile& profile, int32_t sizeFactor)
{
    QFont font = FaceFont(profile.FontName, PointsToPixels(profile.FontSize * sizeFactor));
    font.setBold(profile.Bold);
    font.setItalic(profile.Italic);
    font.setUnderline(profile.Underline);
    font.setStrikeOut(profile.StrikeOut);
    return font;
}

}  // namespace zeb
