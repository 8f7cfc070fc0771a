#include "tools/zebtool/OpenedBook.h"

namespace zeb::tool {

void OpenBookFile(const std::string& path, OpenedBook& book)
{
    book.file.Open(path, FileAccess::Read, 20, 3);
    book.header = BookHeader::Read(book.file);
    book.isBook = book.header.IsBook(book.file.Size());
    if (!book.isBook)
        return;
    int32_t optionsOffset = int32_t(book.header.optionsOffset);
    book.textSigned = book.file.Verify(0, optionsOffset - SignatureSize);
    book.optionsSigned = book.file.Verify(optionsOffset, book.file.Size() - SignatureSize);
}

}  // namespace zeb::tool
