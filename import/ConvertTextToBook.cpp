#include "import/ConvertTextToBook.h"

#include "import/WriteBookFile.h"
#include "import/ZEBImportPreview.h"
#include "platform/Utf16.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int SourceClusterShift = 20;
constexpr int SourceClusterCount = 3;

}  // namespace

std::u16string PreviewCaption(const std::u16string& sourceName, int32_t sourceSize)
{
    return u"Filename: " + sourceName + u"        File Size: " +
           FromUtf8(std::to_string(sourceSize));
}

bool ConvertTextToBook(const std::u16string& sourcePath, const std::string& destinationPath,
                       int32_t& importCodePage, ZEBImportPreview& preview, ZEBProgress& progress)
{
    ZEBFile source;
    source.Open(ToUtf8(sourcePath), FileAccess::Read, SourceClusterShift, SourceClusterCount);
    std::optional<int32_t> chosen =
        preview.Show(source, PreviewCaption(SourceFileName(sourcePath), source.Size()),
                     importCodePage);
    if (!chosen)
        return false;
    importCodePage = *chosen;
    WriteBookFile(source, importCodePage, destinationPath, sourcePath, progress);
    source.Close();
    return true;
}

}  // namespace zeb
