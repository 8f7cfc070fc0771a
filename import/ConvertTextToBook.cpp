#include "import/ConvertTextToBook.h"

#include "import/SourceCharReader.h"
#include "import/WriteBookFile.h"
#include "import/ZEBImportPreview.h"
#include "platform/Utf16.h"
#include "platform/ZEBPrompter.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

constexpr int SourceClusterShift = 20;
constexpr int SourceClusterCount = 3;

// Whether source holds no character in codePage: an empty text stream, which no book may have.
bool HoldsNoText(ZEBFile& source, int32_t codePage)
{
    SourceCharReader reader(source, codePage);
    int32_t position = 0;
    return reader.ReadSourceChar(position) == SourceEnd;
}

}  // namespace

std::u16string PreviewCaption(const std::u16string& sourceName, int32_t sourceSize)
{
    return u"Filename: " + sourceName + u"        File Size: " +
           FromUtf8(std::to_string(sourceSize));
}

bool ConvertTextToBook(const std::string& sourcePath, const std::string& destinationPath,
                       int32_t& importCodePage, ZEBImportPreview& preview, ZEBProgress& progress,
                       ZEBPrompter& prompter)
{
    ZEBFile source;
    source.Open(sourcePath, FileAccess::Read, SourceClusterShift, SourceClusterCount);
    const std::u16string name = SourceFileName(sourcePath);
    std::optional<int32_t> chosen =
        preview.Show(source, PreviewCaption(name, source.Size()), importCodePage);
    if (!chosen)
        return false;
    importCodePage = *chosen;
    if (HoldsNoText(source, importCodePage)) {
        prompter.Message(EmptyTextMessage + ToUtf8(name), "", PromptIcon::Error, PromptButtons::Ok);
        return false;
    }
    WriteBookFile(source, importCodePage, destinationPath, sourcePath, progress);
    source.Close();
    return true;
}

}  // namespace zeb
