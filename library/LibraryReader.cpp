#include "library/LibraryReader.h"

#include <filesystem>

#include "storage/ZEBBook.h"

namespace zeb {

bool IsOpenBook(LibraryReader& reader, const std::string& path)
{
    ZEBBook* book = reader.OpenBook();
    if (!book || !book->IsOpen())
        return false;
    if (book->Path() == path)
        return true;
    std::error_code error;
    return std::filesystem::equivalent(book->Path(), path, error);
}

}  // namespace zeb
